// Windows: the front-to-back list, closing and quitting, Open from the event loop, modal
// windows with timers running, and the content area below the menu bar.
#include "tests/support/UiTest.h"

#include "framework/Canvas.h"
#include "framework/MenuBar.h"
#include "framework/Runtime.h"
#include "framework/Timer.h"

#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace {

class LoggingApplication : public Application {
public:
    explicit LoggingApplication(std::vector<String>& log) : itsLog(log) {}
    std::function<void()> onOpen;

    void Event_Open() override
    {
        itsLog.push_back("app open");
        if (onOpen) {
            onOpen();
        }
    }
    void Event_Close() override { itsLog.push_back("app close"); }

private:
    std::vector<String>& itsLog;
};

class LoggingCanvas : public Canvas {
public:
    explicit LoggingCanvas(std::vector<String>& log) : itsLog(log) {}
    void Event_Open() override { itsLog.push_back("canvas open"); }

private:
    std::vector<String>& itsLog;
};

class WindowTest : public UiTest {
protected:
    std::shared_ptr<LoggingApplication> RegisterApp(bool autoQuit)
    {
        auto app = std::make_shared<LoggingApplication>(log);
        app->AutoQuit = autoQuit;
        RuntimeRegisterAppObject(app);
        return app;
    }

    std::vector<String> log;
};

TEST_F(WindowTest, ShownAndActivatedWindowsComeToTheFront)
{
    const auto a = NewRecordingWindow({.Title = "A"});
    const auto b = NewRecordingWindow({.Title = "B"});
    const auto hidden = NewRecordingWindow({.Title = "Hidden", .Visible = false});
    ASSERT_EQ(WindowCount(), 3);
    EXPECT_EQ(WindowAt(0), b);
    EXPECT_EQ(WindowAt(1), a);
    EXPECT_EQ(WindowAt(2), hidden);
    EXPECT_EQ(WindowAt(3), nullptr);
    EXPECT_EQ(WindowAt(-1), nullptr);

    a->Show();
    EXPECT_EQ(WindowAt(0), a);
    WidgetOf(*b)->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return WidgetOf(*b)->isActiveWindow(); }));
    EXPECT_EQ(WindowAt(0), b);
    EXPECT_EQ(GetImplicitWindow<RecordingWindow>(), b);
    EXPECT_EQ(GetImplicitWindow<Window>(), nullptr) << "the exact class only";

    b->Close();
    EXPECT_EQ(WindowAt(0), a);
    EXPECT_EQ(WindowCount(), 2);
}

TEST_F(WindowTest, CancelCloseKeepsTheWindowOpenAgainstCloseAndTheCloseBox)
{
    const auto window = NewRecordingWindow();
    window->cancelClose = true;
    window->Close();
    WidgetOf(*window)->close();
    EXPECT_EQ(window->cancelCloseArgs, (std::vector<bool>{false, false}));
    EXPECT_EQ(window->closes, 0);
    EXPECT_EQ(WindowCount(), 1);
    EXPECT_TRUE(WidgetOf(*window)->isVisible());

    window->cancelClose = false;
    WidgetOf(*window)->close();
    EXPECT_EQ(window->closes, 1);
    EXPECT_EQ(WindowCount(), 0);
    window->Close();
    EXPECT_EQ(window->closes, 1) << "closed once";
}

TEST_F(WindowTest, ClosingTheLastWindowQuitsOnlyWithAutoQuit)
{
    const auto app = RegisterApp(false);
    NewRecordingWindow()->Close();
    EXPECT_TRUE(log.empty());

    app->AutoQuit = true;
    const auto first = NewRecordingWindow();
    const auto second = NewRecordingWindow();
    first->Close();
    EXPECT_TRUE(log.empty());
    second->Close();
    EXPECT_EQ(log, (std::vector<String>{"app close"}));
    EXPECT_EQ(second->cancelCloseArgs, (std::vector<bool>{false}));
}

TEST_F(WindowTest, QuitAsksEveryWindowAndAnyOneMayStopIt)
{
    const auto app = RegisterApp(true);
    const auto keeper = NewRecordingWindow();
    const auto other = NewRecordingWindow();
    keeper->cancelClose = true;
    app->Quit();
    EXPECT_EQ(WindowCount(), 2);
    EXPECT_TRUE(log.empty());

    keeper->cancelClose = false;
    app->Quit();
    EXPECT_EQ(WindowCount(), 0);
    EXPECT_EQ(keeper->closes, 1);
    EXPECT_EQ(other->closes, 1);
    EXPECT_EQ(other->cancelCloseArgs, (std::vector<bool>{true, true}));
    EXPECT_EQ(log, (std::vector<String>{"app close"})) << "Close once, not again for AutoQuit";
}

