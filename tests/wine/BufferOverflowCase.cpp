// More key presses between two polls than the buffered DirectInput keyboard's
// buffer holds, typed as real input with SendInput: DirectInput keeps the
// oldest 255 records of the 256-record buffer and drops the newest, so the
// poll sees every press of A, B's press without its release, and nothing of C.
#include "tests/wine/HostCases.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "host/KeyTypes.h"
#include "server/QmDi8InputServer.h"
#include "tests/wine/HostChecks.h"
#include "tests/wine/TestHost.h"
#include "tools/monitor-live/DirectInputInstances.h"
#include "tools/monitor/DeviceOpening.h"

namespace qmwinetest {
namespace {

constexpr int kFullPressesOfA = 127;  // 254 records, then B's down makes 255
constexpr int kPressesOfC = 20;

void AddKey(std::vector<INPUT>& inputs, WORD virtualKey, bool down)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    inputs.push_back(input);
}

void AddPresses(std::vector<INPUT>& inputs, WORD virtualKey, int presses)
{
    for (int stroke = 0; stroke < 2 * presses; ++stroke)
        AddKey(inputs, virtualKey, stroke % 2 == 0);
}

// Gives the platform time to deliver the injected input, pumping messages.
void LetInputArrive()
{
    for (int round = 0; round < 20; ++round) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        Sleep(25);
    }
}

// Key events by "TYPE key", e.g. "KEY_DOWN 30".
std::map<std::string, long> CountKeyEvents(CTestHost& host)
{
    std::map<std::string, long> counts;
    for (const std::string& line : host.Input().TakeEventLines()) {
        const std::size_t type = line.find(' ') + 1;
        const std::size_t key = line.find(" key=") + 5;
        const std::string name = line.substr(type, line.find(' ', type) - type);
        if (name == "KEY_DOWN" || name == "KEY_UP")
            ++counts[name + " " + line.substr(key, line.find(' ', key) - key)];
    }
    return counts;
}

}  // namespace

int RunBufferOverflowCase()
{
    CHostChecks checks;
    CTestHost host;
    IDirectInput8A* directInput = static_cast<CQmDi8InputServer&>(host.Server()).GetDirectInput();
    const std::optional<GUID> instance =
        directInput ? qmmonitor::FirstAttachedInstance(*directInput, DI8DEVCLASS_KEYBOARD) : std::nullopt;
    if (!checks.Check(instance.has_value(), "DirectInput reports a keyboard"))
        return checks.Finish();
    const long keyboardId = host.Input().NewDevice("CQmDi8Keyboard");
    qmmonitor::CDeviceReference keyboard(host.Server(), keyboardId);
    if (!checks.Check(keyboard.Get() && qmmonitor::OpenDevice(*keyboard.Get(),
                                                               *qmmonitor::FindDeviceClass("CQmDi8Keyboard"),
                                                               *instance),
                      "the DirectInput keyboard opens"))
        return checks.Finish();
    keyboard->Poll();
    host.Input().TakeEventLines();

    std::vector<INPUT> inputs;
    AddPresses(inputs, 'A', kFullPressesOfA);
    AddPresses(inputs, 'B', 1);
    AddPresses(inputs, 'C', kPressesOfC);
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    checks.CheckEqual(static_cast<long>(sent), static_cast<long>(inputs.size()), "SendInput took every key");
    LetInputArrive();

    keyboard->Poll();
    auto counts = CountKeyEvents(host);  // a key never seen counts 0
    for (const auto& [what, count] : counts)
        std::printf("  %s x%ld\n", what.c_str(), count);
    checks.CheckEqual(counts["KEY_DOWN 30"], kFullPressesOfA, "every press of A is read");
    checks.CheckEqual(counts["KEY_UP 30"], kFullPressesOfA, "every release of A is read");
    checks.CheckEqual(counts["KEY_DOWN 48"], 1, "B's press is the 255th record, read");
    checks.CheckEqual(counts["KEY_UP 48"], 0, "B's release, the 256th, is dropped");
    checks.CheckEqual(counts["KEY_DOWN 46"] + counts["KEY_UP 46"], 0,
                      "C's presses, the newest, are dropped");
    return checks.Finish();
}

}  // namespace qmwinetest
