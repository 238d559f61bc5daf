// The DirectInput keyboard under test, open on a simulated keyboard, and the key
// events it queued, reduced to what the keyboard writes.
#pragma once

#include <ostream>
#include <vector>

#include "common/Di8DeviceTest.h"
#include "keyboard/QmDi8Keyboard.h"

struct sKeyEvent {
    eInputEventType type;
    int key;           // key code, or character code of a key-character event
    double sinceBase;  // event time, from the test's clock base

    bool operator==(const sKeyEvent&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const sKeyEvent& event)
{
    return out << "{type " << event.type << ", key " << event.key << ", t " << event.sinceBase << "}";
}

constexpr DWORD kKeyDown = 0x80;
constexpr DWORD kKeyUp = 0x00;

class Di8KeyboardTest : public Di8DeviceTest<CQmDi8Keyboard> {
protected:
    // A keyboard open on a simulated keyboard with the given repeat settings.
    CQmDi8Keyboard& OpenKeyboard(int delaySetting = 1, int speedSetting = 31)
    {
        qmsim::GetSettings().keyboardDelay = delaySetting;
        qmsim::GetSettings().keyboardSpeed = speedSetting;
        return NewOpenDevice("kbd", DI8DEVTYPE_KEYBOARD);
    }

    std::vector<sKeyEvent> TakeKeyEvents(const CQmDi8Keyboard& keyboard)
    {
        std::vector<sKeyEvent> events;
        for (const CQmInputEvent& event : TakeDeviceEvents(keyboard))
            events.push_back({event.m_eType, event.m_nKey, event.m_fTime - Base()});
        return events;
    }
};
