#include "framework/Timer.h"

#include <QBasicTimer>
#include <QObject>
#include <QTimerEvent>

// Takes the timer's events itself: at every poll of a busy clock that is cheaper than a
// QTimer's signal.
class TimerEngine : public QObject {
public:
    explicit TimerEngine(Timer& owner) : itsOwner(owner) {}

    void Start() { timer.start(period, Qt::PreciseTimer, this); }

    QBasicTimer timer;
    int period = 1000;
    Int32 mode = Timer::ModeOff;

protected:
    void timerEvent(QTimerEvent* event) override
    {
        if (event->timerId() != timer.timerId()) {
            QObject::timerEvent(event);
            return;
        }
        if (mode == Timer::ModeSingle) {
            mode = Timer::ModeOff;
            timer.stop();
        }
        itsOwner.Event_Action();
    }

private:
    Timer& itsOwner;
};

Timer::Timer() : itsEngine(std::make_unique<TimerEngine>(*this)) {}

Timer::~Timer() = default;

Int32 Timer::Mode() const
{
    return itsEngine->mode;
}

void Timer::SetMode(Int32 mode)
{
    if (mode == itsEngine->mode && (mode == ModeOff) != itsEngine->timer.isActive()) {
        return;
    }
    itsEngine->mode = mode;
    if (mode == ModeSingle || mode == ModeMultiple) {
        itsEngine->Start();
    } else {
        itsEngine->mode = ModeOff;
        itsEngine->timer.stop();
    }
}

Int32 Timer::Period() const
{
    return itsEngine->period;
}

void Timer::SetPeriod(Int32 milliseconds)
{
    itsEngine->period = milliseconds < 0 ? 0 : milliseconds;
    // A running timer starts again with the new period.
    if (itsEngine->timer.isActive()) {
        itsEngine->Start();
    }
}

void Timer::Event_Action()
{
    Action.Raise(*this);
}
