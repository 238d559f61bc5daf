// A game host whose Unicode window lives on a thread of its own, written for
// reading beside GameHost.cpp. The window thread creates the window with the W
// forms, pumps it (GetMessageW, TranslateMessage, DispatchMessageW) and destroys
// it; the main thread runs the framework and the game loop: it loads
// qminput.dll, creates the input server, names the window, enumerates, drives
// the framework's clock, takes the events and frees the devices. The window is
// re-created between rounds, as a "fullscreen" toggle does, in the host guide's
// order for a window thread: free on the framework's thread, destroy and create
// on the window's thread, name and enumerate on the framework's thread, then show.
//
//   qminput-thread-host [ROUNDS [SECONDS]]
//     ROUNDS   windows in turn, each re-created after the last (default 3)
//     SECONDS  how long one round may wait for its typing (default 60)
//
// Each round prints "ready N" once its window is hooked and shown, and ends
// when the game's own procedure has received é, ж and 中 in this order (the
// Wine stage types them for real). Checks, each printed; exit 1 when one fails:
// the window stays Unicode while hooked; the game's W procedure gets the three
// characters unaltered; the round's window keyboard makes KEY_CHAR events; no
// event taken after a re-creation names a freed device; after FreeDevices the
// window's procedure, read with the W form, is the game's again; the module
// unloads.
#include <windows.h>  // the host's own configuration: the module headers leave it alone

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/QmFrameworkControl.h"  // the stand-in's clock; a real framework has its own
#include "host/QmHost.h"
#include "server/QmDi8InputServer.h"

namespace {

// é, ж, 中: one in code page 1252, one outside it, one outside every
// single-byte page.
const WPARAM kTyped[] = {0x00E9, 0x0436, 0x4E2D};
constexpr LONG kTypedCount = sizeof kTyped / sizeof kTyped[0];
constexpr DWORD kRequestTimeoutMs = 10000;

// How many of kTyped the game's procedure has received in order this round.
// Written on the window thread, read on the main thread.
LONG g_nTypedInOrder = 0;
int g_nFailedChecks = 0;

void Check(bool holds, const char* what, int round)
{
    std::printf("check round %d: %s: %s\n", round, what, holds ? "ok" : "FAILED");
    std::fflush(stdout);
    if (!holds)
        ++g_nFailedChecks;
}

// The game's own procedure, a W one: it sees every character as typed.
LRESULT CALLBACK GameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CHAR) {
        const LONG next = InterlockedCompareExchange(&g_nTypedInOrder, 0, 0);
        std::printf("game WM_CHAR 0x%04lx\n", static_cast<unsigned long>(wParam));
        std::fflush(stdout);
        if (next < kTypedCount && wParam == kTyped[next])
            InterlockedIncrement(&g_nTypedInOrder);
        return 0;
    }
    if (message == WM_CLOSE)
        return 0;  // the main thread decides when the window goes
    return DefWindowProcW(window, message, wParam, lParam);
}

// The window devices' hooks stand in front of the game's procedure. On a
// Unicode window only the W form returns the procedure itself; the A form
// returns a handle that never equals it.
bool IsHooked(HWND window)
{
    const LONG_PTR procedure = IsWindowUnicode(window) ? GetWindowLongPtrW(window, GWLP_WNDPROC)
                                                       : GetWindowLongPtrA(window, GWLP_WNDPROC);
    return reinterpret_cast<WNDPROC>(procedure) != GameWindowProc;
}

// ---- The window thread: it owns the window; the main thread asks by thread messages.

enum eWindowRequest : UINT {
    REQUEST_CREATE = WM_APP + 1,  // a new window, not shown yet
    REQUEST_SHOW,
    REQUEST_DESTROY,
    REQUEST_QUIT,  // destroy the window if any, end the thread
};

struct sWindowThread {
    HANDLE hThread = nullptr;
    DWORD nThreadId = 0;
    HANDLE hAnswered = nullptr;  // set once a request is done
    HWND hWindow = nullptr;      // written by the window thread before it answers
};

const wchar_t* const kWindowClassName = L"QmInputThreadHostGame";

