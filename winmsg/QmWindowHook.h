// The window-procedure hook shared by the window-message keyboard and mouse:
// a device hooks the game window named by "Display/HWND", turns the messages it
// handles into events and passes every message, handled or not, on to the
// procedure installed before it, exactly once, returning that result unchanged.
//
// Device derives from CQmWindowHook<Device, HostBase> and supplies
// HandleWindowMessage(UINT, WPARAM, LPARAM). Each Device gets its own set of
// statics; the keyboard's and the mouse's hooks share nothing but the window.
#pragma once

#include <cstdint>

#include "host/QmEnvironmentServer.h"
#include "host/QmString.h"
#include "server/PlatformApi.h"
#include "winmsg/WindowProcChain.h"

template <class Device, class HostBase>
class CQmWindowHook : public HostBase {
public:
    CQmWindowHook();
    ~CQmWindowHook() override;

    bool Create() override;
    void Destroy() override;
    bool DoesDeviceNeedPolling() const override { return false; }
    bool DoesDeviceNeedTrigger() const override { return false; }

    // Hands a message to the procedure the class's hook replaced; 0 without a hook.
    static LRESULT CALLBACK CallWindowProcA(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam);

protected:
    // The class's replacement window procedure.
    static LRESULT CALLBACK WindowProcNew(HWND window, UINT message, WPARAM wParam,
                                         LPARAM lParam);

    HWND m_hWnd;
    CQmEnvironmentServer* m_pEnvironment;

private:
    HWND ReadGameWindow() const;
    bool JoinHook();
    void LeaveHook();
    bool IsJoined() const;

    // The procedure the class's hook replaced; null while the class has no hook
    // in a window's chain.
    static WNDPROC m_pWndProc;
    // The window the class's hook serves its devices on; meaningful while
    // m_pWndProc is set.
    static HWND s_hHookedWindow;

    // The class's instance pointer, what s_pWindowsKeyboard and s_pWindowsMouse
    // would be as file-scope pointers; a static of the template gives each class
    // its own. It names the device that the window procedure makes its events on. All devices of the
    // class that are created share the class's one hook, so that a second
    // keyboard neither hooks the window twice nor cuts the first one off; they
    // form a list, most recently created first, and the first of them gets
    // the events. When the last one leaves, the hook is removed.
    static CQmWindowHook* s_pInstance;
    CQmWindowHook* m_pNextDevice;
};

template <class Device, class HostBase>
WNDPROC CQmWindowHook<Device, HostBase>::m_pWndProc = nullptr;

template <class Device, class HostBase>
CQmWindowHook<Device, HostBase>* CQmWindowHook<Device, HostBase>::s_pInstance = nullptr;

template <class Device, class HostBase>
HWND CQmWindowHook<Device, HostBase>::s_hHookedWindow = nullptr;

template <class Device, class HostBase>
CQmWindowHook<Device, HostBase>::CQmWindowHook()
    : m_hWnd(nullptr), m_pEnvironment(QmGetEnvironmentServer()), m_pNextDevice(nullptr)
{
}

// A device deleted without Destroy leaves the hook too: the window procedure
// must never reach a device that is gone.
template <class Device, class HostBase>
CQmWindowHook<Device, HostBase>::~CQmWindowHook()
{
    LeaveHook();
}

template <class Device, class HostBase>
bool CQmWindowHook<Device, HostBase>::Create()
{
    if (!HostBase::Create())
        return false;
    if (!m_pEnvironment || !m_pEnvironment->HasVariable(CQmString("Display/HWND")))
        return false;
    m_hWnd = ReadGameWindow();
    if (!m_hWnd)
        return false;
    return JoinHook();
}

template <class Device, class HostBase>
void CQmWindowHook<Device, HostBase>::Destroy()
{
    LeaveHook();
}

template <class Device, class HostBase>
LRESULT CALLBACK CQmWindowHook<Device, HostBase>::CallWindowProcA(HWND window, UINT message,
                                                                  WPARAM wParam, LPARAM lParam)
{
    if (!m_pWndProc)
        return 0;
    return ::CallWindowProcA(m_pWndProc, window, message, wParam, lParam);
}

template <class Device, class HostBase>
LRESULT CALLBACK CQmWindowHook<Device, HostBase>::WindowProcNew(HWND window, UINT message,
                                                                WPARAM wParam, LPARAM lParam)
{
    // Another window's messages reach this procedure only through a chain in
    // which the class's hook lingers, serving no device.
    if (!m_pWndProc || window != s_hHookedWindow)
        return PassOnLingering(&WindowProcNew, window, message, wParam, lParam);
    if (s_pInstance)
        static_cast<Device*>(s_pInstance)->HandleWindowMessage(message, wParam, lParam);
    const LRESULT result = CallWindowProcA(window, message, wParam, lParam);
    // The window's last message: the hook goes with it, and a later Create may
    // hook a new window.
    if (message == WM_NCDESTROY)
        ForgetHookedWindow(&WindowProcNew, m_pWndProc);
    return result;
}

template <class Device, class HostBase>
HWND CQmWindowHook<Device, HostBase>::ReadGameWindow() const
{
    const std::uint32_t handle = m_pEnvironment->GetVariable(CQmString("Display/HWND")).m_nValue;
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(handle));
}

// The first device of the class installs the hook; later ones share it. The
// class has one saved procedure, so its hook serves one window at a time.
template <class Device, class HostBase>
bool CQmWindowHook<Device, HostBase>::JoinHook()
{
    if (m_pWndProc && s_hHookedWindow != m_hWnd)
        return false;
    if (!m_pWndProc) {
        InstallWindowProc(m_hWnd, &WindowProcNew, m_pWndProc);
        s_hHookedWindow = m_hWnd;
    }
    if (!IsJoined()) {
        m_pNextDevice = s_pInstance;
        s_pInstance = this;
    }
    return true;
}

template <class Device, class HostBase>
void CQmWindowHook<Device, HostBase>::LeaveHook()
{
    for (CQmWindowHook** link = &s_pInstance; *link; link = &(*link)->m_pNextDevice) {
        if (*link == this) {
            *link = m_pNextDevice;
            m_pNextDevice = nullptr;
            if (!s_pInstance)
                RemoveWindowProc(&WindowProcNew, m_pWndProc);
            return;
        }
    }
}

template <class Device, class HostBase>
bool CQmWindowHook<Device, HostBase>::IsJoined() const
{
    for (const CQmWindowHook* device = s_pInstance; device; device = device->m_pNextDevice)
        if (device == this)
            return true;
    return false;
}
