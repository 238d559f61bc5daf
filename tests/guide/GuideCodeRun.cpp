// Runs the host guide's own code under Wine against the real DLLs: the guide's
// C++ blocks, joined into one file by check-guide-code.sh, are included here,
// and each recipe's function must do what the guide says of it, without a call
// that breaks the framework's rules: first on an ANSI window of the main
// thread, then on a Unicode window that a thread of its own creates and pumps.
// The game's functions that the guide only declares are defined here.
#include "guide-blocks.cpp"

#include <cstdio>

#include "framework/QmFrameworkControl.h"

namespace {

int g_nFailed = 0;
LONG g_nLastCharacter = 0;  // the last WM_CHAR the game's procedure got, from any thread

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

// A character posted to the window thread's window reaches the game's own
// procedure unaltered, and the window keyboard makes a KEY_CHAR of it (its
// value on a Unicode window is not the game's character in every code page).
bool CharacterReachesGame(CQmInputServer& server, HWND window, wchar_t character)
{
    InterlockedExchange(&g_nLastCharacter, 0);
    PostMessageW(window, WM_CHAR, character, 1);
    for (int waited = 0; waited < 10000 && InterlockedCompareExchange(&g_nLastCharacter, 0, 0) == 0; ++waited)
        Sleep(1);
    sGameInput input{};
    TakeEvents(server, input, FindDevice(server, "CQmWindowsMouse"));
    return InterlockedCompareExchange(&g_nLastCharacter, 0, 0) == character && input.nTyped >= 1;
}

// The window-thread recipes on a Unicode window: start-up, two re-creations, shutdown.
bool RunWindowThreadRecipes()
{
    constexpr wchar_t kZhe = 0x0436;
    sWindowThread thread{};
    Expect(StartWindowThread(thread) && AskWindowThread(thread, REQUEST_CREATE) && thread.hWindow,
           "StartWindowThread: the window thread makes the window");
    if (!thread.hWindow)
        return false;
    sInputModule module{};
    long serverId = -1;
    CQmDi8InputServer* server = StartInput(thread.hWindow, module, serverId);
    Expect(server != nullptr && IsWindowUnicode(thread.hWindow),
           "StartInput on the window thread's Unicode window: hooked, still Unicode");
    if (!server)
        return false;
    Expect(CharacterReachesGame(*server, thread.hWindow, kZhe),
           "a character outside the code page reaches the game's W procedure and makes a KEY_CHAR");
    for (int recreation = 1; recreation <= 2; ++recreation) {
        Expect(RecreateThreadWindow(*server, thread) != nullptr,
               "RecreateThreadWindow: the old window freed, the new one hooked");
        Expect(IsWindowUnicode(thread.hWindow) && CharacterReachesGame(*server, thread.hWindow, kZhe),
               "after the re-creation the Unicode window's characters reach the game and make events");
    }
    HWND window = thread.hWindow;
    Expect(StopInput(*server, serverId, module, window) && !IsHooked(window),
           "StopInput with a window thread: the window unhooked (W form), the module unloaded");
    StopWindowThread(thread);
    return true;
}

}  // namespace

LRESULT CALLBACK GameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CHAR)
        InterlockedExchange(&g_nLastCharacter, static_cast<LONG>(wParam));
    return IsWindowUnicode(window) ? DefWindowProcW(window, message, wParam, lParam)
                                   : DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateUnicodeGameWindow()
{
    static const bool registered = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = GameWindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"QmInputGuideUnicodeGame";
        return RegisterClassW(&windowClass) != 0;
    }();
    if (!registered)
        return nullptr;
    return CreateWindowExW(0, L"QmInputGuideUnicodeGame", L"qminput guide", WS_OVERLAPPEDWINDOW, 0, 0,
                           320, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
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
    const bool focused = server->HasFocus();
    server->FreeDevices();
    DestroyWindow(window);
    Expect(focused && server->HasFocus(),
           "the focus state keeps its value after FreeDevices and the focused window's destruction");
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
    DestroyWindow(window);
    RunWindowThreadRecipes();
    Expect(qmhost::ContractViolationCount() == 0, "no call of the guide's code broke the framework's rules");
    return g_nFailed == 0 ? 0 : 1;
}
