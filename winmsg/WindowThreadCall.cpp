#include "winmsg/WindowThreadCall.h"

namespace {

struct sPendingTask {
    HookTask m_pTask;
    void* m_pContext;
    bool m_bDone;
};

// Written by the sending thread before the message goes out, read by the
// window's thread when it arrives: the send orders the two. A task whose sender
// stopped waiting is no longer pending and is not run late.
UINT g_nTaskMessage = 0;
sPendingTask* g_pPendingTask = nullptr;

}  // namespace

bool IsHookTaskMessage(UINT message)
{
    return message == g_nTaskMessage && message != 0;
}

LRESULT RunSentHookTask(LPARAM lParam)
{
    sPendingTask* pending = g_pPendingTask;
    if (!pending || lParam != reinterpret_cast<LPARAM>(pending))
        return 0;
    pending->m_pTask(pending->m_pContext);
    pending->m_bDone = true;
    return 1;
}

void RunOnWindowThread(HWND window, HookTask task, void* context)
{
    // Known before any procedure of the module can be asked about it.
    if (!g_nTaskMessage)
        g_nTaskMessage = RegisterWindowMessageA("qminput window hook task");
    const DWORD windowThread = GetWindowThreadProcessId(window, nullptr);
    if (!windowThread || windowThread == GetCurrentThreadId()) {
        task(context);
        return;
    }
    sPendingTask pending{task, context, false};
    g_pPendingTask = &pending;
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(window, g_nTaskMessage, 0, reinterpret_cast<LPARAM>(&pending), SMTO_NORMAL,
                        kWindowThreadTimeoutMs, &answer);
    g_pPendingTask = nullptr;
    if (!pending.m_bDone)
        task(context);
}
