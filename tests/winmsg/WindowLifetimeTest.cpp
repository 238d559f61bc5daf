// The game window and two other programs' subclassing procedures come and go in
// every order around the window devices' hooks, on ANSI and Unicode windows.
// Each other program puts back the procedure it replaced wherever it now sits,
// as real programs do, cutting out whatever was installed above it (and putting
// back in whatever it had replaced, the module's old procedures included); one
// of them also answers messages it does not know itself. Through all of it: the
// game's procedure gets every message exactly once, unaltered, each other
// procedure every message while it is in the chain, a class whose hook was cut
// out hears nothing until its next Create, only live devices make events, and
// afterwards the same living window and a new one can be hooked.
#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "WindowMessageTest.h"
#include "common/OtherProgram.h"

namespace {

// The second program answers the messages other programs register itself.
using sProgramF = sOtherProgram<0>;
using sProgramH = sOtherProgram<1, true>;

enum eClass { kKeyboard, kMouse, kClasses };

// A step's letter: a device of slot 0 or 1 ('0', '1'; created at its first
// step, destroyed and deleted at its second), another program ('F', 'H';
// subclass, then put back what it replaced) or the window's destruction ('W').
struct sScenario {
    const char* pName;
    std::array<eClass, 2> eSlotClass;
    bool bUnicodeWindow;
};

// The window's chain as the documented rules make it: every procedure passes
// each message to the one it replaced. A class's procedure stays wherever it
// went (stepping aside changes who calls it, never what a message reaches), and
// serves the class's devices until their last one goes or a Create finds it no
// longer reachable from the top through the module's procedures alone.
struct sChainModel {
    enum eNodeKind { kGame, kProgram, kHook };
    struct sNode {
        eNodeKind eKind;
        int nWhose;  // the program (0 'F', 1 'H') or the class
        int nNext;   // the node it passes messages to
    };
    std::vector<sNode> nodes{{kGame, 0, -1}};
    int nTop = 0;
    bool bWindowAlive = true;
    std::array<int, 2> aProgramNode{-1, -1};   // each program's node, kept after it left
    std::array<int, kClasses> aServing{-1, -1};  // each class's serving node

    int Push(eNodeKind kind, int whose)
    {
        nodes.push_back({kind, whose, nTop});
        return nTop = static_cast<int>(nodes.size()) - 1;
    }

    bool ReachesThroughHooksOnly(int node) const
    {
        for (int at = nTop; at >= 0 && nodes[at].eKind == kHook; at = nodes[at].nNext)
            if (at == node)
                return true;
        return false;
    }

    std::vector<int> Reached() const
    {
        std::vector<int> reached;
        for (int at = nTop; at >= 0; at = nodes[at].nNext)
            reached.push_back(at);
        return reached;
    }

    bool Hears(int kind) const
    {
        const std::vector<int> reached = Reached();
        return aServing[kind] >= 0 && std::count(reached.begin(), reached.end(), aServing[kind]) == 1;
    }

    bool Calls(int program) const
    {
        const std::vector<int> reached = Reached();
        return aProgramNode[program] >= 0 &&
               std::count(reached.begin(), reached.end(), aProgramNode[program]) == 1;
    }

    void Create(int kind)
    {
        if (aServing[kind] < 0 || !ReachesThroughHooksOnly(aServing[kind]))
            aServing[kind] = Push(kHook, kind);
    }

    void LastDeviceGone(int kind) { aServing[kind] = -1; }

    void Subclass(int program) { aProgramNode[program] = Push(kProgram, program); }

