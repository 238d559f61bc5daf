// The game window and another program's subclassing procedure come and go in
// every order around the window devices' hooks: the game's procedure still gets
// every message exactly once, the other procedure every message while it is
// installed, only live devices make events, and a new window can be hooked.
#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <utility>

#include "WindowMessageTest.h"

namespace {

// Another program's subclassing: on top it puts back what it replaced; below
// someone else it stays, passing messages on, as the module's own hooks do.
struct sForeignProcedure {
    static inline WNDPROC s_pReplaced = nullptr;
    static inline int s_nCalls = 0;
    bool bInstalled = false;

    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        ++s_nCalls;
        return CallWindowProcA(s_pReplaced, window, message, wParam, lParam);
    }

    void Subclass(HWND window)
    {
        s_pReplaced = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
        bInstalled = s_pReplaced != nullptr;
    }

    void Unsubclass(HWND window)
    {
        if (qmsim::GetWindowProc(window) == &Proc)
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(s_pReplaced));
        bInstalled = false;
    }
};

// A step's letter: a device of slot 0 or 1 ('0', '1'; created at its first
// step, destroyed and deleted at its second), the foreign procedure ('F';
// subclass, then unsubclass) or the window's destruction ('W').
struct sScenario {
    const char* pName;
    std::array<bool, 2> bSlotIsKeyboard;
    bool bUnicodeWindow;
};

class WindowLifetimeTest : public WindowMessageTest {
protected:
    void RunSteps(const std::string& steps, const sScenario& scenario)
    {
        m_hWindow = DefineGameWindow(&GameProc, scenario.bUnicodeWindow);
        std::array<std::unique_ptr<CQmInputDevice>, 2> devices;
        std::array<int, 2> hooked{};  // when it was hooked (steps taken), 0: not
        sForeignProcedure foreign;
        bool windowAlive = true;
        std::string seen;
        for (char step : steps) {
            const bool second = seen.find(step) != std::string::npos;
            seen += step;
            if (step == 'W') {
                qmsim::DestroyTestWindow(m_hWindow);
                windowAlive = false;
            } else if (step == 'F') {
                second ? foreign.Unsubclass(m_hWindow) : foreign.Subclass(m_hWindow);
            } else {
                const int slot = step - '0';
                if (second) {
                    devices[slot]->Destroy();
                    devices[slot].reset();
                } else {
                    devices[slot] = MakeDevice(scenario.bSlotIsKeyboard[slot], slot);
                    ASSERT_TRUE(devices[slot]->Create());
                    hooked[slot] = windowAlive ? static_cast<int>(seen.size()) : 0;
                }
            }
            if (windowAlive)
                ExpectRouted(devices, hooked, scenario, foreign.bInstalled);
        }
        ExpectANewWindowIsHooked(windowAlive ? m_hWindow : nullptr);
    }

    static std::unique_ptr<CQmInputDevice> MakeDevice(bool keyboard, int slot)
    {
        std::unique_ptr<CQmInputDevice> device;
        if (keyboard)
            device = std::make_unique<CQmWindowsKeyboard>();
        else
            device = std::make_unique<CQmWindowsMouse>();
        device->SetDeviceId(slot + 1);
        return device;
    }

    // Key and button messages reach the game once with its answer, the foreign
    // procedure once while installed, and make one event on the live device of
    // their class hooked last.
    void ExpectRouted(const std::array<std::unique_ptr<CQmInputDevice>, 2>& devices,
                      const std::array<int, 2>& hooked, const sScenario& scenario, bool foreignInstalled)
    {
        std::array<long, 2> newest{-1, -1};  // keyboard, mouse
        std::array<int, 2> hookedAt{0, 0};
        for (int slot = 0; slot < 2; ++slot) {
            const int kind = scenario.bSlotIsKeyboard[slot] ? 0 : 1;
            if (devices[slot] && hooked[slot] > hookedAt[kind]) {
                newest[kind] = slot + 1;
                hookedAt[kind] = hooked[slot];
            }
        }
        sForeignProcedure::s_nCalls = 0;
        ExpectRouting(newest[0], newest[1]);
        if (foreignInstalled) {
            EXPECT_EQ(sForeignProcedure::s_nCalls, 3);
        }
    }

    // After all of it, a new game window is hooked by both classes, and given
    // its own procedure back. The old window, if it is still there, keeps its
    // messages to itself, whatever of the module's still lingers on it.
    void ExpectANewWindowIsHooked(HWND oldWindow)
    {
        m_hWindow = DefineGameWindow(&GameProc);
        const sScenario both{"", {true, false}, false};
        std::array<std::unique_ptr<CQmInputDevice>, 2> devices{MakeDevice(true, 0), MakeDevice(false, 1)};
        for (auto& device : devices)
            ASSERT_TRUE(device->Create());
        ExpectRouted(devices, {1, 1}, both, false);
        if (oldWindow) {
            GameCalls().clear();
            qmsim::DeliverMessage(oldWindow, WM_KEYDOWN, 'A', 0x001E0001);
            EXPECT_TRUE(TakeQueuedEvents().empty()) << "a key in the old window";
            ASSERT_EQ(GameCalls().size(), 1u);
            EXPECT_EQ(GameCalls()[0].window, oldWindow);
            qmsim::DestroyTestWindow(oldWindow);
        }
        for (auto& device : devices)
            device->Destroy();
        EXPECT_EQ(qmsim::GetWindowProc(m_hWindow), &GameProc);
        qmsim::DestroyTestWindow(m_hWindow);
    }
};

// On a Unicode window the procedures the module saves are handles that only
// CallWindowProcA can call.
const sScenario kScenarios[] = {
    {"a keyboard and a mouse", {true, false}, false},
    {"two keyboards", {true, true}, false},
    {"a keyboard and a mouse on a Unicode window", {true, false}, true},
};

TEST_F(WindowLifetimeTest, EveryOrderOfHooksForeignProcedureAndWindowDestruction)
{
    Server();
    // With the window destroyed at some step, or kept to the end.
    const std::pair<std::string, int> stepSets[] = {{"0011FFW", 630}, {"0011FF", 90}};
    for (const sScenario& scenario : kScenarios) {
        for (auto [steps, expectedOrders] : stepSets) {
            int orders = 0;
            do {
                SCOPED_TRACE(std::string(scenario.pName) + ": " + steps);
                RunSteps(steps, scenario);
                if (HasFatalFailure())
                    return;
                ++orders;
            } while (std::next_permutation(steps.begin(), steps.end()));
            EXPECT_EQ(orders, expectedOrders);
        }
    }
}

}  // namespace
