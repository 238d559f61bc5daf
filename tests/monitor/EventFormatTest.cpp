#include <gtest/gtest.h>

#include <string>

#include "tools/monitor/EventFormat.h"

namespace qmmonitor {
namespace {

// The golden scripts show every event the module makes; what they cannot show
// is an event type it never makes, the framework's own fields (hidden) and a
// time far off.
TEST(FormatEvent, ShowsTheEventsOwnFieldsWhateverTheirValues)
{
    CQmInputEvent event{};
    event.m_eType = INPUT_EVENT_JOYSTICK;
    event.m_nHostFlags = 77;
    event.m_nHostSequence = 88;
    event.m_nDeviceId = 12;
    event.m_nKey = -1;
    event.m_fValue = 0.5f;
    event.m_nX = -3;
    event.m_nY = 65535;
    event.m_fTime = 1.0 / 3.0;
    EXPECT_EQ(FormatEvent(event), "event 6 dev=12 key=-1 value=0.5 x=-3 y=65535 time=0.333333");

    event.m_fTime = 1e300;
    const std::string line = FormatEvent(event);
    EXPECT_GT(line.size(), 300u);
    EXPECT_EQ(line.substr(line.size() - 7), ".000000") << "every digit kept";
}

}  // namespace
}  // namespace qmmonitor
