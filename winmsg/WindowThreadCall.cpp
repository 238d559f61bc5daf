#include "winmsg/WindowThreadCall.h"

#include "winmsg/ModulePin.h"

namespace {

// The WM_NULL that carries a request: this wParam, and the request's serial
// number as lParam.
constexpr WPARAM kRequestTag = 0x716D4854;

// The request's state and serial number in one word, so that one interlocked
// exchange decides who runs it.
enum eRequestState : LONG { kIdle, kPending, kClaimed, kDone, kGivenUp };
constexpr LONG kStateBits = 3;
constexpr LONG kSerialMask = 0x0FFFFFFF;

LONG volatile g_nRequest = 0;

// Written by the sender while the request is idle, read by whoever claims it.
HookTask g_pTask = nullptr;
void* g_pContext = nullptr;
HHOOK g_hHook = nullptr;
DWORD g_nThread = 0;

constexpr LONG Word(LONG serial, eRequestState state) { return (serial << kStateBits) | state; }
eRequestState StateOf(LONG word) { return static_cast<eRequestState>(word & ((1 << kStateBits) - 1)); }
LONG SerialOf(LONG word) { return (word >> kStateBits) & kSerialMask; }

bool Claim(LONG from, LONG to) { return InterlockedCompareExchange(&g_nRequest, to, from) == from; }

void WaitUntil(eRequestState state)
{
    while (StateOf(g_nRequest) != state)
        Sleep(0);
}

// The window's thread, before any procedure of the window sees the message.
LRESULT CALLBACK TakeRequest(int code, WPARAM sentByThisThread, LPARAM details)
{
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(details);
    if (code == HC_ACTION && sent->message == WM_NULL && sent->wParam == kRequestTag) {
        const auto serial = static_cast<LONG>(sent->lParam);
        // Stable while the request is given up: read before the claim.
        const HHOOK hook = g_hHook;
        if (Claim(Word(serial, kPending), Word(serial, kClaimed))) {
            g_pTask(g_pContext);
            InterlockedExchange(&g_nRequest, Word(serial, kDone));
        } else if (Claim(Word(serial, kGivenUp), Word(serial, kIdle))) {
            UnhookWindowsHookEx(hook);
        }
    }
    return CallNextHookEx(nullptr, code, sentByThisThread, details);
}

// A request given up on that its thread has still not taken.
bool IsGivenUpOn(DWORD thread) { return StateOf(g_nRequest) == kGivenUp && g_nThread == thread; }

// A request given up on another thread is dropped: its hook goes, and the
// WM_NULL, when that thread takes it, is a plain one.
void DropGivenUpRequest()
{
    const LONG word = g_nRequest;
    const HHOOK hook = g_hHook;
    if (StateOf(word) == kGivenUp && Claim(word, Word(SerialOf(word), kIdle)))
        UnhookWindowsHookEx(hook);
    WaitUntil(kIdle);
}

// After the send: whoever has not run the task by now runs it here.
void SettleRequest(LONG serial, bool timedOut, HookTask task, void* context)
{
    if (timedOut && Claim(Word(serial, kPending), Word(serial, kGivenUp))) {
        PinThisModule();
        task(context);
        return;
    }
    if (Claim(Word(serial, kPending), Word(serial, kIdle))) {
        UnhookWindowsHookEx(g_hHook);
        task(context);
        return;
    }
    WaitUntil(kDone);
    UnhookWindowsHookEx(g_hHook);
    InterlockedExchange(&g_nRequest, Word(serial, kIdle));
}

}  // namespace

void RunOnWindowThread(HWND window, HookTask task, void* context)
{
    const DWORD windowThread = GetWindowThreadProcessId(window, nullptr);
    if (!windowThread || windowThread == GetCurrentThreadId() || IsGivenUpOn(windowThread)) {
        task(context);
        return;
    }
    DropGivenUpRequest();
    const LONG serial = (SerialOf(g_nRequest) + 1) & kSerialMask;
    g_pTask = task;
    g_pContext = context;
    g_nThread = windowThread;
    g_hHook = SetWindowsHookExA(WH_CALLWNDPROC, &TakeRequest, nullptr, windowThread);
    if (!g_hHook) {
        task(context);
        return;
    }
    InterlockedExchange(&g_nRequest, Word(serial, kPending));
    DWORD_PTR answer = 0;
    const bool answered = SendMessageTimeoutA(window, WM_NULL, kRequestTag, serial, SMTO_NORMAL,
                                              kWindowThreadTimeoutMs, &answer) != 0;
    const bool timedOut = !answered && GetLastError() == ERROR_TIMEOUT;
    SettleRequest(serial, timedOut, task, context);
}
