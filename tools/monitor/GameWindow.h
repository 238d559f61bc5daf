// The one game window a monitor run owns: its own procedure answers 1 to every
// message and counts what reaches it, and "Display/HWND" in the framework's
// environment says where the input devices find it.
#pragma once

#include "qmsim/windows.h"

namespace qmmonitor {

// What "Display/HWND" holds.
enum class eWindowBinding { Game, Zero, Undefined };

class CGameWindow {
public:
    // Creates the window and binds "Display/HWND" to it.
    CGameWindow();
    ~CGameWindow();

    CGameWindow(const CGameWindow&) = delete;
    CGameWindow& operator=(const CGameWindow&) = delete;

    HWND GetHandle() const { return m_hWnd; }
    void Bind(eWindowBinding binding) const;

    // Through whatever procedure is installed on the window now.
    LRESULT Deliver(UINT message, WPARAM wParam, LPARAM lParam) const;
    // Messages that reached the game's own procedure.
    long GetOwnProcedureMessages() const;
    // False while something else (a hook left behind) is installed.
    bool HasOwnProcedure() const;

private:
    HWND m_hWnd;
};

}  // namespace qmmonitor
