#include "components/periodicthread/PeriodicThread.h"

#include "components/periodictimer/PeriodicTimer.h"
#include "tests/components/FakeClock.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <functional>
#include <vector>

namespace {

class ProbeThread : public PeriodicThread {
public:
    using PeriodicThread::ItsEndFlag;
    using PeriodicThread::ItsLastTime;
    using PeriodicThread::ItsNextTime;
};

// An owner that notes the clock reading of each trigger and may act on it.
class TriggerLog : public PeriodicTimer {
public:
    explicit TriggerLog(const FakeClock& clock) : itsClock(clock) {}

    void ExternalTrigger() override
    {
        readings.push_back(itsClock.LastReading());
        if (onTrigger) {
            onTrigger(static_cast<int>(readings.size()));
        }
    }

    std::vector<double> readings;
    std::function<void(int count)> onTrigger;

private:
    const FakeClock& itsClock;
};

// Shows the thread of thread mode.
class ThreadedTimer : public PeriodicTimer {
public:
    using PeriodicTimer::ItsPeriodicThread;
};

// Runs the event loop, and with it the framework's threads, until `done` or 10 s.
bool RunUntil(const std::function<bool()>& done)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (!done()) {
        if (elapsed.elapsed() > 10000) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// Every reading moves the clock on by a quarter of a millisecond, so 15 ms and 1 ms after a
// reading come up exactly.
constexpr double Start = 1.0e6;
constexpr double Step = 250.0;

class PeriodicThreadTest : public testing::Test {
protected:
    FakeClock clock{Start, Step};
    std::shared_ptr<ProbeThread> thread = std::make_shared<ProbeThread>();
};

TEST_F(PeriodicThreadTest, EndsAtOnceWithoutAnOwner)
{
    thread->Run();
    ASSERT_TRUE(RunUntil([&] { return !thread->IsRunning(); }));
    EXPECT_EQ(clock.Readings(), 0);

    // An owner that is gone by the time the thread runs counts as none.
    auto owner = std::make_shared<TriggerLog>(clock);
    thread->SetOwner(owner);
    owner.reset();
    thread->Run();
    ASSERT_TRUE(RunUntil([&] { return !thread->IsRunning(); }));
    EXPECT_EQ(clock.Readings(), 0);
}

TEST_F(PeriodicThreadTest, TriggersFifteenMsAfterTheStartThenEveryMs)
{
    auto owner = std::make_shared<TriggerLog>(clock);
    owner->onTrigger = [&](int count) {
        if (count == 4) {
            thread->StopThread();
            EXPECT_TRUE(thread->IsRunning());
        }
    };
    thread->SetOwner(owner);
    // Cleared when the thread starts.
    thread->StopThread();
    thread->Run();
    ASSERT_TRUE(RunUntil([&] { return !thread->IsRunning(); }));

    // The reading exactly 15 ms (then 1 ms) after the last is not enough; the next one is.
    const std::vector<double> want = {Start + 15250, Start + 16500, Start + 17750, Start + 19000};
    EXPECT_EQ(owner->readings, want);
    // The stopping pass completed: it noted its reading and set the next time.
    EXPECT_DOUBLE_EQ(thread->ItsLastTime, Start + 19000);
    EXPECT_DOUBLE_EQ(thread->ItsNextTime, Start + 20000);
    EXPECT_TRUE(thread->ItsEndFlag);
}

TEST_F(PeriodicThreadTest, TriggersAtOnceWhenTheClockGoesBack)
{
    auto owner = std::make_shared<TriggerLog>(clock);
    owner->onTrigger = [&](int count) {
        if (count == 1) {
            clock.Set(Start - 5000);
        } else if (count == 3) {
            thread->StopThread();
        }
    };
    thread->SetOwner(owner);
    thread->Run();
    ASSERT_TRUE(RunUntil([&] { return !thread->IsRunning(); }));

    const std::vector<double> want = {Start + 15250, Start - 5000, Start - 5000 + 1250};
    EXPECT_EQ(owner->readings, want);
}

TEST_F(PeriodicThreadTest, DrivesATimerInThreadModeAndStopsWithIt)
{
    auto timer = std::make_shared<ThreadedTimer>();
    std::vector<double> actionTimes;
    std::vector<Int32> loads;
    timer->PeriodicAction.Attach([&](PeriodicTimer& sender, Int32 load) {
        actionTimes.push_back(clock.LastReading());
        loads.push_back(load);
        if (actionTimes.size() == 5) {
            sender.TimerStop();
        }
    });
    timer->SetThreadMode(true);
    ASSERT_TRUE(timer->RefThreadMode());
    const std::shared_ptr<PeriodicThread> poller = timer->ItsPeriodicThread;
    ASSERT_NE(poller, nullptr);
    EXPECT_EQ(poller->Priority, 10);
    timer->Setup(50, 10);
    timer->TimerStart(0);
    EXPECT_EQ(timer->RefStatus(), 2);
    EXPECT_EQ(timer->Mode(), Timer::ModeOff);

    ASSERT_TRUE(RunUntil([&] { return timer->RefStatus() == 0; }));
    ASSERT_EQ(actionTimes.size(), 5u);
    // The first poll comes 15 ms after the start and catches up the action due at 10 ms;
    // the later ones come on the 10 ms schedule, within a couple of thread passes.
    EXPECT_GT(actionTimes[0], Start + 15000);
    EXPECT_LT(actionTimes[0], Start + 16000);
    for (size_t i = 1; i < actionTimes.size(); ++i) {
        const double due = Start + 10000.0 * static_cast<double>(i + 1);
        EXPECT_GT(actionTimes[i], due) << "action " << i;
        EXPECT_LT(actionTimes[i], due + 2000) << "action " << i;
    }
    // Each poll reads the clock once more after its action: 0.25 ms of 10 ms, rounded down.
    EXPECT_EQ(loads, (std::vector<Int32>{0, 2, 2, 2, 2}));

    // Stopped with the timer: the thread ends and nothing more fires.
    ASSERT_TRUE(RunUntil([&] { return !poller->IsRunning(); }));
    EXPECT_EQ(actionTimes.size(), 5u);

    timer->SetThreadMode(false);
    EXPECT_FALSE(timer->RefThreadMode());
    EXPECT_EQ(timer->ItsPeriodicThread, nullptr);
}

TEST_F(PeriodicThreadTest, ATimerStoppedAndStartedBeforeTheThreadsNextTurnFiresAgain)
{
    auto timer = std::make_shared<ThreadedTimer>();
    int actions = 0;
    bool restartFromAction = false;
    timer->PeriodicAction.Attach([&](PeriodicTimer& sender, Int32) {
        ++actions;
        if (restartFromAction) {
            restartFromAction = false;
            sender.TimerStop();
            sender.TimerStart(0);
        }
    });
    timer->SetThreadMode(true);
    timer->Setup(1, 2);
    const std::shared_ptr<PeriodicThread> poller = timer->ItsPeriodicThread;

    // From outside the thread: the stop is called off before the loop sees it.
    timer->TimerStart(0);
    ASSERT_TRUE(RunUntil([&] { return actions >= 2; }));
    timer->TimerStop();
    timer->TimerStart(0);
    EXPECT_EQ(timer->RefStatus(), 2);
    const int before = actions;
    ASSERT_TRUE(RunUntil([&] { return actions >= before + 2; })) << "no action after the restart";
    EXPECT_TRUE(poller->IsRunning());
    EXPECT_EQ(timer->ItsPeriodicThread, poller);

    // From an action, on the thread itself.
    restartFromAction = true;
    ASSERT_TRUE(RunUntil([&] { return !restartFromAction; }));
    const int afterRestart = actions;
    ASSERT_TRUE(RunUntil([&] { return actions >= afterRestart + 2; })) << "no action after the restart";
    EXPECT_EQ(timer->RefStatus(), 2);

    // A stop that is not called off still ends the thread.
    timer->TimerStop();
    ASSERT_TRUE(RunUntil([&] { return !poller->IsRunning(); }));
}

} // namespace
