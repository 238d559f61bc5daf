#include "DeviceProfile.h"

#include <algorithm>
#include <cstring>

namespace qmsim::detail {
namespace {

struct Profile {
    BYTE type;
    BYTE subtype;
    bool gameController;
    DWORD deviceClass;
    DWORD axes;
    DWORD buttons;
    DWORD povs;
};

constexpr Profile kProfiles[] = {
    {DI8DEVTYPE_DEVICE, 0, false, DI8DEVCLASS_DEVICE, 0, 0, 0},
    {DI8DEVTYPE_MOUSE, DI8DEVTYPEMOUSE_TRADITIONAL, false, DI8DEVCLASS_POINTER, 3, 8, 0},
    {DI8DEVTYPE_KEYBOARD, DI8DEVTYPEKEYBOARD_PCENH, false, DI8DEVCLASS_KEYBOARD, 0, 128, 0},
    {DI8DEVTYPE_JOYSTICK, DI8DEVTYPEJOYSTICK_STANDARD, true, DI8DEVCLASS_GAMECTRL, 4, 12, 1},
    {DI8DEVTYPE_GAMEPAD, DI8DEVTYPEGAMEPAD_STANDARD, true, DI8DEVCLASS_GAMECTRL, 4, 10, 1},
    {DI8DEVTYPE_DRIVING, 2, true, DI8DEVCLASS_GAMECTRL, 3, 8, 0},
    {DI8DEVTYPE_FLIGHT, 2, true, DI8DEVCLASS_GAMECTRL, 4, 12, 1},
    {DI8DEVTYPE_1STPERSON, 2, true, DI8DEVCLASS_GAMECTRL, 6, 8, 0},
    {DI8DEVTYPE_DEVICECTRL, 2, false, DI8DEVCLASS_DEVICE, 0, 4, 0},
    {DI8DEVTYPE_SCREENPOINTER, 2, false, DI8DEVCLASS_POINTER, 2, 2, 0},
    {DI8DEVTYPE_REMOTE, 2, false, DI8DEVCLASS_DEVICE, 0, 16, 0},
    {DI8DEVTYPE_SUPPLEMENTAL, 2, false, DI8DEVCLASS_DEVICE, 2, 4, 0},
};

const Profile& ProfileOf(BYTE type) {
    for (const Profile& profile : kProfiles)
        if (profile.type == type) return profile;
    return kProfiles[0];  // unknown types behave as generic devices
}

}  // namespace

DWORD DevTypeOf(BYTE type) {
    const Profile& profile = ProfileOf(type);
    return DWORD{type} | (DWORD{profile.subtype} << 8) | (profile.gameController ? DIDEVTYPE_HID : 0);
}

DIDEVCAPS CapabilitiesOf(const DeviceRecord& device) {
    const Profile& profile = ProfileOf(device.type);
    DIDEVCAPS caps{};
    caps.dwSize = sizeof caps;
    caps.dwFlags = (device.attached ? DIDC_ATTACHED : 0) |
                   (profile.gameController ? DIDC_POLLEDDEVICE | DIDC_POLLEDDATAFORMAT : 0);
    caps.dwDevType = DevTypeOf(device.type);
    caps.dwAxes = profile.axes;
    caps.dwButtons = profile.buttons;
    caps.dwPOVs = profile.povs;
    caps.dwFirmwareRevision = 1;
    caps.dwHardwareRevision = 1;
    return caps;
}

void FillInstance(const DeviceRecord& device, DIDEVICEINSTANCEA& instance) {
    std::memset(&instance, 0, sizeof instance);
    instance.dwSize = sizeof instance;
    instance.guidInstance = device.instance;
    instance.guidProduct = GUID{0x00000000u | device.type, 0x0000, 0x0000, {0, 0, 'P', 'I', 'D', 'V', 'I', 'D'}};
    instance.dwDevType = DevTypeOf(device.type);
    const size_t length = std::min(device.name.size(), sizeof instance.tszInstanceName - 1);
    std::memcpy(instance.tszInstanceName, device.name.data(), length);
    std::memcpy(instance.tszProductName, device.name.data(), length);
}

bool IsKnownDeviceFilter(DWORD filter) {
    return filter <= DI8DEVCLASS_GAMECTRL || (filter >= DI8DEVTYPE_DEVICE && filter <= DI8DEVTYPE_SUPPLEMENTAL);
}

bool MatchesDeviceFilter(BYTE type, DWORD filter) {
    if (filter == DI8DEVCLASS_ALL) return true;
    if (filter <= DI8DEVCLASS_GAMECTRL) return ProfileOf(type).deviceClass == filter;
    return filter == type;
}

}  // namespace qmsim::detail
