// The window-procedure hook shared by the window-message keyboard and mouse:
// a device hooks the game window named by "Display/HWND", turns the messages it
// handles into events and passes every message, handled or not, on to the
// procedure installed before it, exactly once, unaltered, returning that
// result unchanged.
//
// Device derives from CQmWindowHook<Device, HostBase>, supplies
// HandleWindowMessage(UINT, WPARAM, LPARAM) and declares the members a host
// binds by the class's own name, defined with QM_DEFINE_WINDOW_HOOK_MEMBERS:
// Create, Destroy, DoesDeviceNeedPolling and DoesDeviceNeedTrigger, and the
// statics WindowProcNew (the class's procedure in a window's chain),
// CallWindowProcA (hands a message to the saved procedure) and m_pWndProc (the
// saved procedure). Each Device gets its own statics; the keyboard's and the
// mouse's hooks share nothing but the window. The object holds only the
// fields a host knows (m_hWnd, m_pEnvironment); the list of the class's
// devices lives beside it.
//
// All devices of a class that are created share the class's one serving link
// (WindowProcChain.h), on one window at a time: a second keyboard neither hooks
// the window twice nor cuts the first one off. They form a list, most recently
// created first, and the first of them gets the events; when the last one
// leaves, the link stands aside. A Create whose link is no longer reachable
// from the top of the window's chain (another program cut it out, or sits
// above it) puts a new link on top first and only then lets the old one stand
// aside; a Create finds the link's window gone and starts on the new one. A
// Create that returns false has changed nothing.
//
// Create, Destroy and the destructor change the hook's state through
// RunOnWindowThread (WindowThreadCall.h): where another thread pumps the
// window, they return only once that thread can no longer reach the device.
#pragma once

#include <new>

#include "host/QmEnvironmentServer.h"
#include "server/GameWindow.h"
#include "server/PlatformApi.h"
#include "winmsg/WindowProcChain.h"
#include "winmsg/WindowThreadCall.h"

template <class Device, class HostBase>
class CQmWindowHook : public HostBase {
public:
    CQmWindowHook();
    ~CQmWindowHook() override;

protected:
    // What the class's Create and Destroy run.
    bool CreateHook();
    void DestroyHook();
    // What the class's WindowProcNew and CallWindowProcA run.
    static LRESULT RunFirstProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT RunCallWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Whether the serving link passes messages on in the W forms: the window is
    // a Unicode one. Only meaningful inside HandleWindowMessage.
    static bool IsServingUnicode() { return s_oClass.m_pServing && s_oClass.m_pServing->m_bUnicode; }

    HWND m_hWnd;
    CQmEnvironmentServer* m_pEnvironment;

private:
    static LRESULT CALLBACK ThunkProc(void* link, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT HookFrame(sHookLink& link, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    bool JoinHook();
    void LeaveHook();
    bool IsJoined() const;
    struct sJoinedDevice {
        CQmWindowHook* m_pDevice;
        sJoinedDevice* m_pNext;
    };
    struct sJoinRequest {
        CQmWindowHook* m_pDevice;
        sJoinedDevice* m_pEntry;  // made before anything changes; taken by the list
        bool m_bJoined;
    };
    static void JoinHookTask(void* context);
    static void LeaveHookTask(void* device);
    static bool ServeFromTop(HWND window);

    static sHookClass s_oClass;
    // The window the class's devices joined last: where their hook's state is
    // read, so where it is changed.
    static HWND s_hHookWindow;

    // The class's created devices, most recent first: the first is the
    // instance that s_pWindowsKeyboard and s_pWindowsMouse would name as
    // file-scope pointers; a static of the template gives each class its own.
    static sJoinedDevice* s_pDevices;
};

// Defines a window device's own members and statics (declared in its class).
#define QM_DEFINE_WINDOW_HOOK_MEMBERS(Class)                                                                  \
    bool Class::Create() { return CreateHook(); }                                                            \
    void Class::Destroy() { DestroyHook(); }                                                                 \
    bool Class::DoesDeviceNeedPolling() const { return false; }                                              \
    bool Class::DoesDeviceNeedTrigger() const { return false; }                                              \
    WNDPROC Class::m_pWndProc = nullptr;                                                                     \
    LRESULT CALLBACK Class::WindowProcNew(HWND window, UINT message, WPARAM wParam, LPARAM lParam)            \
    {                                                                                                        \
        return RunFirstProc(window, message, wParam, lParam);                                                \
    }                                                                                                        \
    LRESULT CALLBACK Class::CallWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)          \
    {                                                                                                        \
        return RunCallWindowProc(window, message, wParam, lParam);                                           \
    }

template <class Device, class HostBase>
sHookClass CQmWindowHook<Device, HostBase>::s_oClass = {&Device::WindowProcNew, &CQmWindowHook::ThunkProc,
                                                         &Device::m_pWndProc, nullptr, nullptr};

template <class Device, class HostBase>
HWND CQmWindowHook<Device, HostBase>::s_hHookWindow = nullptr;

template <class Device, class HostBase>
typename CQmWindowHook<Device, HostBase>::sJoinedDevice* CQmWindowHook<Device, HostBase>::s_pDevices = nullptr;

template <class Device, class HostBase>
CQmWindowHook<Device, HostBase>::CQmWindowHook() : m_hWnd(nullptr), m_pEnvironment(QmGetEnvironmentServer())
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
bool CQmWindowHook<Device, HostBase>::CreateHook()
{
    if (!HostBase::Create())
        return false;
    if (!m_pEnvironment || !ReadGameWindow(*m_pEnvironment, m_hWnd) || !m_hWnd)
        return false;
    return JoinHook();
}

template <class Device, class HostBase>
void CQmWindowHook<Device, HostBase>::DestroyHook()
{
    LeaveHook();
}

template <class Device, class HostBase>
LRESULT CQmWindowHook<Device, HostBase>::RunCallWindowProc(HWND window, UINT message, WPARAM wParam,
                                                          LPARAM lParam)
{
    if (!*s_oClass.m_pSavedProc || !s_oClass.m_pServing)
        return 0;
    return PassOn(*s_oClass.m_pServing, window, message, wParam, lParam);
}

// WindowProcNew is the class's first link on every window it hooks.
template <class Device, class HostBase>
LRESULT CQmWindowHook<Device, HostBase>::RunFirstProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    sHookLink* link = s_oClass.m_pServing;
    if (!link || link->m_hWnd != window || link->m_pHook != s_oClass.m_pFirstProc)
        link = FindLink(s_oClass, s_oClass.m_pFirstProc, window);
    return link ? HookFrame(*link, window, message, wParam, lParam) : 0;
}

