#include "winmsg/QmWindowsMouse.h"

#include <array>
#include <cstdint>

#include "server/NewInputEvent.h"

// Exported as declared in the header.
template class CQmWindowHook<CQmWindowsMouse, CQmMouse>;

QM_DEFINE_WINDOW_HOOK_MEMBERS(CQmWindowsMouse)

namespace {

// The event each button message makes. The platform's buttons are taken as
// they come: a left-handed setting does not swap them.
struct sButtonMessage {
    UINT m_nMessage;
    eInputEventType m_eType;
    eKeyType m_eButton;
};

constexpr std::array<sButtonMessage, 9> kButtonMessages{{
    {WM_LBUTTONDOWN, INPUT_EVENT_MOUSE_BUTTON_DOWN, KEY_MOUSE_LEFT},
    {WM_LBUTTONUP, INPUT_EVENT_MOUSE_BUTTON_UP, KEY_MOUSE_LEFT},
    {WM_LBUTTONDBLCLK, INPUT_EVENT_MOUSE_DOUBLE_CLICK, KEY_MOUSE_LEFT},
    {WM_RBUTTONDOWN, INPUT_EVENT_MOUSE_BUTTON_DOWN, KEY_MOUSE_RIGHT},
    {WM_RBUTTONUP, INPUT_EVENT_MOUSE_BUTTON_UP, KEY_MOUSE_RIGHT},
    {WM_RBUTTONDBLCLK, INPUT_EVENT_MOUSE_DOUBLE_CLICK, KEY_MOUSE_RIGHT},
    {WM_MBUTTONDOWN, INPUT_EVENT_MOUSE_BUTTON_DOWN, KEY_MOUSE_MIDDLE},
    {WM_MBUTTONUP, INPUT_EVENT_MOUSE_BUTTON_UP, KEY_MOUSE_MIDDLE},
    {WM_MBUTTONDBLCLK, INPUT_EVENT_MOUSE_DOUBLE_CLICK, KEY_MOUSE_MIDDLE},
}};

// The move event's state mask: Ctrl and Shift first, then the left, middle and
// right buttons; the extra buttons' flags are dropped.
struct sStateFlag {
    WPARAM m_nMessageFlag;
    int m_nMaskBit;
};

constexpr std::array<sStateFlag, 5> kStateFlags{{
    {MK_CONTROL, 1},
    {MK_SHIFT, 2},
    {MK_LBUTTON, 4},
    {MK_MBUTTON, 8},
    {MK_RBUTTON, 16},
}};

const sButtonMessage* FindButtonMessage(UINT message)
{
    for (const auto& entry : kButtonMessages)
        if (entry.m_nMessage == message)
            return &entry;
    return nullptr;
}

int StateMask(WPARAM wParam)
{
    int mask = 0;
    for (const auto& flag : kStateFlags)
        if (wParam & flag.m_nMessageFlag)
            mask |= flag.m_nMaskBit;
    return mask;
}

// Both halves of lParam as unsigned 16-bit numbers: a position left of or above
// the client area arrives as its 16-bit complement.
long LowWord(LPARAM lParam)
{
    return static_cast<std::uint16_t>(static_cast<ULONG_PTR>(lParam) & 0xFFFF);
}

long HighWord(LPARAM lParam)
{
    return static_cast<std::uint16_t>((static_cast<ULONG_PTR>(lParam) >> 16) & 0xFFFF);
}

// The high word of the wheel message's wParam, signed: positive away from the user.
long WheelDelta(WPARAM wParam)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>((wParam >> 16) & 0xFFFF));
}

void WritePosition(CQmInputEvent& event, long x, long y)
{
    event.m_nX = static_cast<std::int32_t>(x);
    event.m_nY = static_cast<std::int32_t>(y);
}

}  // namespace

CQmWindowsMouse::CQmWindowsMouse() = default;

CQmWindowsMouse::~CQmWindowsMouse() = default;

void CQmWindowsMouse::NewMouseMoveEvent(long x, long y, int stateMask)
{
    NewInputEvent(*this, INPUT_EVENT_MOUSE_MOVE, [&](CQmInputEvent& event) {
        event.m_nKey = stateMask;
        WritePosition(event, x, y);
    });
}

void CQmWindowsMouse::NewMouseButtonEvent(eInputEventType type, eKeyType button, long x, long y)
{
    NewInputEvent(*this, type, [&](CQmInputEvent& event) {
        event.m_nKey = button;
        WritePosition(event, x, y);
    });
}

void CQmWindowsMouse::NewMouseWheelEvent(long x, long y, long delta)
{
    NewInputEvent(*this, INPUT_EVENT_MOUSE_WHEEL, [&](CQmInputEvent& event) {
        event.m_nKey = kWheelEventKey;
        event.m_fValue = static_cast<float>(delta);
        WritePosition(event, x, y);
    });
}

void CQmWindowsMouse::HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const long x = LowWord(lParam);
    const long y = HighWord(lParam);
    if (message == WM_MOUSEMOVE)
        NewMouseMoveEvent(x, y, StateMask(wParam));
    else if (message == WM_MOUSEWHEEL)
        NewMouseWheelEvent(x, y, WheelDelta(wParam));
    else if (const sButtonMessage* button = FindButtonMessage(message))
        NewMouseButtonEvent(button->m_eType, button->m_eButton, x, y);
}
