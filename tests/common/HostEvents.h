// Events made straight through the framework, as a device makes them but with
// nothing of the module in between: the host's own share of an event's cost.
#pragma once

#include "host/KeyTypes.h"
#include "host/QmInputEvent.h"
#include "host/QmInputServer.h"

inline void MakeHostEvents(CQmInputServer& server, int count)
{
    for (int i = 0; i < count; ++i) {
        const long eventId = server.NewEvent();
        if (CQmInputEvent* event = server.QueryEvent(eventId)) {
            event->m_eType = INPUT_EVENT_KEY_DOWN;
            event->m_nKey = KEY_A;
            server.QueueEvent(eventId);
        }
        server.ReleaseEvent(eventId);
    }
}
