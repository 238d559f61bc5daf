// The real module under a real DirectInput: the server made by class name
// enumerates what DirectInput reports and represents it by the window-message
// devices.
#include "tests/wine/HostCases.h"

#include <cstdio>

#include "server/QmDi8InputServer.h"
#include "tests/wine/HostChecks.h"
#include "tests/wine/TestHost.h"
#include "tools/monitor/ScriptLine.h"

namespace qmwinetest {
namespace {

BOOL CALLBACK AppendDeviceType(LPCDIDEVICEINSTANCEA instance, LPVOID context)
{
    char type[8];
    std::snprintf(type, sizeof type, "0x%02x", static_cast<unsigned>(instance->dwDevType & 0xFF));
    static_cast<std::vector<std::string>*>(context)->push_back(type);
    return DIENUM_CONTINUE;
}

// The low bytes of dwDevType, in DirectInput's order.
std::string AttachedDeviceTypes(IDirectInput8A& directInput)
{
    std::vector<std::string> types;
    directInput.EnumDevices(DI8DEVCLASS_ALL, AppendDeviceType, &types, DIEDFL_ATTACHEDONLY);
    return qmmonitor::JoinWords(types);
}

}  // namespace

int RunEnumerationCase()
{
    CHostChecks checks;
    CTestHost host;
    IDirectInput8A* directInput = static_cast<CQmDi8InputServer&>(host.Server()).GetDirectInput();
    if (!checks.Check(directInput != nullptr, "the server opened DirectInput 8"))
        return checks.Finish();
    checks.CheckEqual(AttachedDeviceTypes(*directInput), "0x12 0x13",
                      "DirectInput reports a mouse, then a keyboard");

    checks.Check(host.Server().EnumerateDevices(), "EnumerateDevices returns true");
    checks.CheckEqual(qmmonitor::JoinWords(host.DeviceClasses()), "CQmWindowsMouse CQmWindowsKeyboard",
                      "one window mouse, then one window keyboard");
    checks.Check(host.Window().GetInstalledProcedure() != host.Window().GetOwnProcedure(),
                 "the devices hooked the game window");

    host.Server().FreeDevices();
    checks.CheckEqual(host.Server().GetNumDevices(), 0, "FreeDevices empties the device list");
    return checks.Finish();
}

}  // namespace qmwinetest
