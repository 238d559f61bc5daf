// Move and wheel events of the DirectInput mouse. Axis records of one sequence
// group move the position one by one and give a single move event at the end of
// the group.
#include <cstdint>

#include "mouse/QmDi8Mouse.h"
#include "server/NewInputEvent.h"

void CQmDi8Mouse::CreateMouseMoveEventOnDemand()
{
    // Look at the record after the axis record just taken, and leave it for the poll loop.
    const DIDEVICEOBJECTDATA* next = m_oDevice.ReadNext();
    m_oDevice.PushBack();
    // The group goes on with a record of the same sequence; a button record ends
    // it early, so that the button event carries the moved position. A wheel
    // record does not.
    if (next && !IsDataSequenceNewer(next) && !IsMouseButtonEvent(next))
        return;
    NewMouseMoveEvent();
    if (next)
        m_nLastSequence = static_cast<int>(next->dwSequence);
}

void CQmDi8Mouse::NewMouseMoveEvent()
{
    NewInputEvent(*this, INPUT_EVENT_MOUSE_MOVE, [&](CQmInputEvent& event) {
        event.m_nX = GetXPos();
        event.m_nY = GetYPos();
    });
}

void CQmDi8Mouse::NewMouseWheelEvent()
{
    const DIDEVICEOBJECTDATA* record = m_oDevice.ReadNext();
    if (!record)  // GCOVR_EXCL_LINE: entered with a record pushed back, never without
        return;   // GCOVR_EXCL_LINE
    // Only the low 16 bits carry the movement, signed, in DirectInput's wheel units.
    const auto delta = static_cast<std::int16_t>(record->dwData & 0xFFFF);
    NewInputEvent(*this, INPUT_EVENT_MOUSE_WHEEL, [&](CQmInputEvent& event) {
        event.m_nKey = kWheelEventKey;
        event.m_fValue = static_cast<float>(delta);
        event.m_nX = GetXPos();
        event.m_nY = GetYPos();
    });
}
