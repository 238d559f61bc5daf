// What DirectInput reports about a device of a given DI8DEVTYPE_* type:
// its full type word, capabilities, instance description and device class.
#pragma once

#include "PlatformState.h"

namespace qmsim::detail {

// dwDevType: the type in the low byte, a common subtype above it, and the HID
// flag for game controllers, so callers must mask out the low byte.
DWORD DevTypeOf(BYTE type);
DIDEVCAPS CapabilitiesOf(const DeviceRecord& device);
void FillInstance(const DeviceRecord& device, DIDEVICEINSTANCEA& instance);
// Whether a device of `type` belongs to `filter`, a DI8DEVCLASS_* class or a
// DI8DEVTYPE_* type; false for filters DirectInput does not know.
bool MatchesDeviceFilter(BYTE type, DWORD filter);
bool IsKnownDeviceFilter(DWORD filter);

}  // namespace qmsim::detail
