// How the monitor opens a device made by class name: the three DirectInput
// classes with their added Create(const GUID&) on an instance, the two
// window-message classes with Create().
#pragma once

#include <string_view>

#include "host/QmInputDevice.h"
#include "server/PlatformApi.h"

namespace qmmonitor {

struct sDeviceClass {
    const char* pName;
    // Create(const GUID&) of the class; null for a class opened with Create().
    bool (*pOpenOnInstance)(CQmInputDevice& device, const GUID& instance);

    bool NeedsInstance() const { return pOpenOnInstance != nullptr; }
};

// The module's five device classes; null for any other name.
const sDeviceClass* FindDeviceClass(std::string_view className);

// Create on `device`; `instance` is used by the classes opened on an instance.
// False also when the object is not of `deviceClass`.
bool OpenDevice(CQmInputDevice& device, const sDeviceClass& deviceClass, const GUID& instance);

}  // namespace qmmonitor
