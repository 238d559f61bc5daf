// The predefined data formats, with the object lists DirectInput gives them.
#include <array>

#include "DataFormatNames.h"

namespace {

constexpr DWORD kAnyAxis = DIDFT_AXIS | DIDFT_ANYINSTANCE;
constexpr DWORD kAnyButton = DIDFT_BUTTON | DIDFT_ANYINSTANCE;
constexpr DWORD kAnyPov = DIDFT_POV | DIDFT_ANYINSTANCE;
constexpr DWORD kOptional = DIDFT_OPTIONAL;

constexpr std::array<DIOBJECTDATAFORMAT, 256> MakeKeyboardObjects() {
    std::array<DIOBJECTDATAFORMAT, 256> objects{};
    for (DWORD key = 0; key < objects.size(); ++key)
        objects[key] = {&GUID_Key, key, kOptional | DIDFT_BUTTON | DIDFT_MAKEINSTANCE(key), 0};
    return objects;
}

constexpr std::array<DIOBJECTDATAFORMAT, 11> MakeMouse2Objects() {
    std::array<DIOBJECTDATAFORMAT, 11> objects{{
        {&GUID_XAxis, DIMOFS_X, kAnyAxis, 0},
        {&GUID_YAxis, DIMOFS_Y, kAnyAxis, 0},
        {&GUID_ZAxis, DIMOFS_Z, kOptional | kAnyAxis, 0},
    }};
    for (DWORD button = 0; button < 8; ++button)
        objects[3 + button] = {nullptr, DIMOFS_BUTTON0 + button, (button < 1 ? 0 : kOptional) | kAnyButton, 0};
    return objects;
}

// Position axes and sliders, POVs, buttons, then velocity, acceleration and
// force axes and sliders: 164 objects over DIJOYSTATE2.
constexpr std::array<DIOBJECTDATAFORMAT, 164> MakeJoystick2Objects() {
    constexpr const GUID* axisGuids[8] = {&GUID_XAxis,  &GUID_YAxis,  &GUID_ZAxis,  &GUID_RxAxis,
                                          &GUID_RyAxis, &GUID_RzAxis, &GUID_Slider, &GUID_Slider};
    constexpr DWORD axisGroupOffsets[4] = {0, 176, 208, 240};
    std::array<DIOBJECTDATAFORMAT, 164> objects{};
    size_t next = 0;
    auto addAxisGroup = [&](DWORD base) {
        for (DWORD axis = 0; axis < 8; ++axis)
            objects[next++] = {axisGuids[axis], base + 4 * axis, kOptional | kAnyAxis, 0};
    };
    addAxisGroup(axisGroupOffsets[0]);
    for (DWORD pov = 0; pov < 4; ++pov) objects[next++] = {&GUID_POV, 32 + 4 * pov, kOptional | kAnyPov, 0};
    for (DWORD button = 0; button < 128; ++button)
        objects[next++] = {nullptr, 48 + button, kOptional | kAnyButton, 0};
    for (int group = 1; group < 4; ++group) addAxisGroup(axisGroupOffsets[group]);
    return objects;
}

std::array<DIOBJECTDATAFORMAT, 256> g_keyboardObjects = MakeKeyboardObjects();
std::array<DIOBJECTDATAFORMAT, 11> g_mouse2Objects = MakeMouse2Objects();
std::array<DIOBJECTDATAFORMAT, 164> g_joystick2Objects = MakeJoystick2Objects();

template <size_t N>
constexpr DIDATAFORMAT MakeFormat(DWORD flags, DWORD dataSize, std::array<DIOBJECTDATAFORMAT, N>& objects) {
    return {sizeof(DIDATAFORMAT), sizeof(DIOBJECTDATAFORMAT), flags, dataSize, static_cast<DWORD>(N),
            objects.data()};
}

static_assert(offsetof(DIJOYSTATE2, rgdwPOV) == 32 && offsetof(DIJOYSTATE2, rgbButtons) == 48);
static_assert(offsetof(DIJOYSTATE2, lVX) == 176 && offsetof(DIJOYSTATE2, lAX) == 208 &&
              offsetof(DIJOYSTATE2, lFX) == 240);

}  // namespace

extern "C" {
const DIDATAFORMAT c_dfDIKeyboard = MakeFormat(DIDF_RELAXIS, 256, g_keyboardObjects);
const DIDATAFORMAT c_dfDIMouse2 = MakeFormat(DIDF_RELAXIS, sizeof(DIMOUSESTATE2), g_mouse2Objects);
const DIDATAFORMAT c_dfDIJoystick2 = MakeFormat(DIDF_ABSAXIS, sizeof(DIJOYSTATE2), g_joystick2Objects);
}

namespace qmsim::detail {

const char* DataFormatName(const DIDATAFORMAT* format) {
    if (format == &c_dfDIKeyboard) return "c_dfDIKeyboard";
    if (format == &c_dfDIMouse2) return "c_dfDIMouse2";
    if (format == &c_dfDIJoystick2) return "c_dfDIJoystick2";
    return "custom";
}

}  // namespace qmsim::detail
