// Hooking and unhooking the game window: failures that leave it alone, the chain
// of procedures in every order of installation and removal, several keyboards,
// and devices that go without Destroy.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "WindowMessageTest.h"
#include "common/OtherProgram.h"

namespace {

using WindowHookTest = WindowMessageTest;

TEST_F(WindowHookTest, CallWindowProcWithoutAHookReturnsZeroAndCallsNothing)
{
    EXPECT_EQ(CQmWindowsKeyboard::CallWindowProcA(m_hWindow, WM_KEYDOWN, 'A', 0), 0);
    EXPECT_EQ(CQmWindowsMouse::CallWindowProcA(m_hWindow, WM_MOUSEMOVE, 0, 0), 0);
    EXPECT_TRUE(GameCalls().empty());
}

TEST_F(WindowHookTest, CallWindowProcWithAHookReachesTheSavedProcedure)
{
    Server();
    CQmWindowsMouse mouse;
    ASSERT_TRUE(mouse.Create());
    EXPECT_EQ(CQmWindowsMouse::CallWindowProcA(m_hWindow, WM_PAINT, 1, 2), GameResult(WM_PAINT));
    EXPECT_EQ(GameCalls().size(), 1u);
    EXPECT_EQ(CQmWindowsKeyboard::CallWindowProcA(m_hWindow, WM_PAINT, 1, 2), 0);

    // The hook's procedure called for a window it does not serve (a program
    // that copied it elsewhere) answers 0 and reaches no procedure and no device.
    const WNDPROC hook = qmsim::GetWindowProc(m_hWindow);
    const HWND other = qmsim::CreateTestWindow(&GameProc);
    GameCalls().clear();
    EXPECT_EQ(hook(other, WM_LBUTTONDOWN, MK_LBUTTON, 0), 0);
    EXPECT_TRUE(GameCalls().empty());
    EXPECT_TRUE(TakeQueuedEvents().empty());
    mouse.Destroy();
}

TEST_F(WindowHookTest, AfterTheWindowsLastMessageTheHookCallsNothing)
{
    Server();
    CQmWindowsKeyboard keyboard;
    ASSERT_TRUE(keyboard.Create());
    qmsim::DestroyTestWindow(m_hWindow);
    GameCalls().clear();
    EXPECT_EQ(CQmWindowsKeyboard::CallWindowProcA(m_hWindow, WM_PAINT, 0, 0), 0);
    EXPECT_TRUE(GameCalls().empty()) << "the procedure of a window that is gone was called";
    keyboard.Destroy();
}

// ---- Several keyboards ------------------------------------------------------

TEST_F(WindowHookTest, KeyboardsShareOneHookAndTheNewestGetsTheEvents)
{
    Server();
    CQmWindowsKeyboard first;
    first.SetDeviceId(1);
    ASSERT_TRUE(first.Create());
    CQmWindowsKeyboard second;
    second.SetDeviceId(2);
    ASSERT_TRUE(second.Create());
    EXPECT_EQ(PlatformCalls("SetWindowLongPtrA").size(), 1u) << "the window is hooked once";
    ExpectRouting(2, -1);

    // Creating again neither hooks again nor lists the device twice.
    ASSERT_TRUE(second.Create());
    // The class's hook serves one window at a time.
    CQmWindowsKeyboard elsewhere;
    DefineGameWindow(&GameProc);
    EXPECT_FALSE(elsewhere.Create());
    QmGetEnvironmentServer()->SetVariable(CQmString("Display/HWND"),
                                          static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(m_hWindow)));
    second.Destroy();
    ExpectRouting(1, -1);

    first.Destroy();
    EXPECT_EQ(qmsim::GetWindowProc(m_hWindow), &GameProc);
    ExpectRouting(-1, -1);
}

// ---- Destroy with nothing saved, and no Destroy at all --------------------

TEST_F(WindowHookTest, DestroyWithNothingSavedNeverInstallsANullProcedure)
{
    Server();
    CQmWindowsKeyboard keyboard;
    keyboard.SetDeviceId(1);
    ASSERT_TRUE(keyboard.Create());
    keyboard.Destroy();
    keyboard.Destroy();
    EXPECT_EQ(qmsim::GetWindowProc(m_hWindow), &GameProc);

    // The platform refuses the hook: Create still reports the window found.
    qmsim::FailNextSetWindowLong();
    ASSERT_TRUE(keyboard.Create());
    EXPECT_EQ(qmsim::GetWindowProc(m_hWindow), &GameProc);
    ExpectRouting(-1, -1);
    keyboard.Destroy();
    EXPECT_EQ(qmsim::GetWindowProc(m_hWindow), &GameProc);
    ExpectRouting(-1, -1);
}

// The keyboard's own procedures, as a host binds them by name.
struct sKeyboardProcs : CQmWindowsKeyboard {
    using CQmWindowsKeyboard::WindowProcNew;
};

