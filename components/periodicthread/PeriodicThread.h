#pragma once
// The poll source of a periodic timer's thread mode: a cooperative thread that triggers its
// owner about once a millisecond, the first time 15 ms after it starts.

#include "framework/Thread.h"

#include <memory>

class PeriodicThread : public Thread {
public:
    // What the thread triggers: a periodic timer in thread mode, which overrides the poll.
    class Owner {
    public:
        virtual void ExternalTrigger() {}

    protected:
        ~Owner() = default;
    };

    // Starts the thread. While it still runs, a StopThread that its loop has not reached
    // yet is called off instead, so the loop goes on.
    void Run() override;
    // Loops, yielding on every pass, until StopThread or until the owner is gone.
    void Event_Run() override;
    virtual String VersionInfo();
    virtual void SetOwner(const std::shared_ptr<Owner>& owner);
    // Ends the loop after the pass in progress.
    virtual void StopThread();

protected:
    // Weak, so that a timer and its thread do not keep each other alive.
    std::weak_ptr<Owner> ItsOwner;
    // Microseconds() at the last trigger, or at the start.
    double ItsLastTime = 0.0;
    // The next trigger comes at the first reading after this one.
    double ItsNextTime = 0.0;
    bool ItsEndFlag = false;
};
