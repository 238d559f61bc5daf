#include "tools/monitor/HostActionCommands.h"

#include "host/QmObjectDatabase.h"
#include "qmsim/Simulation.h"
#include "tools/monitor/DeviceOpening.h"
#include "tools/monitor/ScriptError.h"

namespace qmmonitor {
namespace {

const char* TrueFalse(bool value)
{
    return value ? "true" : "false";
}

// The module's device classes are opened as their kind needs; any other name
// the module does not know makes nothing, which `new` shows. A known class
// that is no device (the server itself) would put a non-device in the list.
const sDeviceClass* CheckNewDevice(const std::string& className, bool named)
{
    const sDeviceClass* deviceClass = FindDeviceClass(className);
    if (!deviceClass && CQmObjectDatabase::FindFactory(className.c_str()))
        throw CScriptError(Quote(className) + " is not a device class");
    if (deviceClass && deviceClass->NeedsInstance() && !named)
        throw CScriptError("missing argument NAME: " + className + " opens an attached device");
    if (deviceClass && !deviceClass->NeedsInstance() && named)
        throw CScriptError(className + " opens the game window, not a named device: no NAME");
    return deviceClass;
}

}  // namespace

void RunStart(sMonitor& monitor, const std::vector<sArgument>&)
{
    if (monitor.oHost.HasServer())
        throw CScriptError("the input server exists already");
    monitor.oHost.Server();
    monitor.oOut << "ok\n";
}

void RunEnumerate(sMonitor& monitor, const std::vector<sArgument>&)
{
    const bool enumerated = monitor.oHost.Server().EnumerateDevices();
    monitor.oOut << "enumerate " << TrueFalse(enumerated) << '\n';
}

void RunNew(sMonitor& monitor, const std::vector<sArgument>& arguments)
{
    const std::string& className = arguments[0].oText;
    const bool named = arguments.size() > 1;
    const sDeviceClass* deviceClass = CheckNewDevice(className, named);
    const GUID instance = named ? qmsim::GetInstanceGuid(arguments[1].oText) : GUID{};

    const long deviceId = monitor.oHost.NewDevice(className);
    bool created = false;
    if (deviceId != -1 && deviceClass) {
        CDeviceReference device(monitor.oHost.Server(), deviceId);
        created = device.Get() && OpenDevice(*device.Get(), *deviceClass, instance);
    }
    monitor.oOut << "new " << deviceId << ' ' << className << ' ' << TrueFalse(created) << '\n';
}

void RunPoll(sMonitor& monitor, const std::vector<sArgument>&)
{
    long polled = 0;
    for (long deviceId : monitor.oHost.DeviceIds()) {
        CDeviceReference device(monitor.oHost.Server(), deviceId);
        if (device.Get() && device->DoesDeviceNeedPolling()) {
            device->Poll();
            ++polled;
        }
    }
    monitor.oOut << "poll " << polled << '\n';
}

void RunReset(sMonitor& monitor, const std::vector<sArgument>& arguments)
{
    CDeviceReference device(monitor.oHost.Server(), arguments[0].Signed());
    if (!device.Get())
        throw CScriptError("no device " + arguments[0].oText);
    device->Reset();
    monitor.oOut << "ok\n";
}

void RunDelete(sMonitor& monitor, const std::vector<sArgument>& arguments)
{
    monitor.oHost.DeleteDevice(arguments[0].Signed());
    monitor.oOut << "ok\n";
}

void RunFree(sMonitor& monitor, const std::vector<sArgument>&)
{
    monitor.oHost.Server().FreeDevices();
    monitor.oOut << "ok\n";
}

}  // namespace qmmonitor
