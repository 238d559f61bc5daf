// Controls of the simulated Win32/DirectInput 8 platform, for tests and the monitor.
// The module never includes this header; it sees only windows.h/dinput.h names.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "qmsim/Export.h"
#include "qmsim/windows.h"
#include "qmsim/dinput.h"

namespace qmsim {

// Back to a fresh platform: no windows, no devices, default settings, empty log.
QMSIM_API void Reset();

// ---- Windows -------------------------------------------------------------
// A window whose procedure is `proc` (a Unicode one with `unicode`). Handles are
// small non-zero numbers that fit 32 bits and are never handed out again.
QMSIM_API HWND CreateTestWindow(WNDPROC proc, bool unicode = false);
// As DestroyWindow: the current procedure receives WM_DESTROY then
// WM_NCDESTROY; afterwards the handle names no window.
QMSIM_API void DestroyTestWindow(HWND window);
// The procedure the platform calls for the window's messages (never a handle).
QMSIM_API WNDPROC GetWindowProc(HWND window);
// Delivers one message through the window's current procedure, as the platform's
// dispatch does, and returns the procedure's result (0 for an unknown window).
QMSIM_API LRESULT DeliverMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Makes the next SetWindowLongA/SetWindowLongPtrA fail (return 0, change nothing).
QMSIM_API void FailNextSetWindowLong();

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
// null and GetDeviceData's count 0. A success code replaces the result of a call
// that succeeded, whose effect stays (so DirectInput8Create and CreateDevice
// still hand out their interface). Injections queue up; one for a named device
// is used before a general one. For GetModuleHandleA a failure code means null.
QMSIM_API void InjectResult(Call call, HRESULT result, const std::string& deviceName = "");

// A buffered record for the named device. Kept only while the device is acquired
// and its buffer (DIPROP_BUFFERSIZE) has room; otherwise dropped, and the next
// read reports DI_BUFFEROVERFLOW.
QMSIM_API bool QueueRecord(const std::string& name, DWORD offset, DWORD data, DWORD sequence,
                           DWORD timeStamp = 0);
// Input loss: the device is unacquired, its buffer emptied, and GetDeviceData
// and Poll report DIERR_INPUTLOST until the next Acquire (or Unacquire).
// Records go to every acquired interface on the device; Acquire and
// SetDataFormat start with an empty buffer.
QMSIM_API void LoseInput(const std::string& name);

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
