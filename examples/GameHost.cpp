// A minimal game host for the qminput module, written for reading: each step
// below is a step of "Integration step by step" in docs/host-guide.md, under the
// same number, and the window's re-creation follows the guide's recipe. It opens a
// window, loads qminput.dll at run time, creates the input server by class
// name, lets it enumerate the devices, adds a buffered DirectInput keyboard and
// mouse, and prints every event until Esc is pressed, the window is closed or
// the optional time limit runs out.
//
//   qminput-example-host [SECONDS] [--recreate]
//     SECONDS     stop after this long (default: run until Esc)
//     --recreate  F5 re-creates the game window, as a display-mode change does
//
// It checks each stage with the framework's own interface only (the device
// list, the window's procedure) and exits 1 when a check fails.
//
// Build against the installed tree alone (see docs/host-guide.md):
//   i686-w64-mingw32-g++ -std=c++20 -O2 -I<prefix>/include GameHost.cpp -o game-host.exe
//       -L<prefix>/lib -lqmframework -static-libgcc -static-libstdc++
#include <windows.h>  // the host's own configuration: the module headers leave it alone

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/QmFrameworkControl.h"  // the stand-in's clock; a real framework has its own
#include "host/QmHost.h"
#include "keyboard/QmDi8Keyboard.h"
#include "mouse/QmDi8Mouse.h"
#include "server/QmBoundNames.h"  // the module's member names in this compiler's C++ ABI
#include "server/QmDi8InputServer.h"

namespace {

bool g_bQuit = false;
bool g_bRecreateOnF5 = false;
bool g_bRecreateWanted = false;
int g_nFailedChecks = 0;

// The game's own window procedure. The module's window devices hook in front
// of it; every message still arrives here exactly once. It only notes what the
// game loop should do: the window must not be freed or destroyed while its
// messages are passing through the hooks.
LRESULT CALLBACK GameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool firstPress = message == WM_KEYDOWN && (lParam & (1L << 30)) == 0;
    if (message == WM_CLOSE || (firstPress && wParam == VK_ESCAPE)) {
        g_bQuit = true;  // the window stays until the module has unhooked it (step 8)
        return 0;
    }
    if (firstPress && wParam == VK_F5 && g_bRecreateOnF5)
        g_bRecreateWanted = true;
    return DefWindowProcA(window, message, wParam, lParam);
}

const char* const kWindowClassName = "QmInputExampleGame";

// Step 1: the game window's class, once. CS_DBLCLKS lets the window mouse
// report double clicks.
bool RegisterGameWindowClass()
{
    WNDCLASSA windowClass{};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = GameWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kWindowClassName;
    return RegisterClassA(&windowClass) != 0;
}

// Step 1: the window, not shown yet: it is shown once its hooks are in, so
// that the window keyboard sees the focus arrive.
HWND CreateGameWindow()
{
    return CreateWindowExA(0, kWindowClassName, "qminput example", WS_OVERLAPPEDWINDOW, 0, 0,
                           480, 320, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// Step 2: the handle where the module looks for it, a 32-bit value.
void NameGameWindow(HWND window)
{
    const auto handle = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window));
    QmGetEnvironmentServer()->SetVariable("Display/HWND", handle);
}

// The window devices' hooks sit in front of the game's procedure while they are
// in. The A form reads it because this window is ANSI; a Unicode window's
// procedure is read with GetWindowLongPtrW (WindowThreadHost.cpp).
bool IsHooked(HWND window)
{
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)) != GameWindowProc;
}

void Check(bool holds, const char* what)
{
    std::printf("check %s: %s\n", what, holds ? "ok" : "FAILED");
    if (!holds)
        ++g_nFailedChecks;
}

// Step 3: NewDevice and DeleteDevice are non-virtual members, so a host that
// loads the module at run time finds them by their GCC-mangled names. Members
// use the thiscall convention on 32-bit x86 (`this` in ECX): a plain function
// pointer would put the server on the stack and crash. (GCC's -Wpedantic notes
// that thiscall is meant for members: a pointer to a function that takes
// `this` first is one.)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wattributes"
using NewDeviceFunction = long(__thiscall*)(CQmDi8InputServer* server, const CQmString& className);
using DeleteDeviceFunction = void(__thiscall*)(CQmDi8InputServer* server, long deviceId);
#pragma GCC diagnostic pop

struct sInputModule {
    HMODULE hModule;
    NewDeviceFunction pNewDevice;
    DeleteDeviceFunction pDeleteDevice;
};

