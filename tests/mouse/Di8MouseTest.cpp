// What the monitor's scripts cannot reach of the DirectInput mouse: the same
// mouse closed and opened again. Its
// moves, buttons, double clicks and wheel are in the golden scripts
// directinput_mouse and directinput_mouse_wrap.
#include "common/Di8DeviceTest.h"
#include "mouse/QmDi8Mouse.h"

namespace {

using Di8MouseTest = Di8DeviceTest<CQmDi8Mouse>;

TEST_F(Di8MouseTest, PressRecordsOutliveDestroyAndCreateTakesTheSettingsAnew)
{
    qmsim::GetSettings().swapButtons = 1;
    CQmDi8Mouse& mouse = NewOpenDevice("mouse", DI8DEVTYPE_MOUSE);
    StartClock();
    QueueRecord(DIMOFS_BUTTON0, 0x80, 1);
    mouse.Poll();
    TakeDeviceEvents(mouse);
    mouse.Destroy();

    qmsim::GetSettings().swapButtons = 0;
    SetClock(0.125);
    ASSERT_TRUE(mouse.Create(qmsim::GetInstanceGuid(DeviceName())));
    QueueRecord(DIMOFS_BUTTON0, 0x80, 2);
    mouse.Poll();
    const std::vector<CQmInputEvent> events = TakeDeviceEvents(mouse);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].m_eType, INPUT_EVENT_MOUSE_DOUBLE_CLICK);
    EXPECT_EQ(events[0].m_nKey, KEY_MOUSE_LEFT);
}

}  // namespace
