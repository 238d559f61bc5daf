// Key events from buffered keyboard records. Each step is entered with the record
// pushed back on the device: the key-down step leaves it there for the character
// step, which consumes it; the key-up step consumes it itself.
#include "host/Timer.h"
#include "keyboard/QmDi8Keyboard.h"
#include "server/NewInputEvent.h"

void CQmDi8Keyboard::NewKeyDownEvent()
{
    const DIDEVICEOBJECTDATA* record = m_oDevice.ReadNext();
    if (!record)  // GCOVR_EXCL_LINE: entered with a record pushed back, never without
        return;   // GCOVR_EXCL_LINE
    m_oDevice.PushBack();
    const eKeyType key = TranslateDirectInputKey(record->dwOfs);
    const double pressTime = CTimer::GetCurTime();
    NewInputEventAt(
        *this, INPUT_EVENT_KEY_DOWN, pressTime, [&](CQmInputEvent& event) { event.m_nKey = key; },
        [&] {
            KeyPressed(key, pressTime);
            NewKeyCharEvent();
        });
}

void CQmDi8Keyboard::NewKeyCharEvent()
{
    const DIDEVICEOBJECTDATA* record = m_oDevice.ReadNext();
    if (!record)  // GCOVR_EXCL_LINE: entered with a record pushed back, never without
        return;   // GCOVR_EXCL_LINE
    const int character = TranslateKeyToChar(TranslateDirectInputKey(record->dwOfs));
    NewInputEvent(*this, INPUT_EVENT_KEY_CHAR, [&](CQmInputEvent& event) { event.m_nKey = character; });
}

void CQmDi8Keyboard::NewKeyUpEvent()
{
    const DIDEVICEOBJECTDATA* record = m_oDevice.ReadNext();
    if (!record)  // GCOVR_EXCL_LINE: entered with a record pushed back, never without
        return;   // GCOVR_EXCL_LINE
    const eKeyType key = TranslateDirectInputKey(record->dwOfs);
    NewInputEvent(
        *this, INPUT_EVENT_KEY_UP, [&](CQmInputEvent& event) { event.m_nKey = key; },
        [&] { KeyReleased(key); });
}
