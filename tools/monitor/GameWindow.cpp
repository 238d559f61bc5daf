#include "tools/monitor/GameWindow.h"

#include <cstdint>

#include "host/QmEnvironmentServer.h"
#include "qmsim/Simulation.h"

namespace qmmonitor {
namespace {

const char* const kWindowKey = "Display/HWND";

// A window procedure has no context of its own; there is one game window.
long g_nOwnProcedureMessages = 0;

LRESULT CALLBACK GameWindowProc(HWND, UINT, WPARAM, LPARAM)
{
    ++g_nOwnProcedureMessages;
    return 1;
}

}  // namespace

CGameWindow::CGameWindow() : m_hWnd(qmsim::CreateTestWindow(GameWindowProc))
{
    g_nOwnProcedureMessages = 0;
    Bind(eWindowBinding::Game);
}

CGameWindow::~CGameWindow()
{
    QmGetEnvironmentServer()->RemoveVariable(kWindowKey);
    qmsim::DestroyTestWindow(m_hWnd);
}

void CGameWindow::Bind(eWindowBinding binding) const
{
    CQmEnvironmentServer* environment = QmGetEnvironmentServer();
    switch (binding) {
    case eWindowBinding::Game:
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

}  // namespace qmmonitor
