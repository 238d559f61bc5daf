// The system's millisecond tick clock, which stamps DirectInput's records.
#include "PlatformState.h"

using namespace qmsim::detail;

extern "C" DWORD WINAPI GetTickCount(void) {
    auto lock = LockPlatform();
    return State().tickCount;
}

namespace qmsim {

void SetTickCount(DWORD milliseconds) {
    auto lock = LockPlatform();
    State().tickCount = milliseconds;
}

}  // namespace qmsim
