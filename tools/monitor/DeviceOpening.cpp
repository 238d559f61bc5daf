#include "tools/monitor/DeviceOpening.h"

#include <cstring>

#include "keyboard/QmDi8Keyboard.h"
#include "mouse/QmDi8Joystick.h"
#include "mouse/QmDi8Mouse.h"

namespace qmmonitor {
namespace {

// Create(const GUID&) sits after the base class's virtuals, a different slot
// per class, so the call goes through the class's own declaration. Only the
// slot is used: the monitor needs none of the module's symbols for it.
template <class DeviceClass>
bool OpenOnInstance(CQmInputDevice& device, const GUID& instance)
{
    return static_cast<DeviceClass&>(device).Create(instance);
}

constexpr sDeviceClass kDeviceClasses[] = {
    {"CQmDi8Joystick", &OpenOnInstance<CQmDi8Joystick>},
    {"CQmDi8Keyboard", &OpenOnInstance<CQmDi8Keyboard>},
    {"CQmDi8Mouse", &OpenOnInstance<CQmDi8Mouse>},
    {"CQmWindowsKeyboard", nullptr},
    {"CQmWindowsMouse", nullptr},
};

}  // namespace

const sDeviceClass* FindDeviceClass(std::string_view className)
{
    for (const sDeviceClass& deviceClass : kDeviceClasses) {
        if (className == deviceClass.pName)
            return &deviceClass;
    }
    return nullptr;
}

bool OpenDevice(CQmInputDevice& device, const sDeviceClass& deviceClass, const GUID& instance)
{
    // The static_cast in OpenOnInstance is only sound for an object of that class.
    if (std::strcmp(device.GetType().GetName(), deviceClass.pName) != 0)
        return false;
    return deviceClass.NeedsInstance() ? deviceClass.pOpenOnInstance(device, instance)
                                       : device.Create();
}

}  // namespace qmmonitor
