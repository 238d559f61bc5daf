// Diagnostic text for one buffered keyboard record.
#include "host/Debug.h"
#include "keyboard/QmDi8Keyboard.h"
#include "server/Di8PressRecord.h"

void CQmDi8Keyboard::OutputDebugData(eCallbackType type, const DIDEVICEOBJECTDATA* data)
{
    if (!data || type == CALLBACK_TYPE_NONE)
        return;
    Debug_Printf("Object: %d at %d; ", static_cast<int>(data->dwSequence),
                 static_cast<int>(data->dwTimeStamp));
    Debug_Printf("Key: 0x%02x %s\n", static_cast<unsigned>(data->dwOfs),
                 IsPressRecord(*data) ? "down" : "up");
}
