#include "components/periodictimer/PeriodicTimer.h"

#include "tests/components/FakeClock.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <vector>

namespace {

// Reads the clock's inner state.
class ProbeTimer : public PeriodicTimer {
public:
    using PeriodicTimer::ActionCounter;
    using PeriodicTimer::ForceSyncFlag;
    using PeriodicTimer::ItsInterval;
    using PeriodicTimer::ItsLoadRate;
    using PeriodicTimer::ItsLoadStatus;
    using PeriodicTimer::ItsPeriod;
    using PeriodicTimer::LastTime;
};

class PeriodicTimerTest : public testing::Test {
protected:
    void SetUp() override
    {
        timer->PeriodicAction.Attach([this](PeriodicTimer& sender, Int32 load) {
            EXPECT_EQ(&sender, timer.get());
            actions.push_back(load);
            clock.AdvanceMs(handlerMs);
            if (duringAction) {
                duringAction();
            }
        });
    }

    // One poll of the timer at `ms` after the clock's zero; returns the action's argument
    // when the poll raised one.
    std::optional<Int32> PollAt(double ms)
    {
        const size_t before = actions.size();
        clock.SetMs(ms);
        timer->Event_Action();
        if (actions.size() == before) {
            return std::nullopt;
        }
        EXPECT_EQ(actions.size(), before + 1) << "one poll raised two actions";
        return actions.back();
    }

    void StartAt(double ms, Int32 suspend = 0)
    {
        clock.SetMs(ms);
        timer->TimerStart(suspend);
    }

    double LastTimeMs() const { return timer->LastTime / 1000.0; }

