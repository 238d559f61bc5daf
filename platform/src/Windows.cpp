// Windows and their procedures: subclassing through SetWindowLong(Ptr)A and
// message delivery through whatever procedure is installed.
#include <algorithm>
#include <optional>

#include "PlatformState.h"

namespace qmsim::detail {
namespace {

thread_local DWORD t_lastError = ERROR_SUCCESS;

// Handles outlive Reset: a process does not hand them out again.
std::uintptr_t g_nextWindowHandle = 0x10000;

std::uintptr_t HandleValue(HWND window) { return reinterpret_cast<std::uintptr_t>(window); }

// Documented: a caller gets a procedure of the other kind (a Unicode one for
// the A functions, an ANSI one for the W functions) as a handle that only
// CallWindowProcA/W can call. The values mimic Windows' own (0xFFFF0000 and
// up), so calling one directly crashes, as it would there.
constexpr std::uintptr_t kProcHandleBase = 0xFFFF0000u;

LONG_PTR HandleFor(WNDPROC proc, bool unicode) {
    auto& handles = State().procHandles;
    auto found = std::find_if(handles.begin(), handles.end(),
                              [&](const ProcHandle& handle) { return handle.proc == proc && handle.unicode == unicode; });
    if (found == handles.end()) found = handles.insert(handles.end(), ProcHandle{proc, unicode});
    return static_cast<LONG_PTR>(kProcHandleBase + static_cast<std::uintptr_t>(found - handles.begin()));
}

// The procedure behind a handle, or nothing when `value` is no handle.
std::optional<ProcHandle> ProcOfHandle(LONG_PTR value) {
    const auto& handles = State().procHandles;
    const auto raw = static_cast<std::uintptr_t>(value);
    if (raw < kProcHandleBase || raw - kProcHandleBase >= handles.size()) return std::nullopt;
    return handles[raw - kProcHandleBase];
}

// What Get/SetWindowLongPtrA (`unicodeCaller` false) or ...W hand a caller.
LONG_PTR ViewFor(const WindowRecord& record, bool unicodeCaller) {
    return record.unicode == unicodeCaller ? reinterpret_cast<LONG_PTR>(record.proc)
                                           : HandleFor(record.proc, record.unicode);
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
LONG_PTR ReplaceWindowProc(const char* caller, HWND window, int index, LONG_PTR newProc, bool indexUsable,
                           bool unicodeCaller) {
    PlatformState& state = State();
    std::string line = std::string(caller) + " " + Hex(HandleValue(window)) + " " + std::to_string(index);
    const bool forcedFailure = state.failNextSetWindowLong;
    state.failNextSetWindowLong = false;
    WindowRecord* record = FindWindow(window);
    if (forcedFailure || !indexUsable || index != GWLP_WNDPROC || !record) {
        Log(line + " -> failed");
        return 0;
    }
    const LONG_PTR previous = ViewFor(*record, unicodeCaller);
    // Documented: handing back a handle restores the procedure it stands for,
    // and the window takes that procedure's kind.
    const std::optional<ProcHandle> handle = ProcOfHandle(newProc);
    record->unicode = handle ? handle->unicode : unicodeCaller;
    record->proc = handle ? handle->proc : reinterpret_cast<WNDPROC>(newProc);
    record->lastProcChanger = CurrentThread();
    Log(line + " -> ok");
    return previous;
}

LONG_PTR ReadWindowProc(const char* caller, HWND window, int index, bool unicodeCaller) {
    const WindowRecord* record = FindWindow(window);
    const bool known = index == GWLP_WNDPROC && record;
    Log(std::string(caller) + " " + Hex(HandleValue(window)) + " " + std::to_string(index) +
        (known ? " -> ok" : " -> failed"));
    return known ? ViewFor(*record, unicodeCaller) : 0;
}

// A procedure called directly is taken to be of the caller's kind; a handle
// stands for a procedure of the other kind.
LRESULT CallWindowProcAs(const char* caller, bool unicodeCaller, WNDPROC proc, HWND window, UINT message,
                         WPARAM wParam, LPARAM lParam) {
    ProcHandle target{proc, unicodeCaller};
    {
        auto lock = LockPlatform();
        if (std::optional<ProcHandle> handle = ProcOfHandle(reinterpret_cast<LONG_PTR>(proc))) target = *handle;
        if (IsCallLogging())
            Log(std::string(caller) + " " + Hex(reinterpret_cast<std::uintptr_t>(window)) + " " + Hex(message) +
                (proc ? "" : " -> no procedure"));
    }
    return CallProcedure(target.proc, target.unicode, unicodeCaller, window, message, wParam, lParam);
}

}  // namespace

std::uintptr_t NextWindowHandle() { return g_nextWindowHandle; }

}  // namespace qmsim::detail

using namespace qmsim::detail;

extern "C" {

LONG WINAPI SetWindowLongA(HWND hWnd, int nIndex, LONG dwNewLong) {
    auto lock = LockPlatform();
    // A LONG holds a procedure only where pointers are 32 bits wide.
    constexpr bool procedureFits = sizeof(LONG) == sizeof(LONG_PTR);
    LONG_PTR previous = ReplaceWindowProc("SetWindowLongA", hWnd, nIndex, static_cast<LONG_PTR>(dwNewLong),
                                          procedureFits, false);
    return static_cast<LONG>(previous);
}

LONG_PTR WINAPI SetWindowLongPtrA(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
    auto lock = LockPlatform();
    return ReplaceWindowProc("SetWindowLongPtrA", hWnd, nIndex, dwNewLong, true, false);
}

LONG_PTR WINAPI SetWindowLongPtrW(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
    auto lock = LockPlatform();
    return ReplaceWindowProc("SetWindowLongPtrW", hWnd, nIndex, dwNewLong, true, true);
}

LONG_PTR WINAPI GetWindowLongPtrA(HWND hWnd, int nIndex) {
    auto lock = LockPlatform();
    return ReadWindowProc("GetWindowLongPtrA", hWnd, nIndex, false);
}

LONG_PTR WINAPI GetWindowLongPtrW(HWND hWnd, int nIndex) {
    auto lock = LockPlatform();
    return ReadWindowProc("GetWindowLongPtrW", hWnd, nIndex, true);
}

LRESULT WINAPI CallWindowProcA(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcAs("CallWindowProcA", false, lpPrevWndFunc, hWnd, Msg, wParam, lParam);
}

LRESULT WINAPI CallWindowProcW(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcAs("CallWindowProcW", true, lpPrevWndFunc, hWnd, Msg, wParam, lParam);
}

BOOL WINAPI IsWindowUnicode(HWND hWnd) {
    auto lock = LockPlatform();
    const WindowRecord* record = FindWindow(hWnd);
    return record && record->unicode;
}

BOOL WINAPI IsWindow(HWND hWnd) {
    auto lock = LockPlatform();
    return State().windows.count(HandleValue(hWnd)) != 0;
}

DWORD WINAPI GetLastError(void) { return t_lastError; }

void WINAPI SetLastError(DWORD dwErrCode) { t_lastError = dwErrCode; }

}  // extern "C"

namespace qmsim {

HWND CreateTestWindow(WNDPROC proc, bool unicode) {
    auto lock = LockPlatform();
    PlatformState& state = State();
    const std::uintptr_t handle = NextWindowHandle();
    g_nextWindowHandle += 0x10;
    state.windows[handle] = WindowRecord{proc, unicode, unicode, CurrentThread()};
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
    WindowRecord record;
    {
        auto lock = LockPlatform();  // not held while the procedure runs
        auto found = State().windows.find(HandleValue(window));
        if (found == State().windows.end()) return 0;
        record = found->second;
    }
    return CallProcedure(record.proc, record.unicode, record.classUnicode, window, message, wParam, lParam);
}

DWORD LastWindowProcChanger(HWND window) {
    auto lock = LockPlatform();
    auto found = State().windows.find(HandleValue(window));
    return found == State().windows.end() ? 0 : found->second.lastProcChanger;
}

void FailNextSetWindowLong() {
    auto lock = LockPlatform();
    State().failNextSetWindowLong = true;
}

}  // namespace qmsim
