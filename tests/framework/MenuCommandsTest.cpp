// Menu commands through real key presses and real menu actions: the enabling pass before
// each, routing by item name, the window's handlers before the application's.
#include "tests/support/UiTest.h"

#include "framework/MenuBar.h"
#include "framework/QuitMenuItem.h"

#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>

namespace {

std::shared_ptr<MenuItem> NewItem(const String& name, const String& text, const String& shortcut, bool autoEnable,
                                  Int32 index = NoIndex)
{
    auto item = std::make_shared<MenuItem>();
    item->SetName(name);
    item->SetText(text);
    item->SetKeyboardShortcut(shortcut);
    item->SetAutoEnable(autoEnable);
    item->SetIndex(index);
    return item;
}

// File (Close, Quit) and Game (Undo, Redo, Undo all, Redo all, Volume 0..2).
std::shared_ptr<MenuBar> NewGameBar()
{
    auto bar = std::make_shared<MenuBar>();
    bar->Append(NewItem("FileMenu", "File", "", true));
    bar->Child("FileMenu")->Append(NewItem("FileClose", "Close", "Cmd+W", false));
    auto quit = std::make_shared<QuitMenuItem>();
    quit->SetName("FileQuit");
    quit->SetText("Quit");
    quit->SetKeyboardShortcut("Cmd+Q");
    bar->Child("FileMenu")->Append(quit);
    bar->Append(NewItem("GameMenu", "Game", "", true));
    const auto game = bar->Child("GameMenu");
    game->Append(NewItem("GameMenuUndo", "Undo", "Cmd+[", false));
    game->Append(NewItem("GameMenuRedo", "Redo", "Cmd+]", false));
    game->Append(NewItem("Separator", "-", "", true));
    game->Append(NewItem("GameMenuUndoAll", "Undo all", "Cmd+Shift+[", false));
    game->Append(NewItem("GameMenuRedoAll", "Redo all", "Cmd+Shift+]", false));
    game->Append(NewItem("GameMenuSound", "Sound", "", true));
    for (Int32 i = 0; i < 3; ++i) {
        game->Child("GameMenuSound")->Append(NewItem("GameMenuSoundVol", std::to_string(i), "", false, i));
    }
    return bar;
}

class RecordingApplication : public Application {
public:
    Int32 passes = 0;
    Int32 closes = 0;
    std::function<void()> enableRule;

    void Event_EnableMenuItems() override
    {
        ++passes;
        if (enableRule) {
            enableRule();
        }
    }
    void Event_Close() override { ++closes; }
};

class MenuCommandsTest : public UiTest {
protected:
    void SetUp() override
    {
        app = std::make_shared<RecordingApplication>();
        app->SetMenuBar(bar);
        RuntimeRegisterAppObject(app);
        window = NewRecordingWindow({.Width = 200, .Height = 150, .Title = "Main"});
        window->SetMenuBar(bar);
    }

    void Press(const std::shared_ptr<Window>& target, Qt::Key key, Qt::KeyboardModifiers modifiers)
    {
        QTest::keyClick(WidgetOf(*target), key, modifiers);
    }

    QMenu* MenuTitled(const QString& title) const
    {
        for (QAction* action : WidgetOf(*window)->MenuBarView()->actions()) {
            if (action->text() == title) {
                return action->menu();
            }
        }
        return nullptr;
    }

