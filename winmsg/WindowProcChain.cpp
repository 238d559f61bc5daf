#include "winmsg/WindowProcChain.h"

#include "winmsg/ModulePin.h"

namespace {

// The classes of window devices: the keyboard's and the mouse's, with room to spare.
constexpr int kMaxHookClasses = 4;

sHookClass* g_apClasses[kMaxHookClasses];

template <class Matches>
sHookLink* FindAnyLink(Matches&& matches)
{
    for (sHookClass* hookClass : g_apClasses)
        if (hookClass)
            for (sHookLink* link = hookClass->m_pLinks; link; link = link->m_pNextLink)
                if (matches(*link))
                    return link;
    return nullptr;
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

// Takes the link out of its window's chain where anything lets it: it is on
// top, or one of the module's links reachable from the top calls it. Every
// link of the module that calls it passes over it from now on. True when it is
// out for sure (or its window is gone); otherwise it stays, passing messages
// on, and another program's procedure may sit above it.
bool TryToStepOut(const sHookLink& link)
{
    const WNDPROC next = *link.m_pNext;
    const WNDPROC current = CurrentWindowProc(link.m_hWnd, link.m_bUnicode);
    if (!current)
        return true;
    if (current == link.m_pHook)
        return ReplaceWindowProc(link.m_hWnd, next, link.m_bUnicode) == link.m_pHook;
    bool out = false;
    for (sHookClass* hookClass : g_apClasses) {
        for (sHookLink* other = hookClass ? hookClass->m_pLinks : nullptr; other; other = other->m_pNextLink) {
            if (other->m_hWnd == link.m_hWnd && *other->m_pNext == link.m_pHook &&
                other->m_bUnicode == link.m_bUnicode) {
                out = out || IsReachableFromTop(*other);
                *other->m_pNext = next;
            }
        }
    }
    return out;
}

void DeleteDeadWindowLinks(sHookClass& hookClass)
{
    for (sHookLink* link = hookClass.m_pLinks; link;) {
        sHookLink* const next = link->m_pNextLink;
        if (link != hookClass.m_pServing && !IsWindow(link->m_hWnd))
            DeleteLink(hookClass, *link);
        link = next;
    }
}

// The links' own memory goes with the module; a link still in a chain then
// would be the host's fault (devices not freed before unloading).
struct sLinksAtUnload {
    ~sLinksAtUnload()
    {
        DeleteAllLinks();
        ReleaseProcThunks();
    }
} g_oLinksAtUnload;

}  // namespace

void RegisterHookClass(sHookClass& hookClass)
{
    for (sHookClass*& entry : g_apClasses) {
        if (entry == &hookClass)
            return;
        if (!entry) {
            entry = &hookClass;
            return;
        }
    }
}

sHookLink* NewLink(sHookClass& hookClass, HWND window)
{
    DeleteDeadWindowLinks(hookClass);
    auto* link = new sHookLink{hookClass.m_pFirstProc, window, nullptr, nullptr, false, nullptr};
    link->m_pNext = &link->m_pOwnNext;
    if (FindLink(hookClass, hookClass.m_pFirstProc, window))
        link->m_pHook = MakeProcThunk(hookClass.m_pThunkTarget, link);
    if (!link->m_pHook) {
        delete link;
        return nullptr;
    }
    link->m_pNextLink = hookClass.m_pLinks;
    hookClass.m_pLinks = link;
    return link;
}

bool InstallLink(sHookLink& link)
{
    const bool unicode = IsWindowUnicode(link.m_hWnd) != FALSE;
    // The window may call the link as soon as it is installed.
    link.m_bUnicode = unicode;
    link.m_pOwnNext = CurrentWindowProc(link.m_hWnd, unicode);
    const WNDPROC replaced = ReplaceWindowProc(link.m_hWnd, link.m_pHook, unicode);
    // Someone else subclassed the window in between.
    if (replaced)
        link.m_pOwnNext = replaced;
    return replaced != nullptr;
}

void Serve(sHookClass& hookClass, sHookLink& link)
{
    *hookClass.m_pSavedProc = *link.m_pNext;
    link.m_pNext = hookClass.m_pSavedProc;
    hookClass.m_pServing = &link;
}

void StandAside(sHookClass& hookClass)
{
    sHookLink& link = *hookClass.m_pServing;
    link.m_pOwnNext = *link.m_pNext;
    link.m_pNext = &link.m_pOwnNext;
    *hookClass.m_pSavedProc = nullptr;
    hookClass.m_pServing = nullptr;
    if (!TryToStepOut(link))
        PinThisModule();
}

bool IsReachableFromTop(const sHookLink& link)
{
    WNDPROC procedure = CurrentWindowProc(link.m_hWnd, link.m_bUnicode);
    for (int hops = 0; procedure && hops <= 64; ++hops) {
        if (procedure == link.m_pHook)
            return true;
        const sHookLink* ours = FindAnyLink([&](const sHookLink& other) {
            return other.m_hWnd == link.m_hWnd && other.m_pHook == procedure;
        });
        if (!ours || ours->m_bUnicode != link.m_bUnicode)
            return false;
        procedure = *ours->m_pNext;
    }
    return false;
}

void DeleteLink(sHookClass& hookClass, sHookLink& link)
{
    for (sHookLink** entry = &hookClass.m_pLinks; *entry; entry = &(*entry)->m_pNextLink) {
        if (*entry == &link) {
            *entry = link.m_pNextLink;
            break;
        }
    }
    if (hookClass.m_pServing == &link) {
        *hookClass.m_pSavedProc = nullptr;
        hookClass.m_pServing = nullptr;
    }
    if (link.m_pHook != hookClass.m_pFirstProc)
        FreeProcThunk(link.m_pHook);
    delete &link;
}

void DeleteAllLinks()
{
    for (sHookClass* hookClass : g_apClasses)
        while (hookClass && hookClass->m_pLinks)
            DeleteLink(*hookClass, *hookClass->m_pLinks);
}

sHookLink* FindLink(const sHookClass& hookClass, WNDPROC procedure, HWND window)
{
    for (sHookLink* link = hookClass.m_pLinks; link; link = link->m_pNextLink)
        if (link->m_pHook == procedure && link->m_hWnd == window)
            return link;
    return nullptr;
}

LRESULT PassOn(const sHookLink& link, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallProcedure(*link.m_pNext, link.m_bUnicode, window, message, wParam, lParam);
}

LRESULT PassOnAside(sHookClass& hookClass, sHookLink& link, HWND window, UINT message, WPARAM wParam,
                    LPARAM lParam)
{
    if (link.m_hWnd != window)
        return 0;
    const WNDPROC next = *link.m_pNext;
    const bool unicode = link.m_bUnicode;
    if (message != WM_NCDESTROY)
        TryToStepOut(link);
    const LRESULT result = CallProcedure(next, unicode, window, message, wParam, lParam);
    if (message == WM_NCDESTROY)
        DeleteLink(hookClass, link);
    return result;
}
