// Mouse positions are 32-bit integers that wrap around: moving past the
// largest position comes out at the smallest, and the double-click rule
// measures distances the same way, so that neither can overflow.
#include <gtest/gtest.h>

#include <climits>

#include "common/Di8DeviceTest.h"
#include "mouse/QmDi8Mouse.h"

namespace {

TEST(MousePositionWrapTest, HostPositionWrapsAroundInsteadOfOverflowing)
{
    CQmMouse mouse;
    mouse.UpdateMousePosition(INT_MAX, INT_MIN);
    mouse.UpdateMousePosition(1, -1);
    EXPECT_EQ(mouse.GetXPos(), INT_MIN);
    EXPECT_EQ(mouse.GetYPos(), INT_MAX);
}

class Di8MouseWrapTest : public Di8DeviceTest<CQmDi8Mouse> {
protected:
    // Moves by `dx` along X, then presses the left button, in one poll;
    // the button event's type.
    int MoveAndPress(CQmDi8Mouse& mouse, int dx, DWORD sequence)
    {
        QueueRecord(DIMOFS_X, static_cast<DWORD>(dx), sequence);
        QueueRecord(DIMOFS_BUTTON0, 0x80, sequence);
        mouse.Poll();
        const std::vector<CQmInputEvent> events = TakeDeviceEvents(mouse);
        return events.empty() ? INPUT_EVENT_NONE : events.back().m_eType;
    }
};

TEST_F(Di8MouseWrapTest, PressesAtOppositeEndsOfTheRangeAreFarApart)
{
    CQmDi8Mouse& mouse = NewOpenDevice("mouse", DI8DEVTYPE_MOUSE);
    StartClock();
    EXPECT_EQ(MoveAndPress(mouse, -100, 1), INPUT_EVENT_MOUSE_BUTTON_DOWN);
    SetClock(0.1);
    QueueRecord(DIMOFS_X, INT_MAX, 2);
    EXPECT_EQ(MoveAndPress(mouse, 50, 2), INPUT_EVENT_MOUSE_BUTTON_DOWN);
    EXPECT_EQ(mouse.GetXPos(), INT_MAX - 50);
}

TEST_F(Di8MouseWrapTest, PressesEitherSideOfTheWrapAreNeighbours)
{
    CQmDi8Mouse& mouse = NewOpenDevice("mouse", DI8DEVTYPE_MOUSE);
    StartClock();
    EXPECT_EQ(MoveAndPress(mouse, INT_MAX, 1), INPUT_EVENT_MOUSE_BUTTON_DOWN);
    SetClock(0.1);
    EXPECT_EQ(MoveAndPress(mouse, 2, 2), INPUT_EVENT_MOUSE_DOUBLE_CLICK);
    EXPECT_EQ(mouse.GetXPos(), INT_MIN + 1);
}

}  // namespace
