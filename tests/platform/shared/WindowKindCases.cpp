// Windows of two kinds: a procedure installed with the A calls is an ANSI one,
// with the W calls a Unicode one, and the window takes the kind of the
// procedure on top. A character passed between procedures of different kinds
// crosses the ANSI code page (Windows-1252 here): a Unicode window hooked the
// ANSI way hands its game ? for a character the code page lacks, which is why
// the module hooks a Unicode window with the W calls. Also the calls the
// module's window-thread handshake rests on, as seen from the window's thread.
#include <string>
#include <vector>

#include "tests/platform/shared/PlatformCheck.h"
#include "tests/platform/shared/PlatformDriver.h"

namespace platformcase {
namespace {

std::vector<std::string> g_trace;
WNDPROC g_pBelowHook = nullptr;

void Note(const char* who, UINT message, WPARAM wParam) {
    if (message == WM_CHAR) g_trace.push_back(std::string(who) + " " + std::to_string(wParam));
}

LRESULT CALLBACK GameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Note("game", message, wParam);
    return message == WM_CHAR ? 42 : Driver().DefaultProc(window, message, wParam, lParam);
}

LRESULT CALLBACK HookA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Note("hookA", message, wParam);
    return CallWindowProcA(g_pBelowHook, window, message, wParam, lParam);
}

LRESULT CALLBACK HookW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Note("hookW", message, wParam);
    return CallWindowProcW(g_pBelowHook, window, message, wParam, lParam);
}

using Trace = std::vector<std::string>;

// The characters sent, and what each procedure saw: ж (0x436) is not in the
// code page, é (0xE9) is the same in both, € is 0x20AC in UTF-16 and 0x80 in it.
Trace SendCharacters(PlatformDriver& driver, HWND window, const std::vector<WPARAM>& characters) {
    g_trace.clear();
    for (WPARAM character : characters) PC_CHECK_EQ(driver.Send(window, WM_CHAR, character, 0), LRESULT{42});
    return g_trace;
}

PLATFORM_CASE(AUnicodeWindowHookedTheAnsiWayLosesWhatTheCodePageLacks) {
    const HWND window = driver.CreateWindowWithProc(GameProc, true);
    PC_CHECK(IsWindowUnicode(window));
    PC_CHECK_EQ(SendCharacters(driver, window, {0x436, 0x20AC}), (Trace{"game 1078", "game 8364"}));

    g_pBelowHook = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HookA)));
    PC_CHECK(!IsWindowUnicode(window));
    PC_CHECK_EQ(SendCharacters(driver, window, {0x436, 0xE9, 0x20AC}),
                (Trace{"hookA 63", "game 63", "hookA 233", "game 233", "hookA 128", "game 8364"}));
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_pBelowHook));
    PC_CHECK(IsWindowUnicode(window));

    // Hooked the W way, the window stays Unicode and nothing is converted.
    g_pBelowHook = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HookW)));
    PC_CHECK_EQ(g_pBelowHook, GameProc);
    PC_CHECK(IsWindowUnicode(window));
    PC_CHECK_EQ(SendCharacters(driver, window, {0x436}), (Trace{"hookW 1078", "game 1078"}));
    PC_CHECK_EQ(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_pBelowHook)),
                reinterpret_cast<LONG_PTR>(HookW));
    driver.DestroyWindowNow(window);
}

PLATFORM_CASE(AnAnsiProcedureIsAHandleToTheWCalls) {
    const HWND window = driver.CreateWindowWithProc(GameProc, false);
    PC_CHECK(!IsWindowUnicode(window));
    const LONG_PTR handle = GetWindowLongPtrW(window, GWLP_WNDPROC);
    PC_CHECK(handle != reinterpret_cast<LONG_PTR>(GameProc));
    g_pBelowHook = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HookW)));
    PC_CHECK_EQ(reinterpret_cast<LONG_PTR>(g_pBelowHook), handle);
    PC_CHECK(IsWindowUnicode(window));
    PC_CHECK_EQ(SendCharacters(driver, window, {0xE9, 0x80}), (Trace{"hookW 233", "game 233", "hookW 8364", "game 128"}));
    // Handed back, the handle restores the ANSI procedure and the window's kind.
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_pBelowHook));
    PC_CHECK(!IsWindowUnicode(window));
    PC_CHECK_EQ(GetWindowLongPtrA(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(GameProc));
    driver.DestroyWindowNow(window);
}

