#pragma once
// Cooperative threads: one framework thread runs at a time and switches only in
// YieldToNextThread, so code running on them needs no locks.

#include "framework/Types.h"

class ThreadContext;

class Thread : public Object {
public:
    Thread();
    // A thread destroyed while it runs is dropped where it last yielded.
    ~Thread() override;

    // Starts Event_Run on this thread; the event loop gives it its first slice.
    // Does nothing while the thread runs.
    virtual void Run();
    // From Run until Event_Run returns.
    bool IsRunning() const;

    // Higher priorities get their slice first in each round; default 5.
    Int32 Priority = 5;

protected:
    // The body of the thread.
    virtual void Event_Run();

private:
    friend class ThreadContext;
    std::unique_ptr<ThreadContext> itsContext;
};

// On a framework thread: suspends it so the event loop and the other threads get their
// turn. On the main context: gives every other ready thread one slice, then returns.
// It never dispatches events: no timer, key or mouse event runs inside it.
void YieldToNextThread();
