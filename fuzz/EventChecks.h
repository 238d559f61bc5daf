// The check of the events a device queued: exactly the events a model expects.
#pragma once

#include <cstdint>
#include <vector>

#include "common/QueuedEvents.h"
#include "fuzz/FuzzRequire.h"
#include "host/KeyTypes.h"
#include "host/QmInputEvent.h"
#include "host/Timer.h"

// The events the poll queued, exactly as expected.
inline void RequireEvents(const std::vector<CQmInputEvent>& expected)
{
    const std::vector<CQmInputEvent> made = TakeQueuedEvents();
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
