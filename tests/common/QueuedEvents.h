// Takes the events a test's devices queued out of the current input server, in
// queue order, and empties the queue.
#pragma once

#include <vector>

#include "host/QmInputEvent.h"
#include "host/QmInputServer.h"

inline std::vector<CQmInputEvent> TakeQueuedEvents()
{
    std::vector<CQmInputEvent> events;
    CQmInputServer* server = QmGetInputServer();
    if (!server)
        return events;
    server->LockEventQueue();
    long position = 0;
    long eventId = -1;
    for (bool more = server->GetFirstEventInQueue(position, eventId); more;
         more = server->GetNextEventInQueue(position, eventId)) {
        if (const CQmInputEvent* event = server->QueryEvent(eventId))
            events.push_back(*event);
        server->ReleaseEvent(eventId);
    }
    server->FlushEventQueue();
    server->UnlockEventQueue();
    return events;
}
