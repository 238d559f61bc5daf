// The first steps of Create that the buffered DirectInput devices share.
#pragma once

#include "host/QmInputDevice.h"
#include "server/PlatformApi.h"
#include "server/QmDi8Device.h"

// Runs the framework's base Create of `owner`, opens `device` on `instance` with
// `format` and a buffer of `bufferSize` records. False at the first step that
// fails. Further properties and the acquisition are the caller's, since
// DirectInput takes properties only before the device is acquired.
//
// A device that is open already is refused and left as it is: opening it again
// would have to drop the interface held, and the open device keeps working.
// Destroy comes first to open it anew.
bool OpenBufferedDevice(CQmInputDevice& owner, CQmDi8Device& device, const GUID& instance,
                        const DIDATAFORMAT* format, DWORD bufferSize);
