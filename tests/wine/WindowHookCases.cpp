// The window hook where real games run, on the real platform: other programs'
// procedures put back out of order around the module's hooks, each new hook
// with an identity of its own, and a window pumped on a thread of its own while
// the framework's thread enumerates and frees.
#include "tests/wine/HostCases.h"

#include <cstdio>
#include <string>

#include "framework/QmFrameworkControl.h"
#include "host/QmEnvironmentServer.h"
#include "host/QmString.h"
#include "tests/common/OtherProgram.h"
#include "tests/wine/HostChecks.h"
#include "tests/wine/TestHost.h"

namespace qmwinetest {
namespace {

const LPARAM kKeyCPressed = 0x002E0001;

void NameGameWindow(HWND window)
{
    QmGetEnvironmentServer()->SetVariable(CQmString("Display/HWND"),
                                          static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(window)));
}

bool CreateDevice(CTestHost& host, const char* className)
{
    const long deviceId = host.Input().NewDevice(className);
    CQmInputDevice* device = host.Server().QueryDevice(deviceId);
    const bool created = device && device->Create();
    host.Server().ReleaseDevice(deviceId);
    return created;
}

// Whether one of the queued events is a key down of the newest window keyboard.
bool NewestKeyboardHeardTheKey(CTestHost& host)
{
    long newest = -1;
    for (long deviceId : host.Input().DeviceIds()) {
        CQmInputDevice* device = host.Server().QueryDevice(deviceId);
        if (device && std::string(device->GetType().GetName()) == "CQmWindowsKeyboard")
            newest = deviceId;
        host.Server().ReleaseDevice(deviceId);
    }
    const std::string wanted = "event KEY_DOWN dev=" + std::to_string(newest) + " key=46 ";
    bool heard = false;
    for (const std::string& line : host.TakeEventLines())
        heard = heard || line.rfind(wanted, 0) == 0;
    return heard;
}

// Sends a key; true when the game's own procedure got it exactly once.
bool KeyReachesTheGameOnce(HWND window)
{
    CTestHost::ForgetOwnProcedureMessages();
    SendMessageA(window, WM_KEYDOWN, 'C', kKeyCPressed);
    return CTestHost::OwnProcedureMessages().size() == 1;
}

}  // namespace

// A hook that another program kept while it put back what it replaced out of
// order, and a second program that then put that one back in: the game keeps
// getting every message once and the next keyboard hears; then three hundred
// keyboards each cut out by a program that leaves below them: each new one
// hooks (an identity of its own every time) and hears.
int RunForeignRestoreCase()
{
    CHostChecks checks;
    CTestHost host;
    const HWND window = host.Window().GetHandle();
    host.Server().FreeDevices();
    checks.Check(CreateDevice(host, "CQmWindowsKeyboard"), "the window keyboard hooks the window");
    sOtherProgram<0>::Subclass(window);
    host.Server().FreeDevices();
    sOtherProgram<1>::Subclass(window);
    sOtherProgram<0>::PutBack(window);
    checks.Check(KeyReachesTheGameOnce(window), "with the first program put back out of order");
    sOtherProgram<1>::PutBack(window);
    checks.Check(KeyReachesTheGameOnce(window), "with the second program putting the first back in");
    checks.Check(host.Server().EnumerateDevices(), "EnumerateDevices on the same window returns true");
    checks.Check(KeyReachesTheGameOnce(window), "the game gets the key once with the new hooks");
    host.Server().FreeDevices();

    int heard = 0;
    for (int round = 0; round < 300; ++round) {
        const bool created = CreateDevice(host, "CQmWindowsKeyboard");
        SendMessageA(window, WM_KEYDOWN, 'C', kKeyCPressed);
        heard += created && NewestKeyboardHeardTheKey(host) ? 1 : 0;
        // The second program: the first is in the chain again, put back in by it.
        sOtherProgram<1>::Subclass(window);
        host.Server().FreeDevices();
        sOtherProgram<1>::PutBack(window);
    }
    checks.CheckEqual(heard, 300, "keyboards cut out below another program, each hooking anew, heard");
    checks.Check(KeyReachesTheGameOnce(window), "the game gets the key once after them");
    checks.CheckEqual(qmhost::ContractViolationCount(), 0L, "no call broke the framework's contract");
    return checks.Finish();
}

namespace {

LRESULT CALLBACK ThreadWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

// A game's window thread: makes its window, then posts itself input and
// dispatches it until told to stop. (This toolchain's C++ library has no
// std::thread: the platform's own threads and interlocked values.)
class CPumpingThread {
public:
    CPumpingThread()
    {
        m_hThread = CreateThread(nullptr, 0, &CPumpingThread::Main, this, 0, nullptr);
        while (!InterlockedCompareExchange(&m_nReady, 0, 0))
            Sleep(1);
    }
    ~CPumpingThread()
    {
        InterlockedExchange(&m_nStop, 1);
        WaitForSingleObject(m_hThread, INFINITE);
        CloseHandle(m_hThread);
    }
    HWND Window() const { return m_hWindow; }
    long Dispatched() { return InterlockedCompareExchange(&m_nDispatched, 0, 0); }
    // The thread stops taking messages (sent ones included) for `ms`, from its
    // next turn; back once it has stopped.
    void StopPumpingFor(LONG ms)
    {
        InterlockedExchange(&m_nPauseMs, ms);
        while (InterlockedCompareExchange(&m_nPauseMs, 0, 0) != 0)
            Sleep(1);
    }

private:
    static DWORD WINAPI Main(void* self)
    {
        static_cast<CPumpingThread*>(self)->Run();
        return 0;
    }

