// Runs the host guide's own code under Wine against the real DLLs: the guide's
// C++ blocks, joined into one file by check-guide-code.sh, are included here,
// and each recipe's function must do what the guide says of it, without a call
// that breaks the framework's rules. The game's two functions that the guide
// only declares are defined here.
#include "guide-blocks.cpp"

#include <cstdio>

#include "framework/QmFrameworkControl.h"

namespace {

int g_nFailed = 0;

void Expect(bool holds, const char* what)
{
    std::printf("%s %s\n", holds ? "PASS" : "FAIL", what);
    if (!holds)
        ++g_nFailed;
}

// A key pressed in the window, taken from the queue as the guide takes events.
bool KeyReachesGame(CQmInputServer& server, HWND window)
{
    sGameInput input{};
    SendMessageA(window, WM_KEYDOWN, 'A', 0x001E0001);
    TakeEvents(server, input, FindDevice(server, "CQmWindowsMouse"));
    return input.aKeyDown[KEY_A];
}

// A fresh enumeration on `window`, as a game that forgot the key would make it.
eWindowDevices EnumerateAgain(CQmDi8InputServer& server, HWND window)
{
    server.FreeDevices();
    server.EnumerateDevices();
    return CheckWindowDevices(server, window);
}

}  // namespace

LRESULT CALLBACK GameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateGameWindow()
{
    static const bool registered = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = GameWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "QmInputGuideGame";
        return RegisterClassA(&windowClass) != 0;
    }();
    if (!registered)
        return nullptr;
    return CreateWindowExA(0, "QmInputGuideGame", "qminput guide", WS_OVERLAPPEDWINDOW, 0, 0, 320,
                           200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

int main()
{
    sInputModule module{};
    long serverId = -1;
    HWND window = CreateGameWindow();
    CQmDi8InputServer* server = StartInput(window, module, serverId);
    Expect(server != nullptr, "StartInput: a window keyboard and mouse hook the window");
    if (!server)
        return 1;
    Expect(KeyReachesGame(*server, window), "TakeEvents: a key pressed in the window reaches sGameInput");

    const long mouseId =
        AddDirectInputDevice<CQmDi8Mouse>(*server, module, "CQmDi8Mouse", DI8DEVCLASS_POINTER);
    Expect(mouseId != -1 && IsListed(*server, mouseId),
           "AddDirectInputDevice: the DirectInput mouse opens and is listed");
    Expect(RemoveDirectInputDevice(*server, module, mouseId),
           "RemoveDirectInputDevice: it is no longer listed");

    window = RecreateGameWindow(*server, module, window);
    Expect(window != nullptr, "RecreateGameWindow: the new window is hooked, with a window mouse");
    if (!window)
        return 1;
    Expect(KeyReachesGame(*server, window), "after the re-creation a key in the new window reaches the game");
    Expect(CheckWindowDevices(*server, window) == eWindowDevices::Serving,
           "CheckWindowDevices: the window devices serve the new window");

    // A new window whose handle was not stored: the old handle is stale.
    server->FreeDevices();
    DestroyWindow(window);
    window = CreateGameWindow();
    Expect(EnumerateAgain(*server, window) == eWindowDevices::Stale,
           "CheckWindowDevices: a stale \"Display/HWND\" is told apart");
    QmGetEnvironmentServer()->RemoveVariable("Display/HWND");
    Expect(EnumerateAgain(*server, window) == eWindowDevices::Missing,
           "CheckWindowDevices: a missing \"Display/HWND\" is told apart");
    NameGameWindow(window);
    Expect(EnumerateAgain(*server, window) == eWindowDevices::Serving,
           "CheckWindowDevices: named again, the window devices serve the window");

    Expect(StopInput(*server, serverId, module, window),
           "StopInput: no device, the window unhooked, the module unloaded");
    Expect(qmhost::ContractViolationCount() == 0, "no call of the guide's code broke the framework's rules");
    DestroyWindow(window);
    return g_nFailed == 0 ? 0 : 1;
}
