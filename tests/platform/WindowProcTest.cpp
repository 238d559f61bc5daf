// The window procedure rule that only the simulation can stage; the rules the
// real platform shows too are the shared cases'.
#include "PlatformTest.h"

namespace {

LRESULT CALLBACK GameProc(HWND, UINT, WPARAM, LPARAM) { return 42; }
LRESULT CALLBACK Hook(HWND, UINT, WPARAM, LPARAM) { return 0; }

WNDPROC Install(HWND window, WNDPROC proc) {
    return reinterpret_cast<WNDPROC>(SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
}

using WindowProcTest = PlatformTest;

// Simulation only: an injected failure; the real platform's replacements succeed.
TEST_F(WindowProcTest, AFailedReplacementReturnsZeroAndChangesNothing) {
    const HWND window = qmsim::CreateTestWindow(GameProc);
    qmsim::FailNextSetWindowLong();
    EXPECT_EQ(Install(window, Hook), nullptr);
    EXPECT_EQ(qmsim::GetWindowProc(window), GameProc);
    EXPECT_EQ(SetWindowLongPtrA(window, GWLP_USERDATA, 5), 0);
    EXPECT_EQ(Install(window, Hook), GameProc) << "only the next call fails";
}

}  // namespace
