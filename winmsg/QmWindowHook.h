// The window-procedure hook shared by the window-message keyboard and mouse:
// a device hooks the game window named by "Display/HWND", turns the messages it
// handles into events and passes every message, handled or not, on to the
// procedure installed before it, exactly once, unaltered, returning that
// result unchanged.
//
// Device derives from CQmWindowHook<Device, HostBase> and supplies
// HandleWindowMessage(UINT, WPARAM, LPARAM). Each Device gets its own set of
// statics; the keyboard's and the mouse's hooks share nothing but the window.
//
// All devices of a class that are created share the class's one serving hook,
// on one window at a time: a second keyboard neither hooks the window twice nor
// cuts the first one off. They form a list, most recently created first, and
// the first of them gets the events; when the last one leaves, the hook is
// removed. The hook is one of the class's kHookPositions procedures (see
// WindowProcChain.h): a Create whose hook is no longer reachable from the top
// of the window's chain (another program cut it out, or sits above it) puts a
// fresh position on top and leaves the old one lingering; a Create finds the
// hook's window gone and starts on the new one. Create fails only when every
// position still lingers in some chain.
//
// Create, Destroy and the destructor change the hook's state through
// RunOnWindowThread (WindowThreadCall.h): where another thread pumps the
// window, they return only once that thread can no longer reach the device.
#pragma once

#include "host/QmEnvironmentServer.h"
#include "server/GameWindow.h"
#include "server/PlatformApi.h"
#include "winmsg/WindowProcChain.h"
#include "winmsg/WindowThreadCall.h"

constexpr int kHookPositions = 4;

template <class Device, class HostBase>
class CQmWindowHook : public HostBase {
public:
    CQmWindowHook();
    ~CQmWindowHook() override;

    bool Create() override;
    void Destroy() override;
    bool DoesDeviceNeedPolling() const override { return false; }
    bool DoesDeviceNeedTrigger() const override { return false; }

    // Hands a message to the procedure the class's hook replaced, in the
    // window's kind; 0 without a hook.
    static LRESULT CALLBACK CallWindowProcA(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam);

protected:
    // The class's replacement window procedure: its first chain position.
    static LRESULT CALLBACK WindowProcNew(HWND window, UINT message, WPARAM wParam,
                                         LPARAM lParam);

    HWND m_hWnd;
    CQmEnvironmentServer* m_pEnvironment;

private:
    template <int Position>
    static LRESULT CALLBACK PositionProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT HookFrame(sHookLink& link, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    bool JoinHook();
    void LeaveHook();
    bool IsJoined() const;
    struct sJoinRequest {
        CQmWindowHook* m_pDevice;
        bool m_bJoined;
    };
    static void JoinHookTask(void* context);
    static void LeaveHookTask(void* device);

    // The procedure the serving hook replaced; null while the class has no hook
    // serving its devices.
    static WNDPROC m_pWndProc;
    // The class's chain positions, and the one serving its devices (or null).
    static sHookLink s_aLinks[kHookPositions];
    static sHookLink* s_pServingLink;

    // The class's instance pointer, what s_pWindowsKeyboard and s_pWindowsMouse
    // would be as file-scope pointers; a static of the template gives each class
    // its own. It heads the list of the class's created devices.
    static CQmWindowHook* s_pInstance;
    CQmWindowHook* m_pNextDevice;
};

template <class Device, class HostBase>
WNDPROC CQmWindowHook<Device, HostBase>::m_pWndProc = nullptr;

template <class Device, class HostBase>
sHookLink CQmWindowHook<Device, HostBase>::s_aLinks[kHookPositions] = {
    {&CQmWindowHook::WindowProcNew, nullptr, nullptr, nullptr, false},
    {&CQmWindowHook::PositionProc<1>, nullptr, nullptr, nullptr, false},
    {&CQmWindowHook::PositionProc<2>, nullptr, nullptr, nullptr, false},
    {&CQmWindowHook::PositionProc<3>, nullptr, nullptr, nullptr, false},
};

template <class Device, class HostBase>
sHookLink* CQmWindowHook<Device, HostBase>::s_pServingLink = nullptr;

template <class Device, class HostBase>
CQmWindowHook<Device, HostBase>* CQmWindowHook<Device, HostBase>::s_pInstance = nullptr;

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
    if (!m_pEnvironment || !ReadGameWindow(*m_pEnvironment, m_hWnd) || !m_hWnd)
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
    if (!m_pWndProc || !s_pServingLink)
        return 0;
    return PassOn(*s_pServingLink, window, message, wParam, lParam);
}

