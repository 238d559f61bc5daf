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

// Makes one event of `type` for `device` at `time`, a reading of the framework's
// clock that the caller took and may use for its own work too: the clock takes
// a lock, so each reading costs. The record gets the type, the device's id and
// the time; `fill(CQmInputEvent&)` writes the fields the event carries.
// `after()` runs once the event is queued, while its reference is still held,
// so events it makes end their references first.
//
// When the framework has no event to give, nothing is filled or queued, but the
// reference still ends and `after()` still runs. An exception from `fill` or
// `after` leaves with the reference given back.
template <class Fill, class After>
void NewInputEventAt(CQmInputDevice& device, eInputEventType type, double time, Fill&& fill, After&& after)
{
    const long eventId = device.NewEvent();
    CQmInputEventRef event(QmGetInputServer(), eventId);
    if (event) {
        event->m_eType = type;
        event->m_nDeviceId = static_cast<std::int32_t>(device.GetDeviceId());
        event->m_fTime = time;
        fill(*event.Get());
        device.QueueEvent(eventId);
    }
    after();
}

template <class Fill>
void NewInputEventAt(CQmInputDevice& device, eInputEventType type, double time, Fill&& fill)
{
    NewInputEventAt(device, type, time, std::forward<Fill>(fill), [] {});
}

// The same, at the framework's time now.
template <class Fill, class After>
void NewInputEvent(CQmInputDevice& device, eInputEventType type, Fill&& fill, After&& after)
{
    NewInputEventAt(device, type, CTimer::GetCurTime(), std::forward<Fill>(fill), std::forward<After>(after));
}

template <class Fill>
void NewInputEvent(CQmInputDevice& device, eInputEventType type, Fill&& fill)
{
    NewInputEventAt(device, type, CTimer::GetCurTime(), std::forward<Fill>(fill), [] {});
}
