// What a fuzz target's model of a device shares: the records the simulated
// device holds and the event refusals asked for.
#pragma once

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

#include "framework/QmFrameworkControl.h"
#include "fuzz/FuzzDevice.h"
#include "fuzz/FuzzRequire.h"
#include "host/QmInputEvent.h"
#include "qmsim/Simulation.h"

// One buffered record as a fuzz input makes it.
struct sFuzzRecord {
    DWORD m_nOffset;
    DWORD m_nData;
    DWORD m_nSequence;
};

// The records the simulated device holds, in the order it hands them out:
// every record it kept, until one is read or the buffer is emptied.
class CPendingRecords {
public:
    void Queue(const std::string& name, const sFuzzRecord& record)
    {
        if (qmsim::QueueRecord(name, record.m_nOffset, record.m_nData, record.m_nSequence))
            m_oRecords.push_back(record);
    }

    // Input lost, or a new device interface: the buffer starts empty.
    void Clear() { m_oRecords.clear(); }

    // The records read since the last call, oldest first: what the device's
    // buffer no longer holds.
    std::vector<sFuzzRecord> TakeRead(const std::string& name)
    {
        const std::size_t left = qmsim::GetDeviceState(name).bufferedRecords;
        FUZZ_REQUIRE(left <= m_oRecords.size(), "the device holds %zu records, %zu were kept", left,
                     m_oRecords.size());
        const std::size_t read = m_oRecords.size() - left;
        std::vector<sFuzzRecord> taken(m_oRecords.begin(), m_oRecords.begin() + static_cast<long>(read));
        m_oRecords.erase(m_oRecords.begin(), m_oRecords.begin() + static_cast<long>(read));
        return taken;
    }

private:
    std::deque<sFuzzRecord> m_oRecords;
};

// The framework's NewEvent refusals a test asked for: they hit the next
// events made, in order.
class CEventFailures {
public:
    void Set(int count)
    {
        qmhost::FailNextNewEvents(count);
        m_nLeft = count;
    }

    // The events that were made of those expected.
    std::vector<CQmInputEvent> Survivors(const std::vector<CQmInputEvent>& expected)
    {
        const std::size_t failed = std::min<std::size_t>(static_cast<std::size_t>(m_nLeft), expected.size());
        m_nLeft -= static_cast<int>(failed);
        return {expected.begin() + static_cast<long>(failed), expected.end()};
    }

private:
    int m_nLeft = 0;
};

// What a device's model shares: the records its simulated device holds and
// the event refusals asked for. The model of each device class adds the
// state it mirrors, its Poll (which checks the events) and its Recreate.
template <class Device>
class CDeviceModel {
public:
    using DeviceClass = Device;

    explicit CDeviceModel(CFuzzDevice<Device>& device) : m_oDevice(device) {}

    const std::string& Name() const { return m_oDevice.Name(); }
    void Queue(const sFuzzRecord& record) { m_oPending.Queue(Name(), record); }
    void LoseInput()
    {
        qmsim::LoseInput(Name());
        m_oPending.Clear();
    }
    CEventFailures& Failures() { return m_oFailures; }

protected:
    // A new device object on a new interface, whose buffer starts empty.
    void RecreateDevice()
    {
        m_oDevice.Recreate();
        m_oPending.Clear();
    }

    CFuzzDevice<Device>& m_oDevice;
    CPendingRecords m_oPending;
    CEventFailures m_oFailures;
};
