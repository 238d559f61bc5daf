// The game window and another program's subclassing procedure come and go in
// every order around the window devices' hooks, on ANSI and Unicode windows.
// The other program puts back the procedure it replaced wherever it now sits,
// as real programs do, cutting out whatever was installed above it. Through all
// of it: the game's procedure gets every message exactly once, unaltered, the
// other procedure every message while it is in the chain, a class whose hook
// was cut out hears nothing until its next Create, only live devices make
// events, and afterwards the same living window and a new one can be hooked.
#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <utility>

#include "WindowMessageTest.h"

namespace {

// Another program's subclassing, of the window's own kind: it keeps what it
// replaced, passes every message on to it, and on leaving puts it back.
struct sForeignProcedure {
    static inline WNDPROC s_pReplaced = nullptr;
    static inline bool s_bUnicode = false;
    static inline int s_nCalls = 0;

    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        ++s_nCalls;
        return s_bUnicode ? CallWindowProcW(s_pReplaced, window, message, wParam, lParam)
                          : CallWindowProcA(s_pReplaced, window, message, wParam, lParam);
    }

    static WNDPROC Replace(HWND window, WNDPROC procedure)
    {
        const auto value = reinterpret_cast<LONG_PTR>(procedure);
        return reinterpret_cast<WNDPROC>(s_bUnicode ? SetWindowLongPtrW(window, GWLP_WNDPROC, value)
                                                    : SetWindowLongPtrA(window, GWLP_WNDPROC, value));
    }

    static void Subclass(HWND window, bool unicode)
    {
        s_bUnicode = unicode;
        s_pReplaced = Replace(window, &Proc);
    }

    static void Unsubclass(HWND window) { Replace(window, s_pReplaced); }
};

enum eClass { kKeyboard, kMouse, kClasses };

// A step's letter: a device of slot 0 or 1 ('0', '1'; created at its first
// step, destroyed and deleted at its second), the foreign procedure ('F';
// subclass, then put back what it replaced) or the window's destruction ('W').
struct sScenario {
    const char* pName;
    std::array<eClass, 2> eSlotClass;
    bool bUnicodeWindow;
};

// What the steps so far make of the window, class by class.
struct sChainModel {
    bool bWindowAlive = true;
    bool bForeignInstalled = false;
    std::array<bool, kClasses> bAboveForeign{};  // the class's hook went in after the foreign one
    std::array<bool, kClasses> bCutOut{};        // the foreign procedure's leaving cut it out
};

class WindowLifetimeTest : public WindowMessageTest {
protected:
    void RunSteps(const std::string& steps, const sScenario& scenario)
    {
        m_hWindow = DefineGameWindow(&GameProc, scenario.bUnicodeWindow);
        m_nCharacter = CharacterOutsideAscii(scenario.bUnicodeWindow);
        std::array<std::unique_ptr<CQmInputDevice>, 2> devices;
        std::array<int, 2> createdAt{};  // steps taken when it was created
        sChainModel model;
        std::string seen;
        for (char step : steps) {
            const bool second = seen.find(step) != std::string::npos;
            seen += step;
            if (step == 'W') {
                qmsim::DestroyTestWindow(m_hWindow);
                model.bWindowAlive = false;
            } else if (step == 'F') {
                second ? Unsubclass(model, devices, scenario) : Subclass(model, scenario.bUnicodeWindow);
            } else {
                const int slot = step - '0';
                const eClass kind = scenario.eSlotClass[slot];
                if (second) {
                    devices[slot]->Destroy();
                    devices[slot].reset();
                    if (!AnyDevice(devices, scenario, kind))
                        model.bAboveForeign[kind] = model.bCutOut[kind] = false;
                } else {
                    devices[slot] = MakeDevice(kind, slot);
                    ASSERT_TRUE(devices[slot]->Create());
                    createdAt[slot] = static_cast<int>(seen.size());
                    model.bCutOut[kind] = false;
                    model.bAboveForeign[kind] = model.bForeignInstalled;
                }
            }
            if (model.bWindowAlive)
                ExpectRouted(devices, createdAt, scenario, model);
        }
        if (model.bWindowAlive)
            ExpectHookedAgain(m_hWindow, scenario.bUnicodeWindow);
        const HWND oldWindow = model.bWindowAlive ? m_hWindow : nullptr;
        ExpectHookedAgain(DefineGameWindow(&GameProc, scenario.bUnicodeWindow), scenario.bUnicodeWindow);
        if (oldWindow)
            qmsim::DestroyTestWindow(oldWindow);
    }