    void Run()
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = ThreadWindowProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "qminput thread window";
        RegisterClassA(&windowClass);
        HWND window = CreateWindowExA(0, windowClass.lpszClassName, "qminput thread window", WS_OVERLAPPEDWINDOW,
                                      0, 0, 200, 100, nullptr, nullptr, windowClass.hInstance, nullptr);
        m_hWindow = window;
        InterlockedExchange(&m_nReady, 1);
        while (!InterlockedCompareExchange(&m_nStop, 0, 0)) {
            if (const LONG pause = InterlockedExchange(&m_nPauseMs, 0))
                Sleep(static_cast<DWORD>(pause));
            PostMessageA(window, WM_KEYDOWN, 'C', kKeyCPressed);
            PostMessageA(window, WM_MOUSEMOVE, 0, 0x00200010);
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                DispatchMessageA(&message);
                InterlockedIncrement(&m_nDispatched);
            }
        }
        DestroyWindow(window);
    }

    HANDLE m_hThread = nullptr;
    HWND m_hWindow = nullptr;
    LONG m_nReady = 0;
    LONG m_nStop = 0;
    LONG m_nDispatched = 0;
    LONG m_nPauseMs = 0;
};

}  // namespace

namespace {

DWORD g_nHookThread = 0;

LRESULT CALLBACK NoteHookThread(int code, WPARAM sentByThisThread, LPARAM details)
{
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(details);
    if (code == HC_ACTION && sent->message == WM_NULL && sent->wParam == 0x5151)
        g_nHookThread = GetCurrentThreadId();
    return CallNextHookEx(nullptr, code, sentByThisThread, details);
}

// What the module's hand-off rests on: a thread message hook set on the
// window's thread from another thread runs there, for a message sent from here.
void CheckThreadHookRunsOnTheWindowsThread(CHostChecks& checks, HWND window)
{
    const DWORD windowThread = GetWindowThreadProcessId(window, nullptr);
    const HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, &NoteHookThread, nullptr, windowThread);
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(window, WM_NULL, 0x5151, 0, SMTO_NORMAL, 5000, &answer);
    UnhookWindowsHookEx(hook);
    checks.Check(hook && g_nHookThread == windowThread,
                 "a thread message hook set from another thread runs on the window's thread");
}

}  // namespace

int RunWindowThreadCase()
{
    constexpr int kCycles = 2000;
    CHostChecks checks;
    CTestHost host;
    host.Server().FreeDevices();
    long events = 0;
    {
        CPumpingThread game;
        NameGameWindow(game.Window());
        CheckThreadHookRunsOnTheWindowsThread(checks, game.Window());
        int cycle = 0;
        for (; cycle < kCycles && host.Server().EnumerateDevices(); ++cycle) {
            host.Server().FreeDevices();
            events += static_cast<long>(host.Input().TakeEventLines().size());
        }
        checks.CheckEqual(cycle, kCycles, "enumerate and free cycles while another thread pumps the window");
        checks.Check(game.Dispatched() > 0, "the window's thread dispatched its input");
        sOtherProgram<2, true>::Subclass(game.Window());
        for (cycle = 0; cycle < kCycles && host.Server().EnumerateDevices(); ++cycle) {
            host.Server().FreeDevices();
            events += static_cast<long>(host.Input().TakeEventLines().size());
        }
        checks.CheckEqual(cycle, kCycles, "the same cycles with a procedure above that answers unknown messages");
        // A window thread that stops pumping for 5 s: one wait of 2 s for the
        // keyboard and the mouse together.
        host.Server().EnumerateDevices();
        game.StopPumpingFor(5000);
        const DWORD start = GetTickCount();
        host.Server().FreeDevices();
        const DWORD waited = GetTickCount() - start;
        std::printf("  FreeDevices with a keyboard and a mouse took %lu ms while the window thread did not pump\n",
                    static_cast<unsigned long>(waited));
        checks.Check(waited >= 1900 && waited < 3000, "a window thread that stopped pumping costs one wait of 2 s");
    }
    NameGameWindow(host.Window().GetHandle());
    std::printf("  %ld events made by the cycles' devices\n", events);
    checks.Check(events > 0, "the devices made events while they were hooked");
    checks.CheckEqual(qmhost::ContractViolationCount(), 0L, "no call broke the framework's contract");
    return checks.Finish();
}

}  // namespace qmwinetest
