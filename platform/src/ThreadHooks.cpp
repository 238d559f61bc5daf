// Thread message hooks (WH_CALLWNDPROC): run on the receiving thread before the
// window's procedure, for messages sent to that thread's windows.
#include <vector>

#include "PlatformState.h"

namespace qmsim::detail {
namespace {

// The hooks still to run for the message the calling thread is handing out,
// newest first; saved and restored around nested messages.
struct HookWalk {
    std::vector<ThreadHook> hooks;
    size_t next = 0;
};
thread_local HookWalk* t_walk = nullptr;

bool IsInstalled(std::uintptr_t handle) {
    auto lock = LockPlatform();
    for (const auto& [thread, hooks] : State().threadHooks)
        for (const ThreadHook& hook : hooks)
            if (hook.handle == handle) return true;
    return false;
}

// The next hook of the walk that is still installed (one unhooked meanwhile is
// skipped, as the platform does), or none.
HOOKPROC NextHook(HookWalk& walk) {
    while (walk.next < walk.hooks.size()) {
        const ThreadHook& hook = walk.hooks[walk.next++];
        if (IsInstalled(hook.handle)) return hook.proc;
    }
    return nullptr;
}

}  // namespace

void RunSendHooks(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool sentByThisThread) {
    HookWalk walk;
    {
        auto lock = LockPlatform();
        auto found = State().threadHooks.find(CurrentThread());
        if (found == State().threadHooks.end() || found->second.empty()) return;
        walk.hooks.assign(found->second.rbegin(), found->second.rend());
    }
    CWPSTRUCT details{lParam, wParam, message, window};
    HookWalk* const outer = t_walk;
    t_walk = &walk;
    if (HOOKPROC first = NextHook(walk))
        first(HC_ACTION, sentByThisThread ? 1 : 0, reinterpret_cast<LPARAM>(&details));
    t_walk = outer;
}

}  // namespace qmsim::detail

using namespace qmsim::detail;

extern "C" {

HHOOK WINAPI SetWindowsHookExA(int idHook, HOOKPROC lpfn, HINSTANCE hmod, DWORD dwThreadId) {
    auto lock = LockPlatform();
    PlatformState& state = State();
    const bool usable = idHook == WH_CALLWNDPROC && lpfn && !hmod && dwThreadId;
    if (IsCallLogging()) Log("SetWindowsHookExA " + std::to_string(idHook) + (usable ? " -> ok" : " -> failed"));
    if (!usable) return nullptr;
    const std::uintptr_t handle = state.nextHookHandle++;
    state.threadHooks[dwThreadId].push_back(ThreadHook{handle, lpfn});
    return reinterpret_cast<HHOOK>(handle);
}

BOOL WINAPI UnhookWindowsHookEx(HHOOK hhk) {
    auto lock = LockPlatform();
    const auto handle = reinterpret_cast<std::uintptr_t>(hhk);
    for (auto& [thread, hooks] : State().threadHooks) {
        for (auto hook = hooks.begin(); hook != hooks.end(); ++hook) {
            if (hook->handle == handle) {
                hooks.erase(hook);
                if (IsCallLogging()) Log("UnhookWindowsHookEx -> ok");
                return TRUE;
            }
        }
    }
    if (IsCallLogging()) Log("UnhookWindowsHookEx -> failed");
    return FALSE;
}

LRESULT WINAPI CallNextHookEx(HHOOK, int nCode, WPARAM wParam, LPARAM lParam) {
    if (!t_walk) return 0;
    HOOKPROC next = NextHook(*t_walk);
    return next ? next(nCode, wParam, lParam) : 0;
}

}  // extern "C"
