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

// Where the keyboard focus is. A window created after the last move takes it,
// as a new top-level window is shown active.
struct FocusState {
    std::uintptr_t window = 0;            // where it went at the last move; 0: no simulated window
    std::uintptr_t firstNewerHandle = 0;  // windows from this handle on were created after that move
    bool away = false;                    // another program's window has it; new windows do not take it
    std::uintptr_t returnTo = 0;          // the window that lost it to that program
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

    FocusState focus;
    // One input counter for the whole system, as Windows keeps it.
    DWORD nextSequence = 1;
    DWORD tickCount = 0;  // GetTickCount
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

// The simulated window that has the keyboard focus (also the foreground
// window); 0 while another program's window has it or no window does.
std::uintptr_t FocusWindow();
bool HasFocus(HWND window);
// Records that the focus moved to `window` (0: to no simulated window) and
// unacquires the foreground-level devices of every other window. Sends no
// message: the caller delivers WM_KILLFOCUS/WM_SETFOCUS after unlocking.
void RecordFocusMove(std::uintptr_t window);

}  // namespace qmsim::detail