template <class Device, class HostBase>
LRESULT CALLBACK CQmWindowHook<Device, HostBase>::ThunkProc(void* link, HWND window, UINT message,
                                                            WPARAM wParam, LPARAM lParam)
{
    return HookFrame(*static_cast<sHookLink*>(link), window, message, wParam, lParam);
}

// Nothing of the device is touched once the message is passed on: the game's
// procedure may free the devices (or another thread may, while this one pumps
// inside it).
template <class Device, class HostBase>
LRESULT CQmWindowHook<Device, HostBase>::HookFrame(sHookLink& link, HWND window, UINT message, WPARAM wParam,
                                                   LPARAM lParam)
{
    if (&link != s_oClass.m_pServing || window != link.m_hWnd)
        return PassOnAside(s_oClass, link, window, message, wParam, lParam);
    if (s_pDevices)
        static_cast<Device*>(s_pDevices->m_pDevice)->HandleWindowMessage(message, wParam, lParam);
    const LRESULT result = PassOn(link, window, message, wParam, lParam);
    // The window's last message: the link goes with it, and a later Create may
    // hook a new window.
    if (message == WM_NCDESTROY && s_oClass.m_pServing == &link)
        DeleteLink(s_oClass, link);
    return result;
}

template <class Device, class HostBase>
bool CQmWindowHook<Device, HostBase>::JoinHook()
{
    sJoinRequest request{this, new (std::nothrow) sJoinedDevice{this, nullptr}, false};
    if (!request.m_pEntry)
        return false;
    RunOnWindowThread(m_hWnd, &JoinHookTask, &request);
    delete request.m_pEntry;
    return request.m_bJoined;
}

// The class's devices on `window` are served from the top of its chain: by
// the serving link while messages reach it, or by a new one put on top (only
// then does the old one stand aside). False, with nothing changed, when no new
// link can be had. A new link that the platform refuses leaves things as they
// were, and a later Create tries again.
template <class Device, class HostBase>
bool CQmWindowHook<Device, HostBase>::ServeFromTop(HWND window)
{
    sHookLink* serving = s_oClass.m_pServing;
    if (serving && IsReachableFromTop(*serving))
        return true;
    sHookLink* fresh = NewLink(s_oClass, window);
    if (!fresh)
        return false;
    if (!InstallLink(*fresh)) {
        DeleteLink(s_oClass, *fresh);
        return true;
    }
    if (serving)
        StandAside(s_oClass);
    Serve(s_oClass, *fresh);
    return true;
}

// The class's hook serves one window at a time; one whose window is gone is
// forgotten.
template <class Device, class HostBase>
void CQmWindowHook<Device, HostBase>::JoinHookTask(void* context)
{
    auto& request = *static_cast<sJoinRequest*>(context);
    CQmWindowHook& device = *request.m_pDevice;
    RegisterHookClass(s_oClass);
    if (s_oClass.m_pServing && !IsWindow(s_oClass.m_pServing->m_hWnd))
        DeleteLink(s_oClass, *s_oClass.m_pServing);
    if (s_oClass.m_pServing && s_oClass.m_pServing->m_hWnd != device.m_hWnd)
        return;
    if (!ServeFromTop(device.m_hWnd))
        return;
    if (!device.IsJoined()) {
        request.m_pEntry->m_pNext = s_pDevices;
        s_pDevices = request.m_pEntry;
        request.m_pEntry = nullptr;
    }
    s_hHookWindow = device.m_hWnd;
    request.m_bJoined = true;
}

// Runs where the class's hook serves: its devices are that window's thread's.
template <class Device, class HostBase>
void CQmWindowHook<Device, HostBase>::LeaveHook()
{
    if (IsJoined())
        RunOnWindowThread(s_hHookWindow, &LeaveHookTask, this);
}

template <class Device, class HostBase>
void CQmWindowHook<Device, HostBase>::LeaveHookTask(void* device)
{
    for (sJoinedDevice** entry = &s_pDevices; *entry; entry = &(*entry)->m_pNext) {
        if ((*entry)->m_pDevice == device) {
            sJoinedDevice* const joined = *entry;
            *entry = joined->m_pNext;
            delete joined;
            break;
        }
    }
    if (!s_pDevices && s_oClass.m_pServing)
        StandAside(s_oClass);
}

template <class Device, class HostBase>
bool CQmWindowHook<Device, HostBase>::IsJoined() const
{
    for (const sJoinedDevice* joined = s_pDevices; joined; joined = joined->m_pNext)
        if (joined->m_pDevice == this)
            return true;
    return false;
}