    static WPARAM CharacterOutsideAscii(bool unicode) { return unicode ? 0x0436 : 0xE9; }  // ж; é in Windows-1252

    void Subclass(sChainModel& model, bool unicode)
    {
        if (model.bWindowAlive)
            sForeignProcedure::Subclass(m_hWindow, unicode);
        model.bForeignInstalled = true;
        model.bAboveForeign = {};
    }

    // Put back while a hook serving devices sits above it, it cuts that hook out.
    void Unsubclass(sChainModel& model, const std::array<std::unique_ptr<CQmInputDevice>, 2>& devices,
                    const sScenario& scenario)
    {
        if (model.bWindowAlive)
            sForeignProcedure::Unsubclass(m_hWindow);
        for (int kind = 0; kind < kClasses; ++kind)
            if (model.bAboveForeign[kind] && AnyDevice(devices, scenario, static_cast<eClass>(kind)))
                model.bCutOut[kind] = true;
        model.bForeignInstalled = false;
        model.bAboveForeign = {};
    }

    static bool AnyDevice(const std::array<std::unique_ptr<CQmInputDevice>, 2>& devices, const sScenario& scenario,
                          eClass kind)
    {
        for (int slot = 0; slot < 2; ++slot)
            if (devices[slot] && scenario.eSlotClass[slot] == kind)
                return true;
        return false;
    }

    static std::unique_ptr<CQmInputDevice> MakeDevice(eClass kind, int slot)
    {
        std::unique_ptr<CQmInputDevice> device;
        if (kind == kKeyboard)
            device = std::make_unique<CQmWindowsKeyboard>();
        else
            device = std::make_unique<CQmWindowsMouse>();
        device->SetDeviceId(slot + 1);
        return device;
    }

    // The newest live device of each class that is not cut out gets one event
    // of each of its messages; the foreign procedure sees each message once
    // while it is in the chain.
    void ExpectRouted(const std::array<std::unique_ptr<CQmInputDevice>, 2>& devices,
                      const std::array<int, 2>& createdAt, const sScenario& scenario, const sChainModel& model)
    {
        std::array<long, kClasses> newest{-1, -1};
        std::array<int, kClasses> newestAt{0, 0};
        for (int slot = 0; slot < 2; ++slot) {
            const eClass kind = scenario.eSlotClass[slot];
            if (devices[slot] && createdAt[slot] > newestAt[kind] && !model.bCutOut[kind]) {
                newest[kind] = slot + 1;
                newestAt[kind] = createdAt[slot];
            }
        }
        sForeignProcedure::s_nCalls = 0;
        ExpectRouting(newest[kKeyboard], newest[kMouse]);
        EXPECT_EQ(sForeignProcedure::s_nCalls, model.bForeignInstalled ? 4 : 0);
    }

    // Both classes hook `window` again (what the module left of its hooks
    // there notwithstanding), route its messages while hooked, and afterwards
    // leave them to the game's procedure alone.
    void ExpectHookedAgain(HWND window, bool unicode)
    {
        m_hWindow = window;
        QmGetEnvironmentServer()->SetVariable(CQmString("Display/HWND"),
                                              static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(window)));
        std::array<std::unique_ptr<CQmInputDevice>, 2> devices{MakeDevice(kKeyboard, 2), MakeDevice(kMouse, 3)};
        for (auto& device : devices)
            ASSERT_TRUE(device->Create());
        ExpectRouting(3, 4);
        for (auto& device : devices)
            device->Destroy();
        ExpectRouting(-1, -1);
        EXPECT_EQ(IsWindowUnicode(window) != FALSE, unicode) << "the window changed its kind";
    }
};

const sScenario kScenarios[] = {
    {"a keyboard and a mouse", {kKeyboard, kMouse}, false},
    {"two keyboards", {kKeyboard, kKeyboard}, false},
    {"a keyboard and a mouse on a Unicode window", {kKeyboard, kMouse}, true},
    {"two keyboards on a Unicode window", {kKeyboard, kKeyboard}, true},
};

TEST_F(WindowLifetimeTest, EveryOrderOfHooksForeignProcedureAndWindowDestruction)
{
    Server();
    // With the window destroyed at some step, or kept to the end.
    for (const sScenario& scenario : kScenarios) {
        for (std::string steps : {"0011FFW", "0011FF"}) {
            do {
                SCOPED_TRACE(std::string(scenario.pName) + ": " + steps);
                RunSteps(steps, scenario);
            } while (!HasFatalFailure() && std::next_permutation(steps.begin(), steps.end()));
        }
    }
}

}  // namespace
