// Controls of the simulated Win32/DirectInput 8 platform, for tests and the monitor.
// The module never includes this header; it sees only windows.h/dinput.h names.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "qmsim/Export.h"
#include "qmsim/windows.h"
#include "qmsim/dinput.h"

namespace qmsim {

// Back to a fresh platform: no windows, no devices, default settings, empty log.
QMSIM_API void Reset();

// ---- Windows -------------------------------------------------------------
// A window whose procedure is `proc` (a Unicode one with `unicode`), created by
// the calling thread. Handles are small non-zero numbers that fit 32 bits and
// are never handed out again.
QMSIM_API HWND CreateTestWindow(WNDPROC proc, bool unicode = false);
// As DestroyWindow: the current procedure receives WM_DESTROY then
// WM_NCDESTROY; afterwards the handle names no window.
QMSIM_API void DestroyTestWindow(HWND window);
// The procedure the platform calls for the window's messages (never a handle).
QMSIM_API WNDPROC GetWindowProc(HWND window);
// Delivers one message through the window's current procedure, as the platform's
// dispatch does, and returns the procedure's result (0 for an unknown window).
// The message comes in the window's own kind, as a game pumps an ANSI window with
// DispatchMessageA and a Unicode one with DispatchMessageW: a character reaches a
// current procedure of the other kind converted through the code page.
QMSIM_API LRESULT DeliverMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// What GetMessage and PeekMessage do first: the messages other threads sent to
// the calling thread's windows go to their procedures. Returns how many.
QMSIM_API int PumpSentMessages();
// Messages other threads sent to the window's thread that it has not taken yet.
QMSIM_API int SentMessagesWaiting(HWND window);
// While set, a message sent to another thread's window (SendMessageTimeoutA)
// that is not answered at once is given up on at once, as if its time had run
// out: `handler` runs on the sending thread at that moment (the receiving
// thread may take the message meanwhile, as it may at the very instant a real
// timeout fires), then the send returns 0 with ERROR_TIMEOUT; the message stays
// queued. Empty: sends wait their time again.
QMSIM_API void SetSendTimeoutHandler(std::function<void()> handler);
// The thread that last changed the window's procedure (0: none did).
QMSIM_API DWORD LastWindowProcChanger(HWND window);
// Makes the next SetWindowLongA/SetWindowLongPtrA fail (return 0, change nothing).
QMSIM_API void FailNextSetWindowLong();
// While set, VirtualAlloc fails (returns null), as when the process is out of
// address space.
QMSIM_API void FailVirtualAlloc(bool fail);

// Modules pinned with GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_PIN), by file
// name. A pin lasts for the process, so Reset keeps this list.
QMSIM_API std::vector<std::string> PinnedModules();

// ---- System settings -----------------------------------------------------
struct Settings {
    int keyboardDelay = 1;        // SPI_GETKEYBOARDDELAY
    int keyboardSpeed = 31;       // SPI_GETKEYBOARDSPEED
    UINT doubleClickMs = 500;     // GetDoubleClickTime
    int swapButtons = 0;          // GetSystemMetrics(SM_SWAPBUTTON)
    bool settingsQueriesFail = false;  // SystemParametersInfoA returns FALSE and writes nothing
};
QMSIM_API Settings& GetSettings();
// GetModuleHandleA(NULL) returns null while set.
QMSIM_API void SetModuleHandleNull(bool isNull);

// ---- DirectInput 8 -------------------------------------------------------
// An attached device; enumeration reports devices in attach order.
// `deviceType` is the DI8DEVTYPE_* byte (dwDevType's low byte; the reported
// dwDevType also carries a subtype, and the HID flag for game controllers).
// Attaching a detached device again keeps its GUID and moves it to the end.
QMSIM_API GUID AttachDevice(const std::string& name, BYTE deviceType);
// Interfaces on the device lose their input; Acquire then fails with
// DIERR_UNPLUGGED until the device is attached again.
QMSIM_API void DetachDevice(const std::string& name);
QMSIM_API bool IsAttached(const std::string& name);
QMSIM_API GUID GetInstanceGuid(const std::string& name);

// The DirectInput calls whose result a test can inject.
enum class Call {
    GetModuleHandleA, DirectInput8Create, EnumDevices, CreateDevice, GetCapabilities,
    SetDataFormat, SetProperty, Acquire, Poll, GetDeviceData,
};
QMSIM_API const char* CallName(Call call);
// The next call of `call` (on device `deviceName` where not empty) returns `result`.
// A failure stands in for the whole call: nothing happens, out-pointers stay
// null and GetDeviceData's count stays as the caller set it. A success code replaces the result of a call
// that succeeded, whose effect stays (so DirectInput8Create and CreateDevice
// still hand out their interface). Injections queue up; one for a named device
// is used before a general one. For GetModuleHandleA a failure code means null.
QMSIM_API void InjectResult(Call call, HRESULT result, const std::string& deviceName = "");

// Input from the named device, buffered by every interface on it that is
// acquired and has room: a buffer of size N (DIPROP_BUFFERSIZE) holds N - 1
// records; what does not fit is dropped, newest first, and the next read
// reports DI_BUFFEROVERFLOW. Input while unacquired is dropped. True when an
// interface kept the records.
// One input event (a key, a button, the wheel): the platform gives it the next
// sequence number of its one system-wide counter and the tick count as time stamp.
QMSIM_API bool QueueRecord(const std::string& name, DWORD offset, DWORD data);
// A record with the given sequence number (for wrap-around cases) and time
// stamp (the tick count when none is given); the platform's numbering goes on
// after that number.
QMSIM_API bool QueueRecord(const std::string& name, DWORD offset, DWORD data, DWORD sequence,
                           std::optional<DWORD> timeStamp = std::nullopt);
// One relative mouse move: an X and a Y record sharing one sequence number; an
// axis that did not move gives no record.
QMSIM_API bool QueueMouseMove(const std::string& name, LONG dx, LONG dy);
// Input loss (the device unplugged, or exclusive access taken by another
// program): the buffer is emptied and GetDeviceData and Poll report
// DIERR_INPUTLOST until the next Acquire or Unacquire; an Acquire that fails
// because the device is gone (DIERR_UNPLUGGED) leaves it merely unacquired
// (DIERR_NOTACQUIRED). Unacquire and Acquire keep the buffered records.
QMSIM_API void LoseInput(const std::string& name);

// The tick clock behind GetTickCount and the records' time stamps; 0 after Reset.
QMSIM_API void SetTickCount(DWORD milliseconds);

// ---- Focus ----------------------------------------------------------------
// The newest window has the keyboard focus (it is also the foreground window)
// until the focus moves; a window created later takes it, unless another
// program's window has it. A foreground-level
// DirectInput device (SetCooperativeLevel with DISCL_FOREGROUND) is unacquired
// when its window loses the focus (reads give DIERR_NOTACQUIRED, its records
// stay) and cannot be acquired again (DIERR_OTHERAPPHASPRIO) until its window
// has it back; devices at the default level (non-exclusive, background) are
// not affected.
// The window with the focus; null while another program's window has it.
QMSIM_API HWND GetFocusWindow();
// The handle of that other program's window; no simulated window has it.
QMSIM_API HWND ForeignWindow();
// The focus goes to another program's window: the window that had it gets
// WM_KILLFOCUS (wParam 0: that window is of another thread) through its
// current procedure. False, and nothing happens, when no simulated window has
// the focus.
QMSIM_API bool MoveFocusAway();
// The focus comes back to the window that lost it to MoveFocusAway (when that
// one is gone, to the newest window), which gets WM_SETFOCUS (wParam 0).
// False, and nothing happens, unless the focus is away and a window exists.
QMSIM_API bool MoveFocusBack();

// State of the interfaces the module created; with several interfaces on one
// device, the newest one's.
struct DeviceState {
    bool exists = false;            // a device interface for this name is alive
    ULONG refCount = 0;
    bool acquired = false;
    const DIDATAFORMAT* dataFormat = nullptr;
    DWORD bufferSize = 0;           // 0: not buffered
    DWORD axisMode = 0xFFFFFFFF;    // 0xFFFFFFFF: never set
    DWORD deadZone = 0xFFFFFFFF;
    DWORD saturation = 0xFFFFFFFF;
    size_t bufferedRecords = 0;
    bool cooperativeLevelSet = false;
};
QMSIM_API DeviceState GetDeviceState(const std::string& name);
// Live IDirectInput8A objects and their total references. Each device interface
// holds one reference on the IDirectInput8A that created it, as DirectInput's do.
QMSIM_API long LiveDirectInputs();
QMSIM_API long DirectInputRefCount();
// Live IDirectInputDevice8A objects over all devices.
QMSIM_API long LiveDeviceInterfaces();

// Every platform call made since Reset (or ClearCallLog), one line each,
// e.g. "CreateDevice kbd1 -> DI_OK", "SetWindowLongA 0x10000 -4".
// A copy, so that it stays stable while another thread keeps calling. At most
// kLogCapacity lines are kept; past that the oldest half is dropped. Results are
// named by value, 1 as "S_FALSE".
inline constexpr size_t kLogCapacity = 65536;
QMSIM_API std::vector<std::string> CallLog();
QMSIM_API void ClearCallLog();
// On by default. Off, calls leave no line and CallWindowProcA takes no lock, so
// a benchmark times the module rather than the simulation's bookkeeping.
QMSIM_API void SetCallLogging(bool enabled);

}  // namespace qmsim
