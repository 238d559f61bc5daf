// Messages sent to the real game window with SendMessageA: the hooks of the
// real DLL make the events and hand every message on to the game's own
// procedure; FreeDevices gives the window its own procedure back. Also when the
// hooked window is destroyed and a new one made, and when another procedure
// sits above the hooks at FreeDevices and the module is unloaded.
#include "tests/wine/HostCases.h"

#include "framework/QmFrameworkControl.h"
#include "host/KeyTypes.h"
#include "tests/wine/HostChecks.h"
#include "tests/wine/TestHost.h"
#include "tools/monitor/EventFormat.h"

namespace qmwinetest {
namespace {

enum class eSource { Keyboard, Mouse };

struct sMessageRow {
    const char* pWhat;
    UINT nMessage;
    WPARAM wParam;
    LPARAM lParam;
    // The event expected.
    eSource eFrom;
    eInputEventType eType;
    int nKey;
    int nX;
    int nY;
};

constexpr LPARAM Bits(DWORD value)
{
    return static_cast<LPARAM>(value);
}

constexpr LPARAM Point(int x, int y)
{
    return Bits((static_cast<DWORD>(y) << 16) | (static_cast<DWORD>(x) & 0xFFFF));
}

const DWORD kKeyA = 0x41;
const LPARAM kKeyAPressed = Bits(0x001E0001);   // scan code 0x1E, one press
const LPARAM kKeyAReleased = Bits(0xC01E0001);  // plus the transition bits

// One message of each kind a hook makes events of: what the events carry is
// decoded by the same code on both platforms and checked by the golden
// scripts; here the real window's procedure chain is what counts.
const sMessageRow kRows[] = {
    {"A pressed", WM_KEYDOWN, kKeyA, kKeyAPressed, eSource::Keyboard, INPUT_EVENT_KEY_DOWN, KEY_A, 0, 0},
    {"character a", WM_CHAR, 'a', kKeyAPressed, eSource::Keyboard, INPUT_EVENT_KEY_CHAR, 'a', 0, 0},
    {"A released", WM_KEYUP, kKeyA, kKeyAReleased, eSource::Keyboard, INPUT_EVENT_KEY_UP, KEY_A, 0, 0},
    {"move", WM_MOUSEMOVE, 0, Point(100, 50), eSource::Mouse, INPUT_EVENT_MOUSE_MOVE, 0, 100, 50},
    {"left down", WM_LBUTTONDOWN, MK_LBUTTON, Point(30, 40), eSource::Mouse, INPUT_EVENT_MOUSE_BUTTON_DOWN, KEY_MOUSE_LEFT, 30, 40},
    {"left up", WM_LBUTTONUP, 0, Point(30, 40), eSource::Mouse, INPUT_EVENT_MOUSE_BUTTON_UP, KEY_MOUSE_LEFT, 30, 40},
};

// An event line up to its time, which is the clock's and not compared.
std::string WithoutTime(const std::string& line)
{
    return line.substr(0, line.find(" time="));
}

std::string ExpectedEvent(const sMessageRow& row, long keyboardId, long mouseId)
{
    CQmInputEvent event{};
    event.m_eType = row.eType;
    event.m_nDeviceId = row.eFrom == eSource::Keyboard ? keyboardId : mouseId;
    event.m_nKey = row.nKey;
    event.m_nX = row.nX;
    event.m_nY = row.nY;
    return WithoutTime(qmmonitor::FormatEvent(event));
}

// The events queued since the last call, printed, and joined without times.
std::string TakeEvents(CTestHost& host)
{
    std::string events;
    for (const std::string& line : host.TakeEventLines())
        events += (events.empty() ? "" : " | ") + WithoutTime(line);
    return events.empty() ? "(none)" : events;
}

void SendRow(CHostChecks& checks, CTestHost& host, const sMessageRow& row, long keyboardId,
             long mouseId)
{
    CTestHost::ForgetOwnProcedureMessages();
    const LRESULT result = SendMessageA(host.Window().GetHandle(), row.nMessage, row.wParam, row.lParam);
    const std::string what = row.pWhat;
    checks.CheckEqual(TakeEvents(host), ExpectedEvent(row, keyboardId, mouseId), what + ": event");
    const std::vector<sWindowMessage> sent{{row.nMessage, row.wParam, row.lParam}};
    checks.Check(CTestHost::OwnProcedureMessages() == sent,
                 what + ": reaches the game's procedure once, unchanged");
    checks.CheckEqual(result, CTestHost::OwnProcedureResult(row.nMessage),
                      what + ": the game's answer is the message's result");
}

void CheckFreedWindow(CHostChecks& checks, CTestHost& host)
{
    host.Server().FreeDevices();
    checks.Check(host.Window().GetInstalledProcedure() == host.Window().GetOwnProcedure(),
                 "after FreeDevices the window has its own procedure again");
    CTestHost::ForgetOwnProcedureMessages();
    SendMessageA(host.Window().GetHandle(), WM_KEYDOWN, kKeyA, kKeyAPressed);
    checks.CheckEqual(TakeEvents(host), "(none)", "after FreeDevices a key makes no event");
    checks.CheckEqual(static_cast<long>(CTestHost::OwnProcedureMessages().size()), 1,
                      "after FreeDevices the key reaches the game's procedure");
    checks.CheckEqual(qmhost::OutstandingDeviceRefs(), 0, "no device reference is left");
    checks.CheckEqual(qmhost::OutstandingEventRefs(), 0, "no event reference is left");
    checks.CheckEqual(qmhost::ContractViolationCount(), 0L, "no call broke the framework's contract");
}

// The window keyboard's and mouse's ids after an enumeration; false when one is missing.
bool EnumerateWindowDevices(CHostChecks& checks, CTestHost& host, long& keyboardId, long& mouseId)
{
    checks.Check(host.Server().EnumerateDevices(), "EnumerateDevices returns true");
    keyboardId = host.FindDevice("CQmWindowsKeyboard");
    mouseId = host.FindDevice("CQmWindowsMouse");
    return checks.Check(keyboardId != -1 && mouseId != -1, "a window keyboard and mouse exist");
}

const sMessageRow& KeyPressRow()
{
    return kRows[0];
}

const sMessageRow& ButtonRow()
{
    return kRows[4];
}

// The window keyboard and mouse enumerated on the host's window.
struct sWindowDevices {
    long nKeyboardId;
    long nMouseId;
};

// Runs `body` on a fresh host once the window devices exist.
int RunWithWindowDevices(void (*body)(CHostChecks&, CTestHost&, const sWindowDevices&))
{
    CHostChecks checks;
    CTestHost host;
    sWindowDevices devices{-1, -1};
    if (EnumerateWindowDevices(checks, host, devices.nKeyboardId, devices.nMouseId))
        body(checks, host, devices);
    return checks.Finish();
}

void RecreatedWindow(CHostChecks& checks, CTestHost& host, const sWindowDevices&)
{
    host.RecreateWindow();
    host.Server().FreeDevices();
    sWindowDevices devices{-1, -1};
    if (!EnumerateWindowDevices(checks, host, devices.nKeyboardId, devices.nMouseId))
        return;
    checks.Check(host.Window().GetInstalledProcedure() != host.Window().GetOwnProcedure(),
                 "the new window is hooked");
    SendRow(checks, host, KeyPressRow(), devices.nKeyboardId, devices.nMouseId);
    SendRow(checks, host, ButtonRow(), devices.nKeyboardId, devices.nMouseId);
    CheckFreedWindow(checks, host);
}

void SubclassedWindow(CHostChecks& checks, CTestHost& host, const sWindowDevices&)
{
    const HWND window = host.Window().GetHandle();
    CTestHost::InstallForeignProcedure(window);
    host.Unload();
    checks.Check(GetModuleHandleA("qminput.dll") != nullptr,
                 "the module stays loaded while its procedures are in the window's chain");

    CTestHost::ForgetOwnProcedureMessages();
    checks.CheckEqual(SendMessageA(window, WM_KEYDOWN, kKeyA, kKeyAPressed),
                      CTestHost::OwnProcedureResult(WM_KEYDOWN),
                      "after the unload a key still gets the game's answer");
    CTestHost::RestoreReplacedByForeign(window);
    SendMessageA(window, WM_KEYUP, kKeyA, kKeyAReleased);
    checks.CheckEqual(static_cast<long>(CTestHost::OwnProcedureMessages().size()), 2,
                      "both keys reached the game's procedure once");
    checks.Check(host.Window().GetInstalledProcedure() == host.Window().GetOwnProcedure(),
                 "the hooks left at the first message on top of the chain");
}

void EveryMessageRow(CHostChecks& checks, CTestHost& host, const sWindowDevices& devices)
{
    for (const sMessageRow& row : kRows)
        SendRow(checks, host, row, devices.nKeyboardId, devices.nMouseId);
    CheckFreedWindow(checks, host);
}

}  // namespace

int RunMessageCase()
{
    return RunWithWindowDevices(EveryMessageRow);
}

int RunRecreatedWindowCase()
{
    return RunWithWindowDevices(RecreatedWindow);
}

int RunSubclassedWindowCase()
{
    return RunWithWindowDevices(SubclassedWindow);
}

}  // namespace qmwinetest
