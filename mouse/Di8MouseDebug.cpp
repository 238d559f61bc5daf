// Diagnostic text for one buffered mouse record.
#include "host/Debug.h"
#include "mouse/MouseRecordOffsets.h"
#include "mouse/QmDi8Mouse.h"
#include "server/Di8PressRecord.h"

namespace {

const char* UpOrDown(const DIDEVICEOBJECTDATA& record)
{
    return IsPressRecord(record) ? "down" : "up";
}

}  // namespace

void CQmDi8Mouse::OutputDebugData(eCallbackType type, const DIDEVICEOBJECTDATA* data)
{
    if (!data || type == CALLBACK_TYPE_NONE)
        return;
    Debug_Printf("Object: %d at %d; ", static_cast<int>(data->dwSequence),
                 static_cast<int>(data->dwTimeStamp));
    switch (data->dwOfs) {
    case kMouseOffsetX:
        Debug_Printf("X: %d\n", static_cast<int>(data->dwData));
        break;
    case kMouseOffsetY:
        Debug_Printf("Y: %d\n", static_cast<int>(data->dwData));
        break;
    case kMouseOffsetButton0:
        Debug_Printf("BT0: %s\n", UpOrDown(*data));
        break;
    case kMouseOffsetButton0 + 1:
        Debug_Printf("BT1: %s\n", UpOrDown(*data));
        break;
    default:
        break;
    }
}
