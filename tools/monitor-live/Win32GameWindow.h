// A real Win32 game window for a host running the input module: a class that
// asks for double-click messages, a procedure of the host's choosing, and
// "Display/HWND" in the framework's environment naming the window for as long
// as it exists.
#pragma once

#include <windows.h>

namespace qmmonitor {

class CWin32GameWindow {
public:
    // `procedure` is the game's own procedure. A hidden window only receives
    // what is sent to it; a shown one is brought to the front for real input.
    CWin32GameWindow(const char* title, WNDPROC procedure, bool shown);
    ~CWin32GameWindow();

    CWin32GameWindow(const CWin32GameWindow&) = delete;
    CWin32GameWindow& operator=(const CWin32GameWindow&) = delete;

    // Null when the window could not be made.
    HWND GetHandle() const { return m_hWnd; }
    WNDPROC GetOwnProcedure() const { return m_pProcedure; }
    // The procedure installed on the window now.
    WNDPROC GetInstalledProcedure() const;

private:
    WNDPROC m_pProcedure;
    HWND m_hWnd;
};

}  // namespace qmmonitor