HWND CreateGameWindow()
{
    return CreateWindowExW(0, kWindowClassName, L"qminput window thread", WS_OVERLAPPEDWINDOW, 0, 0,
                           480, 320, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

void DestroyGameWindow(sWindowThread& thread)
{
    if (thread.hWindow)
        DestroyWindow(thread.hWindow);
    thread.hWindow = nullptr;
}

void HandleRequest(sWindowThread& thread, UINT request)
{
    switch (request) {
    case REQUEST_CREATE:
        thread.hWindow = CreateGameWindow();
        break;
    case REQUEST_SHOW:
        ShowWindow(thread.hWindow, SW_SHOW);
        SetForegroundWindow(thread.hWindow);
        break;
    case REQUEST_DESTROY:
        DestroyGameWindow(thread);
        break;
    case REQUEST_QUIT:
        DestroyGameWindow(thread);
        PostQuitMessage(0);
        break;
    default:
        return;
    }
    SetEvent(thread.hAnswered);
}

// The thread's pump, W forms throughout: an A pump would hand the Unicode
// window '?' for every character outside the code page. The module's own
// requests (its hook changes, sent while devices are created or freed) are
// taken inside GetMessageW.
DWORD WINAPI WindowThreadMain(void* context)
{
    auto& thread = *static_cast<sWindowThread*>(context);
    WNDCLASSW windowClass{};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = GameWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = kWindowClassName;
    RegisterClassW(&windowClass);
    MSG message;
    PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);  // the queue, before anyone posts
    SetEvent(thread.hAnswered);
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.hwnd == nullptr) {
            HandleRequest(thread, message.message);
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

bool StartWindowThread(sWindowThread& thread)
{
    thread.hAnswered = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    thread.hThread = CreateThread(nullptr, 0, WindowThreadMain, &thread, 0, &thread.nThreadId);
    return thread.hThread && WaitForSingleObject(thread.hAnswered, kRequestTimeoutMs) == WAIT_OBJECT_0;
}

bool Ask(sWindowThread& thread, eWindowRequest request)
{
    return PostThreadMessageW(thread.nThreadId, request, 0, 0) &&
           WaitForSingleObject(thread.hAnswered, kRequestTimeoutMs) == WAIT_OBJECT_0;
}

void StopWindowThread(sWindowThread& thread)
{
    if (Ask(thread, REQUEST_QUIT))
        WaitForSingleObject(thread.hThread, INFINITE);
    CloseHandle(thread.hThread);
    CloseHandle(thread.hAnswered);
}

// ---- The framework's thread.

void NameGameWindow(HWND window)
{
    QmGetEnvironmentServer()->SetVariable(
        "Display/HWND", static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window)));
}

long FindDevice(CQmInputServer& server, const char* className)
{
    long position = 0;
    long id = -1;
    long found = -1;
    for (bool more = server.GetFirstDevice(position, id); more && found == -1;
         more = server.GetNextDevice(position, id)) {
        if (CQmInputDevice* device = server.QueryDevice(id))
            found = std::strcmp(device->GetType().GetName(), className) == 0 ? id : -1;
        server.ReleaseDevice(id);
    }
    return found;
}

// One window's devices, and what its events showed.
struct sRound {
    int nNumber;
    long nKeyboardId;
    long nMouseId;
    int nCharEvents;   // KEY_CHAR from the round's window keyboard
    int nStaleEvents;  // events naming any other device
};

void NoteEvent(sRound& round, const CQmInputEvent& event)
{
    // The type by its number: 1 KEY_DOWN, 2 KEY_UP, 3 KEY_CHAR, 4 and up the mouse's.
    std::printf("event type=%d dev=%ld key=%ld x=%ld y=%ld time=%.3f\n", static_cast<int>(event.m_eType),
                static_cast<long>(event.m_nDeviceId), static_cast<long>(event.m_nKey),
                static_cast<long>(event.m_nX), static_cast<long>(event.m_nY), event.m_fTime);
    if (event.m_nDeviceId != round.nKeyboardId && event.m_nDeviceId != round.nMouseId)
        ++round.nStaleEvents;
    else if (event.m_eType == INPUT_EVENT_KEY_CHAR && event.m_nDeviceId == round.nKeyboardId)
        ++round.nCharEvents;
}

// Every queued event, oldest first, under the queue's lock: the window thread
// queues its events while the main thread walks.
void TakeEvents(CQmInputServer& server, sRound& round)
{
    server.LockEventQueue();
    long position = 0;
    long id = -1;
    for (bool more = server.GetFirstEventInQueue(position, id); more;
         more = server.GetNextEventInQueue(position, id)) {
        if (const CQmInputEvent* event = server.QueryEvent(id))
            NoteEvent(round, *event);
        server.ReleaseEvent(id);
        server.RemoveEventFromQueue(id);
    }
    server.UnlockEventQueue();
    std::fflush(stdout);
}

