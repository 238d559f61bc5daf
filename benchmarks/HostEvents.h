// Events made straight through the framework, as a device makes them but with
// nothing of the module in between: the host's own share of an event's cost.
#pragma once

#include "host/KeyTypes.h"
#include "host/QmInputDevice.h"
#include "host/QmInputEvent.h"
#include "host/QmInputServer.h"

// Asked for and queued through `device`'s inherited event services, as a
// device of the module does it: what the framework notes about the device that
// asked is the framework's cost too.
inline void MakeHostEvents(CQmInputDevice& device, int count)
{
    CQmInputServer& server = *QmGetInputServer();
    for (int i = 0; i < count; ++i) {
        const long eventId = device.NewEvent();
        if (CQmInputEvent* event = server.QueryEvent(eventId)) {
            event->m_eType = INPUT_EVENT_KEY_DOWN;
            event->m_nKey = KEY_A;
            device.QueueEvent(eventId);
        }
        server.ReleaseEvent(eventId);
    }
}