    std::shared_ptr<MenuBar> bar = NewGameBar();
    std::shared_ptr<RecordingApplication> app;
    std::shared_ptr<RecordingWindow> window;
};

TEST_F(MenuCommandsTest, ShortcutsReachTheHandlerOfTheirNameOnlyWhenTheirRuleEnablesThem)
{
    bool undoAvailable = false;
    std::vector<String> calls;
    window->enableRule = [&] {
        bar->Lookup("GameMenuUndo")->SetEnabled(undoAvailable);
        bar->Lookup("GameMenuUndoAll")->SetEnabled(undoAvailable);
    };
    window->AddMenuHandler("GameMenuUndo", [&] {
        calls.push_back("undo");
        return true;
    });
    window->AddMenuHandler("GameMenuUndoAll", [&] {
        calls.push_back("undo all");
        return true;
    });

    Press(window, Qt::Key_BracketLeft, Qt::ControlModifier);
    EXPECT_TRUE(calls.empty()) << "disabled by the pass";

    undoAvailable = true;
    Press(window, Qt::Key_BracketLeft, Qt::ControlModifier);
    // Shift+[ as a test driver sends it, and as X11 reports it: the brace key.
    Press(window, Qt::Key_BracketLeft, Qt::ControlModifier | Qt::ShiftModifier);
    Press(window, Qt::Key_BraceLeft, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(calls, (std::vector<String>{"undo", "undo all", "undo all"}));
    EXPECT_TRUE(window->keys.empty()) << "a shortcut is no KeyDown, enabled or not";
    EXPECT_EQ(app->passes, 4);
}

TEST_F(MenuCommandsTest, TwoShortcutsRightAfterAStateChangeMeetAFreshPassEachTime)
{
    bool canUndo = true;
    bool canRedo = false;
    std::vector<String> calls;
    window->enableRule = [&] {
        bar->Lookup("GameMenuUndo")->SetEnabled(canUndo);
        bar->Lookup("GameMenuRedo")->SetEnabled(canRedo);
    };
    window->AddMenuHandler("GameMenuUndo", [&] {
        calls.push_back("undo");
        canUndo = false;
        canRedo = true;
        return true;
    });
    window->AddMenuHandler("GameMenuRedo", [&] {
        calls.push_back("redo");
        canRedo = false;
        canUndo = true;
        return true;
    });

    Press(window, Qt::Key_BracketLeft, Qt::ControlModifier);
    Press(window, Qt::Key_BracketRight, Qt::ControlModifier);
    Press(window, Qt::Key_BracketLeft, Qt::ControlModifier);
    EXPECT_EQ(calls, (std::vector<String>{"undo", "redo", "undo"}));
}

TEST_F(MenuCommandsTest, AutoEnableDecidesEachItemAtTheStartOfEveryPass)
{
    const auto close = bar->Lookup("FileClose");
    const auto quit = bar->Lookup("FileQuit");
    close->SetEnabled(true);
    quit->SetEnabled(false);
    bool closeSeenDisabled = false;
    bool quitSeenEnabled = false;
    app->enableRule = [&] {
        closeSeenDisabled = !close->Enabled();
        quitSeenEnabled = quit->Enabled();
    };
    QMenu* file = MenuTitled("File");
    ASSERT_NE(file, nullptr);
    file->popup(QPoint(0, 0));
    file->hide();
    EXPECT_EQ(app->passes, 1) << "opening a menu runs the pass";
    EXPECT_TRUE(closeSeenDisabled);
    EXPECT_TRUE(quitSeenEnabled);
    EXPECT_FALSE(file->actions().at(0)->isEnabled()) << "the menu shows the item's state";
}

TEST_F(MenuCommandsTest, TheFrontWindowsHandlerComesFirstAndMayPassTheCommandOn)
{
    std::vector<String> calls;
    bool windowTakesIt = true;
    window->enableRule = [&] { bar->Lookup("GameMenuRedo")->Enable(); };
    window->AddMenuHandler("GameMenuRedo", [&] {
        calls.push_back("window");
        return windowTakesIt;
    });
    app->AddMenuHandler("GameMenuRedo", [&] {
        calls.push_back("app");
        return true;
    });

    Press(window, Qt::Key_BracketRight, Qt::ControlModifier);
    windowTakesIt = false;
    Press(window, Qt::Key_BracketRight, Qt::ControlModifier);
    EXPECT_EQ(calls, (std::vector<String>{"window", "window", "app"}));

    // Another window in front, without a menu bar and without the handler: the shortcut still
    // acts, and goes to the application.
    calls.clear();
    const auto help = NewRecordingWindow({.Width = 100, .Height = 100, .Title = "Help"});
    help->enableRule = window->enableRule;
    ASSERT_EQ(WindowAt(0), help);
    Press(help, Qt::Key_BracketRight, Qt::ControlModifier);
    EXPECT_EQ(calls, (std::vector<String>{"app"}));
}

TEST_F(MenuCommandsTest, AChosenVolumeItemGivesItsIndexToTheHandler)
{
    std::vector<Int32> chosen;
    app->enableRule = [&] {
        for (Int32 i = 0; i < 3; ++i) {
            bar->Lookup("GameMenuSoundVol", i)->SetChecked(i == 1);
            bar->Lookup("GameMenuSoundVol", i)->SetEnabled(i != 1);
        }
    };
    app->AddMenuHandler("GameMenuSoundVol", [&](Int32 index) {
        chosen.push_back(index);
        return true;
    });
    QMenu* game = MenuTitled("Game");
    ASSERT_NE(game, nullptr);
    game->popup(QPoint(0, 0));
    QMenu* sound = game->actions().last()->menu();
    ASSERT_NE(sound, nullptr);
    ASSERT_EQ(sound->actions().size(), 3);
    EXPECT_TRUE(sound->actions().at(1)->isChecked());
    EXPECT_FALSE(sound->actions().at(0)->isChecked());
    sound->actions().at(2)->trigger();
    sound->actions().at(0)->trigger();
    game->hide();
    EXPECT_EQ(chosen, (std::vector<Int32>{2, 0}));
}

TEST_F(MenuCommandsTest, TheQuitItemQuitsWhenNoHandlerTakesIt)
{
    Press(window, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(app->closes, 1);
    EXPECT_EQ(window->closes, 1);
    EXPECT_EQ(window->cancelCloseArgs, (std::vector<bool>{true}));
    EXPECT_EQ(WindowCount(), 0);
}

TEST_F(MenuCommandsTest, KeysThatAreNoShortcutReachKeyDown)
{
    Press(window, Qt::Key_Left, Qt::ShiftModifier);
    Press(window, Qt::Key_Shift, Qt::ShiftModifier);
    Press(window, Qt::Key_A, Qt::NoModifier);
    // Cmd+W wants Ctrl.
    QTest::sendKeyEvent(QTest::Click, WidgetOf(*window), Qt::Key_W, "W", Qt::ShiftModifier);
    EXPECT_EQ(window->keys, (std::vector<String>{"\x1c", "a", "W"}));
}

} // namespace

namespace {

// Menus opened and closed with real input; the keys that follow go in through the window
// system, as typed keys do, and so reach whatever holds the keyboard.
class MenuKeyboardTest : public MenuCommandsTest {
protected:
    void SetUp() override
    {
        MenuCommandsTest::SetUp();
        WidgetOf(*window)->activateWindow();
        ProcessEvents();
    }

    QMenuBar* BarView() const { return WidgetOf(*window)->MenuBarView(); }

    void Type(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(WidgetOf(*window)->windowHandle(), key, modifiers);
        ProcessEvents();
    }

    void ClickTitle(const QString& title)
    {
        QMenu* menu = MenuTitled(title);
        ASSERT_NE(menu, nullptr);
        QTest::mouseClick(BarView(), Qt::LeftButton, {}, BarView()->actionGeometry(menu->menuAction()).center());
        ProcessEvents();
        ASSERT_EQ(QApplication::activePopupWidget(), menu) << "the click opens the menu";
    }

    // Left then Right, as KeyDown receives them when the keyboard is the window's.
    void ExpectArrowsReachTheWindow(const char* after)
    {
        window->keys.clear();
        Type(Qt::Key_Left);
        Type(Qt::Key_Right);
        EXPECT_EQ(window->keys, (std::vector<String>{"\x1c", "\x1d"})) << after;
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << after << ": no menu opened";
        EXPECT_EQ(BarView()->activeAction(), nullptr) << after << ": no title highlighted";

        // A title under the pointer is highlighted, yet takes no keys either.
        const QPointF title = BarView()->actionGeometry(MenuTitled("Game")->menuAction()).center();
        QMouseEvent hover(QEvent::MouseMove, title, BarView()->mapToGlobal(title), Qt::NoButton, {}, {});
        QCoreApplication::sendEvent(BarView(), &hover);
        ASSERT_EQ(BarView()->activeAction(), MenuTitled("Game")->menuAction());
        window->keys.clear();
        Type(Qt::Key_Left);
        Type(Qt::Key_Down);
        EXPECT_EQ(window->keys, (std::vector<String>{"\x1c", "\x1f"})) << after << ", pointer on a title";
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << after << ", pointer on a title";
        QMouseEvent away(QEvent::MouseMove, QPointF(-1, -1), BarView()->mapToGlobal(QPointF(-1, -1)), Qt::NoButton,
                         {}, {});
        QCoreApplication::sendEvent(BarView(), &away);
    }
};

TEST_F(MenuKeyboardTest, EveryWayOfClosingAMenuGivesTheKeyboardBackToTheWindow)
{
    ClickTitle("Game");
    Type(Qt::Key_Escape);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "one Esc closes the menu";
    ExpectArrowsReachTheWindow("Esc");

    // Arrows inside an open menu still move through it: Left goes on to the File menu.
    ClickTitle("Game");
    Type(Qt::Key_Left);
    EXPECT_EQ(QApplication::activePopupWidget(), MenuTitled("File"));
    Type(Qt::Key_Escape);
    ExpectArrowsReachTheWindow("Esc after moving to the next menu");

    ClickTitle("Game");
    QTest::mouseClick(BarView(), Qt::LeftButton, {},
                      BarView()->actionGeometry(MenuTitled("Game")->menuAction()).center());
    ProcessEvents();
    ExpectArrowsReachTheWindow("a second click on the title");

    ClickTitle("Game");
    // The open menu holds the pointer: a press anywhere else reaches it outside its frame.
    QWidget* popup = QApplication::activePopupWidget();
    const QPoint outside = popup->mapFromGlobal(WidgetOf(*window)->Content()->mapToGlobal(QPoint(190, 140)));
    ASSERT_FALSE(popup->rect().contains(outside));
    QTest::mouseClick(popup, Qt::LeftButton, {}, outside);
    ProcessEvents();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "a click outside closes the menu";
    ExpectArrowsReachTheWindow("a click outside the menu");

    std::vector<String> calls;
    window->AddMenuHandler("GameMenuRedo", [&] {
        calls.push_back("redo");
        return true;
    });
    window->enableRule = [&] {
        bar->Lookup("GameMenuUndo")->Enable();
        bar->Lookup("GameMenuRedo")->Enable();
    };
    ClickTitle("Game");
    Type(Qt::Key_Down);
    Type(Qt::Key_Down);
    Type(Qt::Key_Return);
    EXPECT_EQ(calls, (std::vector<String>{"redo"})) << "chosen from the keyboard";
    ExpectArrowsReachTheWindow("an item chosen with Return");
}

TEST_F(MenuKeyboardTest, AltAloneLeavesTheKeyboardWithTheWindow)
{
    Type(Qt::Key_Alt, Qt::AltModifier);
    ExpectArrowsReachTheWindow("Alt");
    window->keys.clear();
    Type(Qt::Key_Alt, Qt::AltModifier);
    Type(Qt::Key_Down);
    Type(Qt::Key_Return);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "Alt, Down opens no menu";
    EXPECT_EQ(window->keys, (std::vector<String>{"\x1f", "\r"}));
}

} // namespace
