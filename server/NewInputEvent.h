// The one way every device makes an event: ask for a new event, fill the record,
// queue it, do what belongs after it, give the reference back.
#pragma once

#include <cstdint>
#include <utility>

#include "host/QmInputDevice.h"
#include "host/QmInputEvent.h"
#include "host/QmInputServer.h"
#include "host/Timer.h"
#include "server/QmInputEventRef.h"

// The key field of every wheel event, whichever mouse made it.
constexpr std::int32_t kWheelEventKey = 2;

// Makes one event of `type` for `device`. The record gets the type, the device's
// id and the current time; `fill(CQmInputEvent&)` writes the fields the event
// carries. `after()` runs once the event is queued, while its reference is still
// held, so events it makes end their references first.
//
// When the framework has no event to give, nothing is filled or queued, but the
// reference still ends and `after()` still runs. An exception from `fill` or
// `after` leaves with the reference given back.
template <class Fill, class After>
void NewInputEvent(CQmInputDevice& device, eInputEventType type, Fill&& fill, After&& after)
{
    const long eventId = device.NewEvent();
    CQmInputEventRef event(QmGetInputServer(), eventId);
    if (event) {
        event->m_eType = type;
        event->m_nDeviceId = static_cast<std::int32_t>(device.GetDeviceId());
        event->m_fTime = CTimer::GetCurTime();
        fill(*event.Get());
        device.QueueEvent(eventId);
    }
    after();
}

template <class Fill>
void NewInputEvent(CQmInputDevice& device, eInputEventType type, Fill&& fill)
{
    NewInputEvent(device, type, std::forward<Fill>(fill), [] {});
}
