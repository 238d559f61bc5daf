// The DirectInput mouse under test, open on a simulated mouse, and the mouse
// events it queued, reduced to what the mouse writes.
#pragma once

#include <ostream>
#include <vector>

#include "common/Di8DeviceTest.h"
#include "mouse/QmDi8Mouse.h"

struct sMouseEvent {
    eInputEventType type;
    int key;
    int x;
    int y;

    bool operator==(const sMouseEvent&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const sMouseEvent& event)
{
    return out << "{type " << event.type << ", key " << event.key << ", at " << event.x << "," << event.y << "}";
}

constexpr DWORD kPressed = 0x80;
constexpr DWORD kReleased = 0x00;

class Di8MouseTest : public Di8DeviceTest<CQmDi8Mouse> {
protected:
    // A mouse open on a simulated mouse with the given button settings.
    CQmDi8Mouse& OpenMouse(int swapButtons = 0, UINT doubleClickMs = 500)
    {
        qmsim::GetSettings().swapButtons = swapButtons;
        qmsim::GetSettings().doubleClickMs = doubleClickMs;
        return NewOpenDevice("mouse", DI8DEVTYPE_MOUSE);
    }

    // The queued events, each checked to be made at the present clock.
    std::vector<sMouseEvent> TakeMouseEvents(const CQmDi8Mouse& mouse)
    {
        std::vector<sMouseEvent> events;
        for (const CQmInputEvent& event : TakeDeviceEvents(mouse)) {
            EXPECT_EQ(event.m_fTime, CTimer::GetCurTime());
            events.push_back({event.m_eType, event.m_nKey, event.m_nX, event.m_nY});
        }
        return events;
    }
};
