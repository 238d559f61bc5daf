#include "tools/monitor/GameWindow.h"

#include <cstdint>

#include "host/QmEnvironmentServer.h"
#include "qmsim/Simulation.h"

namespace qmmonitor {
namespace {

const char* const kWindowKey = "Display/HWND";

// A window procedure has no context of its own; there is one game window.
long g_nOwnProcedureMessages = 0;
// The other programs: what each one's procedure replaced (kept after it left,
// as real programs keep it), whether it is installed, and its kind.
struct sOtherProgram {
    WNDPROC pReplaced = nullptr;
    bool bInstalled = false;
    bool bUnicode = false;
};
sOtherProgram g_aPrograms[2];

LRESULT CALLBACK GameWindowProc(HWND, UINT, WPARAM, LPARAM)
{
    ++g_nOwnProcedureMessages;
    return 1;
}

template <int Program>
LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const sOtherProgram& program = g_aPrograms[Program];
    return program.bUnicode ? CallWindowProcW(program.pReplaced, window, message, wParam, lParam)
                            : CallWindowProcA(program.pReplaced, window, message, wParam, lParam);
}

constexpr WNDPROC kSubclassProcs[] = {SubclassProc<0>, SubclassProc<1>};

WNDPROC SetWindowProc(HWND window, WNDPROC procedure, bool unicode)
{
    const auto value = reinterpret_cast<LONG_PTR>(procedure);
    return reinterpret_cast<WNDPROC>(unicode ? SetWindowLongPtrW(window, GWLP_WNDPROC, value)
                                             : SetWindowLongPtrA(window, GWLP_WNDPROC, value));
}

}  // namespace

CGameWindow::CGameWindow()
{
    Create(false);
    Bind(eWindowBinding::Game);
}

CGameWindow::~CGameWindow()
{
    QmGetEnvironmentServer()->RemoveVariable(kWindowKey);
    Destroy();
}

void CGameWindow::Create(bool unicode)
{
    m_hWnd = qmsim::CreateTestWindow(GameWindowProc, unicode);
    g_nOwnProcedureMessages = 0;
    for (sOtherProgram& program : g_aPrograms)
        program = {};
}

void CGameWindow::Bind(eWindowBinding binding)
{
    CQmEnvironmentServer* environment = QmGetEnvironmentServer();
    switch (binding) {
    case eWindowBinding::UnicodeGame:
        if (IsAlive() && !IsWindowUnicode(m_hWnd))
            Destroy();
        if (!IsAlive())
            Create(true);
        environment->SetVariable(
            kWindowKey, static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(m_hWnd)));
        break;
    case eWindowBinding::Game:
        if (!IsAlive())
            Create(false);
        // Handles of the simulated platform fit the variable's 32 bits.
        environment->SetVariable(
            kWindowKey, static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(m_hWnd)));
        break;
    case eWindowBinding::Zero:
        environment->SetVariable(kWindowKey, 0);
        break;
    case eWindowBinding::Undefined:
        environment->RemoveVariable(kWindowKey);
        break;
    }
}

bool CGameWindow::Destroy()
{
    if (!IsAlive())
        return false;
    qmsim::DestroyTestWindow(m_hWnd);
    for (sOtherProgram& program : g_aPrograms)
        program = {};
    return true;
}

bool CGameWindow::IsAlive() const
{
    return qmsim::GetWindowProc(m_hWnd) != nullptr;
}

bool CGameWindow::Subclass(int program)
{
    sOtherProgram& other = g_aPrograms[program];
    if (other.bInstalled || !IsAlive())
        return false;
    other.bUnicode = IsWindowUnicode(m_hWnd) != FALSE;
    other.pReplaced = SetWindowProc(m_hWnd, kSubclassProcs[program], other.bUnicode);
    other.bInstalled = true;
    return true;
}

bool CGameWindow::Unsubclass(int program)
{
    sOtherProgram& other = g_aPrograms[program];
    if (!other.bInstalled)
        return false;
    SetWindowProc(m_hWnd, other.pReplaced, other.bUnicode);
    other.bInstalled = false;
    return true;
}

LRESULT CGameWindow::Deliver(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return qmsim::DeliverMessage(m_hWnd, message, wParam, lParam);
}

long CGameWindow::GetOwnProcedureMessages() const
{
    return g_nOwnProcedureMessages;
}

bool CGameWindow::HasOwnProcedure() const
{
    return qmsim::GetWindowProc(m_hWnd) == GameWindowProc;
}

bool CGameWindow::HasModuleProcedureInChain() const
{
    WNDPROC procedure = qmsim::GetWindowProc(m_hWnd);
    // The other programs' procedures pass on to what they replaced, in any order.
    for (int hops = 0; hops < 4 && (procedure == kSubclassProcs[0] || procedure == kSubclassProcs[1]); ++hops)
        procedure = g_aPrograms[procedure == kSubclassProcs[0] ? 0 : 1].pReplaced;
    return procedure && procedure != GameWindowProc;
}

}  // namespace qmmonitor
