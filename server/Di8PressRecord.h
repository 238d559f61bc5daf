// A key or button record of buffered DirectInput data: bit 7 of its data says
// whether the key or button went down or came up.
#pragma once

#include "server/PlatformApi.h"

inline bool IsPressRecord(const DIDEVICEOBJECTDATA& record)
{
    return (record.dwData & 0x80) != 0;
}
