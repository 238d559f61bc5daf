// Buffered DirectInput records arrive in groups: records of input that happened
// at the same moment share one sequence number. The polled DirectInput devices
// read their buffers group by group with the loop below.
#pragma once

#include <cstdint>

#include "server/PlatformApi.h"
#include "server/QmDi8Device.h"

// Whether `sequence` is later than `groupSequence`, with wrap-around: the
// difference is taken modulo 2^32 and read as signed, as DirectInput compares them.
inline bool IsSequenceAfter(int groupSequence, DWORD sequence)
{
    const auto difference = static_cast<std::uint32_t>(groupSequence) - static_cast<std::uint32_t>(sequence);
    return static_cast<std::int32_t>(difference) < 0;
}

// Reads every buffered record, in the order DirectInput delivers them, keeping
// `groupSequence` at the number of the group being processed. Each record is
// handed to `parse` pushed back, so that the parser reads it with ReadNext and
// decides itself whether to consume it; a record of a later group first opens
// that group. `isNewer` tells whether a record starts a later group.
template <class IsNewer, class Parse>
void ReadRecordGroups(CQmDi8Device& device, int& groupSequence, IsNewer isNewer, Parse parse)
{
    bool opensGroup = true;
    groupSequence = -1;
    device.Poll();
    while (const DIDEVICEOBJECTDATA* record = device.ReadNext()) {
        if (opensGroup) {
            groupSequence = static_cast<int>(record->dwSequence);
            opensGroup = false;
        }
        const bool startsLaterGroup = isNewer(record);
        device.PushBack();
        if (startsLaterGroup)
            opensGroup = true;
        else
            parse();
    }
}
