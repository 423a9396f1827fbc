#pragma once
// A Microseconds() clock under the test's control, installed for the life of the object.
// Each reading returns the current time and then moves it on by `step` microseconds.

#include "framework/TestSeams.h"

class FakeClock {
public:
    explicit FakeClock(double start = 0.0, double step = 0.0) : itsNow(start), itsStep(step)
    {
        SetMicrosecondsSource([this] { return Read(); });
    }
    ~FakeClock() { SetMicrosecondsSource(nullptr); }
    FakeClock(const FakeClock&) = delete;
    FakeClock& operator=(const FakeClock&) = delete;

    // The time the next reading returns.
    void Set(double microseconds) { itsNow = microseconds; }
    void SetMs(double milliseconds) { itsNow = milliseconds * 1000.0; }
    void Advance(double microseconds) { itsNow += microseconds; }
    void AdvanceMs(double milliseconds) { itsNow += milliseconds * 1000.0; }
    double Now() const { return itsNow; }

    // The value the latest reading returned, and how many readings there were.
    double LastReading() const { return itsLastReading; }
    int Readings() const { return itsReadings; }

private:
    double Read()
    {
        itsLastReading = itsNow;
        ++itsReadings;
        itsNow += itsStep;
        return itsLastReading;
    }

    double itsNow;
    double itsStep;
    double itsLastReading = 0.0;
    int itsReadings = 0;
};
