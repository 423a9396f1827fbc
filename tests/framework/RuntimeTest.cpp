// The application object's registration, and how the event loop ends: on a quit signal, and on
// an exit() from inside it such as the toolkit's when the display goes away; a write to a gone peer.
#include "tests/support/UiTest.h"

#include "framework/Runtime.h"

#include <QTimer>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

TEST(Application, RegisteredObjectIsReturned)
{
    auto app = std::make_shared<Application>();
    RuntimeRegisterAppObject(app);
    EXPECT_EQ(GetAppObject(), app.get());
    RuntimeRegisterAppObject(nullptr);
    EXPECT_EQ(GetAppObject(), nullptr);
}

// Reports its Close on standard error, where a test of a process that ends can see it.
class ReportingApplication : public Application {
public:
    std::function<void()> onOpen;
    Int32 closes = 0;

    void Event_Open() override { onOpen(); }
    void Event_Close() override
    {
        ++closes;
        std::fputs("application closed\n", stderr);
    }
};

class RuntimeTest : public UiTest {
protected:
    std::shared_ptr<ReportingApplication> RegisterApp()
    {
        auto app = std::make_shared<ReportingApplication>();
        app->AutoQuit = true;
        RuntimeRegisterAppObject(app);
        return app;
    }

    static bool DefaultAction(int signal)
    {
        struct sigaction action = {};
        sigaction(signal, nullptr, &action);
        return action.sa_handler == SIG_DFL;
    }
};

TEST_F(RuntimeTest, TermInterruptAndHangUpQuitTheApplicationAsItsQuitItemDoes)
{
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        const auto app = RegisterApp();
        std::shared_ptr<RecordingWindow> window;
        app->onOpen = [&] {
            window = NewRecordingWindow();
            // The signal comes while the loop runs; the loop, not the handler, quits.
            QTimer::singleShot(0, [signal] { std::raise(signal); });
        };
        EXPECT_EQ(RuntimeRun(), 0) << strsignal(signal);
        EXPECT_EQ(window->cancelCloseArgs, std::vector<bool>{true}) << strsignal(signal);
        EXPECT_EQ(window->closes, 1) << strsignal(signal);
        EXPECT_EQ(WindowCount(), 0) << strsignal(signal);
        EXPECT_EQ(app->closes, 1) << strsignal(signal);
        EXPECT_TRUE(DefaultAction(signal)) << "after the loop, " << strsignal(signal) << " ends the process again";
        TearDown();
    }
}

// nohup, or a shell's background job: the signal the parent set to be ignored stays ignored,
// while the others still quit.
TEST_F(RuntimeTest, ASignalIgnoredAtTheStartStaysIgnored)
{
    for (const int ignored : {SIGTERM, SIGINT, SIGHUP}) {
        std::signal(ignored, SIG_IGN);
        const int quitting = ignored == SIGTERM ? SIGINT : SIGTERM;
        const auto app = RegisterApp();
        bool ignoredInTheLoop = false;
        app->onOpen = [&] {
            NewRecordingWindow();
            QTimer::singleShot(0, [&] {
                std::raise(ignored);
                struct sigaction action = {};
                sigaction(ignored, nullptr, &action);
                ignoredInTheLoop = action.sa_handler == SIG_IGN;
                std::raise(quitting);
            });
        };
        EXPECT_EQ(RuntimeRun(), 0) << strsignal(ignored);
        EXPECT_TRUE(ignoredInTheLoop) << strsignal(ignored);
        EXPECT_EQ(app->closes, 1) << strsignal(ignored);
        struct sigaction after = {};
        sigaction(ignored, nullptr, &after);
        EXPECT_EQ(after.sa_handler, SIG_IGN) << strsignal(ignored);
        std::signal(ignored, SIG_DFL);
        TearDown();
    }
}

TEST_F(RuntimeTest, AnExitInsideTheLoopRaisesCloseAndEndsWithStatusOne)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto exitInsideTheLoop = [this] {
        const auto app = RegisterApp();
        app->onOpen = [] {
            NewRecordingWindow();
            QTimer::singleShot(0, [] { std::exit(0); });
        };
        RuntimeRun();
    };
    EXPECT_EXIT(exitInsideTheLoop(), testing::ExitedWithCode(1), "application closed");
}

TEST_F(RuntimeTest, AWriteToAPeerThatWentAwayFailsInsteadOfEndingTheProcess)
{
    std::array<int, 2> ends{};
    ASSERT_EQ(pipe(ends.data()), 0);
    close(ends[0]);
    const char byte = 0;
    EXPECT_EQ(write(ends[1], &byte, 1), -1);
    EXPECT_EQ(errno, EPIPE);
    close(ends[1]);
}

} // namespace
