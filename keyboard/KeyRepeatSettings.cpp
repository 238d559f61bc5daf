// The keyboard repeat settings of the system, as seconds.
#include "keyboard/KeyRepeatSettings.h"

#include "server/PlatformApi.h"

namespace {

// The setting stays 0 when the query fails; its result changes nothing.
int QuerySetting(UINT action)
{
    int setting = 0;
    SystemParametersInfoA(action, 0, &setting, 0);
    return setting;
}

}  // namespace

float KeyRepeatDelayFromSystem()
{
    const int setting = QuerySetting(SPI_GETKEYBOARDDELAY);
    return static_cast<float>((setting + 1) * 0.25);
}

float KeyRepeatIntervalFromSystem()
{
    // 1/0 would be an infinite interval under which keys never repeat. Setting 0
    // is the system's slowest rate, so it gets the slowest interval of this
    // scale, that of setting 1 (1 s): no faster than any other setting, and keys
    // still repeat as the user expects.
    const int setting = QuerySetting(SPI_GETKEYBOARDSPEED);
    const int repeatsPerSecond = setting < 1 ? 1 : setting;
    return static_cast<float>(1.0 / repeatsPerSecond);
}
