// Windows and their procedures: subclassing through SetWindowLong(Ptr)A and
// message delivery through whatever procedure is installed.
#include "PlatformState.h"

namespace qmsim::detail {
namespace {

std::uintptr_t HandleValue(HWND window) { return reinterpret_cast<std::uintptr_t>(window); }

// Replaces the window procedure; the previous one, or 0 when nothing changed.
LONG_PTR ReplaceWindowProc(const char* caller, HWND window, int index, WNDPROC newProc, bool indexUsable) {
    PlatformState& state = State();
    std::string line = std::string(caller) + " " + Hex(HandleValue(window)) + " " + std::to_string(index);
    const bool forcedFailure = state.failNextSetWindowLong;
    state.failNextSetWindowLong = false;
    auto found = state.windows.find(HandleValue(window));
    if (forcedFailure || !indexUsable || index != GWLP_WNDPROC || found == state.windows.end()) {
        Log(line + " -> failed");
        return 0;
    }
    WNDPROC previous = found->second;
    found->second = newProc;
    Log(line + " -> ok");
    return reinterpret_cast<LONG_PTR>(previous);
}

}  // namespace
}  // namespace qmsim::detail

using namespace qmsim::detail;

extern "C" {

LONG WINAPI SetWindowLongA(HWND hWnd, int nIndex, LONG dwNewLong) {
    auto lock = LockPlatform();
    // A LONG holds a procedure only where pointers are 32 bits wide.
    constexpr bool procedureFits = sizeof(LONG) == sizeof(LONG_PTR);
    LONG_PTR previous = ReplaceWindowProc("SetWindowLongA", hWnd, nIndex,
                                          reinterpret_cast<WNDPROC>(static_cast<LONG_PTR>(dwNewLong)), procedureFits);
    return static_cast<LONG>(previous);
}

LONG_PTR WINAPI SetWindowLongPtrA(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
    auto lock = LockPlatform();
    return ReplaceWindowProc("SetWindowLongPtrA", hWnd, nIndex, reinterpret_cast<WNDPROC>(dwNewLong), true);
}

LONG_PTR WINAPI GetWindowLongPtrA(HWND hWnd, int nIndex) {
    auto lock = LockPlatform();
    const auto& windows = State().windows;
    auto found = windows.find(HandleValue(hWnd));
    const bool known = nIndex == GWLP_WNDPROC && found != windows.end();
    Log("GetWindowLongPtrA " + Hex(HandleValue(hWnd)) + " " + std::to_string(nIndex) + (known ? " -> ok" : " -> failed"));
    return known ? reinterpret_cast<LONG_PTR>(found->second) : 0;
}

LRESULT WINAPI CallWindowProcA(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (IsCallLogging()) {
        auto lock = LockPlatform();
        Log("CallWindowProcA " + Hex(reinterpret_cast<std::uintptr_t>(hWnd)) + " " + Hex(Msg) +
            (lpPrevWndFunc ? "" : " -> no procedure"));
    }
    return lpPrevWndFunc ? lpPrevWndFunc(hWnd, Msg, wParam, lParam) : 0;
}

}  // extern "C"

namespace qmsim {

HWND CreateTestWindow(WNDPROC proc) {
    auto lock = LockPlatform();
    PlatformState& state = State();
    const std::uintptr_t handle = state.nextWindowHandle;
    state.nextWindowHandle += 0x10;
    state.windows[handle] = proc;
    return reinterpret_cast<HWND>(handle);
}

void DestroyTestWindow(HWND window) {
    auto lock = LockPlatform();
    State().windows.erase(reinterpret_cast<std::uintptr_t>(window));
}

WNDPROC GetWindowProc(HWND window) {
    auto lock = LockPlatform();
    auto found = State().windows.find(reinterpret_cast<std::uintptr_t>(window));
    return found == State().windows.end() ? nullptr : found->second;
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
