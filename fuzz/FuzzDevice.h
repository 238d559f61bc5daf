// One polled DirectInput device on a fresh simulated platform and input
// server, for one fuzz input.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/QmFrameworkControl.h"
#include "fuzz/FuzzRequire.h"
#include "host/QmEnvironmentServer.h"
#include "host/QmString.h"
#include "qmsim/Simulation.h"
#include "server/QmDi8InputServer.h"
#include "server/QmInputDeviceRef.h"

// One polled DirectInput device of class Device on a simulated device `name`,
// in a fresh input server, with the game window defined. When the input ends
// everything is freed, and every reference and interface must be back.
template <class Device>
class CFuzzDevice {
public:
    CFuzzDevice(const char* name, BYTE deviceType) : m_oName(name)
    {
        qmsim::Reset();
        qmhost::ClearContractViolations();
        const HWND window = qmsim::CreateTestWindow(nullptr);
        QmGetEnvironmentServer()->SetVariable(
            CQmString("Display/HWND"), static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(window)));
        m_pServer = std::make_unique<CQmDi8InputServer>();
        m_oInstance = qmsim::AttachDevice(name, deviceType);
        Recreate();
    }

    ~CFuzzDevice()
    {
        m_pServer->FreeDevices();
        m_pServer.reset();
        QmGetEnvironmentServer()->RemoveVariable(CQmString("Display/HWND"));
        FUZZ_REQUIRE(qmhost::OutstandingDeviceRefs() == 0, "device references left");
        FUZZ_REQUIRE(qmhost::OutstandingEventRefs() == 0, "event references left");
        FUZZ_REQUIRE(qmhost::LiveEventRecords() == 0, "event records left");
        FUZZ_REQUIRE(qmhost::ContractViolationCount() == 0, "a call broke the framework's contract");
        FUZZ_REQUIRE(qmsim::LiveDeviceInterfaces() == 0, "DirectInput device interfaces left");
        FUZZ_REQUIRE(qmsim::LiveDirectInputs() == 0, "DirectInput interfaces left");
    }

    CFuzzDevice(const CFuzzDevice&) = delete;
    CFuzzDevice& operator=(const CFuzzDevice&) = delete;

    Device& Get() { return *m_pDevice; }
    const std::string& Name() const { return m_oName; }
    // Whether the last Create succeeded.
    bool IsCreated() const { return m_bCreated; }

    // Deletes the device object, if any, and makes and opens a new one, as
    // the framework would after a reset of its input.
    void Recreate()
    {
        if (m_nDeviceId != -1)
            m_pServer->DeleteDevice(m_nDeviceId);
        m_nDeviceId = m_pServer->NewDevice(CQmString(Device::GetClassType().GetName()));
        CQmInputDeviceRef<Device> device(m_nDeviceId);
        FUZZ_REQUIRE(device.Get() != nullptr, "no device made by name");
        m_pDevice = device.Get();
        // A refused Create leaves the device as it is; its polls must cope.
        m_bCreated = m_pDevice->Create(m_oInstance);
    }

private:
    std::string m_oName;
    std::unique_ptr<CQmDi8InputServer> m_pServer;
    GUID m_oInstance{};
    long m_nDeviceId = -1;
    Device* m_pDevice = nullptr;
    bool m_bCreated = false;
};
