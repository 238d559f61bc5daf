#include <gtest/gtest.h>

#include <string>

#include "tools/monitor/EventFormat.h"

namespace qmmonitor {
namespace {

CQmInputEvent Event(eInputEventType type)
{
    CQmInputEvent event{};
    event.m_eType = type;
    return event;
}

TEST(FormatEvent, NamesEveryTypeTheModuleMakes)
{
    const struct {
        eInputEventType eType;
        const char* pLine;
    } cases[] = {
        {INPUT_EVENT_KEY_DOWN, "event KEY_DOWN dev=0 key=0 value=0 x=0 y=0 time=0.000000"},
        {INPUT_EVENT_KEY_UP, "event KEY_UP dev=0 key=0 value=0 x=0 y=0 time=0.000000"},
        {INPUT_EVENT_KEY_CHAR, "event KEY_CHAR dev=0 key=0 value=0 x=0 y=0 time=0.000000"},
        {INPUT_EVENT_MOUSE_MOVE, "event MOUSE_MOVE dev=0 key=0 value=0 x=0 y=0 time=0.000000"},
        {INPUT_EVENT_MOUSE_WHEEL, "event MOUSE_WHEEL dev=0 key=0 value=0 x=0 y=0 time=0.000000"},
        {INPUT_EVENT_MOUSE_BUTTON_DOWN,
         "event MOUSE_BUTTON_DOWN dev=0 key=0 value=0 x=0 y=0 time=0.000000"},
        {INPUT_EVENT_MOUSE_BUTTON_UP,
         "event MOUSE_BUTTON_UP dev=0 key=0 value=0 x=0 y=0 time=0.000000"},
        {INPUT_EVENT_MOUSE_DOUBLE_CLICK,
         "event MOUSE_DOUBLE_CLICK dev=0 key=0 value=0 x=0 y=0 time=0.000000"},
        // Types the module never makes show as their number.
        {INPUT_EVENT_JOYSTICK, "event 6 dev=0 key=0 value=0 x=0 y=0 time=0.000000"},
        {INPUT_EVENT_NONE, "event 0 dev=0 key=0 value=0 x=0 y=0 time=0.000000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatEvent(Event(c.eType)), c.pLine);
}

TEST(FormatEvent, PrintsSignedFieldsValueAndTime)
{
    CQmInputEvent event = Event(INPUT_EVENT_MOUSE_WHEEL);
    event.m_nHostFlags = 77;  // the framework's own fields are not shown
    event.m_nHostSequence = 88;
    event.m_nDeviceId = 12;
    event.m_nKey = -1;
    event.m_fValue = -120.0f;
    event.m_nX = -3;
    event.m_nY = 65535;
    event.m_fTime = 10.0625;
    EXPECT_EQ(FormatEvent(event),
              "event MOUSE_WHEEL dev=12 key=-1 value=-120 x=-3 y=65535 time=10.062500");
    event.m_fValue = 0.5f;
    event.m_fTime = 1.0 / 3.0;
    EXPECT_EQ(FormatEvent(event),
              "event MOUSE_WHEEL dev=12 key=-1 value=0.5 x=-3 y=65535 time=0.333333");
}

TEST(FormatEvent, KeepsEveryDigitOfAFarOffTime)
{
    CQmInputEvent event = Event(INPUT_EVENT_KEY_DOWN);
    event.m_fTime = 1e300;
    const std::string line = FormatEvent(event);
    EXPECT_GT(line.size(), 300u);
    EXPECT_EQ(line.substr(line.size() - 7), ".000000");
}

}  // namespace
}  // namespace qmmonitor
