// The DirectInput keyboard fed any record stream: key records with any scan
// code and data, raw records with any offset, sequence numbers that jump and
// wrap, input loss, injected DirectInput failures, refused events, clock steps,
// resets, new repeat settings and a new device object now and then.
//
// After every poll the events must be exactly those the records and the
// auto-repeat rules call for, with keys and characters from the key tables
// written out apart from the module's, and the held-key list exactly the
// presses not yet released; after every input every reference must be back.
#include <algorithm>

#include "common/KeyTables.h"
#include "fuzz/EventChecks.h"
#include "fuzz/OpStream.h"
#include "keyboard/QmDi8Keyboard.h"

namespace {

int KeyOfScanCode(DWORD scanCode)
{
    static const auto keys = keytables::ExpectedScanCodeKeys();
    return keytables::ExpectedAt(keys, static_cast<long long>(scanCode));
}

int CharacterOfKey(int key)
{
    static const auto characters = keytables::ExpectedKeyCharacters();
    return keytables::ExpectedAt(characters, key);
}

// A key as the model holds it: when it went down and when it last repeated.
struct sHeldKey {
    int m_nKey;
    double m_fPressed;
    double m_fRepeated;
};

// The held-key list as it must be: a press appends, a release removes the
// first entry of its key, a reset empties it.
class CKeyboardModel : public CDeviceModel<CQmDi8Keyboard> {
public:
    using CDeviceModel::CDeviceModel;

    void Reset()
    {
        m_oDevice.Get().Reset();
        m_oHeld.clear();
        RequireHeldKeys();
    }
    void Recreate()
    {
        RecreateDevice();
        m_oHeld.clear();
        RequireHeldKeys();
    }
    // The host may change the repeat settings at any time.
    void SetRepeat(float delay, float interval)
    {
        m_oDevice.Get().SetKeyRepeatDelay(delay);
        m_oDevice.Get().SetKeyRepeatSpeed(interval);
    }

    void Poll()
    {
        m_oDevice.Get().Poll();
        std::vector<CQmInputEvent> expected;
        for (const sFuzzRecord& record : m_oPending.TakeRead(Name()))
            Apply(record, expected);
        // Keys are held only on a keyboard that reads, so an open one.
        Repeat(expected);
        RequireEvents(m_oFailures.Survivors(expected));
        RequireHeldKeys();
    }

private:
    void Apply(const sFuzzRecord& record, std::vector<CQmInputEvent>& expected)
    {
        const long deviceId = m_oDevice.Get().GetDeviceId();
        const int key = KeyOfScanCode(record.m_nOffset);
        const double now = CTimer::GetCurTime();
        // Bit 7 of a key record's data: the key went down.
        if (record.m_nData & 0x80) {
            expected.push_back(ExpectedEvent(INPUT_EVENT_KEY_DOWN, deviceId, key));
            expected.push_back(ExpectedEvent(INPUT_EVENT_KEY_CHAR, deviceId, CharacterOfKey(key)));
            m_oHeld.push_back(sHeldKey{key, now, now});
            return;
        }
        expected.push_back(ExpectedEvent(INPUT_EVENT_KEY_UP, deviceId, key));
        const auto first = std::find_if(m_oHeld.begin(), m_oHeld.end(),
                                        [key](const sHeldKey& held) { return held.m_nKey == key; });
        if (first != m_oHeld.end())
            m_oHeld.erase(first);
    }

    // A held key repeats once its delay and its interval have both passed.
    void Repeat(std::vector<CQmInputEvent>& expected)
    {
        const CQmDi8Keyboard& keyboard = m_oDevice.Get();
        const double now = CTimer::GetCurTime();
        for (sHeldKey& held : m_oHeld) {
            const double sincePress = now - held.m_fPressed;
            const double sinceRepeat = now - held.m_fRepeated;
            if (sincePress <= keyboard.GetKeyRepeatDelay() || sinceRepeat <= keyboard.GetKeyRepeatSpeed())
                continue;
            expected.push_back(ExpectedEvent(INPUT_EVENT_KEY_DOWN, keyboard.GetDeviceId(), held.m_nKey));
            expected.push_back(ExpectedEvent(INPUT_EVENT_KEY_CHAR, keyboard.GetDeviceId(), CharacterOfKey(held.m_nKey)));
            held.m_fRepeated = now;
        }
    }

    void RequireHeldKeys() const
    {
        const std::vector<sPressedKey>& listed = m_oDevice.Get().GetPressedKeys();
        FUZZ_REQUIRE(listed.size() == m_oHeld.size(), "%zu keys listed, %zu held", listed.size(), m_oHeld.size());
        for (std::size_t i = 0; i < listed.size(); ++i) {
            FUZZ_REQUIRE(listed[i].m_eKey == m_oHeld[i].m_nKey && listed[i].m_fPressTime == m_oHeld[i].m_fPressed &&
                             listed[i].m_fLastRepeatTime == m_oHeld[i].m_fRepeated,
                         "held key %zu: listed key %d pressed %.17g repeated %.17g; expected key %d pressed %.17g "
                         "repeated %.17g",
                         i, listed[i].m_eKey, listed[i].m_fPressTime, listed[i].m_fLastRepeatTime, m_oHeld[i].m_nKey,
                         m_oHeld[i].m_fPressed, m_oHeld[i].m_fRepeated);
        }
    }

    std::vector<sHeldKey> m_oHeld;
};

// The keyboard's own ops, after the common ones.
enum eKeyboardOp {
    OP_KEY,              // a key record: scan code, up or down
    OP_RESET,
    OP_REPEAT_SETTINGS,  // the host's, at once
    OP_SYSTEM_SETTINGS,  // the platform's, read at the next Create
    KEYBOARD_OP_COUNT
};

void RunKeyboardOp(int op, FuzzedDataProvider& input, CKeyboardModel& model, DWORD& sequence)
{
    switch (op) {
    case OP_KEY: {
        const DWORD scanCode = input.ConsumeIntegral<std::uint8_t>();
        const DWORD keyData = input.ConsumeBool() ? 0x80 : 0x00;
        model.Queue({scanCode, keyData, NextSequence(input, sequence)});
        break;
    }
    case OP_RESET: model.Reset(); break;
    case OP_REPEAT_SETTINGS: {
        const float delay = input.ConsumeIntegralInRange<int>(0, 64) / 32.0f;
        const float interval = input.ConsumeIntegralInRange<int>(0, 64) / 32.0f;
        model.SetRepeat(delay, interval);
        break;
    }
    default:
        qmsim::GetSettings().keyboardDelay = input.ConsumeIntegralInRange<int>(-1, 4);
        qmsim::GetSettings().keyboardSpeed = input.ConsumeIntegralInRange<int>(-1, 32);
        qmsim::GetSettings().settingsQueriesFail = input.ConsumeBool();
        break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return RunDeviceInput<CKeyboardModel>(data, size, "kbd", DI8DEVTYPE_KEYBOARD, KEYBOARD_OP_COUNT, &RunKeyboardOp);
}
