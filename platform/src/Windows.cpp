// Windows and their procedures: subclassing through SetWindowLong(Ptr)A and
// message delivery through whatever procedure is installed.
#include <algorithm>

#include "PlatformState.h"

namespace qmsim::detail {
namespace {

thread_local DWORD t_lastError = ERROR_SUCCESS;

std::uintptr_t HandleValue(HWND window) { return reinterpret_cast<std::uintptr_t>(window); }

// Documented: an ANSI caller gets a Unicode procedure as a handle that only
// CallWindowProcA can call. The values mimic Windows' own (0xFFFF0000 and up), so
// calling one directly crashes, as it would there.
constexpr std::uintptr_t kUnicodeHandleBase = 0xFFFF0000u;

LONG_PTR HandleForUnicodeProc(WNDPROC proc) {
    auto& handles = State().unicodeProcHandles;
    auto found = std::find(handles.begin(), handles.end(), proc);
    if (found == handles.end()) found = handles.insert(handles.end(), proc);
    return static_cast<LONG_PTR>(kUnicodeHandleBase + static_cast<std::uintptr_t>(found - handles.begin()));
}

// The Unicode procedure behind a handle, or null when `value` is no handle.
WNDPROC UnicodeProcOfHandle(LONG_PTR value) {
    const auto& handles = State().unicodeProcHandles;
    const auto raw = static_cast<std::uintptr_t>(value);
    if (raw < kUnicodeHandleBase || raw - kUnicodeHandleBase >= handles.size()) return nullptr;
    return handles[raw - kUnicodeHandleBase];
}

// What Get/SetWindowLongPtrA hand an ANSI caller for the window's procedure.
LONG_PTR AnsiView(const WindowRecord& record) {
    return record.unicode ? HandleForUnicodeProc(record.proc) : reinterpret_cast<LONG_PTR>(record.proc);
}

// Documented for Windows: a destroyed window's handle fails with
// ERROR_INVALID_WINDOW_HANDLE (Wine 8 measured: ERROR_ACCESS_DENIED).
WindowRecord* FindWindow(HWND window) {
    auto found = State().windows.find(HandleValue(window));
    if (found != State().windows.end()) return &found->second;
    t_lastError = ERROR_INVALID_WINDOW_HANDLE;
    return nullptr;
}

// Replaces the window procedure; the previous one, or 0 when nothing changed.
LONG_PTR ReplaceWindowProc(const char* caller, HWND window, int index, LONG_PTR newProc, bool indexUsable) {
    PlatformState& state = State();
    std::string line = std::string(caller) + " " + Hex(HandleValue(window)) + " " + std::to_string(index);
    const bool forcedFailure = state.failNextSetWindowLong;
    state.failNextSetWindowLong = false;
    WindowRecord* record = FindWindow(window);
    if (forcedFailure || !indexUsable || index != GWLP_WNDPROC || !record) {
        Log(line + " -> failed");
        return 0;
    }
    const LONG_PTR previous = AnsiView(*record);
    // Documented: handing back a handle restores the Unicode procedure it stands for.
    WNDPROC unicodeProc = UnicodeProcOfHandle(newProc);
    record->unicode = unicodeProc != nullptr;
    record->proc = unicodeProc ? unicodeProc : reinterpret_cast<WNDPROC>(newProc);
    Log(line + " -> ok");
    return previous;
}

}  // namespace
}  // namespace qmsim::detail

using namespace qmsim::detail;

extern "C" {

LONG WINAPI SetWindowLongA(HWND hWnd, int nIndex, LONG dwNewLong) {
    auto lock = LockPlatform();
    // A LONG holds a procedure only where pointers are 32 bits wide.
    constexpr bool procedureFits = sizeof(LONG) == sizeof(LONG_PTR);
    LONG_PTR previous = ReplaceWindowProc("SetWindowLongA", hWnd, nIndex, static_cast<LONG_PTR>(dwNewLong),
                                          procedureFits);
    return static_cast<LONG>(previous);
}

LONG_PTR WINAPI SetWindowLongPtrA(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
    auto lock = LockPlatform();
    return ReplaceWindowProc("SetWindowLongPtrA", hWnd, nIndex, dwNewLong, true);
}

LONG_PTR WINAPI GetWindowLongPtrA(HWND hWnd, int nIndex) {
    auto lock = LockPlatform();
    const WindowRecord* record = FindWindow(hWnd);
    const bool known = nIndex == GWLP_WNDPROC && record;
    Log("GetWindowLongPtrA " + Hex(HandleValue(hWnd)) + " " + std::to_string(nIndex) + (known ? " -> ok" : " -> failed"));
    return known ? AnsiView(*record) : 0;
}

LRESULT WINAPI CallWindowProcA(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    WNDPROC target = lpPrevWndFunc;
    {
        auto lock = LockPlatform();
        if (WNDPROC unicodeProc = UnicodeProcOfHandle(reinterpret_cast<LONG_PTR>(lpPrevWndFunc))) target = unicodeProc;
        if (IsCallLogging())
            Log("CallWindowProcA " + Hex(reinterpret_cast<std::uintptr_t>(hWnd)) + " " + Hex(Msg) +
                (lpPrevWndFunc ? "" : " -> no procedure"));
    }
    return target ? target(hWnd, Msg, wParam, lParam) : 0;
}

DWORD WINAPI GetLastError(void) { return t_lastError; }

void WINAPI SetLastError(DWORD dwErrCode) { t_lastError = dwErrCode; }

}  // extern "C"

namespace qmsim {

HWND CreateTestWindow(WNDPROC proc, bool unicode) {
    auto lock = LockPlatform();
    PlatformState& state = State();
    const std::uintptr_t handle = state.nextWindowHandle;
    state.nextWindowHandle += 0x10;
    state.windows[handle] = WindowRecord{proc, unicode};
    return reinterpret_cast<HWND>(handle);
}

// Measured under Wine 8 and documented: the window's chain receives
// WM_KILLFOCUS if it had the focus (going to no window), WM_DESTROY, then
// WM_NCDESTROY, and is still the window's while they run.
void DestroyTestWindow(HWND window) {
    bool hadFocus = false;
    {
        auto lock = LockPlatform();
        if (!State().windows.count(HandleValue(window))) return;
        hadFocus = HasFocus(window);
        if (hadFocus) RecordFocusMove(0);
    }
    if (hadFocus) DeliverMessage(window, WM_KILLFOCUS, 0, 0);
    DeliverMessage(window, WM_DESTROY, 0, 0);
    DeliverMessage(window, WM_NCDESTROY, 0, 0);
    auto lock = LockPlatform();
    State().windows.erase(HandleValue(window));
    Log("DestroyWindow " + Hex(HandleValue(window)));
}

WNDPROC GetWindowProc(HWND window) {
    auto lock = LockPlatform();
    auto found = State().windows.find(HandleValue(window));
    return found == State().windows.end() ? nullptr : found->second.proc;
}

LRESULT DeliverMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC proc = GetWindowProc(window);  // the lock is not held while the procedure runs
    return proc ? proc(window, message, wParam, lParam) : 0;
}

void FailNextSetWindowLong() {
    auto lock = LockPlatform();
    State().failNextSetWindowLong = true;
}

}  // namespace qmsim
