#include "framework/Timer.h"

#include <QTimer>

class TimerEngine {
public:
    QTimer timer;
    Int32 mode = Timer::ModeOff;
};

Timer::Timer() : itsEngine(std::make_unique<TimerEngine>())
{
    QTimer& timer = itsEngine->timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(1000);
    QObject::connect(&timer, &QTimer::timeout, [this] {
        if (itsEngine->mode == ModeSingle) {
            itsEngine->mode = ModeOff;
        }
        Event_Action();
    });
}

Timer::~Timer() = default;

Int32 Timer::Mode() const
{
    return itsEngine->mode;
}

void Timer::SetMode(Int32 mode)
{
    QTimer& timer = itsEngine->timer;
    if (mode == itsEngine->mode && (mode == ModeOff) != timer.isActive()) {
        return;
    }
    itsEngine->mode = mode;
    if (mode == ModeSingle || mode == ModeMultiple) {
        timer.setSingleShot(mode == ModeSingle);
        timer.start();
    } else {
        itsEngine->mode = ModeOff;
        timer.stop();
    }
}

Int32 Timer::Period() const
{
    return itsEngine->timer.interval();
}

void Timer::SetPeriod(Int32 milliseconds)
{
    // setInterval restarts a running timer with the new period.
    itsEngine->timer.setInterval(milliseconds < 0 ? 0 : milliseconds);
}

void Timer::Event_Action()
{
    Action.Raise(*this);
}
