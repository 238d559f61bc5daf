// The devices DirectInput reports, asked of the module server's own interface.
#pragma once

#include <optional>

#include "server/PlatformApi.h"

namespace qmmonitor {

// The instance GUID of the first attached device of `deviceClass`
// (DI8DEVCLASS_KEYBOARD, DI8DEVCLASS_POINTER, ...), if there is one.
std::optional<GUID> FirstAttachedInstance(IDirectInput8A& directInput, DWORD deviceClass);

}  // namespace qmmonitor
