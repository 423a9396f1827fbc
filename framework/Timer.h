#pragma once
// A timer of the event loop: Mode 0 off, 1 once, 2 repeating, every Period milliseconds.

#include "framework/Event.h"
#include "framework/Types.h"

class TimerEngine;

class Timer : public Object {
public:
    Timer();
    ~Timer() override;

    static constexpr Int32 ModeOff = 0;
    static constexpr Int32 ModeSingle = 1;
    static constexpr Int32 ModeMultiple = 2;

    Int32 Mode() const;
    void SetMode(Int32 mode);
    Int32 Period() const;
    void SetPeriod(Int32 milliseconds);

    // Raised by the base Event_Action.
    Event<void(Timer&)> Action;

    // Runs on the event loop each time the timer fires.
    virtual void Event_Action();

private:
    std::unique_ptr<TimerEngine> itsEngine;
};
