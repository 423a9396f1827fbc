#include "framework/Timer.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

class CountingTimer : public Timer {
public:
    int actions = 0;
    void Event_Action() override { ++actions; }
};

// Lets the event loop run until a second timer of that period has fired `count` times: long
// enough for a running timer of the same period to have fired too, however loaded the machine.
void WaitFirings(int period, int count)
{
    Timer reference;
    int fired = 0;
    reference.Action.Attach([&](Timer&) { ++fired; });
    reference.SetPeriod(period);
    reference.SetMode(Timer::ModeMultiple);
    EXPECT_TRUE(QTest::qWaitFor([&] { return fired >= count; }, 10000));
}

} // namespace

TEST(Timer, RepeatsUntilSwitchedOff)
{
    Timer timer;
    int actions = 0;
    timer.Action.Attach([&](Timer& sender) {
        EXPECT_EQ(&sender, &timer);
        ++actions;
    });
    EXPECT_EQ(timer.Mode(), Timer::ModeOff);
    timer.SetPeriod(5);
    EXPECT_EQ(timer.Period(), 5);
    WaitFirings(5, 3);
    EXPECT_EQ(actions, 0);
    timer.SetMode(Timer::ModeMultiple);
    EXPECT_TRUE(QTest::qWaitFor([&] { return actions >= 3; }, 5000));
    timer.SetMode(Timer::ModeOff);
    const int stopped = actions;
    WaitFirings(5, 3);
    EXPECT_EQ(actions, stopped);
}

TEST(Timer, SingleModeFiresOnceAndSwitchesOff)
{
    CountingTimer timer;
    int raised = 0;
    timer.Action.Attach([&](Timer&) { ++raised; });
    timer.SetPeriod(2);
    timer.SetMode(Timer::ModeSingle);
    EXPECT_TRUE(QTest::qWaitFor([&] { return timer.actions == 1; }, 5000));
    WaitFirings(2, 3);
    EXPECT_EQ(timer.actions, 1);
    EXPECT_EQ(timer.Mode(), Timer::ModeOff);
    // The override takes the action; the base would have raised the event.
    EXPECT_EQ(raised, 0);
}

TEST(Timer, OwnerMayDropTheTimerInItsAction)
{
    auto timer = std::make_unique<Timer>();
    bool fired = false;
    timer->Action.Attach([&](Timer&) {
        fired = true;
        timer.reset();
    });
    timer->SetPeriod(1);
    timer->SetMode(Timer::ModeMultiple);
    EXPECT_TRUE(QTest::qWaitFor([&] { return fired; }, 5000));
    EXPECT_FALSE(timer);
}
