#include "framework/Thread.h"
#include "framework/Maths.h"
#include "framework/Timer.h"

#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>

namespace {

// A framework thread running the body it is given.
class BodyThread : public Thread {
public:
    explicit BodyThread(std::function<void()> body) : itsBody(std::move(body)) {}

protected:
    void Event_Run() override { itsBody(); }

private:
    std::function<void()> itsBody;
};

bool WaitUntil(const std::function<bool()>& done)
{
    return QTest::qWaitFor(done, 5000);
}

} // namespace

TEST(Thread, TwoThreadsNeverRunAtOnce)
{
    bool inside = false;
    bool overlapped = false;
    std::string order;
    const auto mainThread = std::this_thread::get_id();
    auto body = [&](char name) {
        return [&, name] {
            for (int i = 0; i < 5; ++i) {
                overlapped = overlapped || inside || std::this_thread::get_id() != mainThread;
                inside = true;
                order += name;
                const double until = Microseconds() + 200.0;
                while (Microseconds() < until) {
                }
                inside = false;
                YieldToNextThread();
            }
        };
    };
    BodyThread a(body('a'));
    BodyThread b(body('b'));
    a.Run();
    b.Run();
    EXPECT_TRUE(a.IsRunning());
    ASSERT_TRUE(WaitUntil([&] { return !a.IsRunning() && !b.IsRunning(); }));
    EXPECT_FALSE(overlapped);
    // Each yield gives the other thread its turn.
    EXPECT_EQ(order, "ababababab");
}

TEST(Thread, MainYieldGivesEachThreadOneSlice)
{
    int slices = 0;
    bool stop = false;
    BodyThread counter([&] {
        while (!stop) {
            ++slices;
            YieldToNextThread();
        }
    });
    YieldToNextThread();
    counter.Run();
    YieldToNextThread();
    YieldToNextThread();
    YieldToNextThread();
    EXPECT_EQ(slices, 3);
    stop = true;
    YieldToNextThread();
    EXPECT_FALSE(counter.IsRunning());
    YieldToNextThread();
    EXPECT_EQ(slices, 3);
}

TEST(Thread, HigherPriorityRunsFirstInARound)
{
    std::string order;
    BodyThread low([&] { order += 'l'; });
    BodyThread high([&] { order += 'h'; });
    low.Priority = 1;
    high.Priority = 10;
    low.Run();
    high.Run();
    YieldToNextThread();
    EXPECT_EQ(order, "hl");
}

TEST(Thread, RunsAgainAfterItEnded)
{
    int runs = 0;
    BodyThread thread([&] {
        YieldToNextThread();
        ++runs;
    });
    thread.Run();
    thread.Run();
    ASSERT_TRUE(WaitUntil([&] { return !thread.IsRunning(); }));
    thread.Run();
    ASSERT_TRUE(WaitUntil([&] { return !thread.IsRunning(); }));
    EXPECT_EQ(runs, 2);
}

TEST(Thread, DroppedWhileSuspended)
{
    int steps = 0;
    auto thread = std::make_unique<BodyThread>([&] {
        for (;;) {
            ++steps;
            YieldToNextThread();
        }
    });
    thread->Run();
    YieldToNextThread();
    thread.reset();
    YieldToNextThread();
    EXPECT_EQ(steps, 1);
}

TEST(Thread, YieldDispatchesNoTimerEvent)
{
    Timer timer;
    int actions = 0;
    timer.Action.Attach([&](Timer&) { ++actions; });
    timer.SetPeriod(1);
    timer.SetMode(Timer::ModeMultiple);
    bool done = false;
    BodyThread busy([&] {
        const double until = Microseconds() + 30000.0;
        while (Microseconds() < until) {
            YieldToNextThread();
        }
        done = true;
    });
    const double until = Microseconds() + 30000.0;
    while (Microseconds() < until) {
        YieldToNextThread();
    }
    EXPECT_EQ(actions, 0);
    busy.Run();
    while (!done) {
        YieldToNextThread();
    }
    EXPECT_EQ(actions, 0);
    EXPECT_TRUE(WaitUntil([&] { return actions > 0; }));
}
