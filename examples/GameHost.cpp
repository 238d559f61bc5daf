// A minimal game host for the qminput module, written for reading: each step
// below is a step of "How a host uses the module" in the README, under the same
// number. It opens a window, loads qminput.dll at run time, creates the input
// server by class name, lets it enumerate the devices, adds a buffered
// DirectInput keyboard, and prints every event until Esc is pressed, the window
// is closed or the optional time limit (first argument, in seconds) runs out.
//
// Build against the installed tree alone (see the README):
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
#include "server/QmDi8InputServer.h"

namespace {

bool g_bQuit = false;

// The game's own window procedure. The module's window devices hook in front
// of it; every message still arrives here exactly once.
LRESULT CALLBACK GameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE || (message == WM_KEYDOWN && wParam == VK_ESCAPE)) {
        g_bQuit = true;  // the window stays until the module has unhooked it (step 8)
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Step 1: the game window. CS_DBLCLKS lets the window mouse report double clicks.
HWND CreateGameWindow()
{
    WNDCLASSA windowClass{};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = GameWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = "QmInputExampleGame";
    if (!RegisterClassA(&windowClass))
        return nullptr;
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, "qminput example",
                                  WS_OVERLAPPEDWINDOW, 0, 0, 480, 320, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
    if (window)
        ShowWindow(window, SW_SHOW);
    return window;
}

// Step 3: NewDevice is a non-virtual member, so a host that loads the module at
// run time finds it by its GCC-mangled name. Members use the thiscall
// convention on 32-bit x86 (`this` in ECX): a plain function pointer would put
// the server on the stack and crash. (GCC's -Wpedantic notes that thiscall is
// meant for members: a pointer to a function that takes `this` first is one.)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wattributes"
using NewDeviceFunction = long(__thiscall*)(CQmDi8InputServer* server, const CQmString& className);
#pragma GCC diagnostic pop
const char* const kNewDeviceName = "_ZN17CQmDi8InputServer9NewDeviceERK9CQmString";

BOOL CALLBACK KeepFirstKeyboard(LPCDIDEVICEINSTANCEA instance, LPVOID context)
{
    *static_cast<GUID*>(context) = instance->guidInstance;
    return DIENUM_STOP;
}

// Step 5: a buffered DirectInput keyboard, created by class name and opened on
// the first keyboard that DirectInput reports. Its id, or -1.
long AddDirectInputKeyboard(CQmDi8InputServer& server, NewDeviceFunction newDevice)
{
    IDirectInput8A* directInput = server.GetDirectInput();
    GUID firstKeyboard{};
    if (!directInput || FAILED(directInput->EnumDevices(DI8DEVCLASS_KEYBOARD, KeepFirstKeyboard,
                                                        &firstKeyboard, DIEDFL_ATTACHEDONLY))
        || firstKeyboard == GUID{})
        return -1;
    const long id = newDevice(&server, CQmString("CQmDi8Keyboard"));  // creates and adds it
    // Create(const GUID&) is the DirectInput devices' own virtual: called
    // through the object's table, it needs no symbol. QueryDevice takes a
    // reference, which ReleaseDevice gives back.
    CQmInputDevice* device = server.QueryDevice(id);
    const bool opened = device && static_cast<CQmDi8Keyboard*>(device)->Create(firstKeyboard);
    server.ReleaseDevice(id);
    return opened ? id : -1;
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

void PrintDevices(CQmInputServer& server)
{
    ForEachDevice(server, [](long id, CQmInputDevice& device) {
        std::printf("device %ld %s\n", id, device.GetType().GetName());
    });
}

// Step 6: the game loop. The stand-in framework's clock stands still unless the
// host moves it: every event's time and the DirectInput keyboard's auto-repeat
// come from it.
void RunGameLoop(CQmInputServer& server, double seconds)
{
    const ULONGLONG start = GetTickCount64();
    const auto now = [start] { return static_cast<double>(GetTickCount64() - start) / 1000.0; };
    while (!g_bQuit && (seconds <= 0.0 || now() < seconds)) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            qmhost::SetTime(now());
            TranslateMessage(&message);  // WM_CHAR for the window keyboard's character events
            DispatchMessageA(&message);  // the window devices make their events in here
        }
        qmhost::SetTime(now());
        PollDevices(server);
        TakeEvents(server);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 0.0;

    // Steps 1 and 2: the window, and its handle where the module looks for it.
    HWND window = CreateGameWindow();
    if (!window)
        return 1;
    const auto handle = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window));
    QmGetEnvironmentServer()->SetVariable("Display/HWND", handle);  // a 32-bit value

    // Step 3: loading the module registers its six classes by name. (The cast
    // goes through void*: FARPROC's own type has nothing to do with NewDevice's.)
    HMODULE module = LoadLibraryA("qminput.dll");
    if (!module) {
        std::fprintf(stderr, "game-host: cannot load qminput.dll\n");
        return 1;
    }
    const auto newDevice = reinterpret_cast<NewDeviceFunction>(
        reinterpret_cast<void*>(GetProcAddress(module, kNewDeviceName)));

    // Step 4: the server by class name. The database hands out an id; the
    // object behind it is the module's CQmDi8InputServer.
    CQmObjectDatabase* database = QmGetObjectDatabase();
    const long serverId = database->CreateObject("CQmDi8InputServer");
    CQmObject* object = database->FindObject(serverId);
    if (!newDevice || !object
        || std::strcmp(object->GetType().GetName(), "CQmDi8InputServer") != 0) {
        std::fprintf(stderr, "game-host: qminput.dll has no CQmDi8InputServer with NewDevice\n");
        database->DestroyObject(serverId);  // an unknown id (-1) is ignored
        FreeLibrary(module);
        return 1;
    }
    auto& server = static_cast<CQmDi8InputServer&>(*object);
    // A window keyboard per keyboard, a window mouse for the first mouse: both hook the window.
    std::printf("enumerate %s\n", server.EnumerateDevices() ? "true" : "false");

    // Step 5.
    std::printf("keyboard %ld\n", AddDirectInputKeyboard(server, newDevice));
    PrintDevices(server);
    std::printf("ready\n");
    std::fflush(stdout);

    // Step 6.
    RunGameLoop(server, seconds);

    // Steps 7 and 8, in this order. FreeDevices unhooks the window and closes
    // the DirectInput devices; the server's destructor alone would leave the
    // window hooked. Destroying the server releases DirectInput. FreeLibrary
    // last: after it, a window still hooked would call into unloaded code.
    server.FreeDevices();
    const bool unhooked =
        reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)) == GameWindowProc;
    database->DestroyObject(serverId);
    FreeLibrary(module);
    DestroyWindow(window);
    std::printf("free: window procedure %s\n", unhooked ? "restored" : "NOT restored");
    return unhooked ? 0 : 1;
}
