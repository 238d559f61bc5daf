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

// Reads every buffered record of an open `device`, in the order DirectInput
// delivers them, keeping `groupSequence` at the number of the group being
// processed; a closed device is left alone. Each record is handed to `parse` of
// `owner` pushed back, so that the parser reads it with ReadNext and decides
// itself whether to consume it; a record for which `isNewer` holds first opens
// its group.
template <class Owner>
void ReadRecordGroups(CQmDi8Device& device, int& groupSequence, Owner& owner,
                      bool (Owner::*isNewer)(const DIDEVICEOBJECTDATA*) const, void (Owner::*parse)())
{
    if (!device.IsOpen())
        return;
    bool opensGroup = true;
    groupSequence = -1;
    device.Poll();
    while (const DIDEVICEOBJECTDATA* record = device.ReadNext()) {
        if (opensGroup) {
            groupSequence = static_cast<int>(record->dwSequence);
            opensGroup = false;
        }
        const bool startsLaterGroup = (owner.*isNewer)(record);
        device.PushBack();
        if (startsLaterGroup)
            opensGroup = true;
        else
            (owner.*parse)();
    }
}
