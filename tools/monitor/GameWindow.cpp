#include "tools/monitor/GameWindow.h"

#include <cstdint>

#include "host/QmEnvironmentServer.h"
#include "qmsim/Simulation.h"

namespace qmmonitor {
namespace {

const char* const kWindowKey = "Display/HWND";

// A window procedure has no context of its own; there is one game window.
long g_nOwnProcedureMessages = 0;
// What the other program's procedure replaced, null while it is not installed.
WNDPROC g_pReplacedBySubclass = nullptr;

LRESULT CALLBACK GameWindowProc(HWND, UINT, WPARAM, LPARAM)
{
    ++g_nOwnProcedureMessages;
    return 1;
}

LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(g_pReplacedBySubclass, window, message, wParam, lParam);
}

WNDPROC SetWindowProc(HWND window, WNDPROC procedure)
{
    return reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

}  // namespace

CGameWindow::CGameWindow()
{
    Create();
    Bind(eWindowBinding::Game);
}

CGameWindow::~CGameWindow()
{
    QmGetEnvironmentServer()->RemoveVariable(kWindowKey);
    Destroy();
}

void CGameWindow::Create()
{
    m_hWnd = qmsim::CreateTestWindow(GameWindowProc);
    g_nOwnProcedureMessages = 0;
    g_pReplacedBySubclass = nullptr;
}

void CGameWindow::Bind(eWindowBinding binding)
{
    CQmEnvironmentServer* environment = QmGetEnvironmentServer();
    switch (binding) {
    case eWindowBinding::Game:
        if (!IsAlive())
            Create();
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
    g_pReplacedBySubclass = nullptr;
    return true;
}

bool CGameWindow::IsAlive() const
{
    return qmsim::GetWindowProc(m_hWnd) != nullptr;
}

bool CGameWindow::Subclass()
{
    if (g_pReplacedBySubclass || !IsAlive())
        return false;
    g_pReplacedBySubclass = SetWindowProc(m_hWnd, SubclassProc);
    return true;
}

bool CGameWindow::Unsubclass()
{
    if (!g_pReplacedBySubclass)
        return false;
    SetWindowProc(m_hWnd, g_pReplacedBySubclass);
    g_pReplacedBySubclass = nullptr;
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
    if (procedure == SubclassProc)
        procedure = g_pReplacedBySubclass;
    return procedure && procedure != GameWindowProc;
}

}  // namespace qmmonitor
