// The window procedure rules the module's hook must follow and could not be
// seen breaking if the simulation were lenient: an ANSI caller sees a Unicode
// procedure only as a handle that CallWindowProcA calls, a destroyed window's
// chain hears its last messages, a dead handle fails, and a procedure that
// leaves the chain out of order takes the ones above it along.
#include <string>
#include <vector>

#include "tests/platform/shared/PlatformCheck.h"
#include "tests/platform/shared/PlatformDriver.h"

namespace platformcase {
namespace {

// The messages the cases follow; a real window gets many more.
bool IsTraced(UINT message) {
    return message == WM_CHAR || message == WM_KILLFOCUS || message == WM_DESTROY || message == WM_NCDESTROY;
}

std::vector<std::string> g_trace;
WNDPROC g_pBelowHook = nullptr;
WNDPROC g_pBelowOther = nullptr;

LRESULT CALLBACK GameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!IsTraced(message)) return Driver().DefaultProc(window, message, wParam, lParam);
    g_trace.push_back("game " + std::to_string(message) + " " + std::to_string(wParam));
    return 42;
}

LRESULT CALLBACK Hook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsTraced(message)) g_trace.push_back("hook");
    return CallWindowProcA(g_pBelowHook, window, message, wParam, lParam);
}

// Another program's pass-on procedure.
LRESULT CALLBACK OtherProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsTraced(message)) g_trace.push_back("other");
    return CallWindowProcA(g_pBelowOther, window, message, wParam, lParam);
}

WNDPROC Install(HWND window, WNDPROC proc) {
    return reinterpret_cast<WNDPROC>(SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
}

using Trace = std::vector<std::string>;

PLATFORM_CASE(AUnicodeProcedureIsAHandleThatOnlyCallWindowProcCalls) {
    g_trace.clear();
    const HWND window = driver.CreateWindowWithProc(GameProc, true);
    const LONG_PTR handle = GetWindowLongPtrA(window, GWLP_WNDPROC);
    PC_CHECK(handle != reinterpret_cast<LONG_PTR>(GameProc));
    g_pBelowHook = Install(window, Hook);
    PC_CHECK_EQ(reinterpret_cast<LONG_PTR>(g_pBelowHook), handle);
    PC_CHECK_EQ(driver.Send(window, WM_CHAR, 'a', 0), LRESULT{42});
    PC_CHECK_EQ(g_trace, (Trace{"hook", "game 258 97"}));

    // Handed back, the handle restores the Unicode procedure itself.
    PC_CHECK_EQ(Install(window, g_pBelowHook), Hook);
    PC_CHECK_EQ(GetWindowLongPtrA(window, GWLP_WNDPROC), handle);
    g_trace.clear();
    PC_CHECK_EQ(driver.Send(window, WM_CHAR, 'b', 0), LRESULT{42});
    PC_CHECK_EQ(g_trace, (Trace{"game 258 98"}));
    driver.DestroyWindowNow(window);
}

// Measured and documented: WM_KILLFOCUS (the focus goes to no window),
// WM_DESTROY, then WM_NCDESTROY, through the chain installed at that time.
PLATFORM_CASE(ADestroyedWindowsChainHearsItsLastMessages) {
    g_trace.clear();
    const HWND window = driver.CreateWindowWithProc(GameProc);
    g_pBelowHook = Install(window, Hook);
    driver.DestroyWindowNow(window);
    PC_CHECK_EQ(g_trace, (Trace{"hook", "game 8 0", "hook", "game 2 0", "hook", "game 130 0"}));
}

// A handle that names no window any more: calls on it fail, give 0 and set
// an error. Which one differs: documented for Windows
// ERROR_INVALID_WINDOW_HANDLE, measured under Wine 8 ERROR_ACCESS_DENIED.
bool IsDeadHandleError(DWORD error) {
    constexpr DWORD kAccessDenied = 5;  // ERROR_ACCESS_DENIED, which the simulation's header does not name
    return error == ERROR_INVALID_WINDOW_HANDLE || error == kAccessDenied;
}

PLATFORM_CASE(ADeadHandleFailsWithAnError) {
    const HWND window = driver.CreateWindowWithProc(GameProc);
    driver.DestroyWindowNow(window);
    g_trace.clear();
    PC_CHECK_EQ(driver.Send(window, WM_CHAR, 'b', 0), LRESULT{0});
    SetLastError(0);
    PC_CHECK_EQ(Install(window, Hook), nullptr);
    PC_CHECK(IsDeadHandleError(GetLastError()));
    SetLastError(0);
    PC_CHECK_EQ(GetWindowLongPtrA(window, GWLP_WNDPROC), LONG_PTR{0});
    PC_CHECK(IsDeadHandleError(GetLastError()));
    PC_CHECK(g_trace.empty());
}

// The window holds one procedure: a replacement returns whatever is on top and
// puts its argument there, whoever installed what.
PLATFORM_CASE(AProcedureLeavingOutOfOrderTakesTheOnesAboveAlong) {
    g_trace.clear();
    const HWND window = driver.CreateWindowWithProc(GameProc);
    g_pBelowHook = Install(window, Hook);
    g_pBelowOther = Install(window, OtherProc);
    PC_CHECK_EQ(g_pBelowOther, Hook);
    PC_CHECK_EQ(driver.Send(window, WM_CHAR, 'a', 0), LRESULT{42});
    PC_CHECK_EQ(g_trace, (Trace{"other", "hook", "game 258 97"}));

    g_trace.clear();
    PC_CHECK_EQ(Install(window, g_pBelowHook), OtherProc);
    driver.Send(window, WM_CHAR, 'b', 0);
    PC_CHECK_EQ(g_trace, (Trace{"game 258 98"}));

    g_trace.clear();
    PC_CHECK_EQ(Install(window, g_pBelowOther), GameProc);  // puts the hook back on top
    driver.Send(window, WM_CHAR, 'c', 0);
    PC_CHECK_EQ(g_trace, (Trace{"hook", "game 258 99"}));
    PC_CHECK_EQ(Install(window, GameProc), Hook);
    driver.DestroyWindowNow(window);
}

// A LONG holds a procedure only where pointers are 32 bits wide, as on the
// module's real platform; where they are wider, SetWindowLongA's
// GWL_WNDPROC fails and changes nothing.
PLATFORM_CASE(SetWindowLongAReplacesAProcedureOnlyWhereALongHoldsIt) {
    g_trace.clear();
    const HWND window = driver.CreateWindowWithProc(GameProc);
    constexpr bool fits = sizeof(LONG) == sizeof(LONG_PTR);
    const LONG previous = SetWindowLongA(window, GWL_WNDPROC, static_cast<LONG>(reinterpret_cast<LONG_PTR>(Hook)));
    PC_CHECK_EQ(previous != 0, fits);
    g_pBelowHook = GameProc;
    driver.Send(window, WM_CHAR, 'a', 0);
    PC_CHECK_EQ(g_trace, (fits ? Trace{"hook", "game 258 97"} : Trace{"game 258 97"}));
    Install(window, GameProc);
    driver.DestroyWindowNow(window);
}

}  // namespace
}  // namespace platformcase
