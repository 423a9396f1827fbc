#include "AppTestSupport.h"
#include "FieldReader.h"

#include "app/HelpWindow.h"
#include "app/MainWindow.h"
#include "app/Menu.h"
#include "app/Startup.h"
#include "components/applpreferences/FileTypes.h"
#include "components/keydispatcher/KeyDispatcher.h"
#include "components/media/Sounds.h"
#include "components/periodictimer/PeriodicTimer.h"
#include "components/soundplayer/SoundPlayer.h"
#include "framework/MenuBar.h"
#include "framework/Sound.h"
#include "framework/TestSeams.h"
#include "framework/qt/LayerAccess.h"
#include "puzzle/GameField.h"
#include "tests/support/BoardSolver.h"

#include <QAction>
#include <QMenuBar>
#include <QTest>
#include <QWidget>

#include <map>
#include <vector>

namespace {

// Milliseconds to wait for a state the game should reach: far beyond what it needs even on a
// loaded machine, so only a fault runs out.
constexpr int WaitLimit = 10000;
// Whole ticks after which a change, had there been one, would be on screen: each tick steps the
// game and draws it.
constexpr int TicksToShow = 3;

class MainWindowTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        SetSoundPlayObserver([this](const Sound& s, Int32) { log.push_back(SoundName(s)); });
    }

    // Brings the whole system up and lets it run until the first board is shown.
    void StartGame()
    {
        Startup();
        main = MainWindow::Instance();
        field = main->TheGameField();
        CountTicks();
        WaitUntil([&] { return field->IsGameActive(); });
        WaitTicks(1);
    }

    template <class Condition>
    static void WaitUntil(Condition condition)
    {
        ASSERT_TRUE(QTest::qWaitFor(condition, WaitLimit));
    }

    // The window's own tick handler, with each tick counted once it is done.
    void CountTicks()
    {
        main->GameHeltz()->PeriodicAction.Attach([this](PeriodicTimer& timer, Int32 load) {
            main->GameHeltz_PeriodicAction(timer, load);
            ++ticks;
        });
    }

    // Lets the clock run that many whole ticks from now.
    void WaitTicks(int count)
    {
        const int until = ticks + count;
        WaitUntil([&] { return ticks >= until; });
    }

    QWidget* FieldWidget() const { return ControlAccess::Widget(*field); }
    // The board that the field shows.
    Board Shown() const { return reader.Read(FieldWidget()->grab().toImage()); }
    // The board shown once it is `expected`, or when the wait runs out.
    Board ShownOnceItIs(const Board& expected) const
    {
        static_cast<void>(QTest::qWaitFor([&] { return Shown() == expected; }, WaitLimit));
        return Shown();
    }

    // A drag from cell a onto cell b with the primary button.
    void Drag(Int32 a, Int32 b) const
    {
        QTest::mousePress(FieldWidget(), Qt::LeftButton, {}, FieldReader::Centre(a));
        QMouseEvent move(QEvent::MouseMove, QPointF(FieldReader::Centre(b)),
                         FieldWidget()->mapToGlobal(QPointF(FieldReader::Centre(b))), Qt::NoButton, Qt::LeftButton,
                         {});
        QCoreApplication::sendEvent(FieldWidget(), &move);
        QTest::mouseRelease(FieldWidget(), Qt::LeftButton, {}, FieldReader::Centre(b));
    }

    // Plays the first legal move of the board shown and waits until it is logged.
    Board PlayOneMove()
    {
        const auto before = Shown();
        const auto moves = LegalMoves(before);
        EXPECT_FALSE(moves.empty());
        if (moves.empty()) {
            return before;
        }
        Drag(moves.front().From, moves.front().To);
        WaitUntil([&] { return field->IsUndoAvail(); });
        const auto after = ApplyMove(before, moves.front());
        EXPECT_EQ(ShownOnceItIs(after), after);
        return before;
    }

    // The enabled state of the seven Game items after an enabling pass.
    std::map<String, bool> GameItemsAfterPass() const
    {
        ShowGameMenu(*main);
        std::map<String, bool> enabled;
        for (const char* name : {"GameMenuStart", "GameMenuRetry", "GameMenuAbort", "GameMenuUndo", "GameMenuRedo",
                                 "GameMenuUndoAll", "GameMenuRedoAll"}) {
            const auto item = Menu::Instance()->Lookup(name);
            enabled[name] = item->Enabled();
            EXPECT_FALSE(item->Checked()) << name;
        }
        return enabled;
    }

    std::map<String, bool> QueriesNow() const
    {
        return {{"GameMenuStart", field->IsGameReady()},  {"GameMenuRetry", field->IsRetryReady()},
                {"GameMenuAbort", field->IsGameActive()}, {"GameMenuUndo", field->IsUndoAvail()},
                {"GameMenuRedo", field->IsRedoAvail()},   {"GameMenuUndoAll", field->IsUndoAvail()},
                {"GameMenuRedoAll", field->IsRedoAvail()}};
    }

    static String SoundName(const Sound& s)
    {
        const std::pair<std::shared_ptr<Sound> (*)(), const char*> sounds[] = {
            {BeepSnd, "beep"}, {ClickSnd, "click"},     {StartSnd, "start"},    {StepSnd, "step"},
            {TileSnd, "tile"}, {SoundVolSnd, "volume"}, {SilenceSnd, "silence"}};
        for (const auto& [accessor, name] : sounds) {
            if (accessor().get() == &s) {
                return name;
            }
        }
        return "other";
    }

    std::vector<String> log;
    // Ticks of the game clock done since CountTicks.
    int ticks = 0;
    FieldReader reader;
    std::shared_ptr<MainWindow> main;
    std::shared_ptr<GameField> field;
};

} // namespace

