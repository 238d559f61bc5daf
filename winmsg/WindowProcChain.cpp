#include "winmsg/WindowProcChain.h"

#include <algorithm>
#include <list>

namespace {

// One hook of the module in a window's chain: its procedure and where it keeps
// the procedure it passes messages to (the class's own saved procedure while it
// serves devices, its own copy while it lingers).
struct sHookLink {
    HWND m_hWnd;
    WNDPROC m_pHook;
    WNDPROC* m_pNext;
    WNDPROC m_pLingeringNext;

    bool IsLingering() const { return m_pNext == &m_pLingeringNext; }
};

// Changed by Create and Destroy on the framework's thread and by a window's last
// message or a lingering hook leaving on the window's thread; games run both on
// one thread. A list, so that a link's own copy keeps its address.
std::list<sHookLink>& Links()
{
    static std::list<sHookLink> links;
    return links;
}

using LinkIterator = std::list<sHookLink>::iterator;

LinkIterator FindLink(WNDPROC hook, bool lingering, HWND window = nullptr)
{
    auto& links = Links();
    return std::find_if(links.begin(), links.end(), [&](const sHookLink& link) {
        return link.m_pHook == hook && link.IsLingering() == lingering && (!window || link.m_hWnd == window);
    });
}

// The hook of the module that passes its messages to `hook`, or null.
sHookLink* FindLinkCalling(HWND window, WNDPROC hook)
{
    for (auto& link : Links())
        if (link.m_hWnd == window && *link.m_pNext == hook)
            return &link;
    return nullptr;
}

WNDPROC ReplaceWindowProc(HWND window, WNDPROC procedure)
{
    return reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

// A window always has a procedure: none means the window is gone.
WNDPROC CurrentWindowProc(HWND window)
{
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
}

// Takes the link's hook out of its window's chain, if anything lets it: true
// when it is out (or its window is gone). When the platform refuses the change
// the hook stays, still passing messages on.
bool TryToLeave(const sHookLink& link)
{
    const WNDPROC next = *link.m_pNext;
    if (sHookLink* later = FindLinkCalling(link.m_hWnd, link.m_pHook)) {
        *later->m_pNext = next;
        return true;
    }
    const WNDPROC current = CurrentWindowProc(link.m_hWnd);
    return !current || (current == link.m_pHook && ReplaceWindowProc(link.m_hWnd, next) == link.m_pHook);
}

// A lingering procedure must stay callable: FreeLibrary may no longer unload us.
void PinModuleOf(WNDPROC hook)
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCSTR>(reinterpret_cast<void*>(hook)), &module);
}

void Linger(sHookLink& link)
{
    link.m_pLingeringNext = *link.m_pNext;
    link.m_pNext = &link.m_pLingeringNext;
    PinModuleOf(link.m_pHook);
}

}  // namespace

void InstallWindowProc(HWND window, WNDPROC hook, WNDPROC& next)
{
    const auto lingering = FindLink(hook, true, window);
    if (lingering != Links().end()) {
        next = lingering->m_pLingeringNext;
        lingering->m_pNext = &next;
        return;
    }
    next = ReplaceWindowProc(window, hook);
    if (next)
        Links().push_back({window, hook, &next, nullptr});
}

void RemoveWindowProc(WNDPROC hook, WNDPROC& next)
{
    const auto link = FindLink(hook, false);
    if (!next || link == Links().end())
        return;
    if (TryToLeave(*link))
        Links().erase(link);
    else
        Linger(*link);
    next = nullptr;
}

void ForgetHookedWindow(WNDPROC hook, WNDPROC& next)
{
    const auto link = FindLink(hook, false);
    if (link != Links().end())
        Links().erase(link);
    next = nullptr;
}

LRESULT PassOnLingering(WNDPROC hook, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto link = FindLink(hook, true, window);
    if (link == Links().end())
        return 0;
    const WNDPROC next = link->m_pLingeringNext;
    if (message == WM_NCDESTROY || TryToLeave(*link))
        Links().erase(link);
    return CallWindowProcA(next, window, message, wParam, lParam);
}
