// The devices attached to the simulated machine, and the input they produce.
#include <algorithm>

#include "DeviceInterface.h"
#include "PlatformState.h"

namespace qmsim::detail {
namespace {

GUID MakeInstanceGuid(DWORD serial, BYTE type) {
    return GUID{0x51A00000u + serial, 0xD5A0, 0x11CF, {0x80, 0x00, 'q', 'm', 's', 'i', 'm', type}};
}

}  // namespace

std::shared_ptr<DeviceRecord> FindDevice(const std::string& name) {
    for (const auto& device : State().devices)
        if (device->name == name) return device;
    return nullptr;
}

std::shared_ptr<DeviceRecord> FindDevice(REFGUID instance) {
    for (const auto& device : State().devices)
        if (device->instance == instance) return device;
    return nullptr;
}

}  // namespace qmsim::detail

namespace qmsim {

using namespace detail;

// Attaching a known device again keeps its instance GUID and moves it to the
// end of the enumeration order, as a device plugged in anew.
GUID AttachDevice(const std::string& name, BYTE deviceType) {
    auto lock = LockPlatform();
    auto& devices = State().devices;
    std::shared_ptr<DeviceRecord> device = FindDevice(name);
    if (device && device->attached) return device->instance;
    if (device) {
        devices.erase(std::find(devices.begin(), devices.end(), device));
    } else {
        device = std::make_shared<DeviceRecord>();
        device->name = name;
        device->type = deviceType;
        device->instance = MakeInstanceGuid(State().nextInstanceSerial++, deviceType);
    }
    device->attached = true;
    devices.push_back(device);
    return device->instance;
}

// Interfaces on a detached device lose their input and cannot be acquired again.
void DetachDevice(const std::string& name) {
    auto lock = LockPlatform();
    std::shared_ptr<DeviceRecord> device = FindDevice(name);
    if (!device) return;
    device->attached = false;
    for (DeviceInterface* open : InterfacesOf(name)) open->LoseInput();
}

bool IsAttached(const std::string& name) {
    auto lock = LockPlatform();
    std::shared_ptr<DeviceRecord> device = FindDevice(name);
    return device && device->attached;
}

GUID GetInstanceGuid(const std::string& name) {
    auto lock = LockPlatform();
    std::shared_ptr<DeviceRecord> device = FindDevice(name);
    return device ? device->instance : GUID{};
}

namespace {

// One input event of the device: its records go to every interface on it.
// True when an interface kept all of them.
bool DeliverEvent(const std::string& name, std::initializer_list<DIDEVICEOBJECTDATA_DX3> records) {
    bool kept = false;
    for (DeviceInterface* open : InterfacesOf(name)) {
        bool keptAll = true;
        for (const DIDEVICEOBJECTDATA_DX3& record : records) keptAll = open->Deliver(record) && keptAll;
        kept = kept || keptAll;
    }
    return kept;
}

// Measured: one counter numbers every input event, whatever the device; the
// records of one event share its number.
DWORD TakeSequence() { return State().nextSequence++; }

}  // namespace

bool QueueRecord(const std::string& name, DWORD offset, DWORD data) {
    auto lock = LockPlatform();
    // Documented: records are stamped with the system's tick count.
    return DeliverEvent(name, {{offset, data, State().tickCount, TakeSequence()}});
}

bool QueueRecord(const std::string& name, DWORD offset, DWORD data, DWORD sequence,
                 std::optional<DWORD> timeStamp) {
    auto lock = LockPlatform();
    State().nextSequence = sequence + 1;
    return DeliverEvent(name, {{offset, data, timeStamp.value_or(State().tickCount), sequence}});
}

// Measured: X and Y of one move share a number; as Wine 8 does, an axis that
// did not move gives no record.
bool QueueMouseMove(const std::string& name, LONG dx, LONG dy) {
    auto lock = LockPlatform();
    const DWORD sequence = TakeSequence();
    const DWORD now = State().tickCount;
    const DIDEVICEOBJECTDATA_DX3 x{DIMOFS_X, static_cast<DWORD>(dx), now, sequence};
    const DIDEVICEOBJECTDATA_DX3 y{DIMOFS_Y, static_cast<DWORD>(dy), now, sequence};
    if (dx != 0 && dy != 0) return DeliverEvent(name, {x, y});
    if (dx != 0) return DeliverEvent(name, {x});
    return dy != 0 && DeliverEvent(name, {y});
}

void LoseInput(const std::string& name) {
    auto lock = LockPlatform();
    for (DeviceInterface* open : InterfacesOf(name)) open->LoseInput();
}

// With several interfaces on one device, the newest speaks for it.
DeviceState GetDeviceState(const std::string& name) {
    auto lock = LockPlatform();
    const std::vector<DeviceInterface*> open = InterfacesOf(name);
    return open.empty() ? DeviceState{} : open.back()->Snapshot();
}

}  // namespace qmsim
