// Button events of the DirectInput mouse with the module's own double-click rule:
// a press is a double click when the same physical button was last pressed less
// than the double-click time ago, within a few units of the present position.
#include <cstdint>

#include "host/Timer.h"
#include "mouse/MouseRecordOffsets.h"
#include "mouse/QmDi8Mouse.h"
#include "server/Di8PressRecord.h"
#include "server/NewInputEvent.h"

namespace {

// How far, on each axis separately, a second press may lie from the first.
constexpr unsigned kDoubleClickDistance = 4;

// Key values by physical button, right-handed and left-handed. Buttons beyond
// the third have no key of their own and carry -1 (not KEY_NONE).
constexpr int kRightHandedKeys[CQmDi8Mouse::kMainButtons] = {KEY_MOUSE_LEFT, KEY_MOUSE_RIGHT, KEY_MOUSE_MIDDLE};
constexpr int kLeftHandedKeys[CQmDi8Mouse::kMainButtons] = {KEY_MOUSE_RIGHT, KEY_MOUSE_LEFT, KEY_MOUSE_MIDDLE};
constexpr int kFurtherButtonKey = -1;

// How far apart two positions lie on one axis. The host's positions wrap
// around at 32 bits, so their difference is taken modulo 2^32 as well: it
// cannot overflow, and positions either side of the wrap lie close together.
unsigned AxisDistance(int from, int to)
{
    const auto difference =
        static_cast<std::int32_t>(static_cast<std::uint32_t>(to) - static_cast<std::uint32_t>(from));
    return difference < 0 ? 0u - static_cast<std::uint32_t>(difference) : static_cast<std::uint32_t>(difference);
}

int ButtonKey(int button, bool leftHanded)
{
    if (button >= CQmDi8Mouse::kMainButtons)
        return kFurtherButtonKey;
    return leftHanded ? kLeftHandedKeys[button] : kRightHandedKeys[button];
}

}  // namespace

void CQmDi8Mouse::NewMouseButtonEvent()
{
    const DIDEVICEOBJECTDATA* record = m_oDevice.ReadNext();
    if (!record)  // GCOVR_EXCL_LINE: entered with a record pushed back, never without
        return;   // GCOVR_EXCL_LINE
    // One time for the double-click test, the press record and the event.
    const double now = CTimer::GetCurTime();
    const int button = static_cast<int>(record->dwOfs - kMouseOffsetButton0);
    const bool pressed = IsPressRecord(*record);

    eInputEventType type = INPUT_EVENT_MOUSE_BUTTON_UP;
    if (pressed)
        type = ButtonPressType(button, now);

    const int key = ButtonKey(button, IsLeftHanded());
    NewInputEventAt(*this, type, now, [&](CQmInputEvent& event) {
        event.m_nKey = key;
        event.m_nX = GetXPos();
        event.m_nY = GetYPos();
    });
}

eInputEventType CQmDi8Mouse::ButtonPressType(int button, double now)
{
    // Only the first three buttons keep a press record; a press of a further
    // button is always a plain down, since no platform double click is defined
    // for them and a game rarely expects one.
    if (button >= CQmDi8Mouse::kMainButtons)
        return INPUT_EVENT_MOUSE_BUTTON_DOWN;

    sButtonPress& last = m_aButtonPress[button];
    const double elapsed = now - last.m_fPressTime;
    const unsigned dx = AxisDistance(last.m_nPressX, GetXPos());
    const unsigned dy = AxisDistance(last.m_nPressY, GetYPos());
    const bool doubleClick = GetDoubleClickTime() > elapsed && dx <= kDoubleClickDistance &&
                             dy <= kDoubleClickDistance;

    // Every press becomes the one the next press is measured against, double clicks included.
    last = sButtonPress{now, GetXPos(), GetYPos()};
    return doubleClick ? INPUT_EVENT_MOUSE_DOUBLE_CLICK : INPUT_EVENT_MOUSE_BUTTON_DOWN;
}