PLATFORM_CASE(AWindowBelongsToItsThreadAndTakesItsOwnSentMessagesAtOnce) {
    const HWND window = driver.CreateWindowWithProc(GameProc, false);
    PC_CHECK_EQ(GetWindowThreadProcessId(window, nullptr), GetCurrentThreadId());
    PC_CHECK(IsWindow(window));
    const UINT message = RegisterWindowMessageA("qminput platform case");
    PC_CHECK(message >= 0xC000);
    PC_CHECK_EQ(RegisterWindowMessageA("qminput platform case"), message);
    DWORD_PTR answer = 0;
    g_trace.clear();
    PC_CHECK(SendMessageTimeoutA(window, WM_CHAR, 'a', 0, SMTO_NORMAL, 1000, &answer) != 0);
    PC_CHECK_EQ(answer, DWORD_PTR{42});
    PC_CHECK_EQ(g_trace, (Trace{"game 97"}));
    driver.DestroyWindowNow(window);
    PC_CHECK(!IsWindow(window));
    PC_CHECK_EQ(GetWindowThreadProcessId(window, nullptr), DWORD{0});
    PC_CHECK_EQ(SendMessageTimeoutA(window, WM_CHAR, 'a', 0, SMTO_NORMAL, 1000, &answer), LRESULT{0});
}

LRESULT CALLBACK AnsweringProc(HWND, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_NULL) g_trace.push_back("procedure " + std::to_string(wParam));
    return 7;
}

LRESULT CALLBACK SentMessageHook(int code, WPARAM sentByThisThread, LPARAM details) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(details);
    if (code == HC_ACTION && sent->message == WM_NULL)
        g_trace.push_back("hook " + std::to_string(sent->wParam) + " " + std::to_string(sent->lParam) + " " +
                          std::to_string(sentByThisThread != 0));
    return CallNextHookEx(nullptr, code, sentByThisThread, details);
}

// A thread message hook sees a sent message before the window's procedure does,
// whatever that procedure answers; unhooked, it sees nothing more.
PLATFORM_CASE(AThreadMessageHookSeesASentMessageBeforeTheProcedure) {
    const HWND window = driver.CreateWindowWithProc(AnsweringProc, false);
    const HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, SentMessageHook, nullptr, GetCurrentThreadId());
    PC_CHECK(hook != nullptr);
    g_trace.clear();
    DWORD_PTR answer = 0;
    PC_CHECK(SendMessageTimeoutA(window, WM_NULL, 5, 6, SMTO_NORMAL, 1000, &answer) != 0);
    PC_CHECK_EQ(answer, DWORD_PTR{7});
    PC_CHECK_EQ(g_trace, (Trace{"hook 5 6 1", "procedure 5"}));
    PC_CHECK(UnhookWindowsHookEx(hook) != FALSE);
    g_trace.clear();
    PC_CHECK(SendMessageTimeoutA(window, WM_NULL, 8, 9, SMTO_NORMAL, 1000, &answer) != 0);
    PC_CHECK_EQ(g_trace, (Trace{"procedure 8"}));
    driver.DestroyWindowNow(window);
}

// The ANSI code page (Windows-1252): one byte a character, '?' for what it lacks.
PLATFORM_CASE(WideCharactersBecomeTheAnsiCodePagesBytes) {
    const WCHAR units[] = {0x61, 0xE9, 0x20AC, 0x436, 0xD83D};
    CHAR bytes[8] = {};
    PC_CHECK_EQ(WideCharToMultiByte(CP_ACP, 0, units, 5, bytes, sizeof bytes, nullptr, nullptr), 5);
    const std::vector<int> got(bytes, bytes + 5);
    PC_CHECK_EQ(got, (std::vector<int>{0x61, static_cast<CHAR>(0xE9), static_cast<CHAR>(0x80), '?', '?'}));
}

}  // namespace
}  // namespace platformcase
