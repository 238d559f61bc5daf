#include "winmsg/WindowProcChain.h"

namespace {

// The classes of window devices: the keyboard's and the mouse's, with room to spare.
constexpr int kMaxHookClasses = 4;

struct sClassLinks {
    sHookLink* m_pLinks;
    int m_nCount;
};

sClassLinks g_aClassLinks[kMaxHookClasses];

template <class Visit>
sHookLink* FindLink(Visit&& matches)
{
    for (const sClassLinks& entry : g_aClassLinks)
        for (int position = 0; position < entry.m_nCount; ++position)
            if (!entry.m_pLinks[position].IsFree() && matches(entry.m_pLinks[position]))
                return &entry.m_pLinks[position];
    return nullptr;
}

// The module's link in `window` whose procedure is `procedure`.
sHookLink* FindLinkOf(HWND window, WNDPROC procedure)
{
    return FindLink([&](const sHookLink& link) { return link.m_hWnd == window && link.m_pHook == procedure; });
}

// The module's link in the same chain that passes its messages to `link`.
sHookLink* FindLinkCalling(const sHookLink& link)
{
    return FindLink([&](const sHookLink& other) {
        return other.m_hWnd == link.m_hWnd && *other.m_pNext == link.m_pHook && other.m_bUnicode == link.m_bUnicode;
    });
}

// The window's procedure as a caller of the link's kind sees it: a procedure
// of the other kind shows as a handle that only CallWindowProcA/W can call.
WNDPROC CurrentWindowProc(HWND window, bool unicode)
{
    const LONG_PTR value =
        unicode ? GetWindowLongPtrW(window, GWLP_WNDPROC) : GetWindowLongPtrA(window, GWLP_WNDPROC);
    return reinterpret_cast<WNDPROC>(value);
}

WNDPROC ReplaceWindowProc(HWND window, WNDPROC procedure, bool unicode)
{
    const auto value = reinterpret_cast<LONG_PTR>(procedure);
    return reinterpret_cast<WNDPROC>(unicode ? SetWindowLongPtrW(window, GWLP_WNDPROC, value)
                                             : SetWindowLongPtrA(window, GWLP_WNDPROC, value));
}

LRESULT CallProcedure(WNDPROC procedure, bool unicode, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return unicode ? CallWindowProcW(procedure, window, message, wParam, lParam)
                   : CallWindowProcA(procedure, window, message, wParam, lParam);
}

// Takes the link out of its window's chain, if anything lets it: true when it
// is out (or its window is gone). When the platform refuses the change the
// link stays, still passing messages on.
bool TryToLeave(const sHookLink& link)
{
    const WNDPROC next = *link.m_pNext;
    if (sHookLink* above = FindLinkCalling(link)) {
        *above->m_pNext = next;
        return true;
    }
    const WNDPROC current = CurrentWindowProc(link.m_hWnd, link.m_bUnicode);
    return !current ||
           (current == link.m_pHook && ReplaceWindowProc(link.m_hWnd, next, link.m_bUnicode) == link.m_pHook);
}

// A lingering procedure must stay callable: FreeLibrary may no longer unload us.
void PinModuleOf(WNDPROC hook)
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCSTR>(reinterpret_cast<void*>(hook)), &module);
}

}  // namespace

void RegisterHookLinks(sHookLink* links, int count)
{
    for (sClassLinks& entry : g_aClassLinks) {
        if (entry.m_pLinks == links)
            return;
        if (!entry.m_pLinks) {
            entry = {links, count};
            return;
        }
    }
}

sHookLink* TakeFreeLink(sHookLink* links, int count)
{
    sHookLink* free = nullptr;
    for (int position = count - 1; position >= 0; --position) {
        sHookLink& link = links[position];
        if (link.IsLingering() && !IsWindow(link.m_hWnd))
            FreeLink(link);
        if (link.IsFree())
            free = &link;
    }
    return free;
}

bool InstallLink(sHookLink& link, HWND window, WNDPROC& next)
{
    const bool unicode = IsWindowUnicode(window) != FALSE;
    // The window may call the link as soon as it is installed, on its own thread.
    next = CurrentWindowProc(window, unicode);
    link.m_hWnd = window;
    link.m_pNext = &next;
    link.m_pOwnNext = nullptr;
    link.m_bUnicode = unicode;
    const WNDPROC replaced = ReplaceWindowProc(window, link.m_pHook, unicode);
    if (!replaced) {
        FreeLink(link);
        return false;
    }
    // Someone else subclassed the window in between.
    if (replaced != next)
        next = replaced;
    return true;
}

bool IsReachableFromTop(const sHookLink& link)
{
    WNDPROC procedure = CurrentWindowProc(link.m_hWnd, link.m_bUnicode);
    for (int hops = 0; procedure && hops <= kMaxHookClasses * 8; ++hops) {
        if (procedure == link.m_pHook)
            return true;
        const sHookLink* ours = FindLinkOf(link.m_hWnd, procedure);
        if (!ours || ours->m_bUnicode != link.m_bUnicode)
            return false;
        procedure = *ours->m_pNext;
    }
    return false;
}

void RemoveLink(sHookLink& link)
{
    if (TryToLeave(link))
        FreeLink(link);
    else
        LingerLink(link);
}

void LingerLink(sHookLink& link)
{
    WNDPROC& classNext = *link.m_pNext;
    link.m_pOwnNext = classNext;
    link.m_pNext = &link.m_pOwnNext;
    classNext = nullptr;
    PinModuleOf(link.m_pHook);
}

void FreeLink(sHookLink& link)
{
    if (link.m_pNext)
        *link.m_pNext = nullptr;
    link.m_hWnd = nullptr;
    link.m_pNext = nullptr;
    link.m_pOwnNext = nullptr;
}

LRESULT PassOn(const sHookLink& link, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallProcedure(*link.m_pNext, link.m_bUnicode, window, message, wParam, lParam);
}

LRESULT PassOnLingering(sHookLink& link, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!link.IsLingering() || link.m_hWnd != window)
        return 0;
    const WNDPROC next = link.m_pOwnNext;
    const bool unicode = link.m_bUnicode;
    if (message == WM_NCDESTROY || TryToLeave(link))
        FreeLink(link);
    return CallProcedure(next, unicode, window, message, wParam, lParam);
}