using sProgramAbove = sOtherProgram<0>;

// A keyboard created after another program cut the class's hook out goes on
// top with an identity of its own; the window's first hook is WindowProcNew,
// and so is the first one on the next window.
TEST_F(WindowHookTest, EveryInstallationAfterAWindowsFirstHasAnIdentityOfItsOwn)
{
    Server();
    std::vector<WNDPROC> identities;
    for (int round = 0; round < 300; ++round) {
        CQmWindowsKeyboard keyboard;
        keyboard.SetDeviceId(round + 1);
        ASSERT_TRUE(keyboard.Create()) << "round " << round;
        identities.push_back(qmsim::GetWindowProc(m_hWindow));
        ExpectRouting(round + 1, -1);
        if (round == 1) {
            // Called for another window (a program that copied it there), the
            // serving identity reaches no procedure and no device.
            const HWND other = qmsim::CreateTestWindow(&GameProc);
            GameCalls().clear();
            EXPECT_EQ(identities.back()(other, WM_KEYDOWN, 'A', 0), 0);
            EXPECT_TRUE(GameCalls().empty());
            EXPECT_TRUE(TakeQueuedEvents().empty());
            qmsim::DestroyTestWindow(other);
        }
        sProgramAbove::Subclass(m_hWindow);
        keyboard.Destroy();
        sProgramAbove::PutBack(m_hWindow);
        ExpectRouting(-1, -1);
    }
    EXPECT_EQ(identities.front(), &sKeyboardProcs::WindowProcNew);
    std::sort(identities.begin(), identities.end());
    EXPECT_EQ(std::unique(identities.begin(), identities.end()), identities.end()) << "an identity was reused";

    // Another window's first hook, while the first window lives.
    m_hWindow = DefineGameWindow(&GameProc);
    CQmWindowsKeyboard keyboard;
    keyboard.SetDeviceId(9);
    ASSERT_TRUE(keyboard.Create());
    EXPECT_EQ(qmsim::GetWindowProc(m_hWindow), &sKeyboardProcs::WindowProcNew);
    ExpectRouting(9, -1);
    keyboard.Destroy();
    EXPECT_EQ(qmsim::GetWindowProc(m_hWindow), &GameProc);
}

// Without memory for new identities: a Create that needs one fails and changes
// nothing, and another window's first hook still works.
TEST_F(WindowHookTest, ACreateThatFailsChangesNothing)
{
    Server();
    qmsim::FailVirtualAlloc(true);
    bool failed = false;
    for (int round = 0; round < 1000 && !failed; ++round) {
        CQmWindowsKeyboard keyboard;
        keyboard.SetDeviceId(1);
        const WNDPROC before = qmsim::GetWindowProc(m_hWindow);
        failed = !keyboard.Create();
        if (failed) {
            EXPECT_EQ(qmsim::GetWindowProc(m_hWindow), before);
            ExpectRouting(-1, -1);
            break;
        }
        sProgramAbove::Subclass(m_hWindow);
        keyboard.Destroy();
        sProgramAbove::PutBack(m_hWindow);
    }
    ASSERT_TRUE(failed) << "identities never ran out of memory";

    // A keyboard serves another window with its first hook; another program
    // goes above it, and a second keyboard, which needs a new identity, fails.
    m_hWindow = DefineGameWindow(&GameProc);
    CQmWindowsKeyboard serving;
    serving.SetDeviceId(2);
    ASSERT_TRUE(serving.Create());
    sProgramAbove::Subclass(m_hWindow);
    CQmWindowsKeyboard another;
    another.SetDeviceId(3);
    EXPECT_FALSE(another.Create());
    EXPECT_EQ(qmsim::GetWindowProc(m_hWindow), &sProgramAbove::Proc);
    ExpectRouting(2, -1);

    qmsim::FailVirtualAlloc(false);
    ASSERT_TRUE(another.Create());
    ExpectRouting(3, -1);
    another.Destroy();
    serving.Destroy();
    sProgramAbove::PutBack(m_hWindow);
    ExpectRouting(-1, -1);
}

TEST_F(WindowHookTest, ADeviceDeletedWithoutDestroyUnhooks)
{
    Server();
    auto mouse = std::make_unique<CQmWindowsMouse>();
    mouse->SetDeviceId(1);
    ASSERT_TRUE(mouse->Create());
    auto keyboard = std::make_unique<CQmWindowsKeyboard>();
    keyboard->SetDeviceId(2);
    ASSERT_TRUE(keyboard->Create());

    mouse.reset();
    ExpectRouting(2, -1);
    keyboard.reset();
    EXPECT_EQ(qmsim::GetWindowProc(m_hWindow), &GameProc);
    ExpectRouting(-1, -1);
}

}  // namespace
