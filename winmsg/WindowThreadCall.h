// Changes to the hooks' shared state are made on the thread that runs the
// window's messages, so that a message never meets a half-made change and a
// device is never deleted while that thread is making one of its events. The
// module takes no lock for it: the platform's sent message is the handshake.
//
// Called on the window's own thread (a game with one thread, or a host that
// frees its devices from inside the window's procedure), the change is made at
// once. From another thread, a message private to the module is sent to the
// window; the first of the module's procedures in its chain makes the change
// while that thread is between messages, and the sender waits for it. Where no
// procedure of the module takes the message (none is reachable in that chain)
// the change is made on the calling thread once the window's thread has
// answered, and so has left every message it was in. A window's thread that
// does not take sent messages within kWindowThreadTimeoutMs is not waited for
// longer: the change is then made on the calling thread, which is safe only
// while that thread is not inside one of the window's messages (the host
// guide's rule: keep the window's thread pumping while devices go).
#pragma once

#include "server/PlatformApi.h"

constexpr UINT kWindowThreadTimeoutMs = 2000;

using HookTask = void (*)(void* context);

// Runs `task(context)` on the thread of `window` as above; on the calling
// thread when the window is gone.
void RunOnWindowThread(HWND window, HookTask task, void* context);

// Whether `message` is the module's private one (the same in every chain).
bool IsHookTaskMessage(UINT message);

// Runs the task a private message carries, on the window's thread; the
// message's answer.
LRESULT RunSentHookTask(LPARAM lParam);
