// The game window of a monitor run: its own procedure answers 1 to every
// message and counts what reaches it, and "Display/HWND" in the framework's
// environment says where the input devices find it. The script may destroy it
// and make a new one, and let another program subclass it.
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
    // Game binds the window, after making a new one if it was destroyed.
    void Bind(eWindowBinding binding);
    // As DestroyWindow does; false when it is destroyed already.
    bool Destroy();
    bool IsAlive() const;

    // Another program's pass-on procedure goes on top of the window's chain,
    // and later puts back the procedure it replaced, wherever it is in the
    // chain by then. False when it is installed already, or not.
    bool Subclass();
    bool Unsubclass();

    // Through whatever procedure is installed on the window now.
    LRESULT Deliver(UINT message, WPARAM wParam, LPARAM lParam) const;
    // Messages that reached the game's own procedure.
    long GetOwnProcedureMessages() const;
    // False while something else (a hook left behind) is installed.
    bool HasOwnProcedure() const;
    // Whether the chain, followed through the procedures the monitor knows,
    // reaches one it does not know: one of the input module's.
    bool HasModuleProcedureInChain() const;

private:
    void Create();

    HWND m_hWnd = nullptr;
};

}  // namespace qmmonitor