TEST_F(MainWindowTest, StartUpComesUpInOrderAndOpenPrecedesTheClock)
{
    InitFileTypes();
    EXPECT_NE(FileTypes::PrefsData(), nullptr);

    NewAppInstance();
    ASSERT_NE(GetAppObject(), nullptr);
    EXPECT_EQ(App().MenuBar(), Menu::Instance());
    EXPECT_EQ(App().MenuBar()->Count(), 4) << "the bar is complete before any window";
    EXPECT_EQ(WindowCount(), 0);

    ApplicationAddMenuHandlers();
    MakeDefaultView();
    ASSERT_EQ(WindowCount(), 1);
    main = GetImplicitWindow<MainWindow>();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->MenuBar(), App().MenuBar()) << "one bar for the application and the window";
    ASSERT_NE(main->TheGameField(), nullptr);
    ASSERT_NE(main->GameHeltz(), nullptr);
    ASSERT_NE(main->TheKeyDispatcher(), nullptr);
    EXPECT_FALSE(main->TheKeyDispatcher()->TenKeyArrow);
    EXPECT_EQ(App().ItsSoundPlayer, nullptr) << "Open comes from the event loop";
    EXPECT_EQ(main->GameHeltz()->RefStatus(), 0) << "the clock waits for the window's Open";

    ProcessEvents();
    EXPECT_NE(App().ItsSoundPlayer, nullptr);
    EXPECT_NE(App().ItsPrefs, nullptr);
    EXPECT_EQ(main->GameHeltz()->RefStatus(), 1) << "started right after the application's Open";
    EXPECT_EQ(MainWindow::Instance(), main) << "one main window";
}

TEST_F(MainWindowTest, AFixedTitledWindowWithoutMaximiseAroundTheField)
{
    StartGame();
    EXPECT_EQ(main->Title(), "Kalmeno");
    EXPECT_EQ(main->Width(), 300);
    EXPECT_EQ(main->Height(), 300);
    EXPECT_EQ(ContentOf(*main)->minimumSize(), QSize(300, 300));
    EXPECT_EQ(ContentOf(*main)->maximumSize(), QSize(300, 300));
    const Qt::WindowFlags flags = WidgetOf(*main)->windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_EQ(FieldWidget()->geometry(), QRect(0, 0, 300, 300));
    EXPECT_NE(WidgetOf(*main)->findChild<QMenuBar*>(), nullptr) << "the bar is shown in the window";
}