template <class Device, class HostBase>
LRESULT CALLBACK CQmWindowHook<Device, HostBase>::WindowProcNew(HWND window, UINT message,
                                                                WPARAM wParam, LPARAM lParam)
{
    return HookFrame(s_aLinks[0], window, message, wParam, lParam);
}

template <class Device, class HostBase>
template <int Position>
LRESULT CALLBACK CQmWindowHook<Device, HostBase>::PositionProc(HWND window, UINT message,
                                                               WPARAM wParam, LPARAM lParam)
{
    return HookFrame(s_aLinks[Position], window, message, wParam, lParam);
}

// Nothing of the device is touched once the message is passed on: the game's
// procedure may free the devices (or another thread may, while this one pumps
// inside it).
template <class Device, class HostBase>
LRESULT CQmWindowHook<Device, HostBase>::HookFrame(sHookLink& link, HWND window, UINT message,
                                                   WPARAM wParam, LPARAM lParam)
{
    if (IsHookTaskMessage(message))
        return RunSentHookTask(lParam);
    if (&link != s_pServingLink || window != link.m_hWnd)
        return PassOnLingering(link, window, message, wParam, lParam);
    if (s_pInstance)
        static_cast<Device*>(s_pInstance)->HandleWindowMessage(message, wParam, lParam);
    const LRESULT result = PassOn(link, window, message, wParam, lParam);
    // The window's last message: the hook goes with it, and a later Create may
    // hook a new window.
    if (message == WM_NCDESTROY && s_pServingLink == &link && link.m_hWnd == window) {
        FreeLink(link);
        s_pServingLink = nullptr;
    }
    return result;
}

template <class Device, class HostBase>
bool CQmWindowHook<Device, HostBase>::JoinHook()
{
    sJoinRequest request{this, false};
    RunOnWindowThread(m_hWnd, &JoinHookTask, &request);
    return request.m_bJoined;
}

// The class's hook serves one window at a time; one whose window is gone is
// forgotten, and one that messages may no longer reach is left lingering for a
// fresh one on top.
template <class Device, class HostBase>
void CQmWindowHook<Device, HostBase>::JoinHookTask(void* context)
{
    auto& request = *static_cast<sJoinRequest*>(context);
    CQmWindowHook& device = *request.m_pDevice;
    RegisterHookLinks(s_aLinks, kHookPositions);
    if (s_pServingLink && !IsWindow(s_pServingLink->m_hWnd)) {
        FreeLink(*s_pServingLink);
        s_pServingLink = nullptr;
    }
    if (s_pServingLink && s_pServingLink->m_hWnd != device.m_hWnd)
        return;
    if (s_pServingLink && !IsReachableFromTop(*s_pServingLink)) {
        LingerLink(*s_pServingLink);
        s_pServingLink = nullptr;
    }
    sHookLink* newLink = nullptr;
    if (!s_pServingLink) {
        newLink = TakeFreeLink(s_aLinks, kHookPositions);
        if (!newLink)
            return;
    }
    // Everything the window procedure reads is in place before the window can
    // call it, which may be at once, on the window's own thread.
    if (!device.IsJoined()) {
        device.m_pNextDevice = s_pInstance;
        s_pInstance = &device;
    }
    request.m_bJoined = true;
    if (!newLink)
        return;
    s_pServingLink = newLink;
    // A refused hook still counts as the window found; a later Create tries again.
    if (!InstallLink(*newLink, device.m_hWnd, m_pWndProc))
        s_pServingLink = nullptr;
}

// Runs where the class's hook serves: its devices are that window's thread's.
template <class Device, class HostBase>
void CQmWindowHook<Device, HostBase>::LeaveHook()
{
    if (IsJoined())
        RunOnWindowThread(s_pServingLink ? s_pServingLink->m_hWnd : m_hWnd, &LeaveHookTask, this);
}

template <class Device, class HostBase>
void CQmWindowHook<Device, HostBase>::LeaveHookTask(void* device)
{
    for (CQmWindowHook** entry = &s_pInstance; *entry; entry = &(*entry)->m_pNextDevice) {
        if (*entry == device) {
            *entry = (*entry)->m_pNextDevice;
            static_cast<CQmWindowHook*>(device)->m_pNextDevice = nullptr;
            break;
        }
    }
    if (!s_pInstance && s_pServingLink) {
        RemoveLink(*s_pServingLink);
        s_pServingLink = nullptr;
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
