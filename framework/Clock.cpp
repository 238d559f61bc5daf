// The core library's clock, driven by the test controls so that every time
// stamp is reproducible. It starts at 0 and never goes backwards.
#include "framework/QmFrameworkControl.h"
#include "host/QmCriticalSection.h"
#include "host/Timer.h"

namespace {

struct sClock {
    CQmCriticalSection oLock;
    double fNow = 0.0;
};

sClock& TheClock() {
    static sClock* clock = new sClock;
    return *clock;
}

}  // namespace

double CTimer::GetCurTime() {
    sClock& clock = TheClock();
    CQmCriticalSectionLock guard(clock.oLock);
    return clock.fNow;
}

namespace qmhost {

bool SetTime(double seconds) {
    sClock& clock = TheClock();
    CQmCriticalSectionLock guard(clock.oLock);
    if (!(seconds >= clock.fNow)) {
        return false;
    }
    clock.fNow = seconds;
    return true;
}

void AdvanceTime(double seconds) {
    sClock& clock = TheClock();
    CQmCriticalSectionLock guard(clock.oLock);
    if (seconds > 0.0) {
        clock.fNow += seconds;
    }
}

}  // namespace qmhost
