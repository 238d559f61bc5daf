// The game window of a monitor run: its own procedure answers 1 to every
// message and counts what reaches it, and "Display/HWND" in the framework's
// environment says where the input devices find it. The script may destroy it
// and make a new one, and let another program subclass it.
#pragma once

#include "qmsim/windows.h"

namespace qmmonitor {

// What "Display/HWND" holds.
enum class eWindowBinding { Game, UnicodeGame, Zero, Undefined };

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

    // Another program's (0 or 1) pass-on procedure, of the window's kind, goes
    // on top of the window's chain, and later puts back the procedure it
    // replaced, wherever it is in the chain by then; it keeps passing messages
    // on to it should another program put it back in. False when it is
    // installed already, or not.
    bool Subclass(int program);
    bool Unsubclass(int program);

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
    void Create(bool unicode);

    HWND m_hWnd = nullptr;
};

}  // namespace qmmonitor