    FakeClock clock;
    std::shared_ptr<ProbeTimer> timer = std::make_shared<ProbeTimer>();
    std::vector<Int32> actions;
    // How long the next action handlers take.
    double handlerMs = 0.0;
    std::function<void()> duringAction;
};

TEST_F(PeriodicTimerTest, FollowsTheScheduleThroughCatchUpAndRestart)
{
    struct Poll {
        double at;
        double handlerMs;
        std::optional<Int32> action;
        double lastTimeAfter;
        Int32 loadRateAfter;
        bool loadStatusAfter;
    };
    // clang-format off
    const std::vector<Poll> polls = {
        {20.5, 0, {}, 0.0, 0, false},
        {41.0, 0, {}, 0.0, 0, false},
        {61.5, 0, {}, 0.0, 0, false},
        {82.0, 0, {}, 0.0, 0, false},
        {102.5, 3.0, 0, 100.0, 3, false},
        {122.5, 0, {}, 100.0, 3, false},
        {142.5, 0, {}, 100.0, 3, false},
        {162.5, 0, {}, 100.0, 3, false},
        {182.5, 0, {}, 100.0, 3, false},
        {202.5, 250.0, 3, 200.0, 250, false},
        {472.5, 2.0, 250, 300.0, 2, false},
        {492.5, 2.0, 2, 400.0, 2, false},
        {512.5, 2.0, 2, 500.0, 2, false},
        {532.5, 0, {}, 500.0, 2, false},
        {552.5, 0, {}, 500.0, 2, false},
        {572.5, 0, {}, 500.0, 2, false},
        {592.5, 0, {}, 500.0, 2, false},
        {612.5, 700.0, 2, 1312.5, 700, true},
        {1332.5, 0, {}, 1312.5, 700, true},
        {1352.5, 0, {}, 1312.5, 700, true},
        {1372.5, 0, {}, 1312.5, 700, true},
        {1392.5, 0, {}, 1312.5, 700, true},
        {1412.5, 0, {}, 1312.5, 700, true},
        {1432.5, 2.0, -700, 1412.5, 2, false},
        {1512.5, 0, {}, 1412.5, 2, false},
        {1512.6, 0, 2, 1512.5, 0, false},
    };
    // clang-format on

    timer->Setup(20, 100);
    StartAt(0.0);
    Int32 pollsSinceAction = 0;
    for (const Poll& poll : polls) {
        SCOPED_TRACE(testing::Message() << "poll at " << poll.at);
        handlerMs = poll.handlerMs;
        EXPECT_EQ(PollAt(poll.at), poll.action);
        pollsSinceAction = poll.action ? 0 : pollsSinceAction + 1;
        EXPECT_DOUBLE_EQ(LastTimeMs(), poll.lastTimeAfter);
        EXPECT_EQ(timer->ItsLoadRate, poll.loadRateAfter);
        EXPECT_EQ(timer->ItsLoadStatus, poll.loadStatusAfter);
        EXPECT_EQ(timer->ActionCounter, pollsSinceAction);
    }
}

TEST_F(PeriodicTimerTest, CountsPollsWhileTheClockStandsStillOrGoesBack)
{
    timer->Setup(20, 100);
    StartAt(0.0);
    // The clock reads the start time again: 5 x 20 ms is not more than 100 ms, 6 x 20 ms is.
    for (int poll = 1; poll <= 5; ++poll) {
        EXPECT_EQ(PollAt(0.0), std::nullopt) << "poll " << poll;
        EXPECT_EQ(timer->ActionCounter, poll);
    }
    EXPECT_EQ(PollAt(0.0), 0);
    EXPECT_EQ(timer->ActionCounter, 0);

    handlerMs = 4.0;
    EXPECT_EQ(PollAt(100.5), 0);
    EXPECT_DOUBLE_EQ(LastTimeMs(), 100.0);

    // The clock jumps back before the anchor; the sixth poll acts and anchors at its reading.
    handlerMs = 0.0;
    for (double at : {1.0, 2.0, 3.0, 4.0, 5.0}) {
        EXPECT_EQ(PollAt(at), std::nullopt) << "poll at " << at;
    }
    EXPECT_EQ(PollAt(6.0), 4);
    EXPECT_DOUBLE_EQ(LastTimeMs(), 6.0);

    // From there the schedule runs on the clock again.
    EXPECT_EQ(PollAt(7.0), std::nullopt);
    EXPECT_EQ(PollAt(106.0), std::nullopt);
    EXPECT_EQ(PollAt(106.5), 0);
    EXPECT_DOUBLE_EQ(LastTimeMs(), 106.0);
}

TEST_F(PeriodicTimerTest, WithTheClockGoneBackALongHandlerIsMeasuredButNeitherMovesTheAnchorNorRestarts)
{
    timer->Setup(20, 100);
    StartAt(1000.0);
    // Due at 1100, ends at 1700.5: more than five intervals late, so the schedule restarts.
    handlerMs = 600.0;
    EXPECT_EQ(PollAt(1100.5), 0);
    ASSERT_TRUE(timer->ItsLoadStatus);
    ASSERT_DOUBLE_EQ(LastTimeMs(), 1700.5);

    // The clock reads 500 from now on; the sixth poll acts, and its handler takes 30 ms.
    handlerMs = 30.0;
    for (int poll = 1; poll <= 5; ++poll) {
        EXPECT_EQ(PollAt(500.0), std::nullopt) << "poll " << poll;
    }
    EXPECT_EQ(PollAt(500.0), -600);
    EXPECT_EQ(timer->ItsLoadRate, 30) << "from the poll to the end of the handler";
    EXPECT_TRUE(timer->ItsLoadStatus) << "kept from the action before";
    EXPECT_DOUBLE_EQ(LastTimeMs(), 500.0) << "anchored at the poll, not at the end of the handler";

    // So the next action is due one interval after that poll, and still reports being behind.
    handlerMs = 250.0;
    EXPECT_EQ(PollAt(600.0), std::nullopt);
    EXPECT_EQ(PollAt(600.5), -30);
    EXPECT_FALSE(timer->ItsLoadStatus);
    EXPECT_DOUBLE_EQ(LastTimeMs(), 600.0);

    // Back again, to 100: a handler of seven intervals neither restarts the schedule nor marks
    // the load, as it would with the clock running on.
    handlerMs = 700.0;
    for (int poll = 1; poll <= 5; ++poll) {
        EXPECT_EQ(PollAt(100.0), std::nullopt) << "poll " << poll;
    }
    EXPECT_EQ(PollAt(100.0), 250);
    EXPECT_EQ(timer->ItsLoadRate, 700);
    EXPECT_FALSE(timer->ItsLoadStatus);
    EXPECT_DOUBLE_EQ(LastTimeMs(), 100.0);
    handlerMs = 0.0;
    EXPECT_EQ(PollAt(200.5), 700);
}

TEST_F(PeriodicTimerTest, SuspendedActionsAdvanceTheSchedule)
{
    timer->Setup(20, 100);
    StartAt(0.0, 3);
    for (double at : {100.5, 200.5, 300.5}) {
        EXPECT_EQ(PollAt(at), std::nullopt);
        EXPECT_DOUBLE_EQ(LastTimeMs(), at - 0.5);
    }
    EXPECT_EQ(PollAt(400.5), 0);
    EXPECT_DOUBLE_EQ(LastTimeMs(), 400.0);

    timer->TimerStop();
    StartAt(1000.0, -2);
    EXPECT_EQ(PollAt(1100.5), 0);
}

TEST_F(PeriodicTimerTest, StartClampsTheSettings)
{
    struct Case {
        Int32 period, interval;
        bool lowLoad;
        Int32 wantPeriod, wantInterval, wantTimerPeriod;
    };
    const std::vector<Case> cases = {
        {20, 100, false, 20, 100, 20}, {20, 100, true, 20, 100, 100}, {0, 0, false, 1, 1, 1},
        {-5, -7, false, 1, 1, 1},      {50, 20, false, 20, 20, 20},   {0, 30, false, 1, 30, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "Setup(" << c.period << ", " << c.interval << ")");
        timer->Setup(c.period, c.interval);
        timer->SetLowLoadMode(c.lowLoad);
        timer->TimerStart(0);
        EXPECT_EQ(timer->ItsPeriod, c.wantPeriod);
        EXPECT_EQ(timer->ItsInterval, c.wantInterval);
        EXPECT_EQ(timer->Period(), c.wantTimerPeriod);
        EXPECT_EQ(timer->Mode(), Timer::ModeMultiple);
        EXPECT_EQ(timer->RefStatus(), 1);
        timer->TimerStop();
        EXPECT_EQ(timer->Mode(), Timer::ModeOff);
        EXPECT_EQ(timer->RefStatus(), 0);
    }
}

TEST_F(PeriodicTimerTest, SettingsAndStartActOnlyWhileStopped)
{
    int starts = 0;
    int stops = 0;
    timer->PeriodicStart.Attach([&](PeriodicTimer&) { ++starts; });
    timer->PeriodicStop.Attach([&](PeriodicTimer&) { ++stops; });

    timer->TimerStop();
    EXPECT_EQ(stops, 0);
    timer->TimerSync();
    EXPECT_FALSE(timer->ForceSyncFlag);

    timer->Setup(20, 100);
    StartAt(0.0);
    EXPECT_EQ(starts, 1);
    timer->Setup(5, 50);
    timer->SetLowLoadMode(true);
    timer->SetThreadMode(true);
    StartAt(50.0);
    EXPECT_EQ(starts, 1);
    EXPECT_DOUBLE_EQ(LastTimeMs(), 0.0);
    EXPECT_FALSE(timer->RefThreadMode());

    // A poll from a thread counts only in thread mode.
    clock.SetMs(50.0);
    timer->ExternalTrigger();
    EXPECT_EQ(timer->ActionCounter, 0);

    timer->TimerStop();
    timer->TimerStop();
    EXPECT_EQ(stops, 1);
    timer->TimerStart(0);
    EXPECT_EQ(timer->ItsPeriod, 20);
    EXPECT_EQ(timer->ItsInterval, 100);
    EXPECT_EQ(timer->Period(), 20);
}

TEST_F(PeriodicTimerTest, StartingAndStoppingIgnoreNestedRequests)
{
    int starts = 0;
    int stops = 0;
    timer->PeriodicStart.Attach([&](PeriodicTimer& sender) {
        ++starts;
        EXPECT_EQ(sender.RefStatus(), 9);
        sender.TimerStart(0);
        sender.TimerStop();
        sender.Setup(5, 50);
        sender.SetLowLoadMode(true);
        sender.SetThreadMode(true);
        sender.ExternalTrigger();
        EXPECT_EQ(timer->ActionCounter, 0);
        sender.TimerSync();
        EXPECT_TRUE(timer->ForceSyncFlag);
    });
    timer->PeriodicStop.Attach([&](PeriodicTimer& sender) {
        ++stops;
        EXPECT_EQ(sender.RefStatus(), 9);
        EXPECT_EQ(sender.Mode(), Timer::ModeOff);
        sender.TimerStart(0);
        sender.TimerStop();
        sender.Setup(5, 50);
    });

    timer->Setup(20, 100);
    StartAt(0.0);
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(stops, 0);
    EXPECT_TRUE(actions.empty());
    EXPECT_EQ(timer->RefStatus(), 1);
    EXPECT_FALSE(timer->ForceSyncFlag);
    EXPECT_FALSE(timer->RefThreadMode());
    EXPECT_EQ(timer->Period(), 20);

    timer->TimerStop();
    EXPECT_EQ(timer->Mode(), Timer::ModeOff);
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(timer->RefStatus(), 0);
    EXPECT_EQ(timer->ItsPeriod, 20);
    EXPECT_EQ(timer->ItsInterval, 100);
}

TEST_F(PeriodicTimerTest, SyncFromAnActionRestartsTheScheduleAtItsEnd)
{
    timer->Setup(20, 100);
    StartAt(0.0);

    // Outside an action the request is cleared by the next poll.
    timer->TimerSync();
    handlerMs = 3.0;
    EXPECT_EQ(PollAt(102.5), 0);
    EXPECT_DOUBLE_EQ(LastTimeMs(), 100.0);

    duringAction = [this] { timer->TimerSync(); };
    EXPECT_EQ(PollAt(202.5), 3);
    EXPECT_DOUBLE_EQ(LastTimeMs(), 205.5);
    EXPECT_FALSE(timer->ItsLoadStatus);

    duringAction = nullptr;
    handlerMs = 0.0;
    EXPECT_EQ(PollAt(305.5), std::nullopt);
    EXPECT_EQ(PollAt(305.6), 3);
    EXPECT_DOUBLE_EQ(LastTimeMs(), 305.5);

    // Also with the clock gone back, the anchor is the end of the action.
    handlerMs = 1.0;
    duringAction = [this] { timer->TimerSync(); };
    for (int poll = 1; poll <= 5; ++poll) {
        EXPECT_EQ(PollAt(10.0), std::nullopt);
    }
    EXPECT_EQ(PollAt(10.0), 0);
    EXPECT_DOUBLE_EQ(LastTimeMs(), 11.0);
}

TEST_F(PeriodicTimerTest, StopFromAnActionCompletesAndKeepsItsLoadForTheNextStart)
{
    int stops = 0;
    timer->PeriodicStop.Attach([&](PeriodicTimer&) { ++stops; });
    timer->Setup(20, 100);
    StartAt(0.0);

    handlerMs = 30.0;
    duringAction = [&] {
        timer->TimerStop();
        EXPECT_EQ(stops, 1);
        EXPECT_EQ(timer->RefStatus(), 0);
        EXPECT_EQ(timer->Mode(), Timer::ModeOff);
    };
    EXPECT_EQ(PollAt(100.5), 0);
    EXPECT_EQ(timer->ItsLoadRate, 30);

    duringAction = nullptr;
    handlerMs = 0.0;
    StartAt(1000.0);
    EXPECT_EQ(timer->RefStatus(), 1);
    EXPECT_EQ(PollAt(1100.5), 30);

    // A stop from outside an action clears the load, also after a restart of the schedule.
    handlerMs = 600.0;
    EXPECT_EQ(PollAt(1200.5), 0);
    EXPECT_TRUE(timer->ItsLoadStatus);
    timer->TimerStop();
    EXPECT_EQ(timer->ItsLoadRate, 0);
    EXPECT_FALSE(timer->ItsLoadStatus);
    handlerMs = 0.0;
    StartAt(2000.0);
    EXPECT_EQ(PollAt(2100.5), 0);
}

TEST_F(PeriodicTimerTest, RestartsOnlyWhenMoreThanFiveIntervalsBehind)
{
    timer->Setup(20, 100);
    StartAt(0.0);

    // Due at 100, polled at 100.5, ends at 600: exactly five intervals late.
    handlerMs = 499.5;
    EXPECT_EQ(PollAt(100.5), 0);
    EXPECT_FALSE(timer->ItsLoadStatus);
    EXPECT_DOUBLE_EQ(LastTimeMs(), 100.0);
    handlerMs = 0.0;
    EXPECT_EQ(PollAt(620.0), 499);
    EXPECT_DOUBLE_EQ(LastTimeMs(), 200.0);

    // Due at 300, polled at 640, ends at 801: 5.01 intervals late.
    handlerMs = 161.0;
    EXPECT_EQ(PollAt(640.0), 0);
    EXPECT_TRUE(timer->ItsLoadStatus);
    EXPECT_DOUBLE_EQ(LastTimeMs(), 801.0);
    handlerMs = 0.0;
    EXPECT_EQ(PollAt(901.0), std::nullopt);
    EXPECT_EQ(PollAt(901.5), -161);
}

} // namespace