    void Unsubclass(int program) { nTop = nodes[aProgramNode[program]].nNext; }
};

class WindowLifetimeTest : public WindowMessageTest, public ::testing::WithParamInterface<sScenario> {
protected:
    void RunSteps(const std::string& steps, const sScenario& scenario)
    {
        m_hWindow = DefineGameWindow(&GameProc, scenario.bUnicodeWindow);
        SetCharacter(scenario.bUnicodeWindow);
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
            } else if (step == 'F' || step == 'H') {
                ProgramStep(step == 'F' ? 0 : 1, second, model);
            } else {
                const int slot = step - '0';
                const eClass kind = scenario.eSlotClass[slot];
                if (second) {
                    devices[slot]->Destroy();
                    devices[slot].reset();
                    if (!AnyDevice(devices, scenario, kind))
                        model.LastDeviceGone(kind);
                } else {
                    devices[slot] = MakeDevice(kind, slot);
                    ASSERT_TRUE(devices[slot]->Create());
                    createdAt[slot] = static_cast<int>(seen.size());
                    if (model.bWindowAlive)
                        model.Create(kind);
                }
            }
            if (model.bWindowAlive)
                ExpectRouted(devices, createdAt, scenario, model);
        }
        if (model.bWindowAlive)
            ExpectHookedAgain(m_hWindow, scenario.bUnicodeWindow);
        const HWND oldWindow = model.bWindowAlive ? m_hWindow : nullptr;
        const HWND newWindow = DefineGameWindow(&GameProc, scenario.bUnicodeWindow);
        ExpectHookedAgain(newWindow, scenario.bUnicodeWindow);
        for (HWND window : {oldWindow, newWindow})
            if (window)
                qmsim::DestroyTestWindow(window);
    }

    // é on an ANSI window (Windows-1252); ж on a Unicode one, which an ANSI
    // procedure would receive as '?'.
    void SetCharacter(bool unicode)
    {
        m_nCharacter = unicode ? 0x0436 : 0xE9;
        m_nCharacterKey = unicode ? '?' : 0xE9;
    }

    void ProgramStep(int program, bool second, sChainModel& model)
    {
        if (model.bWindowAlive && program == 0)
            second ? sProgramF::PutBack(m_hWindow) : sProgramF::Subclass(m_hWindow);
        if (model.bWindowAlive && program == 1)
            second ? sProgramH::PutBack(m_hWindow) : sProgramH::Subclass(m_hWindow);
        if (model.bWindowAlive)
            second ? model.Unsubclass(program) : model.Subclass(program);
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

    // The newest live device of each class that hears gets one event of each
    // of its messages; each other program sees each message once while it is
    // in the chain.
    void ExpectRouted(const std::array<std::unique_ptr<CQmInputDevice>, 2>& devices,
                      const std::array<int, 2>& createdAt, const sScenario& scenario, const sChainModel& model)
    {
        std::array<long, kClasses> newest{-1, -1};
        std::array<int, kClasses> newestAt{0, 0};
        for (int slot = 0; slot < 2; ++slot) {
            const eClass kind = scenario.eSlotClass[slot];
            if (devices[slot] && createdAt[slot] > newestAt[kind] && model.Hears(kind)) {
                newest[kind] = slot + 1;
                newestAt[kind] = createdAt[slot];
            }
        }
        sProgramF::s_nCalls = sProgramH::s_nCalls = 0;
        ExpectRouting(newest[kKeyboard], newest[kMouse]);
        EXPECT_EQ(sProgramF::s_nCalls, model.Calls(0) ? 4 : 0);
        EXPECT_EQ(sProgramH::s_nCalls, model.Calls(1) ? 4 : 0);
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
        sProgramF::s_nCalls = sProgramH::s_nCalls = 0;
        ExpectRouting(3, 4);
        for (auto& device : devices)
            device->Destroy();
        ExpectRouting(-1, -1);
        EXPECT_EQ(IsWindowUnicode(window) != FALSE, unicode) << "the window changed its kind";
    }
};

TEST_P(WindowLifetimeTest, EveryOrderOfHooksOtherProgramsAndWindowDestruction)
{
    Server();
    // With the window destroyed at some step, or kept to the end; one other
    // program around two devices, or two other programs around one device.
    for (std::string steps : {"0011FFW", "0011FF", "00FFHHW", "00FFHH", "0011FFHH"}) {
        do {
            SCOPED_TRACE(std::string(GetParam().pName) + ": " + steps);
            RunSteps(steps, GetParam());
        } while (!HasFatalFailure() && std::next_permutation(steps.begin(), steps.end()));
    }
}

INSTANTIATE_TEST_SUITE_P(Scenarios, WindowLifetimeTest,
                         ::testing::Values(sScenario{"a keyboard and a mouse", {kKeyboard, kMouse}, false},
                                           sScenario{"two keyboards", {kKeyboard, kKeyboard}, false},
                                           sScenario{"a keyboard and a mouse on a Unicode window",
                                                     {kKeyboard, kMouse},
                                                     true},
                                           sScenario{"two keyboards on a Unicode window",
                                                     {kKeyboard, kKeyboard},
                                                     true}));

}  // namespace
