// The first steps of Create that the buffered DirectInput devices share.
#include "server/Di8DeviceCreation.h"

bool OpenBufferedDevice(CQmInputDevice& owner, CQmDi8Device& device, const GUID& instance,
                        const DIDATAFORMAT* format, DWORD bufferSize)
{
    if (device.IsOpen())
        return false;
    if (!owner.CQmInputDevice::Create())
        return false;
    if (!device.Open(instance))
        return false;
    if (!device.SetDataFormat(format))
        return false;
    device.SetProperty(DIPROP_BUFFERSIZE, bufferSize);
    return true;
}
