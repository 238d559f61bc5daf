// Which operation takes a buffered mouse record, by the object it reports.
#include "mouse/MouseRecordOffsets.h"
#include "mouse/QmDi8Mouse.h"

void CQmDi8Mouse::ParseObjectData()
{
    struct sRecordParser {
        DWORD m_nFirstOffset;
        DWORD m_nLastOffset;
        void (CQmDi8Mouse::*m_pParse)();
    };
    static constexpr sRecordParser kParsers[] = {
        {kMouseOffsetX, kMouseOffsetX, &CQmDi8Mouse::ParseXMouseEvent},
        {kMouseOffsetY, kMouseOffsetY, &CQmDi8Mouse::ParseYMouseEvent},
        {kMouseOffsetWheel, kMouseOffsetWheel, &CQmDi8Mouse::ParseMouseWheelEvent},
        {kMouseOffsetButton0, kMouseOffsetButton7, &CQmDi8Mouse::ParseMouseButtonEvent},
    };

    const DIDEVICEOBJECTDATA* record = m_oDevice.ReadNext();
    if (!record)  // GCOVR_EXCL_LINE: entered with a record pushed back, never without
        return;   // GCOVR_EXCL_LINE
    for (const sRecordParser& parser : kParsers) {
        if (record->dwOfs >= parser.m_nFirstOffset && record->dwOfs <= parser.m_nLastOffset) {
            m_oDevice.PushBack();
            (this->*parser.m_pParse)();
            return;
        }
    }
    // The data format reports no other object; such a record is taken without effect.
}

void CQmDi8Mouse::ParseXMouseEvent()
{
    const DIDEVICEOBJECTDATA* record = m_oDevice.ReadNext();
    if (!record)  // GCOVR_EXCL_LINE: entered with a record pushed back, never without
        return;   // GCOVR_EXCL_LINE
    UpdateMousePosition(static_cast<int>(record->dwData), 0);
    CreateMouseMoveEventOnDemand();
}

void CQmDi8Mouse::ParseYMouseEvent()
{
    const DIDEVICEOBJECTDATA* record = m_oDevice.ReadNext();
    if (!record)  // GCOVR_EXCL_LINE: entered with a record pushed back, never without
        return;   // GCOVR_EXCL_LINE
    UpdateMousePosition(0, static_cast<int>(record->dwData));
    CreateMouseMoveEventOnDemand();
}

// The wheel and button event makers take the record themselves.
void CQmDi8Mouse::ParseMouseWheelEvent()
{
    NewMouseWheelEvent();
}

void CQmDi8Mouse::ParseMouseButtonEvent()
{
    NewMouseButtonEvent();
}
