// The game host the Windows tests play: a hidden game window whose own
// procedure records every message that reaches it, and the real module DLL
// loaded with LoadLibraryA, its input server made by class name.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tools/monitor-live/Win32GameWindow.h"
#include "tools/monitor/InputHost.h"
#include "tools/monitor/ModuleLibrary.h"

namespace qmwinetest {

struct sWindowMessage {
    UINT nMessage;
    WPARAM wParam;
    LPARAM lParam;

    bool operator==(const sWindowMessage&) const = default;
};

class CTestHost {
public:
    // Throws std::runtime_error when the window, the module or the server is missing.
    CTestHost();
    // Frees the devices, destroys the server, unloads the module.
    ~CTestHost();

    CTestHost(const CTestHost&) = delete;
    CTestHost& operator=(const CTestHost&) = delete;

    qmmonitor::CInputHost& Input() { return m_oInput; }
    CQmInputServer& Server() { return m_oInput.Server(); }
    const qmmonitor::CWin32GameWindow& Window() const { return *m_pWindow; }
    // Destroys the game window, devices still hooked to it, and makes a new
    // one that "Display/HWND" names.
    void RecreateWindow();
    // Frees the devices, destroys the server and unloads the module now.
    void Unload();

    // The class names of the device list, in list order.
    std::vector<std::string> DeviceClasses();
    // The id of the first device of that class, -1 if there is none.
    long FindDevice(const std::string& className);

    // What reached the game's own procedure since the host was made or last forgot.
    static const std::vector<sWindowMessage>& OwnProcedureMessages();
    static void ForgetOwnProcedureMessages();
    // What the game's own procedure answers to a message, distinct per message.
    static LRESULT OwnProcedureResult(UINT message);

    // The events queued since the last call, each printed as it is taken.
    std::vector<std::string> TakeEventLines();
    // Another program's procedure put on `window`, handing every message on to
    // what it replaced; then that program putting back what it replaced.
    static void InstallForeignProcedure(HWND window);
    static void RestoreReplacedByForeign(HWND window);

private:
    std::unique_ptr<qmmonitor::CWin32GameWindow> m_pWindow;
    qmmonitor::CModuleLibrary m_oModule;
    qmmonitor::CInputHost m_oInput;
};

}  // namespace qmwinetest