TEST_F(WindowTest, OpenComesFromTheEventLoopAfterTheApplicationsOpenControlsFirst)
{
    RegisterApp(false);
    auto window = std::make_shared<RecordingWindow>();
    window->onOpen = [&] { log.push_back("window open"); };
    window->Constructor();
    window->AddControl("Field", std::make_shared<LoggingCanvas>(log));
    EXPECT_TRUE(log.empty());
    ProcessEvents();
    EXPECT_EQ(log, (std::vector<String>{"app open", "canvas open", "window open"}));
    ProcessEvents();
    EXPECT_EQ(window->opens, 1);

    const auto closedEarly = NewRecordingWindow();
    closedEarly->Close();
    ProcessEvents();
    EXPECT_EQ(closedEarly->opens, 0);
}

TEST_F(WindowTest, ShowModalReturnsAfterTheCloseWhileTimersRun)
{
    const auto main = NewRecordingWindow({.Title = "Main"});
    const auto dialog = NewRecordingWindow({.Frame = 2, .Title = "Dialog", .Visible = false});
    // The layer's timers run on in the modal loop: the timer's fourth action closes the dialog.
    Timer timer;
    Int32 actions = 0;
    bool modalWhileShown = false;
    timer.Action.Attach([&](Timer& sender) {
        if (++actions == 4) {
            modalWhileShown = WidgetOf(*dialog)->isModal() && WindowAt(0) == dialog;
            sender.SetMode(Timer::ModeOff);
            dialog->Close();
        }
    });
    timer.SetPeriod(10);
    timer.SetMode(Timer::ModeMultiple);
    dialog->ShowModal();
    EXPECT_TRUE(modalWhileShown);
    EXPECT_EQ(actions, 4);
    EXPECT_EQ(dialog->closes, 1);
    EXPECT_EQ(dialog->opens, 1) << "its Open came in the modal loop";
    EXPECT_EQ(WindowAt(0), main);

    // A document window already on the screen turns modal for the time of ShowModal.
    const auto document = NewRecordingWindow({.Title = "Document"});
    EXPECT_FALSE(WidgetOf(*document)->isModal());
    bool documentModal = false;
    QTimer::singleShot(50, [&] {
        documentModal = WidgetOf(*document)->isModal() && WidgetOf(*document)->isVisible();
        document->Close();
    });
    document->ShowModal();
    EXPECT_TRUE(documentModal);
    EXPECT_EQ(document->closes, 1);
}

TEST_F(WindowTest, TheContentAreaHasTheWindowsSizeBelowItsMenuBar)
{
    auto bar = std::make_shared<MenuBar>();
    auto title = std::make_shared<MenuItem>();
    title->SetName("FileMenu");
    title->SetText("File");
    bar->Append(title);
    const auto window = NewRecordingWindow({.Width = 300,
                                            .Height = 300,
                                            .MinWidth = 300,
                                            .MinHeight = 300,
                                            .MaxWidth = 300,
                                            .MaxHeight = 300,
                                            .Resizeable = false,
                                            .MaximizeButton = false});
    window->SetMenuBar(bar);
    auto canvas = std::make_shared<Canvas>();
    window->AddControl("Field", canvas);
    canvas->SetProperties({.Control = {.Left = 0, .Top = 0, .Width = 300, .Height = 300}});
    ProcessEvents();

    WindowWidget& widget = *WidgetOf(*window);
    const int barHeight = widget.MenuBarView()->height();
    ASSERT_GT(barHeight, 0);
    EXPECT_EQ(window->Width(), 300);
    EXPECT_EQ(window->Height(), 300);
    EXPECT_EQ(widget.size(), QSize(300, 300 + barHeight));
    EXPECT_EQ(widget.minimumSize(), widget.maximumSize()) << "fixed size";
    EXPECT_FALSE(widget.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(widget.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));

    QWidget* canvasWidget = ControlAccess::Widget(*canvas);
    EXPECT_EQ(canvasWidget->mapTo(&widget, QPoint(0, 0)), QPoint(0, barHeight));
    QCursor::setPos(canvasWidget->mapToGlobal(QPoint(12, 34)));
    ProcessEvents();
    EXPECT_EQ(window->MouseX(), 12);
    EXPECT_EQ(window->MouseY(), 34);
    EXPECT_EQ(canvas->MouseX(), 12);
    EXPECT_EQ(canvas->MouseY(), 34);
}

