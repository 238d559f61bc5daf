#include "winmsg/WindowProcChain.h"

#include <algorithm>
#include <vector>

namespace {

// One hook of the module in a window's chain: its procedure and where it keeps
// the procedure it passes messages to.
struct sHookLink {
    HWND m_hWnd;
    WNDPROC m_pHook;
    WNDPROC* m_pNext;
};

// Only Create and Destroy change the list, on the framework's thread; the window
// procedures never read it, so it needs no lock.
std::vector<sHookLink>& Links()
{
    static std::vector<sHookLink> links;
    return links;
}

std::vector<sHookLink>::iterator FindLinkOf(WNDPROC hook)
{
    auto& links = Links();
    return std::find_if(links.begin(), links.end(),
                        [hook](const sHookLink& link) { return link.m_pHook == hook; });
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

// Puts `next` back in place of `hook` if `hook` is the window's procedure.
// When the platform refuses the change, `hook` stays, still passing messages on.
bool RestoreIfOnTop(HWND window, WNDPROC hook, WNDPROC next)
{
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)) != hook)
        return false;
    return ReplaceWindowProc(window, next) == hook;
}

}  // namespace

void InstallWindowProc(HWND window, WNDPROC hook, WNDPROC& next)
{
    next = ReplaceWindowProc(window, hook);
    if (next)
        Links().push_back({window, hook, &next});
}

void RemoveWindowProc(WNDPROC hook, WNDPROC& next)
{
    const auto link = FindLinkOf(hook);
    if (!next || link == Links().end())
        return;
    const HWND window = link->m_hWnd;
    if (sHookLink* later = FindLinkCalling(window, hook))
        *later->m_pNext = next;
    else if (!RestoreIfOnTop(window, hook, next))
        return;
    next = nullptr;
    Links().erase(link);
}

HWND WindowHookedBy(WNDPROC hook)
{
    const auto link = FindLinkOf(hook);
    return link == Links().end() ? nullptr : link->m_hWnd;
}
