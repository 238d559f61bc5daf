// Windows belong to the thread that created them. A message sent to another
// thread's window waits until that thread takes its sent messages, as it does
// inside GetMessage and PeekMessage; the sender waits for the answer.
#include <chrono>
#include <condition_variable>

#include "PlatformState.h"

namespace qmsim::detail {
namespace {

// Signalled whenever a sent message is queued or answered.
std::condition_variable g_sentMessagesChanged;

// Thread ids outlive Reset, as threads do.
DWORD g_nextThreadId = 0x100;
thread_local DWORD t_threadId = 0;

constexpr UINT kFirstRegisteredMessage = 0xC000;

bool HasSentMessages(DWORD thread) {
    auto found = State().sentMessages.find(thread);
    return found != State().sentMessages.end() && !found->second.empty();
}

}  // namespace

DWORD CurrentThread() {
    if (!t_threadId) t_threadId = g_nextThreadId++;
    return t_threadId;
}

}  // namespace qmsim::detail

using namespace qmsim::detail;

extern "C" {

DWORD WINAPI GetCurrentThreadId(void) {
    auto lock = LockPlatform();
    return CurrentThread();
}

DWORD WINAPI GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId) {
    auto lock = LockPlatform();
    auto found = State().windows.find(reinterpret_cast<std::uintptr_t>(hWnd));
    const bool known = found != State().windows.end();
    if (lpdwProcessId) *lpdwProcessId = known ? 1 : 0;
    return known ? found->second.thread : 0;
}

UINT WINAPI RegisterWindowMessageA(LPCSTR lpString) {
    auto lock = LockPlatform();
    if (!lpString || !*lpString) return 0;
    auto& registered = State().registeredMessages;
    auto found = registered.find(lpString);
    if (found != registered.end()) return found->second;
    const UINT message = kFirstRegisteredMessage + static_cast<UINT>(registered.size());
    registered.emplace(lpString, message);
    return message;
}

LRESULT WINAPI SendMessageTimeoutA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam, UINT fuFlags, UINT uTimeout,
                                   DWORD_PTR* lpdwResult) {
    auto lock = LockPlatform();
    PlatformState& state = State();
    auto found = state.windows.find(reinterpret_cast<std::uintptr_t>(hWnd));
    if (IsCallLogging())
        Log("SendMessageTimeoutA " + Hex(reinterpret_cast<std::uintptr_t>(hWnd)) + " " + Hex(Msg) + " " +
            std::to_string(uTimeout));
    if (found == state.windows.end()) {
        lock.unlock();
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (found->second.thread == CurrentThread()) {
        const WindowRecord record = found->second;
        lock.unlock();
        RunSendHooks(hWnd, Msg, wParam, lParam, true);
        const LRESULT result = CallProcedure(record.proc, record.unicode, false, hWnd, Msg, wParam, lParam);
        if (lpdwResult) *lpdwResult = static_cast<DWORD_PTR>(result);
        return 1;
    }
    auto message = std::make_shared<SentMessage>(SentMessage{hWnd, Msg, wParam, lParam, false, false, 0});
    state.sentMessages[found->second.thread].push_back(message);
    g_sentMessagesChanged.notify_all();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(uTimeout);
    while (!message->done) {
        // Two threads sending to each other must not wait for each other forever.
        if (!(fuFlags & SMTO_BLOCK) && HasSentMessages(CurrentThread())) {
            lock.unlock();
            qmsim::PumpSentMessages();
            lock.lock();
            continue;
        }
        if (state.sendTimeoutHandler) {
            const std::function<void()> handler = state.sendTimeoutHandler;
            lock.unlock();
            handler();
            SetLastError(ERROR_TIMEOUT);
            return 0;
        }
        if (g_sentMessagesChanged.wait_until(lock, deadline) == std::cv_status::timeout && !message->done) {
            lock.unlock();
            SetLastError(ERROR_TIMEOUT);
            return 0;
        }
    }
    if (lpdwResult) *lpdwResult = static_cast<DWORD_PTR>(message->result);
    return 1;
}

}  // extern "C"

namespace qmsim {

int SentMessagesWaiting(HWND window) {
    auto lock = LockPlatform();
    auto found = State().windows.find(reinterpret_cast<std::uintptr_t>(window));
    if (found == State().windows.end()) return 0;
    auto queue = State().sentMessages.find(found->second.thread);
    return queue == State().sentMessages.end() ? 0 : static_cast<int>(queue->second.size());
}

void SetSendTimeoutHandler(std::function<void()> handler) {
    auto lock = LockPlatform();
    State().sendTimeoutHandler = std::move(handler);
}

int PumpSentMessages() {
    int taken = 0;
    for (;;) {
        std::shared_ptr<SentMessage> message;
        WindowRecord record;
        bool windowExists = false;
        {
            auto lock = LockPlatform();
            auto& queue = State().sentMessages[CurrentThread()];
            if (queue.empty()) break;
            message = queue.front();
            queue.pop_front();
            auto found = State().windows.find(reinterpret_cast<std::uintptr_t>(message->window));
            windowExists = found != State().windows.end();
            if (windowExists) record = found->second;
        }
        // A window destroyed while the message waited gets nothing; the sender gets 0.
        if (windowExists) RunSendHooks(message->window, message->message, message->wParam, message->lParam, false);
        const LRESULT result = windowExists ? CallProcedure(record.proc, record.unicode, message->unicode,
                                                            message->window, message->message, message->wParam,
                                                            message->lParam)
                                            : 0;
        {
            auto lock = LockPlatform();
            message->done = true;
            message->result = result;
        }
        g_sentMessagesChanged.notify_all();
        ++taken;
    }
    return taken;
}

}  // namespace qmsim
