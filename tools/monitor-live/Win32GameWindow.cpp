#include "tools/monitor-live/Win32GameWindow.h"

#include <cstdint>

#include "host/QmEnvironmentServer.h"
#include "host/QmString.h"

namespace qmmonitor {
namespace {

const char* const kWindowKey = "Display/HWND";
const char* const kClassName = "QmInputGameWindow";
const int kClientWidth = 480;
const int kClientHeight = 320;

HINSTANCE ExecutableInstance()
{
    return GetModuleHandleA(nullptr);
}

bool RegisterGameClass(WNDPROC procedure)
{
    WNDCLASSA windowClass{};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ExecutableInstance();
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    return RegisterClassA(&windowClass) != 0;
}

HWND CreateGameWindow(const char* title, bool shown)
{
    const DWORD style = WS_OVERLAPPEDWINDOW;
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRect(&frame, style, FALSE);
    HWND window = CreateWindowExA(0, kClassName, title, style, 0, 0, frame.right - frame.left,
                                  frame.bottom - frame.top, nullptr, nullptr,
                                  ExecutableInstance(), nullptr);
    if (window && shown) {
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
        SetForegroundWindow(window);
        SetFocus(window);
    }
    return window;
}

}  // namespace

CWin32GameWindow::CWin32GameWindow(const char* title, WNDPROC procedure, bool shown)
    : m_pProcedure(procedure), m_hWnd(nullptr)
{
    if (!RegisterGameClass(procedure))
        return;
    m_hWnd = CreateGameWindow(title, shown);
    if (m_hWnd) {
        // A window handle's significant bits fit the variable's 32 bits on Windows.
        QmGetEnvironmentServer()->SetVariable(
            kWindowKey, static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(m_hWnd)));
    }
}

CWin32GameWindow::~CWin32GameWindow()
{
    if (m_hWnd) {
        QmGetEnvironmentServer()->RemoveVariable(kWindowKey);
        DestroyWindow(m_hWnd);
    }
    UnregisterClassA(kClassName, ExecutableInstance());
}

WNDPROC CWin32GameWindow::GetInstalledProcedure() const
{
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC));
}

}  // namespace qmmonitor
