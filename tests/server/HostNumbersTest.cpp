// The numbers that belong to the framework, not to the module: every key code
// and event type the module produces must equal the framework's value, value
// for value, or a real host reads other keys and events than the ones sent.
// The values are written out here as plain numbers, once; the other tests and
// the golden scripts may then name them by their enumerators.
#include <cstddef>

#include <gtest/gtest.h>

#include "host/KeyTypes.h"
#include "host/QmInputEvent.h"

namespace {

struct sHostNumber {
    const char* pName;
    long nDeclared;
    long nValue;
};

#define HOST_NUMBER(name, value) {#name, static_cast<long>(name), value}

const sHostNumber kKeyCodes[] = {
    HOST_NUMBER(KEY_NONE, 0),
    HOST_NUMBER(KEY_ESCAPE, 1),
    HOST_NUMBER(KEY_1, 2), HOST_NUMBER(KEY_2, 3), HOST_NUMBER(KEY_3, 4), HOST_NUMBER(KEY_4, 5),
    HOST_NUMBER(KEY_5, 6), HOST_NUMBER(KEY_6, 7), HOST_NUMBER(KEY_7, 8), HOST_NUMBER(KEY_8, 9),
    HOST_NUMBER(KEY_9, 10), HOST_NUMBER(KEY_0, 11),
    HOST_NUMBER(KEY_BACKSPACE, 14),
    HOST_NUMBER(KEY_TAB, 15),
    HOST_NUMBER(KEY_Q, 16), HOST_NUMBER(KEY_W, 17), HOST_NUMBER(KEY_E, 18), HOST_NUMBER(KEY_R, 19),
    HOST_NUMBER(KEY_T, 20), HOST_NUMBER(KEY_Y, 21), HOST_NUMBER(KEY_U, 22), HOST_NUMBER(KEY_I, 23),
    HOST_NUMBER(KEY_O, 24), HOST_NUMBER(KEY_P, 25),
    HOST_NUMBER(KEY_ENTER, 28),
    HOST_NUMBER(KEY_LCONTROL, 29),
    HOST_NUMBER(KEY_A, 30), HOST_NUMBER(KEY_S, 31), HOST_NUMBER(KEY_D, 32), HOST_NUMBER(KEY_F, 33),
    HOST_NUMBER(KEY_G, 34), HOST_NUMBER(KEY_H, 35), HOST_NUMBER(KEY_J, 36), HOST_NUMBER(KEY_K, 37),
    HOST_NUMBER(KEY_L, 38),
    HOST_NUMBER(KEY_LSHIFT, 42),
    HOST_NUMBER(KEY_Z, 44), HOST_NUMBER(KEY_X, 45), HOST_NUMBER(KEY_C, 46), HOST_NUMBER(KEY_V, 47),
    HOST_NUMBER(KEY_B, 48), HOST_NUMBER(KEY_N, 49), HOST_NUMBER(KEY_M, 50),
    HOST_NUMBER(KEY_RSHIFT, 54),
    HOST_NUMBER(KEY_NUMPAD_MULTIPLY, 55),
    HOST_NUMBER(KEY_SPACE, 57),
    HOST_NUMBER(KEY_CAPSLOCK, 58),
    HOST_NUMBER(KEY_F1, 59), HOST_NUMBER(KEY_F2, 60), HOST_NUMBER(KEY_F3, 61), HOST_NUMBER(KEY_F4, 62),
    HOST_NUMBER(KEY_F5, 63), HOST_NUMBER(KEY_F6, 64), HOST_NUMBER(KEY_F7, 65), HOST_NUMBER(KEY_F8, 66),
    HOST_NUMBER(KEY_F9, 67), HOST_NUMBER(KEY_F10, 68), HOST_NUMBER(KEY_F11, 69), HOST_NUMBER(KEY_F12, 70),
    HOST_NUMBER(KEY_F13, 71), HOST_NUMBER(KEY_F14, 72), HOST_NUMBER(KEY_F15, 73),
    HOST_NUMBER(KEY_NUMLOCK, 74),
    HOST_NUMBER(KEY_SCROLLLOCK, 75),
    HOST_NUMBER(KEY_NUMPAD7, 76), HOST_NUMBER(KEY_NUMPAD8, 77), HOST_NUMBER(KEY_NUMPAD9, 78),
    HOST_NUMBER(KEY_NUMPAD_SUBTRACT, 79),
    HOST_NUMBER(KEY_NUMPAD4, 80), HOST_NUMBER(KEY_NUMPAD5, 81), HOST_NUMBER(KEY_NUMPAD6, 82),
    HOST_NUMBER(KEY_NUMPAD_ADD, 83),
    HOST_NUMBER(KEY_NUMPAD1, 84), HOST_NUMBER(KEY_NUMPAD2, 85), HOST_NUMBER(KEY_NUMPAD3, 86),
    HOST_NUMBER(KEY_NUMPAD0, 87),
    HOST_NUMBER(KEY_NUMPAD_DECIMAL, 88),
    HOST_NUMBER(KEY_RCONTROL, 90),
    HOST_NUMBER(KEY_NUMPAD_DIVIDE, 91),
    HOST_NUMBER(KEY_HOME, 94),
    HOST_NUMBER(KEY_UP, 95),
    HOST_NUMBER(KEY_LEFT, 97),
    HOST_NUMBER(KEY_RIGHT, 98),
    HOST_NUMBER(KEY_END, 99),
    HOST_NUMBER(KEY_DOWN, 100),
    HOST_NUMBER(KEY_INSERT, 102),
    HOST_NUMBER(KEY_DELETE, 103),
    HOST_NUMBER(KEY_LWIN, 104),
    HOST_NUMBER(KEY_RWIN, 105),
    HOST_NUMBER(KEY_APPS, 106),
    HOST_NUMBER(KEY_LALT, 109),
    HOST_NUMBER(KEY_RALT, 115),
    HOST_NUMBER(KEY_PAGEUP, 117),
    HOST_NUMBER(KEY_PAGEDOWN, 121),
    HOST_NUMBER(KEY_PAUSE, 122),
    HOST_NUMBER(KEY_VOLUMEUP, 124),
    HOST_NUMBER(KEY_VOLUMEDOWN, 125),
    // The mouse buttons share the key codes.
    HOST_NUMBER(KEY_MOUSE_LEFT, 126),
    HOST_NUMBER(KEY_MOUSE_RIGHT, 127),
    HOST_NUMBER(KEY_MOUSE_MIDDLE, 128),
};

const sHostNumber kEventTypes[] = {
    HOST_NUMBER(INPUT_EVENT_KEY_DOWN, 1),
    HOST_NUMBER(INPUT_EVENT_KEY_UP, 2),
    HOST_NUMBER(INPUT_EVENT_KEY_CHAR, 3),
    HOST_NUMBER(INPUT_EVENT_MOUSE_MOVE, 4),
    HOST_NUMBER(INPUT_EVENT_MOUSE_WHEEL, 5),
    HOST_NUMBER(INPUT_EVENT_MOUSE_BUTTON_DOWN, 7),
    HOST_NUMBER(INPUT_EVENT_MOUSE_BUTTON_UP, 8),
    HOST_NUMBER(INPUT_EVENT_MOUSE_DOUBLE_CLICK, 9),
};

#undef HOST_NUMBER

template <std::size_t Rows>
void ExpectFrameworkValues(const char* what, const sHostNumber (&numbers)[Rows])
{
    for (const sHostNumber& number : numbers)
        EXPECT_EQ(number.nDeclared, number.nValue) << what << " " << number.pName;
}

TEST(HostNumbers, KeyCodesAndMouseButtonsAreTheFrameworksValues)
{
    ExpectFrameworkValues("key code", kKeyCodes);
}

TEST(HostNumbers, EventTypesAreTheFrameworksValues)
{
    ExpectFrameworkValues("event type", kEventTypes);
}

}  // namespace
