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
// A window whose procedure is `proc`. Handles are small non-zero numbers that fit 32 bits.
QMSIM_API HWND CreateTestWindow(WNDPROC proc);
QMSIM_API void DestroyTestWindow(HWND window);
QMSIM_API WNDPROC GetWindowProc(HWND window);
// Delivers one message through the window's current procedure, as the platform's
// dispatch does, and returns the procedure's result (0 for an unknown window).
QMSIM_API LRESULT DeliverMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Makes the next SetWindowLongA/SetWindowLongPtrA fail (return 0, change nothing).
QMSIM_API void FailNextSetWindowLong();

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
// `deviceType` is the DI8DEVTYPE_* byte (dwDevType's low byte).
QMSIM_API GUID AttachDevice(const std::string& name, BYTE deviceType);
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
// A failure leaves out-pointers null, as the platform does.
QMSIM_API void InjectResult(Call call, HRESULT result, const std::string& deviceName = "");

// A buffered record for the named device. Kept only while the device is acquired
// and its buffer (DIPROP_BUFFERSIZE) has room; otherwise dropped, and the next
// read reports DI_BUFFEROVERFLOW.
QMSIM_API bool QueueRecord(const std::string& name, DWORD offset, DWORD data, DWORD sequence,
                           DWORD timeStamp = 0);
// Input loss: the device is unacquired, its buffer emptied, and the next
// GetDeviceData reports DIERR_INPUTLOST.
QMSIM_API void LoseInput(const std::string& name);

// State of the interfaces the module created.
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
// Live IDirectInput8A objects and their total references.
QMSIM_API long LiveDirectInputs();
QMSIM_API long DirectInputRefCount();
// Live IDirectInputDevice8A objects over all devices.
QMSIM_API long LiveDeviceInterfaces();

// Every platform call made since Reset (or ClearCallLog), one line each,
// e.g. "CreateDevice kbd1 -> DI_OK", "SetWindowLongA 0x10000 -4".
// A copy, so that it stays stable while another thread keeps calling.
QMSIM_API std::vector<std::string> CallLog();
QMSIM_API void ClearCallLog();

}  // namespace qmsim
