// Buffered DirectInput record streams that fill a device's whole buffer, as a
// busy poll sees them, and a way to queue them on a simulated device.
#pragma once

#include <string>
#include <vector>

#include "mouse/MouseRecordOffsets.h"
#include "qmsim/Simulation.h"

struct sStreamRecord {
    DWORD m_nOffset;
    DWORD m_nData;
    DWORD m_nSequence;
};

// What the DirectInput keyboard's and mouse's buffers (256 and 32 records)
// hold: DirectInput keeps one slot free.
constexpr DWORD kKeyboardBufferHolds = 255;
constexpr DWORD kMouseBufferHolds = 31;

// `count` records: presses, each followed by its release, cycling through Q to M.
inline std::vector<sStreamRecord> KeyPressReleaseRecords(DWORD count)
{
    std::vector<sStreamRecord> records;
    for (DWORD index = 0; index < count; ++index) {
        const DWORD pair = index / 2;
        const DWORD scanCode = DIK_Q + pair % (DIK_M - DIK_Q + 1);
        records.push_back({scanCode, index % 2 == 0 ? 0x80u : 0x00u, index});
    }
    return records;
}

// `count` records in groups of four: a move on both axes, then a wheel turn
// and a press or release of the left button one sequence number later.
inline std::vector<sStreamRecord> MixedMouseRecords(DWORD count)
{
    std::vector<sStreamRecord> records;
    for (DWORD group = 0; records.size() < count; ++group) {
        const DWORD sequence = 2 * group;
        records.push_back({kMouseOffsetX, 3, sequence});
        records.push_back({kMouseOffsetY, static_cast<DWORD>(-2), sequence});
        records.push_back({kMouseOffsetWheel, 120, sequence + 1});
        records.push_back({kMouseOffsetButton0, group % 2 == 0 ? 0x80u : 0x00u, sequence + 1});
    }
    records.resize(count);
    return records;
}

// False when the device dropped one of them.
inline bool QueueRecords(const std::string& deviceName, const std::vector<sStreamRecord>& records)
{
    bool allKept = true;
    for (const sStreamRecord& record : records)
        allKept = qmsim::QueueRecord(deviceName, record.m_nOffset, record.m_nData, record.m_nSequence) && allKept;
    return allKept;
}