// Name the window thread's new window, hook it from here, then have it shown.
sRound StartRound(CQmDi8InputServer& server, sWindowThread& thread, int number)
{
    sRound round{number, -1, -1, 0, 0};
    HWND window = thread.hWindow;
    NameGameWindow(window);
    server.EnumerateDevices();
    round.nKeyboardId = FindDevice(server, "CQmWindowsKeyboard");
    round.nMouseId = FindDevice(server, "CQmWindowsMouse");
    Check(IsHooked(window) && round.nKeyboardId != -1 && round.nMouseId != -1,
          "a window keyboard and mouse hook the window", number);
    Check(IsWindowUnicode(window) != FALSE, "the hooked window is still Unicode", number);
    InterlockedExchange(&g_nTypedInOrder, 0);
    Check(Ask(thread, REQUEST_SHOW), "the window thread shows the window", number);
    std::printf("ready %d\n", number);
    std::fflush(stdout);
    return round;
}

// The game's clock: seconds since the program started, never backwards.
double SecondsSinceStart()
{
    static const ULONGLONG start = GetTickCount64();
    return static_cast<double>(GetTickCount64() - start) / 1000.0;
}

// The game loop of one round, on the main thread: it drives the clock that
// the window thread's events read, and takes the events.
void PlayRound(CQmInputServer& server, sRound& round, double seconds)
{
    const double end = SecondsSinceStart() + seconds;
    while (SecondsSinceStart() < end) {
        qmhost::SetTime(SecondsSinceStart());
        TakeEvents(server, round);
        if (InterlockedCompareExchange(&g_nTypedInOrder, 0, 0) == kTypedCount &&
            round.nCharEvents >= kTypedCount)
            break;
        Sleep(10);
    }
    Check(InterlockedCompareExchange(&g_nTypedInOrder, 0, 0) == kTypedCount,
          "the game's W procedure got e-acute, zhe and zhong unaltered", round.nNumber);
    std::printf("round %d: %d KEY_CHAR events\n", round.nNumber, round.nCharEvents);
    Check(round.nCharEvents >= kTypedCount, "the window keyboard made KEY_CHAR events", round.nNumber);
}

// Free first, then take what is left: after FreeDevices no device of this
// round can queue anything more, so nothing later names a freed device.
void EndRound(CQmInputServer& server, sRound& round, HWND window)
{
    server.FreeDevices();
    Check(!IsHooked(window) && server.GetNumDevices() == 0,
          "FreeDevices gave the window its own procedure back (W form)", round.nNumber);
    Check(IsWindowUnicode(window) != FALSE, "the window is Unicode after FreeDevices", round.nNumber);
    TakeEvents(server, round);
    Check(round.nStaleEvents == 0, "no event named a device of an earlier window", round.nNumber);
}

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 3;
    const double seconds = argc > 2 ? std::atof(argv[2]) : 60.0;

    HMODULE module = LoadLibraryA("qminput.dll");
    CQmObjectDatabase* database = QmGetObjectDatabase();
    const long serverId = module ? database->CreateObject("CQmDi8InputServer") : -1;
    CQmObject* object = database->FindObject(serverId);
    if (!object || std::strcmp(object->GetType().GetName(), "CQmDi8InputServer") != 0) {
        std::fprintf(stderr, "thread-host: qminput.dll made no CQmDi8InputServer\n");
        return 1;
    }
    auto& server = static_cast<CQmDi8InputServer&>(*object);

    sWindowThread thread;
    if (!StartWindowThread(thread) || !Ask(thread, REQUEST_CREATE) || !thread.hWindow) {
        std::fprintf(stderr, "thread-host: the window thread made no window\n");
        return 1;
    }
    for (int number = 1; number <= rounds; ++number) {
        sRound round = StartRound(server, thread, number);
        PlayRound(server, round, seconds);
        EndRound(server, round, thread.hWindow);
        if (number < rounds) {
            Check(Ask(thread, REQUEST_DESTROY) && Ask(thread, REQUEST_CREATE) && thread.hWindow,
                  "the window thread re-created the window", number);
            std::printf("recreated\n");
        }
    }
    StopWindowThread(thread);
    database->DestroyObject(serverId);
    FreeLibrary(module);
    Check(GetModuleHandleA("qminput.dll") == nullptr, "qminput.dll is unloaded", rounds);
    std::printf("done: %d checks failed\n", g_nFailedChecks);
    return g_nFailedChecks == 0 ? 0 : 1;
}
