#include "tests/wine/TestHost.h"

#include <cstdio>
#include <stdexcept>

namespace qmwinetest {
namespace {

std::vector<sWindowMessage> g_oOwnProcedureMessages;
// Off while the window is being made, which needs the default answers.
bool g_bRecording = false;

LRESULT CALLBACK RecordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!g_bRecording)
        return DefWindowProcA(window, message, wParam, lParam);
    g_oOwnProcedureMessages.push_back({message, wParam, lParam});
    return CTestHost::OwnProcedureResult(message);
}

WNDPROC g_pReplacedByForeign = nullptr;

LRESULT CALLBACK ForeignProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(g_pReplacedByForeign, window, message, wParam, lParam);
}

WNDPROC InstallProcedure(HWND window, WNDPROC procedure)
{
    return reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

std::unique_ptr<qmmonitor::CWin32GameWindow> MakeWindow()
{
    auto window = std::make_unique<qmmonitor::CWin32GameWindow>("qminput wine test", RecordingProcedure, false);
    if (!window->GetHandle())
        throw std::runtime_error("cannot create the game window");
    return window;
}

}  // namespace

CTestHost::CTestHost() : m_pWindow(MakeWindow()), m_oInput(m_oModule)
{
    std::string error;
    if (!m_oModule.Load(qmmonitor::CModuleLibrary::FindModulePath(), error))
        throw std::runtime_error(error);
    m_oInput.Server();
    g_bRecording = true;
}

CTestHost::~CTestHost()
{
    g_bRecording = false;
    Unload();
}

void CTestHost::Unload()
{
    m_oInput.Shutdown();
    m_oModule.Unload();
}

void CTestHost::RecreateWindow()
{
    g_bRecording = false;
    m_pWindow.reset();
    m_pWindow = MakeWindow();
    g_bRecording = true;
}

std::vector<std::string> CTestHost::DeviceClasses()
{
    std::vector<std::string> classes;
    for (long id : m_oInput.DeviceIds()) {
        qmmonitor::CDeviceReference device(Server(), id);
        classes.push_back(device.Get() ? device->GetType().GetName() : "?");
    }
    return classes;
}

long CTestHost::FindDevice(const std::string& className)
{
    for (long id : m_oInput.DeviceIds()) {
        qmmonitor::CDeviceReference device(Server(), id);
        if (device.Get() && className == device->GetType().GetName())
            return id;
    }
    return -1;
}

const std::vector<sWindowMessage>& CTestHost::OwnProcedureMessages()
{
    return g_oOwnProcedureMessages;
}

void CTestHost::ForgetOwnProcedureMessages()
{
    g_oOwnProcedureMessages.clear();
}

LRESULT CTestHost::OwnProcedureResult(UINT message)
{
    return 0x5100 + static_cast<LRESULT>(message);
}

std::vector<std::string> CTestHost::TakeEventLines()
{
    std::vector<std::string> lines = m_oInput.TakeEventLines();
    for (const std::string& line : lines)
        std::printf("  %s\n", line.c_str());
    return lines;
}

void CTestHost::InstallForeignProcedure(HWND window)
{
    g_pReplacedByForeign = InstallProcedure(window, ForeignProcedure);
}

void CTestHost::RestoreReplacedByForeign(HWND window)
{
    InstallProcedure(window, g_pReplacedByForeign);
}

}  // namespace qmwinetest
