// The window procedure rules the module's hook must follow and could not be
// seen breaking if the platform were lenient: a failed replacement changes
// nothing, an ANSI caller sees a Unicode procedure only as a handle that
// CallWindowProcA calls, and a destroyed window's chain hears its last messages.
#include <string>
#include <vector>

#include "PlatformTest.h"

namespace {

std::vector<std::string> g_trace;
WNDPROC g_pBeforeHook = nullptr;

LRESULT CALLBACK GameProc(HWND, UINT message, WPARAM wParam, LPARAM) {
    g_trace.push_back("game " + std::to_string(message) + " " + std::to_string(wParam));
    return 42;
}

LRESULT CALLBACK Hook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    g_trace.push_back("hook");
    return CallWindowProcA(g_pBeforeHook, window, message, wParam, lParam);
}

WNDPROC Install(HWND window, WNDPROC proc) {
    return reinterpret_cast<WNDPROC>(SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
}

class WindowProcTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        g_trace.clear();
    }
};

TEST_F(WindowProcTest, FailedReplacementsReturnZeroAndChangeNothing) {
    const HWND window = qmsim::CreateTestWindow(GameProc);
    qmsim::FailNextSetWindowLong();
    EXPECT_EQ(Install(window, Hook), nullptr);
    EXPECT_EQ(SetWindowLongPtrA(window, GWLP_USERDATA, 5), 0);
    // A LONG holds a procedure only where pointers are 32 bits wide.
    const LONG asLong = static_cast<LONG>(reinterpret_cast<LONG_PTR>(Hook));
    EXPECT_EQ(SetWindowLongA(window, GWL_WNDPROC, asLong) != 0, sizeof(LONG) == sizeof(LONG_PTR));
    if (sizeof(LONG) != sizeof(LONG_PTR)) {
        EXPECT_EQ(qmsim::GetWindowProc(window), GameProc);
        EXPECT_EQ(Install(window, Hook), GameProc) << "only the next call fails";
    }
}

TEST_F(WindowProcTest, AUnicodeProcedureIsAHandleThatOnlyCallWindowProcCalls) {
    const HWND window = qmsim::CreateTestWindow(GameProc, true);
    const LONG_PTR handle = GetWindowLongPtrA(window, GWLP_WNDPROC);
    EXPECT_NE(handle, reinterpret_cast<LONG_PTR>(GameProc));
    g_pBeforeHook = Install(window, Hook);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(g_pBeforeHook), handle);
    EXPECT_EQ(qmsim::DeliverMessage(window, WM_CHAR, 'a', 0), 42);
    EXPECT_EQ(g_trace, (std::vector<std::string>{"hook", "game 258 97"}));

    // Handed back, the handle restores the Unicode procedure itself.
    EXPECT_EQ(Install(window, g_pBeforeHook), Hook);
    EXPECT_EQ(qmsim::GetWindowProc(window), GameProc);
    EXPECT_EQ(GetWindowLongPtrA(window, GWLP_WNDPROC), handle);
}

TEST_F(WindowProcTest, ADestroyedWindowsChainHearsItsLastMessagesThenTheHandleIsGone) {
    const HWND window = qmsim::CreateTestWindow(GameProc);
    g_pBeforeHook = Install(window, Hook);
    qmsim::DestroyTestWindow(window);
    EXPECT_EQ(g_trace, (std::vector<std::string>{"hook", "game 8 0", "hook", "game 2 0", "hook", "game 130 0"}));

    EXPECT_EQ(qmsim::DeliverMessage(window, WM_CHAR, 'b', 0), 0);
    EXPECT_EQ(Install(window, g_pBeforeHook), nullptr);
    EXPECT_EQ(GetLastError(), DWORD{ERROR_INVALID_WINDOW_HANDLE});
    EXPECT_EQ(g_trace.size(), 6u);
}

}  // namespace
