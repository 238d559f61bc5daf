// Changes to the hooks' shared state are made on the thread that runs the
// window's messages, so that a message never meets a half-made change and a
// device is never deleted while that thread is making one of its events. The
// module takes no lock for it: a sent message is the handshake.
//
// Called on the window's own thread (a game with one thread, or a host that
// frees its devices from inside the window's procedure), the change is made at
// once. From another thread, a thread message hook (WH_CALLWNDPROC) goes on the
// window's thread for the time of the request, and a WM_NULL carrying the
// request is sent to the window: the hook makes the change on that thread,
// between its messages, before any window procedure sees the WM_NULL (which
// every procedure passes on or ignores), whatever the window's chain holds. The
// sender waits for it.
//
// Whoever takes the request claims it with one interlocked exchange, so it runs
// exactly once: the window's thread when the request reaches it in time, the
// sender when kWindowThreadTimeoutMs pass first. A request given up on stays
// with its thread (and pins the module, for the hook stays until that thread
// takes the WM_NULL and drops it): until then further requests to that thread
// are not waited for again, so a thread that stopped pumping costs one wait,
// not one per device. A change made on the calling thread is safe only while
// the window's thread is not inside one of the window's messages (the host
// guide's rule: keep the window's thread pumping while devices go).
#pragma once

#include "server/PlatformApi.h"

// How long a window's thread that takes no sent messages is waited for.
constexpr UINT kWindowThreadTimeoutMs = 2000;

using HookTask = void (*)(void* context);

// Runs `task(context)` on the thread of `window` as above; on the calling
// thread when the window is gone.
void RunOnWindowThread(HWND window, HookTask task, void* context);
