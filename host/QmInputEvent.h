// The framework's input event record and event types.
#pragma once

#include <cstdint>

enum eInputEventType : std::int32_t {
    INPUT_EVENT_NONE = 0,
    INPUT_EVENT_KEY_DOWN = 1,
    INPUT_EVENT_KEY_UP = 2,
    INPUT_EVENT_KEY_CHAR = 3,
    INPUT_EVENT_MOUSE_MOVE = 4,
    INPUT_EVENT_MOUSE_WHEEL = 5,
    INPUT_EVENT_JOYSTICK = 6,  // the framework's own; the input module never makes it
    INPUT_EVENT_MOUSE_BUTTON_DOWN = 7,
    INPUT_EVENT_MOUSE_BUTTON_UP = 8,
    INPUT_EVENT_MOUSE_DOUBLE_CLICK = 9,
};

// A fresh record is all zeros. The fields the devices fill lie in this order;
// the framework keeps fields of its own before the type and between the type
// and the device id.
struct CQmInputEvent {
    std::int32_t m_nHostFlags;      // framework's own
    eInputEventType m_eType;
    std::int32_t m_nHostSequence;   // framework's own
    std::int32_t m_nDeviceId;
    std::int32_t m_nKey;            // eKeyType, character code, or the mouse state mask
    float m_fValue;                 // wheel movement
    std::int32_t m_nX;
    std::int32_t m_nY;
    double m_fTime;                 // CTimer::GetCurTime() when the event was made
};
