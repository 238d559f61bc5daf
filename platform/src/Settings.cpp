// The system's keyboard and mouse settings.
#include "PlatformState.h"

using namespace qmsim::detail;

extern "C" {

BOOL WINAPI SystemParametersInfoA(UINT uiAction, UINT /*uiParam*/, PVOID pvParam, UINT /*fWinIni*/) {
    auto lock = LockPlatform();
    const qmsim::Settings& settings = State().settings;
    std::optional<int> value;
    if (uiAction == SPI_GETKEYBOARDDELAY) value = settings.keyboardDelay;
    if (uiAction == SPI_GETKEYBOARDSPEED) value = settings.keyboardSpeed;
    const bool answered = value && pvParam && !settings.settingsQueriesFail;
    if (answered) *static_cast<int*>(pvParam) = *value;
    Log("SystemParametersInfoA " + Hex(uiAction) + " -> " + (answered ? std::to_string(*value) : "FALSE"));
    return answered ? TRUE : FALSE;
}

int WINAPI GetSystemMetrics(int nIndex) {
    auto lock = LockPlatform();
    const int value = nIndex == SM_SWAPBUTTON ? State().settings.swapButtons : 0;
    Log("GetSystemMetrics " + std::to_string(nIndex) + " -> " + std::to_string(value));
    return value;
}

UINT WINAPI GetDoubleClickTime(void) {
    auto lock = LockPlatform();
    const UINT value = State().settings.doubleClickMs;
    Log("GetDoubleClickTime -> " + std::to_string(value));
    return value;
}

}  // extern "C"

namespace qmsim {

// The reference stays valid across Reset, which only restores the defaults.
Settings& GetSettings() {
    auto lock = LockPlatform();
    return State().settings;
}

}  // namespace qmsim