TEST_F(MainWindowTest, TheFirstBoardComesWithItsStartSoundAfterTheScreenUpdate)
{
    Startup();
    main = MainWindow::Instance();
    field = main->TheGameField();
    struct PaintLog : QObject {
        std::vector<String>& log;
        explicit PaintLog(std::vector<String>& l) : log(l) {}
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::Paint) {
                log.push_back("paint");
            }
            return false;
        }
    } paints(log);
    ProcessEvents();
    FieldWidget()->installEventFilter(&paints);
    // The window's own tick handler, with the tick marked in the log.
    main->GameHeltz()->PeriodicAction.Attach([&](PeriodicTimer& timer, Int32 load) {
        log.push_back("tick");
        main->GameHeltz_PeriodicAction(timer, load);
    });
    WaitUntil([&] { return std::count(log.begin(), log.end(), "start") == 1; });
    FieldWidget()->removeEventFilter(&paints);

    const auto start = std::find(log.begin(), log.end(), "start");
    ASSERT_GE(start - log.begin(), 2);
    EXPECT_EQ(*(start - 2), "tick");
    EXPECT_EQ(*(start - 1), "paint") << "the board is on screen before its sound starts";
    EXPECT_EQ(std::count(log.begin(), log.end(), "tick"), 6) << "the first board comes on the sixth tick";
    const auto board = Shown();
    EXPECT_EQ(std::count(board.begin(), board.end(), -1), 0) << "24 tiles";
}

TEST_F(MainWindowTest, APressQueuesItsClickForTheEndOfTheNextTick)
{
    StartGame();
    log.clear();
    const auto moves = LegalMoves(Shown());
    ASSERT_FALSE(moves.empty());
    const int pressedAfter = ticks;
    QTest::mousePress(FieldWidget(), Qt::LeftButton, {}, FieldReader::Centre(moves.front().From));
    EXPECT_TRUE(std::find(log.begin(), log.end(), "click") == log.end()) << "queued, not played";
    WaitUntil([&] { return std::find(log.begin(), log.end(), "click") != log.end(); });
    EXPECT_EQ(ticks, pressedAfter + 1) << "played as the next tick ends";
    QTest::mouseRelease(FieldWidget(), Qt::LeftButton, {}, FieldReader::Centre(moves.front().From));
}

TEST_F(MainWindowTest, KeysOutsideTheFifteenBeepOnceTheOthersAreSilent)
{
    StartGame();
    struct Typed {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QString text;
    };
    // Printable keys; keys that type nothing; Ctrl with a letter that is no shortcut, whose
    // control character would otherwise read as Home or the left arrow.
    const Typed outside[] = {{Qt::Key_A, {}, "a"},
                             {Qt::Key_4, {}, "4"},
                             {Qt::Key_6, {}, "6"},
                             {Qt::Key_8, {}, "8"},
                             {Qt::Key_Space, {}, " "},
                             {Qt::Key_Plus, {}, "+"},
                             {Qt::Key_Z, {}, "Z"},
                             {Qt::Key_F1, {}, ""},
                             {Qt::Key_F12, {}, ""},
                             {Qt::Key_Insert, {}, ""},
                             {Qt::Key_Clear, Qt::KeypadModifier, ""},
                             {Qt::Key_A, Qt::ControlModifier, "\x01"},
                             {Qt::Key_Backslash, Qt::ControlModifier, "\x1c"}};
    for (const auto& [key, modifiers, text] : outside) {
        const Int32 before = BeepCount();
        Press(*main, key, modifiers, text);
        EXPECT_EQ(BeepCount(), before + 1) << key;
    }
    const Int32 beforeModifiers = BeepCount();
    Press(*main, Qt::Key_Shift, Qt::ShiftModifier);
    Press(*main, Qt::Key_Control, Qt::ControlModifier);
    Press(*main, Qt::Key_Alt, Qt::AltModifier);
    Press(*main, Qt::Key_CapsLock);
    EXPECT_EQ(BeepCount(), beforeModifiers) << "a bare modifier raises no KeyDown";
    const Qt::Key silent[] = {Qt::Key_Up,        Qt::Key_Down,     Qt::Key_Enter,  Qt::Key_Return, Qt::Key_Escape,
                              Qt::Key_Backspace, Qt::Key_Help,     Qt::Key_Delete, Qt::Key_Home,   Qt::Key_End,
                              Qt::Key_PageUp,    Qt::Key_PageDown, Qt::Key_Tab,    Qt::Key_Left,   Qt::Key_Right};
    const auto board = Shown();
    const Int32 before = BeepCount();
    for (Qt::Key key : silent) {
        Press(*main, key);
    }
    EXPECT_EQ(BeepCount(), before);
    WaitTicks(TicksToShow);
    EXPECT_EQ(Shown(), board) << "the arrows do nothing with nothing to undo or redo";
    EXPECT_TRUE(field->IsGameActive());
    EXPECT_FALSE(main->Event_KeyDown(String(1, 28))) << "never handled, the arrows included";
}

