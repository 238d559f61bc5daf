#include "tools/monitor/QueryCommands.h"

#include <string>

#include "framework/QmFrameworkControl.h"
#include "host/QmKeyboard.h"
#include "host/QmMouse.h"
#include "tools/monitor/Numbers.h"
#include "tools/monitor/ScriptError.h"

namespace qmmonitor {
namespace {

const char* YesNo(bool value)
{
    return value ? "yes" : "no";
}

// The device of that id when it derives from `Kind`, else a script error.
template <class Kind>
Kind& RequireDevice(CDeviceReference& device, const sArgument& id, const char* kindName)
{
    if (!device.Get() || !device->IsOfType(Kind::GetClassType()))
        throw CScriptError("device " + id.oText + " is not a " + kindName);
    return static_cast<Kind&>(*device.Get());
}

}  // namespace

void RunDevices(sMonitor& monitor, const std::vector<sArgument>&)
{
    const std::vector<long> deviceIds = monitor.oHost.DeviceIds();
    for (long deviceId : deviceIds) {
        CDeviceReference device(monitor.oHost.Server(), deviceId);
        if (!device.Get())
            continue;
        monitor.oOut << "device " << deviceId << ' ' << device->GetType().GetName() << ' '
                     << (device->IsActive() ? "active" : "inactive") << '\n';
    }
    monitor.oOut << "devices " << deviceIds.size() << '\n';
}

void RunFocus(sMonitor& monitor, const std::vector<sArgument>&)
{
    monitor.oOut << "focus " << YesNo(monitor.oHost.Server().HasFocus()) << '\n';
}

void RunMouse(sMonitor& monitor, const std::vector<sArgument>& arguments)
{
    CDeviceReference device(monitor.oHost.Server(), arguments[0].Signed());
    const CQmMouse& mouse = RequireDevice<CQmMouse>(device, arguments[0], "mouse");
    monitor.oOut << "mouse " << arguments[0].Signed() << " x=" << mouse.GetXPos()
                 << " y=" << mouse.GetYPos() << " left-handed=" << YesNo(mouse.IsLeftHanded())
                 << " double-click=" << FormatSeconds(mouse.GetDoubleClickTime()) << '\n';
}

void RunLeftHanded(sMonitor& monitor, const std::vector<sArgument>& arguments)
{
    CDeviceReference device(monitor.oHost.Server(), arguments[0].Signed());
    RequireDevice<CQmMouse>(device, arguments[0], "mouse").SetLeftHanded(arguments[1].Signed() != 0);
    monitor.oOut << "ok\n";
}

void RunKeyboard(sMonitor& monitor, const std::vector<sArgument>& arguments)
{
    CDeviceReference device(monitor.oHost.Server(), arguments[0].Signed());
    const CQmKeyboard& keyboard = RequireDevice<CQmKeyboard>(device, arguments[0], "keyboard");
    monitor.oOut << "keyboard " << arguments[0].Signed()
                 << " delay=" << FormatSeconds(keyboard.GetKeyRepeatDelay())
                 << " interval=" << FormatSeconds(keyboard.GetKeyRepeatSpeed()) << '\n';
}

void RunRefs(sMonitor& monitor, const std::vector<sArgument>&)
{
    monitor.oOut << "refs devices=" << qmhost::OutstandingDeviceRefs()
                 << " events=" << qmhost::OutstandingEventRefs() << '\n';
}

void RunGameMessages(sMonitor& monitor, const std::vector<sArgument>&)
{
    monitor.oOut << "game-messages " << monitor.oWindow.GetOwnProcedureMessages() << '\n';
}

}  // namespace qmmonitor