// A function's address as another pointer type. Through void*: FARPROC's own
// type has nothing to do with the member's, and -Wextra says so.
template <class Function>
Function FindFunction(HMODULE module, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Loading the module registers its six classes by name.
bool LoadInputModule(sInputModule& module)
{
    module.hModule = LoadLibraryA("qminput.dll");
    if (!module.hModule)
        return false;
    module.pNewDevice = FindFunction<NewDeviceFunction>(
        module.hModule, qmexports::kNewDevice);
    module.pDeleteDevice = FindFunction<DeleteDeviceFunction>(
        module.hModule, qmexports::kDeleteDevice);
    return module.pNewDevice && module.pDeleteDevice;
}

BOOL CALLBACK KeepFirstInstance(LPCDIDEVICEINSTANCEA instance, LPVOID context)
{
    *static_cast<GUID*>(context) = instance->guidInstance;
    return DIENUM_STOP;
}

// Step 5: a buffered DirectInput device of class Device, created by class name
// and opened on the first device of `deviceClass` that DirectInput reports
// (DI8DEVCLASS_KEYBOARD, DI8DEVCLASS_POINTER). Its id, or -1.
template <class Device>
long AddDirectInputDevice(CQmDi8InputServer& server, const sInputModule& module,
                          const char* className, DWORD deviceClass)
{
    IDirectInput8A* directInput = server.GetDirectInput();
    GUID first{};
    if (!directInput
        || FAILED(directInput->EnumDevices(deviceClass, KeepFirstInstance, &first,
                                           DIEDFL_ATTACHEDONLY))
        || first == GUID{})
        return -1;
    const long id = module.pNewDevice(&server, CQmString(className));  // creates and adds it
    // Create(const GUID&) is the DirectInput devices' own virtual: called
    // through the object's table, it needs no symbol. QueryDevice takes a
    // reference, which ReleaseDevice gives back.
    CQmInputDevice* device = server.QueryDevice(id);
    const bool opened = device && static_cast<Device*>(device)->Create(first);
    server.ReleaseDevice(id);
    if (opened)
        return id;
    module.pDeleteDevice(&server, id);  // NewDevice listed it: an unopened device goes again
    return -1;
}

// Step 5, for both DirectInput devices; after the enumeration, which makes no
// window mouse while a mouse is listed.
void AddDirectInputDevices(CQmDi8InputServer& server, const sInputModule& module)
{
    std::printf("keyboard %ld\n", AddDirectInputDevice<CQmDi8Keyboard>(
                                       server, module, "CQmDi8Keyboard", DI8DEVCLASS_KEYBOARD));
    std::printf("mouse %ld\n", AddDirectInputDevice<CQmDi8Mouse>(server, module, "CQmDi8Mouse",
                                                                 DI8DEVCLASS_POINTER));
}

// Calls use(id, device) for every device in the server's list, each between
// QueryDevice, which takes a reference, and ReleaseDevice, which gives it back.
template <class Use>
void ForEachDevice(CQmInputServer& server, Use use)
{
    long position = 0;
    long id = -1;
    for (bool more = server.GetFirstDevice(position, id); more;
         more = server.GetNextDevice(position, id)) {
        if (CQmInputDevice* device = server.QueryDevice(id))
            use(id, *device);
        server.ReleaseDevice(id);
    }
}

bool HasDeviceOfClass(CQmInputServer& server, const char* className)
{
    bool found = false;
    ForEachDevice(server, [&](long, CQmInputDevice& device) {
        found = found || std::strcmp(device.GetType().GetName(), className) == 0;
    });
    return found;
}

void PrintDevices(CQmInputServer& server)
{
    ForEachDevice(server, [](long id, CQmInputDevice& device) {
        std::printf("device %ld %s\n", id, device.GetType().GetName());
    });
}

// Steps 4 and 5 on a named, not yet shown window: the window devices hook it,
// the DirectInput devices join them; then the window is shown.
void StartDevices(CQmDi8InputServer& server, const sInputModule& module, HWND window)
{
    // A window keyboard per keyboard, a window mouse for the first mouse: both hook the window.
    std::printf("enumerate %s\n", server.EnumerateDevices() ? "true" : "false");
    AddDirectInputDevices(server, module);
    PrintDevices(server);
    Check(IsHooked(window), "the window is hooked");
    Check(HasDeviceOfClass(server, "CQmWindowsKeyboard") && HasDeviceOfClass(server, "CQmWindowsMouse"),
          "a window keyboard and a window mouse are listed");
    ShowWindow(window, SW_SHOW);
}

// Step 6: poll every device that asks for it, on the thread that runs the
// framework (here the one thread that also dispatches the window's messages).
void PollDevices(CQmInputServer& server)
{
    ForEachDevice(server, [](long, CQmInputDevice& device) {
        if (device.DoesDeviceNeedPolling())
            device.Poll();
    });
}

const char* EventName(eInputEventType type)
{
    static const char* const kNames[] = {"NONE",        "KEY_DOWN",          "KEY_UP",
                                         "KEY_CHAR",    "MOUSE_MOVE",        "MOUSE_WHEEL",
                                         "JOYSTICK",    "MOUSE_BUTTON_DOWN", "MOUSE_BUTTON_UP",
                                         "MOUSE_DOUBLE_CLICK"};
    return type >= 0 && type <= INPUT_EVENT_MOUSE_DOUBLE_CLICK ? kNames[type] : "?";
}

// Step 6: take every queued event, oldest first. The lock keeps a window
// thread of its own from queueing while the queue is walked; a position stays
// valid when its event is removed, so the walk goes on from it.
void TakeEvents(CQmInputServer& server)
{
    server.LockEventQueue();
    long position = 0;
    long id = -1;
    for (bool more = server.GetFirstEventInQueue(position, id); more;
         more = server.GetNextEventInQueue(position, id)) {
        if (const CQmInputEvent* event = server.QueryEvent(id)) {  // takes a reference
            std::printf("event %s dev=%ld key=%ld value=%g x=%ld y=%ld time=%.6f\n",
                        EventName(event->m_eType), static_cast<long>(event->m_nDeviceId),
                        static_cast<long>(event->m_nKey), static_cast<double>(event->m_fValue),
                        static_cast<long>(event->m_nX), static_cast<long>(event->m_nY),
                        event->m_fTime);
        }
        server.ReleaseEvent(id);          // gives the reference back (-1 is accepted)
        server.RemoveEventFromQueue(id);  // the record goes once nothing holds it
    }
    server.UnlockEventQueue();
    std::fflush(stdout);
}

// Re-creating the window, in the guide's order. FreeDevices first: it unhooks
// the old window and deletes the DirectInput devices too, so they are added
// again after the enumeration (before it, the DirectInput mouse would keep the
// enumeration from making a window mouse). The events still queued are taken
// after it, when no freed device can add to them. The new window's handle, or null.
HWND RecreateGameWindow(CQmDi8InputServer& server, const sInputModule& module, HWND oldWindow)
{
    server.FreeDevices();
    Check(!IsHooked(oldWindow) && server.GetNumDevices() == 0,
          "FreeDevices unhooked the old window and emptied the device list");
    TakeEvents(server);
    DestroyWindow(oldWindow);
    HWND window = CreateGameWindow();
    if (!window)
        return nullptr;
    NameGameWindow(window);  // a stale handle would make devices that hook nothing
    std::printf("recreated\n");
    StartDevices(server, module, window);
    std::fflush(stdout);
    return window;
}

// Step 6: the game loop. The stand-in framework's clock stands still unless the
// host moves it: every event's time and the DirectInput keyboard's auto-repeat
// come from it. The window handle changes when the window is re-created.
void RunGameLoop(CQmDi8InputServer& server, const sInputModule& module, HWND& window,
                 double seconds)
{
    const ULONGLONG start = GetTickCount64();
    const auto now = [start] { return static_cast<double>(GetTickCount64() - start) / 1000.0; };
    while (!g_bQuit && window && (seconds <= 0.0 || now() < seconds)) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            qmhost::SetTime(now());
            TranslateMessage(&message);  // WM_CHAR for the window keyboard's character events
            DispatchMessageA(&message);  // the window devices make their events in here
        }
        qmhost::SetTime(now());
        PollDevices(server);
        TakeEvents(server);
        if (g_bRecreateWanted) {
            g_bRecreateWanted = false;
            window = RecreateGameWindow(server, module, window);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    double seconds = 0.0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--recreate") == 0)
            g_bRecreateOnF5 = true;
        else
            seconds = std::atof(argv[i]);
    }

    // Steps 1 and 2: the window, and its handle where the module looks for it.
    HWND window = RegisterGameWindowClass() ? CreateGameWindow() : nullptr;
    if (!window)
        return 1;
    NameGameWindow(window);

    // Step 3.
    sInputModule module{};
    if (!LoadInputModule(module)) {
        std::fprintf(stderr, "game-host: cannot load qminput.dll with NewDevice and DeleteDevice\n");
        if (module.hModule)
            FreeLibrary(module.hModule);
        return 1;
    }

    // Step 4: the server by class name. The database hands out an id; the
    // object behind it is the module's CQmDi8InputServer.
    CQmObjectDatabase* database = QmGetObjectDatabase();
    const long serverId = database->CreateObject("CQmDi8InputServer");
    CQmObject* object = database->FindObject(serverId);
    if (!object || std::strcmp(object->GetType().GetName(), "CQmDi8InputServer") != 0) {
        std::fprintf(stderr, "game-host: qminput.dll made no CQmDi8InputServer\n");
        database->DestroyObject(serverId);  // an unknown id (-1) is ignored
        FreeLibrary(module.hModule);
        return 1;
    }
    auto& server = static_cast<CQmDi8InputServer&>(*object);

    // Steps 4 and 5.
    StartDevices(server, module, window);
    std::printf("ready\n");
    std::fflush(stdout);

    // Step 6.
    RunGameLoop(server, module, window, seconds);

    // Steps 7 and 8, in this order. FreeDevices unhooks the window and closes
    // the DirectInput devices; the server's destructor alone would leave the
    // window hooked. Destroying the server releases DirectInput. FreeLibrary
    // last: after it, a window still hooked would call into unloaded code. A
    // module that stays loaded has a hook left in some window's chain.
    server.FreeDevices();
    const bool unhooked = window && !IsHooked(window);
    Check(server.GetNumDevices() == 0, "FreeDevices emptied the device list");
    database->DestroyObject(serverId);
    FreeLibrary(module.hModule);
    Check(GetModuleHandleA("qminput.dll") == nullptr, "qminput.dll is unloaded");
    if (window)
        DestroyWindow(window);
    std::printf("free: window procedure %s\n", unhooked ? "restored" : "NOT restored");
    return unhooked && g_nFailedChecks == 0 ? 0 : 1;
}
