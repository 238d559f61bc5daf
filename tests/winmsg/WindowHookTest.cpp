// Hooking and unhooking the game window: failures that leave it alone, the chain
// of procedures in every order of installation and removal, several keyboards,
// and devices that go without Destroy.
#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "WindowMessageTest.h"

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

// ---- Every order of installation and removal ------------------------------

enum class eKind { Mouse, Keyboard };

struct sHookOrderDevice {
    eKind kind;
    long deviceId;
    std::unique_ptr<CQmInputDevice> object;
};

std::unique_ptr<CQmInputDevice> MakeDevice(eKind kind)
{
    if (kind == eKind::Mouse)
        return std::make_unique<CQmWindowsMouse>();
    return std::make_unique<CQmWindowsKeyboard>();
}

// Each device appears twice in `steps`: created at its first step, destroyed
// (Destroy, then deletion) at its second.
std::string Describe(const std::vector<int>& steps, const std::vector<sHookOrderDevice>& devices)
{
    std::ostringstream text;
    std::vector<bool> seen(devices.size());
    for (int step : steps) {
        text << (seen[step] ? "-" : "+") << (devices[step].kind == eKind::Mouse ? "M" : "K")
             << devices[step].deviceId << " ";
        seen[step] = true;
    }
    return text.str();
}

TEST_F(WindowHookTest, EveryInstallAndRemoveOrderKeepsTheGameProcedureReachableOnce)
{
    Server();
    const std::vector<std::vector<eKind>> deviceSets = {
        {eKind::Mouse, eKind::Keyboard},
        {eKind::Keyboard, eKind::Keyboard},
        {eKind::Mouse, eKind::Keyboard, eKind::Keyboard},
    };
    for (const auto& kinds : deviceSets) {
        std::vector<int> steps;
        for (int device = 0; device < static_cast<int>(kinds.size()); ++device)
            steps.insert(steps.end(), {device, device});
        do {
            std::vector<sHookOrderDevice> devices;
            for (std::size_t i = 0; i < kinds.size(); ++i)
                devices.push_back({kinds[i], static_cast<long>(10 + i), nullptr});
            SCOPED_TRACE(Describe(steps, devices));
            qmsim::ClearCallLog();
            // Devices alive, in order of creation.
            std::vector<int> alive;
            for (int step : steps) {
                auto& device = devices[step];
                if (!device.object) {
                    device.object = MakeDevice(device.kind);
                    device.object->SetDeviceId(device.deviceId);
                    ASSERT_TRUE(device.object->Create());
                    alive.push_back(step);
                } else {
                    device.object->Destroy();
                    device.object.reset();
                    alive.erase(std::find(alive.begin(), alive.end(), step));
                }
                long keyboardId = -1;
                long mouseId = -1;
                for (int index : alive)
                    (devices[index].kind == eKind::Mouse ? mouseId : keyboardId) = devices[index].deviceId;
                ExpectRouting(keyboardId, mouseId);
            }
            EXPECT_EQ(qmsim::GetWindowProc(m_hWindow), &GameProc);
            EXPECT_TRUE(PlatformCalls("GetModuleHandleExA").empty()) << "no hook had to stay";
        } while (std::next_permutation(steps.begin(), steps.end()));
    }
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

// Each keyboard goes while another program's procedure sits above its hook, so
// the hook lingers there; the class has four places of its own in chains.
TEST_F(WindowHookTest, CreateFailsOnlyWhileEveryPositionLingersAndWorksOnceTheyLeave)
{
    Server();
    static std::vector<WNDPROC> replaced;
    replaced.clear();
    static const WNDPROC passOn = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        // Each layer finds the procedure it replaced by its depth in the chain.
        static int depth = 0;
        const WNDPROC next = replaced[replaced.size() - 1 - depth];
        ++depth;
        const LRESULT result = CallWindowProcA(next, window, message, wParam, lParam);
        --depth;
        return result;
    };
    for (int position = 0; position < kHookPositions; ++position) {
        CQmWindowsKeyboard keyboard;
        ASSERT_TRUE(keyboard.Create()) << "position " << position;
        replaced.push_back(reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(m_hWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(passOn))));
        keyboard.Destroy();
    }
    CQmWindowsKeyboard keyboard;
    EXPECT_FALSE(keyboard.Create()) << "every position lingers below another program's procedure";
    ExpectRouting(-1, -1);

    // The other program leaves layer by layer; each lingering hook leaves at its next message on top.
    while (!replaced.empty()) {
        SetWindowLongPtrA(m_hWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(replaced.back()));
        replaced.pop_back();
        ExpectRouting(-1, -1);
    }
    EXPECT_EQ(qmsim::GetWindowProc(m_hWindow), &GameProc);
    keyboard.SetDeviceId(7);
    ASSERT_TRUE(keyboard.Create());
    ExpectRouting(7, -1);
    keyboard.Destroy();
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
