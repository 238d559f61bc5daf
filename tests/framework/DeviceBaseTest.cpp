// The device base classes' own state, as the module's devices inherit it.
#include <gtest/gtest.h>

#include "host/QmHost.h"

namespace {

TEST(DeviceBaseTest, StartsActiveWithoutIdAndCreateKeepsTheFlag) {
    CQmInputDevice device;
    EXPECT_TRUE(device.IsActive());
    EXPECT_EQ(device.GetDeviceId(), -1);
    device.Deactivate();
    EXPECT_TRUE(device.Create());
    EXPECT_FALSE(device.IsActive());
    device.Activate();
    EXPECT_TRUE(device.IsActive());
    device.SetDeviceId(4);
    EXPECT_EQ(device.GetDeviceId(), 4);
}

TEST(DeviceBaseTest, EventServicesGoToTheCurrentServer) {
    CQmInputDevice device;
    ASSERT_EQ(QmGetInputServer(), nullptr);
    EXPECT_EQ(device.NewEvent(), -1);
    device.ReleaseEvent(-1);

    CQmInputServer server;
    const long id = device.NewEvent();
    ASSERT_NE(id, -1);
    device.QueueEvent(id);
    long position = -1;
    long queued = -1;
    ASSERT_TRUE(server.GetFirstEventInQueue(position, queued));
    EXPECT_EQ(queued, id);
}

TEST(DeviceBaseTest, KeyboardRepeatSettingsReturnTheLastValueSet) {
    CQmKeyboard keyboard;
    EXPECT_FLOAT_EQ(keyboard.GetKeyRepeatDelay(), 0.5f);
    EXPECT_FLOAT_EQ(keyboard.GetKeyRepeatSpeed(), 0.1f);
    keyboard.SetKeyRepeatDelay(0.25f);
    keyboard.SetKeyRepeatSpeed(0.033f);
    EXPECT_FLOAT_EQ(keyboard.GetKeyRepeatDelay(), 0.25f);
    EXPECT_FLOAT_EQ(keyboard.GetKeyRepeatSpeed(), 0.033f);
}

TEST(DeviceBaseTest, MousePositionMovesByUnlimitedRelativeSteps) {
    CQmMouse mouse;
    EXPECT_EQ(mouse.GetXPos(), 0);
    EXPECT_EQ(mouse.GetYPos(), 0);
    mouse.UpdateMousePosition(-30, 5);
    mouse.UpdateMousePosition(10, -20);
    EXPECT_EQ(mouse.GetXPos(), -20);
    EXPECT_EQ(mouse.GetYPos(), -15);
    mouse.SetXPos(100000);
    EXPECT_EQ(mouse.GetXPos(), 100000);
}

TEST(DeviceBaseTest, MouseHandednessAndDoubleClickTime) {
    CQmMouse mouse;
    EXPECT_TRUE(mouse.IsRightHanded());
    EXPECT_FLOAT_EQ(mouse.GetDoubleClickTime(), 0.5f);
    mouse.SetLeftHanded(true);
    mouse.SetDoubleClickTime(0.25f);
    EXPECT_TRUE(mouse.IsLeftHanded());
    EXPECT_FALSE(mouse.IsRightHanded());
    EXPECT_FLOAT_EQ(mouse.GetDoubleClickTime(), 0.25f);
}

}  // namespace
