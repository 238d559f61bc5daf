// Window procedures: subclassing with SetWindowLong(Ptr)A, chaining with
// CallWindowProcA, and delivery through the procedure installed last.
#include <string>
#include <vector>

#include "PlatformTest.h"

namespace {

std::vector<std::string> g_trace;
WNDPROC g_pBeforeOuter = nullptr;
WNDPROC g_pBeforeInner = nullptr;

LRESULT CALLBACK GameProc(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    g_trace.push_back("game " + std::to_string(message) + " " + std::to_string(wParam) + " " +
                      std::to_string(lParam));
    return 42;
}

LRESULT CALLBACK InnerHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    g_trace.push_back("inner");
    return CallWindowProcA(g_pBeforeInner, window, message, wParam, lParam);
}

LRESULT CALLBACK OuterHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    g_trace.push_back("outer");
    return CallWindowProcA(g_pBeforeOuter, window, message, wParam, lParam);
}

WNDPROC Install(HWND window, WNDPROC proc) {
    return reinterpret_cast<WNDPROC>(SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
}

class WindowProcTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        g_trace.clear();
        m_hWindow = qmsim::CreateTestWindow(GameProc);
    }
    HWND m_hWindow = nullptr;
};

TEST_F(WindowProcTest, HooksChainToThePreviousProcedureAndComeOffInReverse) {
    g_pBeforeInner = Install(m_hWindow, InnerHook);
    g_pBeforeOuter = Install(m_hWindow, OuterHook);
    EXPECT_EQ(g_pBeforeInner, GameProc);
    EXPECT_EQ(g_pBeforeOuter, InnerHook);

    EXPECT_EQ(qmsim::DeliverMessage(m_hWindow, WM_KEYDOWN, 'A', -7), 42);
    EXPECT_EQ(g_trace, (std::vector<std::string>{"outer", "inner", "game 256 65 -7"}));

    EXPECT_EQ(Install(m_hWindow, g_pBeforeOuter), OuterHook);
    EXPECT_EQ(Install(m_hWindow, g_pBeforeInner), InnerHook);
    EXPECT_EQ(qmsim::GetWindowProc(m_hWindow), GameProc);
}

TEST_F(WindowProcTest, FailedReplacementsReturnZeroAndChangeNothing) {
    const HWND unknown = reinterpret_cast<HWND>(std::uintptr_t{0x7770});
    EXPECT_EQ(Install(unknown, InnerHook), nullptr);

    qmsim::FailNextSetWindowLong();
    EXPECT_EQ(Install(m_hWindow, InnerHook), nullptr);
    EXPECT_EQ(qmsim::GetWindowProc(m_hWindow), GameProc);
    EXPECT_EQ(Install(m_hWindow, InnerHook), GameProc) << "only the next call fails";

    EXPECT_EQ(SetWindowLongPtrA(m_hWindow, GWLP_USERDATA, 5), 0);
    EXPECT_EQ(qmsim::GetWindowProc(m_hWindow), InnerHook);
}

TEST_F(WindowProcTest, ReadingTheProcedureChangesNothing) {
    Install(m_hWindow, InnerHook);
    EXPECT_EQ(GetWindowLongPtrA(m_hWindow, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(InnerHook));
    EXPECT_EQ(qmsim::GetWindowProc(m_hWindow), InnerHook);
    EXPECT_EQ(GetWindowLongPtrA(m_hWindow, GWLP_USERDATA), 0);
    EXPECT_EQ(GetWindowLongPtrA(reinterpret_cast<HWND>(std::uintptr_t{0x7770}), GWLP_WNDPROC), 0);
}

TEST_F(WindowProcTest, ProcedureInALongWorksOnlyWherePointersAre32Bits) {
    const LONG result = SetWindowLongA(m_hWindow, GWL_WNDPROC,
                                       static_cast<LONG>(reinterpret_cast<LONG_PTR>(InnerHook)));
    if (sizeof(LONG_PTR) == sizeof(LONG)) {
        EXPECT_EQ(result, static_cast<LONG>(reinterpret_cast<LONG_PTR>(GameProc)));
        EXPECT_EQ(qmsim::GetWindowProc(m_hWindow), InnerHook);
    } else {
        EXPECT_EQ(result, 0);
        EXPECT_EQ(qmsim::GetWindowProc(m_hWindow), GameProc);
    }
    const std::string outcome = sizeof(LONG_PTR) == sizeof(LONG) ? "ok" : "failed";
    EXPECT_EQ(qmsim::CallLog().back(), "SetWindowLongA 0x10000 -4 -> " + outcome);
}

TEST_F(WindowProcTest, CallingNoProcedureOrNoWindowYieldsZero) {
    EXPECT_EQ(CallWindowProcA(nullptr, m_hWindow, WM_CHAR, 'a', 0), 0);
    EXPECT_TRUE(g_trace.empty());
    EXPECT_EQ(CallWindowProcA(GameProc, m_hWindow, WM_CHAR, 'a', 3), 42);

    // Destroying the window takes its focus and sends its last two messages;
    // then it is gone.
    qmsim::DestroyTestWindow(m_hWindow);
    EXPECT_EQ(qmsim::DeliverMessage(m_hWindow, WM_CHAR, 'b', 0), 0);
    EXPECT_EQ(qmsim::GetWindowProc(m_hWindow), nullptr);
    EXPECT_EQ(g_trace, (std::vector<std::string>{"game 258 97 3", "game 8 0 0", "game 2 0 0", "game 130 0 0"}));
}

}  // namespace