TEST_F(MainWindowTest, ArrowsUndoAndRedoOneMoveOrAllWithShift)
{
    StartGame();
    const auto start = PlayOneMove();
    const auto played = Shown();

    Press(*main, Qt::Key_Left);
    EXPECT_TRUE(field->IsRedoAvail()) << "a single undo acts at once";
    EXPECT_FALSE(field->IsUndoAvail());
    EXPECT_EQ(ShownOnceItIs(start), start);

    SetShiftKeyOverride(true);
    Press(*main, Qt::Key_Right, Qt::ShiftModifier);
    WaitUntil([&] { return field->IsUndoAvail(); });
    EXPECT_EQ(ShownOnceItIs(played), played);
    Press(*main, Qt::Key_Left, Qt::ShiftModifier);
    WaitUntil([&] { return field->IsRedoAvail(); });
    EXPECT_EQ(ShownOnceItIs(start), start);
}

TEST_F(MainWindowTest, ShortcutsReachTheGameAsRealKeyPresses)
{
    StartGame();
    const auto start = PlayOneMove();
    const auto played = Shown();

    Press(*main, Qt::Key_BracketLeft, Qt::ControlModifier, "[");
    EXPECT_TRUE(field->IsRedoAvail()) << "Ctrl+[ undoes at once";
    Press(*main, Qt::Key_BracketRight, Qt::ControlModifier, "]");
    EXPECT_TRUE(field->IsUndoAvail()) << "Ctrl+] redoes at once";

    // Shift turns the bracket keys into braces on the way in.
    Press(*main, Qt::Key_BraceLeft, Qt::ControlModifier | Qt::ShiftModifier, "{");
    WaitUntil([&] { return field->IsRedoAvail(); });
    EXPECT_EQ(ShownOnceItIs(start), start);
    Press(*main, Qt::Key_BraceRight, Qt::ControlModifier | Qt::ShiftModifier, "}");
    WaitUntil([&] { return field->IsUndoAvail(); });
    EXPECT_EQ(ShownOnceItIs(played), played);

    const Int32 beeps = BeepCount();
    Press(*main, Qt::Key_Period, Qt::ControlModifier, ".");
    WaitUntil([&] { return field->IsGameReady(); });
    EXPECT_EQ(BeepCount(), beeps) << "a shortcut is no key for the dispatcher";
    EXPECT_TRUE(field->IsRetryReady());
    Press(*main, Qt::Key_R, Qt::ControlModifier, "r");
    WaitUntil([&] { return field->IsGameActive(); });
    EXPECT_EQ(ShownOnceItIs(start), start) << "the retry shows the last game's first board";
}

