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
    bool classUnicode = false;  // the kind its messages are dispatched in
    DWORD thread = 0;           // the thread that created it
    DWORD lastProcChanger = 0;  // the thread that last replaced its procedure
};

// A procedure handed out as a handle to a caller of the other kind.
struct ProcHandle {
    WNDPROC proc = nullptr;
    bool unicode = false;
};

// A message sent to another thread's window, waiting for that thread to pump.
struct SentMessage {
    HWND window = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    bool unicode = false;  // the sender's kind
    bool done = false;
    LRESULT result = 0;
};

// A WH_CALLWNDPROC hook of one thread.
struct ThreadHook {
    std::uintptr_t handle = 0;
    HOOKPROC proc = nullptr;
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
    // Procedures handed out to callers of the other kind, by handle index.
    std::vector<ProcHandle> procHandles;
    // Sent messages not yet taken, by receiving thread, oldest first.
    std::map<DWORD, std::deque<std::shared_ptr<SentMessage>>> sentMessages;
    std::map<std::string, UINT> registeredMessages;
    std::function<void()> sendTimeoutHandler;
    // Thread message hooks by thread, oldest first.
    std::map<DWORD, std::vector<ThreadHook>> threadHooks;
    std::uintptr_t nextHookHandle = 0x5000;
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

// Calls `proc`, a procedure of the kind `procUnicode`, with a message in the
// kind `messageUnicode`, converting its character through the code page where
// the kinds differ. Call without the lock.
LRESULT CallProcedure(WNDPROC proc, bool procUnicode, bool messageUnicode, HWND window, UINT message,
                      WPARAM wParam, LPARAM lParam);
// The handle the next window will get; call while locked.
std::uintptr_t NextWindowHandle();
// The calling thread's WH_CALLWNDPROC hooks for a message sent to `window`,
// before its procedure runs. Call without the lock.
void RunSendHooks(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool sentByThisThread);
// The calling thread's id; call while locked.
DWORD CurrentThread();
// Records that the focus moved to `window` (0: to no simulated window) and
// unacquires the foreground-level devices of every other window. Sends no
// message: the caller delivers WM_KILLFOCUS/WM_SETFOCUS after unlocking.
void RecordFocusMove(std::uintptr_t window);

}  // namespace qmsim::detail
