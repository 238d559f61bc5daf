#include "tools/monitor-live/DirectInputInstances.h"

namespace qmmonitor {
namespace {

BOOL CALLBACK KeepFirstInstance(LPCDIDEVICEINSTANCEA instance, LPVOID context)
{
    *static_cast<std::optional<GUID>*>(context) = instance->guidInstance;
    return DIENUM_STOP;
}

}  // namespace

std::optional<GUID> FirstAttachedInstance(IDirectInput8A& directInput, DWORD deviceClass)
{
    std::optional<GUID> first;
    directInput.EnumDevices(deviceClass, KeepFirstInstance, &first, DIEDFL_ATTACHEDONLY);
    return first;
}

}  // namespace qmmonitor
