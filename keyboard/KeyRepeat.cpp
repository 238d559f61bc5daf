// Auto-repeat of held keys, at the end of every poll. DirectInput delivers no
// repeats of its own.
#include "host/Timer.h"
#include "keyboard/QmDi8Keyboard.h"
#include "server/NewInputEvent.h"

void CQmDi8Keyboard::ProcessKeyRepeats()
{
    // One time for the whole pass: every repeat of a pass carries it.
    const double now = CTimer::GetCurTime();
    for (sPressedKey& held : m_oPressedKeys) {
        // The host may change the settings at any time, so ask for each key. A key
        // repeats at most once per pass; intervals missed are not made up.
        const bool due = GetKeyRepeatDelay() < now - held.m_fPressTime &&
                         GetKeyRepeatSpeed() < now - held.m_fLastRepeatTime;
        if (!due)
            continue;
        const eKeyType key = held.m_eKey;
        NewInputEventAt(
            *this, INPUT_EVENT_KEY_DOWN, now, [&](CQmInputEvent& event) { event.m_nKey = key; },
            [&] {
                NewInputEventAt(
                    *this, INPUT_EVENT_KEY_CHAR, now,
                    [&](CQmInputEvent& event) { event.m_nKey = TranslateKeyToChar(key); },
                    [&] { held.m_fLastRepeatTime = now; });
            });
    }
}
