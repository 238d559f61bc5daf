// A module test around one polled DirectInput device that the framework makes by
// class name: a simulated device is attached, the device object is created in the
// input server by name and opened on the simulated device's GUID.
#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "common/ModuleTestFixture.h"
#include "common/QueuedEvents.h"
#include "host/Timer.h"
#include "server/QmInputDeviceRef.h"

template <class Device>
class Di8DeviceTest : public ModuleTest {
protected:
    // The device made by its class name and added to the server, not yet created.
    Device& NewDeviceByName()
    {
        const long deviceId = Server().NewDevice(CQmString(Device::GetClassType().GetName()));
        // The device list keeps its own reference, so the object outlives this one.
        CQmInputDeviceRef<Device> device(deviceId);
        EXPECT_NE(device.Get(), nullptr);
        return *device.Get();
    }

    // A simulated device of `deviceType` named `name`, and the device opened on it.
    Device& NewOpenDevice(const std::string& name, BYTE deviceType)
    {
        DefineGameWindow();
        m_oName = name;
        const GUID instance = qmsim::AttachDevice(name, deviceType);
        Device& device = NewDeviceByName();
        EXPECT_TRUE(device.Create(instance));
        return device;
    }

    // The queued events, each checked to come from `device`.
    std::vector<CQmInputEvent> TakeDeviceEvents(const Device& device)
    {
        const std::vector<CQmInputEvent> events = TakeQueuedEvents();
        for (const CQmInputEvent& event : events)
            EXPECT_EQ(event.m_nDeviceId, device.GetDeviceId());
        return events;
    }

    void QueueRecord(DWORD offset, DWORD data, DWORD sequence)
    {
        ASSERT_TRUE(qmsim::QueueRecord(m_oName, offset, data, sequence));
    }

    // Starts the test's clock at a whole second past the clock's present value, so
    // that times written as base + a binary fraction compare exactly. The clock
    // never runs backwards, so each test measures from its own base.
    double StartClock()
    {
        m_fBase = std::floor(CTimer::GetCurTime()) + 1.0;
        qmhost::SetTime(m_fBase);
        return m_fBase;
    }
    void SetClock(double sinceBase) { ASSERT_TRUE(qmhost::SetTime(m_fBase + sinceBase)); }
    double Base() const { return m_fBase; }

    const std::string& DeviceName() const { return m_oName; }

private:
    std::string m_oName;
    double m_fBase = 0.0;
};
