// The simulated platform's shared state, guarded by one mutex. Every entry point
// takes the lock for its own bookkeeping and drops it before calling back into
// caller code (window procedures, enumeration callbacks).
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "qmsim/Simulation.h"

namespace qmsim::detail {

class DirectInputObject;
class DeviceInterface;

// A device the platform knows, attached now or earlier.
struct DeviceRecord {
    std::string name;
    BYTE type = 0;
    GUID instance{};
    bool attached = true;
};

struct Injection {
    Call call;
    HRESULT result;
    std::string deviceName;  // empty: any device
};

// A window's procedure, and whether it was installed as a Unicode one.
struct WindowRecord {
    WNDPROC proc = nullptr;
    bool unicode = false;
};

struct PlatformState {
    std::map<std::uintptr_t, WindowRecord> windows;
    // Unicode procedures handed out to ANSI callers, by handle index.
    std::vector<WNDPROC> unicodeProcHandles;
    std::uintptr_t nextWindowHandle = 0x10000;
    bool failNextSetWindowLong = false;

    Settings settings;
    bool moduleHandleNull = false;

    std::vector<std::shared_ptr<DeviceRecord>> devices;  // in attach order
    DWORD nextInstanceSerial = 1;

    std::deque<Injection> injections;
    std::vector<std::string> log;

    std::set<DirectInputObject*> directInputs;
    std::vector<DeviceInterface*> deviceInterfaces;  // in creation order
};

std::unique_lock<std::mutex> LockPlatform();
// Only while the platform is locked.
PlatformState& State();

// ---- helpers used while locked ------------------------------------------------
void Log(std::string line);
// Whether calls are being logged (qmsim::SetCallLogging).
bool IsCallLogging();
std::string ResultName(HRESULT result);
std::string Hex(std::uintptr_t value);
// The next injected result for `call` on `deviceName` (a device-specific one
// first), removed from the queue.
std::optional<HRESULT> TakeInjection(Call call, const std::string& deviceName);
std::shared_ptr<DeviceRecord> FindDevice(const std::string& name);
std::shared_ptr<DeviceRecord> FindDevice(REFGUID instance);

}  // namespace qmsim::detail
