// The DirectInput interfaces that the module gets while a session is
// recorded: each passes every call on to the real interface and tells the
// recorder which devices DirectInput reported and what the module's
// GetDeviceData calls returned.
#pragma once

#include <string>

#include "server/PlatformApi.h"
#include "tools/monitor-live/SessionRecorder.h"

namespace qmmonitor {

// Takes over the caller's reference on `real`; the wrapper lives as long as
// the module holds references on it.
IDirectInput8A* WrapDirectInput(IDirectInput8A* real, CSessionRecorder& recorder);

// A device interface whose reads are recorded under the script name `name`.
IDirectInputDevice8A* WrapDevice(IDirectInputDevice8A* real, const std::string& name,
                                 CSessionRecorder& recorder);

}  // namespace qmmonitor
