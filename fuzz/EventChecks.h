// The checks of the events a device queued: what holds for any event of the
// module, and the exact events a model expects.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

#include "common/QueuedEvents.h"
#include "fuzz/FuzzRequire.h"
#include "host/KeyTypes.h"
#include "host/QmInputEvent.h"
#include "host/Timer.h"

inline bool IsModuleEventType(int type)
{
    return type >= INPUT_EVENT_KEY_DOWN && type <= INPUT_EVENT_MOUSE_DOUBLE_CLICK && type != INPUT_EVENT_JOYSTICK;
}

// What holds for any event of the module, whatever its input: a type the
// module makes and a key in that type's range.
inline void RequireWellFormed(const CQmInputEvent& event)
{
    const int key = event.m_nKey;
    FUZZ_REQUIRE(IsModuleEventType(event.m_eType), "event type %d", event.m_eType);
    switch (event.m_eType) {
    case INPUT_EVENT_KEY_DOWN:
    case INPUT_EVENT_KEY_UP:
        FUZZ_REQUIRE(key >= KEY_NONE && key <= KEY_MOUSE_MIDDLE, "key %d", key);
        break;
    case INPUT_EVENT_KEY_CHAR:
        FUZZ_REQUIRE(key >= 0 && key <= 255, "character %d", key);
        break;
    case INPUT_EVENT_MOUSE_WHEEL:
        FUZZ_REQUIRE(key == 2, "wheel key %d", key);
        break;
    case INPUT_EVENT_MOUSE_BUTTON_DOWN:
    case INPUT_EVENT_MOUSE_BUTTON_UP:
    case INPUT_EVENT_MOUSE_DOUBLE_CLICK:
        FUZZ_REQUIRE((key >= KEY_MOUSE_LEFT && key <= KEY_MOUSE_MIDDLE) || key == -1, "button key %d", key);
        break;
    default:
        break;
    }
    FUZZ_REQUIRE(std::isfinite(event.m_fTime) && std::isfinite(event.m_fValue), "time or value not finite");
}

// The events the poll queued, each well formed, exactly as expected.
inline void RequireEvents(const std::vector<CQmInputEvent>& expected)
{
    const std::vector<CQmInputEvent> made = TakeQueuedEvents();
    for (const CQmInputEvent& event : made)
        RequireWellFormed(event);
    FUZZ_REQUIRE(made.size() == expected.size(), "%zu events made, %zu expected", made.size(), expected.size());
    for (std::size_t i = 0; i < made.size(); ++i) {
        const CQmInputEvent& a = made[i];
        const CQmInputEvent& b = expected[i];
        FUZZ_REQUIRE(a.m_eType == b.m_eType && a.m_nDeviceId == b.m_nDeviceId && a.m_nKey == b.m_nKey &&
                         a.m_fValue == b.m_fValue && a.m_nX == b.m_nX && a.m_nY == b.m_nY && a.m_fTime == b.m_fTime,
                     "event %zu: made type %d key %d value %g at (%d, %d) time %.17g; expected type %d key %d "
                     "value %g at (%d, %d) time %.17g",
                     i, a.m_eType, a.m_nKey, a.m_fValue, a.m_nX, a.m_nY, a.m_fTime, b.m_eType, b.m_nKey,
                     b.m_fValue, b.m_nX, b.m_nY, b.m_fTime);
    }
}

// An expected event: the fields a device writes, the rest zero as the
// framework hands a fresh record out.
inline CQmInputEvent ExpectedEvent(eInputEventType type, long deviceId, int key, int x = 0, int y = 0,
                                   float value = 0.0f)
{
    CQmInputEvent event{};
    event.m_eType = type;
    event.m_nDeviceId = static_cast<std::int32_t>(deviceId);
    event.m_nKey = key;
    event.m_fValue = value;
    event.m_nX = x;
    event.m_nY = y;
    event.m_fTime = CTimer::GetCurTime();
    return event;
}
