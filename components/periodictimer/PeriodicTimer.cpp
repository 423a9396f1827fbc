#include "components/periodictimer/PeriodicTimer.h"

#include "framework/Maths.h"

#include <cstdint>
#include <limits>

namespace {

constexpr Int32 Stopped = 0;
constexpr Int32 RunningOnTimer = 1;
constexpr Int32 RunningOnThread = 2;
constexpr Int32 Changing = 9;

// Behind by more than this many intervals, the schedule starts afresh.
constexpr double CatchUpLimit = 5.0;

} // namespace

void PeriodicTimer::Event_Action()
{
    TimingTest();
}

void PeriodicTimer::TimerStart(Int32 suspend)
{
    if (ItsStatus != Stopped) {
        return;
    }
    ItsStatus = Changing;
    PeriodicStart.Raise(*this);
    ItsSuspendCounter = suspend;
    LastTime = Microseconds();
    ForceSyncFlag = false;
    ActionCounter = 0;
    if (ItsInterval < 1) {
        ItsInterval = 1;
    }
    if (ItsPeriod < 1) {
        ItsPeriod = 1;
    } else if (ItsInterval < ItsPeriod) {
        ItsPeriod = ItsInterval;
    }
    SetPeriod(LowLoadMode ? ItsInterval : ItsPeriod);
    if (ItsThreadMode) {
        ItsPeriodicThread->Run();
        ItsStatus = RunningOnThread;
    } else {
        SetMode(ModeMultiple);
        ItsStatus = RunningOnTimer;
    }
}

void PeriodicTimer::TimerStop()
{
    if (ItsStatus != RunningOnTimer && ItsStatus != RunningOnThread) {
        return;
    }
    ItsStatus = Changing;
    if (ItsThreadMode) {
        ItsPeriodicThread->StopThread();
    } else {
        SetMode(ModeOff);
    }
    ItsLoadRate = 0;
    ItsLoadStatus = false;
    PeriodicStop.Raise(*this);
    ItsStatus = Stopped;
}

String PeriodicTimer::VersionInfo()
{
    return "2012-05-27,1";
}

void PeriodicTimer::Setup(Int32 period, Int32 interval)
{
    if (ItsStatus == Stopped) {
        ItsPeriod = period;
        ItsInterval = interval;
    }
}

void PeriodicTimer::SetLowLoadMode(bool b)
{
    if (ItsStatus == Stopped) {
        LowLoadMode = b;
    }
}

void PeriodicTimer::TimerSync()
{
    if (ItsStatus > Stopped) {
        ForceSyncFlag = true;
    }
}

void PeriodicTimer::TimingTest()
{
    ForceSyncFlag = false;
    ++ActionCounter;
    const double now = Microseconds();
    if (LastTime < now) {
        const double next = LastTime + ItsInterval * 1000.0;
        if (!(next < now)) {
            return;
        }
        Fire();
        const double after = Microseconds();
        ItsLoadRate = LoadRate(now, after);
        ItsLoadStatus = next + ItsInterval * CatchUpLimit * 1000.0 < after;
        if (ItsLoadStatus) {
            ForceSyncFlag = true;
        }
        LastTime = ForceSyncFlag ? after : next;
    } else {
        // The clock has gone back or stands still: count polls instead.
        if (!(ItsInterval < static_cast<std::int64_t>(Period()) * ActionCounter)) {
            return;
        }
        Fire();
        ItsLoadRate = LoadRate(now, Microseconds());
        LastTime = ForceSyncFlag ? Microseconds() : now;
    }
    ActionCounter = 0;
}

void PeriodicTimer::ExternalTrigger()
{
    if (ItsStatus == RunningOnThread) {
        TimingTest();
    }
}

void PeriodicTimer::SetThreadMode(bool b)
{
    if (ItsStatus != Stopped) {
        return;
    }
    ItsThreadMode = b;
    if (!b) {
        ItsPeriodicThread = nullptr;
        return;
    }
    ItsPeriodicThread = std::make_shared<PeriodicThread>();
    ItsPeriodicThread->Priority = 10;
    ItsPeriodicThread->SetOwner(weak_from_this().lock());
}

Int32 PeriodicTimer::RefStatus()
{
    return ItsStatus;
}

bool PeriodicTimer::RefThreadMode()
{
    return ItsThreadMode;
}

void PeriodicTimer::Fire()
{
    if (ItsSuspendCounter > 0) {
        --ItsSuspendCounter;
        return;
    }
    PeriodicAction.Raise(*this, ItsLoadStatus ? -ItsLoadRate : ItsLoadRate);
}

Int32 PeriodicTimer::LoadRate(double start, double end) const
{
    constexpr Int32 Unbounded = std::numeric_limits<Int32>::max();
    const double percent = (end - start) / 10.0 / ItsInterval;
    if (!(percent > 0.0)) {
        return 0;
    }
    return percent < Unbounded ? static_cast<Int32>(Floor(percent)) : Unbounded;
}