TEST_F(WindowTest, ThePointerIsFollowedInTheWindowAndAskedForAgainOutsideIt)
{
    const auto window = NewRecordingWindow({.Width = 200, .Height = 100, .Resizeable = false});
    auto canvas = std::make_shared<Canvas>();
    window->AddControl("Field", canvas);
    canvas->SetProperties({.Control = {.Left = 20, .Top = 10, .Width = 100, .Height = 50}});
    ProcessEvents();
    QWidget* content = WindowAccess::Content(*window);
    const auto pointAt = [&](QPoint local) {
        QCursor::setPos(content->mapToGlobal(local));
        ProcessEvents();
    };
    const auto expectPointer = [&](QPoint local) {
        const auto expected = std::make_pair(local.x(), local.y());
        EXPECT_EQ(std::make_pair(window->MouseX(), window->MouseY()), expected);
        EXPECT_EQ(std::make_pair(canvas->MouseX(), canvas->MouseY()), expected) << "window coordinates too";
    };

    pointAt({30, 40});
    expectPointer({30, 40});
    pointAt({150, 70});
    expectPointer({150, 70});
    // Gone out of the window: not where it was last seen inside.
    pointAt({-40, 130});
    expectPointer({-40, 130});
    // Outside, no event tells where it goes; moving the window makes the layer ask again.
    pointAt({-60, 140});
    QWidget* top = WidgetOf(*window);
    top->move(top->pos() + QPoint(10, 5));
    ProcessEvents();
    expectPointer({-70, 135});
    pointAt({5, 6});
    expectPointer({5, 6});
}

TEST_F(WindowTest, AResizeableWindowOpensAtItsSizeWithinItsBounds)
{
    const auto window = NewRecordingWindow(
        {.Width = 200, .Height = 80, .MinWidth = 100, .MinHeight = 50, .MaxWidth = 400, .MaxHeight = 300});
    ProcessEvents();
    EXPECT_EQ(window->Width(), 200);
    EXPECT_EQ(window->Height(), 80);
    EXPECT_EQ(WidgetOf(*window)->minimumSize(), QSize(100, 50));
    EXPECT_EQ(WidgetOf(*window)->maximumSize(), QSize(400, 300));
    EXPECT_TRUE(WidgetOf(*window)->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
}

TEST_F(WindowTest, TheMainWindowIsCentredOnTheScreenAndOthersOverTheFrontWindow)
{
    const auto main = NewRecordingWindow({.Placement = 2, .Width = 300, .Height = 300});
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect mainFrame = WidgetOf(*main)->frameGeometry();
    EXPECT_LE((mainFrame.center() - screen.center()).manhattanLength(), 2);

    main->Show();
    const auto help = NewRecordingWindow({.Placement = 1, .Width = 120, .Height = 80});
    EXPECT_LE((WidgetOf(*help)->frameGeometry().center() - mainFrame.center()).manhattanLength(), 2);
}

TEST_F(WindowTest, RuntimeRunRaisesOpenAndReturnsWhenTheLastWindowCloses)
{
    const auto app = RegisterApp(true);
    std::shared_ptr<RecordingWindow> window;
    app->onOpen = [&] {
        window = NewRecordingWindow();
        window->onOpen = [&] { QTimer::singleShot(0, [&] { window->Close(); }); };
    };
    EXPECT_EQ(RuntimeRun(), 0);
    EXPECT_EQ(log, (std::vector<String>{"app open", "app close"}));
    EXPECT_EQ(window->opens, 1);
}

TEST_F(WindowTest, AQuitBeforeTheEventLoopMakesRuntimeRunReturnAtOnce)
{
    const auto app = RegisterApp(true);
    app->onOpen = [&] { app->Quit(); };
    EXPECT_EQ(RuntimeRun(), 0);
    EXPECT_EQ(log, (std::vector<String>{"app open", "app close"}));
}

} // namespace
