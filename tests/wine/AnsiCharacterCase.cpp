// KEY_CHAR on a Unicode window, measured against the real platform: the same
// UTF-16 units go to an ANSI window, whose procedure gets them as the platform
// converts them through the ANSI code page (one WM_CHAR per byte, '?' for what
// the page lacks), and to the hooked Unicode game window, whose KEY_CHAR events
// must carry exactly those bytes while its own procedure gets the units as sent.
// Run under the system's code page, and under a double-byte one (LANG=zh_CN).
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/QmFrameworkControl.h"
#include "host/QmEnvironmentServer.h"
#include "host/QmString.h"
#include "tests/wine/HostCases.h"
#include "tests/wine/HostChecks.h"
#include "tests/wine/TestHost.h"

namespace qmwinetest {
namespace {

// a, é, €, ж, 中, and the two halves of 😀 (U+1F600).
constexpr WPARAM kUnits[] = {0x0061, 0x00E9, 0x20AC, 0x0436, 0x4E2D, 0xD83D, 0xDE00};

std::vector<long> g_oAnsiReceived;
std::vector<long> g_oGameReceived;

LRESULT CALLBACK AnsiProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CHAR)
        g_oAnsiReceived.push_back(static_cast<long>(wParam));
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK UnicodeProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CHAR)
        g_oGameReceived.push_back(static_cast<long>(wParam));
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeAnsiWindow()
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = AnsiProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "qminput ansi probe";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, windowClass.lpszClassName, "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                           windowClass.hInstance, nullptr);
}

HWND MakeUnicodeWindow()
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = UnicodeProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"qminput unicode game";
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, windowClass.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                           nullptr, windowClass.hInstance, nullptr);
}

std::vector<long> CharacterEventKeys(CTestHost& host)
{
    std::vector<long> keys;
    for (const std::string& line : host.Input().TakeEventLines()) {
        const auto key = line.find(" key=");
        if (line.rfind("event KEY_CHAR ", 0) == 0 && key != std::string::npos)
            keys.push_back(std::stol(line.substr(key + 5)));
    }
    return keys;
}

std::string Join(const std::vector<long>& values)
{
    std::string text;
    for (long value : values)
        text += (text.empty() ? "" : " ") + std::to_string(value);
    return text;
}

}  // namespace

int RunAnsiCharactersCase()
{
    CHostChecks checks;
    CTestHost host;
    host.Server().FreeDevices();
    const HWND ansiWindow = MakeAnsiWindow();
    const HWND gameWindow = MakeUnicodeWindow();
    QmGetEnvironmentServer()->SetVariable(CQmString("Display/HWND"),
                                          static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(gameWindow)));
    checks.Check(host.Server().EnumerateDevices(), "EnumerateDevices on a Unicode window");
    std::printf("  ANSI code page %u\n", GetACP());
    if (const char* expected = std::getenv("QM_EXPECTED_ACP"))
        checks.CheckEqual(static_cast<long>(GetACP()), std::atol(expected), "the ANSI code page asked for");
    for (WPARAM unit : kUnits) {
        g_oAnsiReceived.clear();
        g_oGameReceived.clear();
        SendMessageW(ansiWindow, WM_CHAR, unit, 1);
        host.Input().TakeEventLines();
        SendMessageW(gameWindow, WM_CHAR, unit, 1);
        const std::vector<long> events = CharacterEventKeys(host);
        char name[16];
        std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(unit));
        std::printf("  %s: an ANSI procedure gets [%s], KEY_CHAR [%s]\n", name, Join(g_oAnsiReceived).c_str(),
                    Join(events).c_str());
        checks.CheckEqual(Join(events), Join(g_oAnsiReceived), std::string(name) + ": KEY_CHAR as an ANSI procedure gets it");
        checks.CheckEqual(Join(g_oGameReceived), std::to_string(unit), std::string(name) + ": the game gets the unit unchanged");
    }
    host.Server().FreeDevices();
    checks.Check(IsWindowUnicode(gameWindow), "the window is Unicode after FreeDevices");
    DestroyWindow(gameWindow);
    DestroyWindow(ansiWindow);
    checks.CheckEqual(qmhost::ContractViolationCount(), 0L, "no call broke the framework's contract");
    return checks.Finish();
}

}  // namespace qmwinetest
