// The framework's side of a monitor run: the input server, made by class name
// from the loaded module, its device list and its event queue.
#pragma once

#include <string>
#include <vector>

#include "host/QmInputDevice.h"
#include "host/QmInputServer.h"
#include "tools/monitor/ModuleLibrary.h"

namespace qmmonitor {

// One QueryDevice reference, given back when the holder ends.
class CDeviceReference {
public:
    CDeviceReference(CQmInputServer& server, long deviceId);
    ~CDeviceReference();

    CDeviceReference(const CDeviceReference&) = delete;
    CDeviceReference& operator=(const CDeviceReference&) = delete;

    // Null for an id that names no device.
    CQmInputDevice* Get() const { return m_pDevice; }
    CQmInputDevice* operator->() const { return m_pDevice; }

private:
    CQmInputServer& m_oServer;
    long m_nDeviceId;
    CQmInputDevice* m_pDevice;
};

class CInputHost {
public:
    explicit CInputHost(const CModuleLibrary& module) : m_oModule(module) {}
    // Shuts the server down if that has not happened yet.
    ~CInputHost();

    CInputHost(const CInputHost&) = delete;
    CInputHost& operator=(const CInputHost&) = delete;

    bool HasServer() const { return m_pServer != nullptr; }
    // Creates "CQmDi8InputServer" through the object database on first use.
    // Throws std::runtime_error when the module offers no such server.
    CQmInputServer& Server();
    // FreeDevices, then the server's destruction through the object database.
    void Shutdown();

    // The device list's ids, in list order.
    std::vector<long> DeviceIds();
    // The module server's NewDevice / DeleteDevice.
    long NewDevice(const std::string& className);
    void DeleteDevice(long deviceId);

    // Every queued event as a line, oldest first; the queue is left empty.
    std::vector<std::string> TakeEventLines();

private:
    const CModuleLibrary& m_oModule;
    CQmInputServer* m_pServer = nullptr;
    long m_nServerObjectId = -1;
};

}  // namespace qmmonitor
