#include "components/periodicthread/PeriodicThread.h"

#include "framework/Maths.h"

void PeriodicThread::Run()
{
    ItsEndFlag = false;
    Thread::Run();
}

void PeriodicThread::Event_Run()
{
    if (ItsOwner.expired()) {
        return;
    }
    ItsLastTime = Microseconds();
    ItsNextTime = ItsLastTime + 15000.0;
    ItsEndFlag = false;
    while (!ItsEndFlag) {
        const double now = Microseconds();
        // Also when the clock has gone back.
        if (ItsNextTime < now || now < ItsLastTime) {
            const std::shared_ptr<Owner> owner = ItsOwner.lock();
            if (!owner) {
                return;
            }
            owner->ExternalTrigger();
            ItsLastTime = now;
            ItsNextTime = now + 1000.0;
        }
        YieldToNextThread();
    }
}

String PeriodicThread::VersionInfo()
{
    return "2012-05-25,1";
}

void PeriodicThread::SetOwner(const std::shared_ptr<Owner>& owner)
{
    ItsOwner = owner;
}

void PeriodicThread::StopThread()
{
    ItsEndFlag = true;
}
