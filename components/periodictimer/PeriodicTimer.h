#pragma once
// A fixed-rate action clock polled by a faster timer: one PeriodicAction per interval on the
// Microseconds clock, so late polls shift nothing. Overdue actions are caught up one per poll;
// beyond five intervals behind, the schedule starts afresh. The argument of each action is
// the previous action's duration in percent of the interval, negated after a restart.

#include "components/periodicthread/PeriodicThread.h"
#include "framework/Event.h"
#include "framework/Timer.h"

#include <memory>

class PeriodicTimer : public Timer,
                      public PeriodicThread::Owner,
                      public std::enable_shared_from_this<PeriodicTimer> {
public:
    Event<void(PeriodicTimer&)> PeriodicStart;
    Event<void(PeriodicTimer&, Int32 load)> PeriodicAction;
    Event<void(PeriodicTimer&)> PeriodicStop;

    // A poll from the timer.
    void Event_Action() override;
    // Starts the clock; the first `suspend` due actions pass without PeriodicAction.
    virtual void TimerStart(Int32 suspend);
    virtual void TimerStop();
    virtual String VersionInfo();
    // Poll period and action interval in milliseconds; only while stopped.
    virtual void Setup(Int32 period, Int32 interval);
    // Poll once per interval; only while stopped.
    virtual void SetLowLoadMode(bool b);
    // From a PeriodicAction handler: the next action falls one interval after this one ends.
    virtual void TimerSync();

protected:
    // One poll.
    virtual void TimingTest();

public:
    // A poll from the thread of thread mode.
    void ExternalTrigger() override;
    // Polls come from a PeriodicThread about once a millisecond; only while stopped. The timer
    // must be owned by a shared_ptr for its thread to reach it.
    virtual void SetThreadMode(bool b);
    // 0 stopped, 1 running on the timer, 2 running on the thread, 9 starting or stopping.
    virtual Int32 RefStatus();
    virtual bool RefThreadMode();

protected:
    Int32 ItsInterval = 0;
    // The start, then the due time of the last action, or where the schedule restarted.
    double LastTime = 0.0;
    // Polls since the last action.
    Int32 ActionCounter = 0;
    Int32 ItsPeriod = 0;
    bool LowLoadMode = false;
    // The last action's duration in percent of the interval.
    Int32 ItsLoadRate = 0;
    // The last action ended more than five intervals after its due time.
    bool ItsLoadStatus = false;
    // Restart the schedule at the end of the current action.
    bool ForceSyncFlag = false;
    std::shared_ptr<PeriodicThread> ItsPeriodicThread;
    bool ItsThreadMode = false;
    Int32 ItsStatus = 0;
    // Due actions still to pass without PeriodicAction.
    Int32 ItsSuspendCounter = 0;

private:
    void Fire();
    // The duration from `start` to `end` in percent of the interval, rounded down.
    Int32 LoadRate(double start, double end) const;
};