TEST_F(MainWindowTest, TheEnablingPassFollowsTheGame)
{
    Startup();
    main = MainWindow::Instance();
    field = main->TheGameField();
    ProcessEvents();
    EXPECT_EQ(GameItemsAfterPass(), QueriesNow());

    WaitUntil([&] { return field->IsGameActive(); });
    auto enabled = GameItemsAfterPass();
    EXPECT_EQ(enabled, QueriesNow());
    EXPECT_TRUE(enabled["GameMenuAbort"]);
    EXPECT_FALSE(enabled["GameMenuStart"]);
    EXPECT_FALSE(enabled["GameMenuUndo"]);

    PlayOneMove();
    enabled = GameItemsAfterPass();
    EXPECT_EQ(enabled, QueriesNow());
    EXPECT_TRUE(enabled["GameMenuUndo"]);
    EXPECT_TRUE(enabled["GameMenuUndoAll"]);
    EXPECT_FALSE(enabled["GameMenuRedo"]);

    field->GameUndo();
    enabled = GameItemsAfterPass();
    EXPECT_TRUE(enabled["GameMenuRedo"]);
    EXPECT_TRUE(enabled["GameMenuRedoAll"]);
    EXPECT_FALSE(enabled["GameMenuUndo"]);
    EXPECT_FALSE(Menu::Instance()->Lookup("FileClose")->Enabled()) << "the help window's item";
}

TEST_F(MainWindowTest, AGameCommandOutsideItsPhaseChangesNothingAndIsStillHandled)
{
    StartGame();
    const auto board = Shown();
    for (const char* name : {"GameMenuUndo", "GameMenuRedo", "GameMenuStart", "GameMenuRetry"}) {
        EXPECT_TRUE(WindowAccess::RunMenuHandler(*main, *Menu::Instance()->Lookup(name))) << name;
    }
    WaitTicks(TicksToShow);
    EXPECT_TRUE(field->IsGameActive());
    EXPECT_EQ(Shown(), board);
}

TEST_F(MainWindowTest, WithTheHelpWindowInFrontTheGameShortcutsLeaveTheGameAlone)
{
    StartGame();
    PlayOneMove();
    const auto played = Shown();
    TheAppl().HelpApp_Action();
    const auto help = GetImplicitWindow<HelpWindow>();
    ASSERT_EQ(WindowAt(0), help);

    for (const auto& [key, text] : {std::pair{Qt::Key_BracketLeft, "["}, std::pair{Qt::Key_BraceLeft, "{"},
                                    std::pair{Qt::Key_Period, "."}, std::pair{Qt::Key_T, "t"}}) {
        Press(*help, key, Qt::ControlModifier | (text == QString("{") ? Qt::ShiftModifier : Qt::NoModifier), text);
    }
    WaitTicks(TicksToShow);
    EXPECT_TRUE(field->IsUndoAvail());
    EXPECT_FALSE(field->IsRedoAvail());
    EXPECT_EQ(Shown(), played);

    // The volume items still work, from the main window's bar.
    ShowGameMenu(*main);
    VolumeAction(*main, 4)->trigger();
    EXPECT_EQ(App().ItsSoundPlayer->RefVolume(), 4);

    Press(*help, Qt::Key_W, Qt::ControlModifier, "w");
    EXPECT_EQ(GetImplicitWindow<HelpWindow>(), nullptr);
    EXPECT_EQ(WindowAt(0), main);
    Press(*main, Qt::Key_W, Qt::ControlModifier, "w");
    EXPECT_EQ(WindowCount(), 1) << "Ctrl+W does not close the main window";
}

TEST_F(MainWindowTest, ClosingTheMainWindowClosesTheOthersFirstThenQuitsAndSaves)
{
    StartGame();
    EXPECT_FALSE(main->Event_CancelClose(false)) << "alone: nothing to close, never cancelled";
    EXPECT_EQ(WindowCount(), 1);

    TheAppl().HelpApp_Action();
    EXPECT_FALSE(main->Event_CancelClose(true)) << "quitting: the others are the framework's";
    EXPECT_EQ(WindowCount(), 2);

    EXPECT_FALSE(main->Event_CancelClose(false));
    EXPECT_EQ(WindowCount(), 1);
    EXPECT_EQ(GetImplicitWindow<HelpWindow>(), nullptr);
    EXPECT_EQ(PreferencesFileContents(), "");

    TheAppl().HelpApp_Action();
    main->Close();
    EXPECT_EQ(WindowCount(), 0);
    EXPECT_EQ(PreferencesFileContents(), "001") << "the quit saved the first run's data";
}
