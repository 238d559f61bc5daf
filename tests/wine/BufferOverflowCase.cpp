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

// A DirectInput keyboard of the test's own, with room for every stroke: what
// it holds is what the platform has delivered so far, to both keyboards alike.
IDirectInputDevice8A* OpenStrokeCounter(IDirectInput8A& directInput, const GUID& instance, DWORD room)
{
    IDirectInputDevice8A* device = nullptr;
    if (FAILED(directInput.CreateDevice(instance, &device, nullptr)))
        return nullptr;
    DIPROPDWORD size{{sizeof(DIPROPDWORD), sizeof(DIPROPHEADER), 0, DIPH_DEVICE}, room};
    if (SUCCEEDED(device->SetDataFormat(&c_dfDIKeyboard)) &&
        SUCCEEDED(device->SetProperty(DIPROP_BUFFERSIZE, &size.diph)) && SUCCEEDED(device->Acquire()))
        return device;
    device->Release();
    return nullptr;
}

// Pumps messages until the counter holds `strokes` strokes, then releases it;
// false when they do not arrive within a bound that only a hang reaches.
bool WaitForStrokes(IDirectInputDevice8A& counter, DWORD strokes)
{
    const DWORD start = GetTickCount();
    DWORD held = 0;
    while (held < strokes && GetTickCount() - start < 30000) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        held = INFINITE;
        if (FAILED(counter.GetDeviceData(sizeof(DIDEVICEOBJECTDATA), nullptr, &held, DIGDD_PEEK)))
            held = 0;
    }
    counter.Release();
    return held >= strokes;
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
    const auto strokes = static_cast<DWORD>(inputs.size());
    IDirectInputDevice8A* counter = OpenStrokeCounter(*directInput, *instance, 2 * strokes);
    if (!checks.Check(counter != nullptr, "a second DirectInput keyboard counts the delivered strokes"))
        return checks.Finish();
    const UINT sent = SendInput(strokes, inputs.data(), sizeof(INPUT));
    checks.CheckEqual(static_cast<long>(sent), static_cast<long>(strokes), "SendInput took every key");
    checks.Check(WaitForStrokes(*counter, strokes), "every stroke reached DirectInput");

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
