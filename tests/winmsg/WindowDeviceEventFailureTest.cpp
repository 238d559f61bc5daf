// What no monitor script can set up for the window keyboard and mouse: no input
// server at all, and a framework that has no event to give. Every message
// still reaches the game's procedure once; nothing is queued and no
// reference is left.
#include <memory>

#include "WindowMessageTest.h"

namespace {

struct sDeviceMessage {
    const char* pDevice;
    std::unique_ptr<CQmInputDevice> (*pMake)();
    UINT nMessage;
    WPARAM wParam;
};

template <class Device>
std::unique_ptr<CQmInputDevice> Make()
{
    return std::make_unique<Device>();
}

const sDeviceMessage kCases[] = {
    {"keyboard", Make<CQmWindowsKeyboard>, WM_KEYDOWN, 'A'},
    {"keyboard", Make<CQmWindowsKeyboard>, WM_CHAR, 'a'},
    {"keyboard", Make<CQmWindowsKeyboard>, WM_SETFOCUS, 0},
    {"mouse", Make<CQmWindowsMouse>, WM_LBUTTONDOWN, MK_LBUTTON},
    {"mouse", Make<CQmWindowsMouse>, WM_MOUSEWHEEL, static_cast<WPARAM>(120) << 16},
};

using WindowDeviceEventFailureTest = WindowMessageTest;

TEST_F(WindowDeviceEventFailureTest, WithoutAServerMessagesOnlyPassOn)
{
    ASSERT_EQ(QmGetInputServer(), nullptr);
    for (const sDeviceMessage& c : kCases) {
        SCOPED_TRACE(c.pDevice);
        auto device = c.pMake();
        ASSERT_TRUE(device->Create());
        SendAndExpectPassedOn(c.nMessage, c.wParam, MakePosition(1, 2));
        device->Destroy();
    }
}

TEST_F(WindowDeviceEventFailureTest, NoEventFromTheFrameworkMeansNothingQueued)
{
    Server();
    for (const sDeviceMessage& c : kCases) {
        SCOPED_TRACE(c.pDevice);
        auto device = c.pMake();
        ASSERT_TRUE(device->Create());
        qmhost::FailNextNewEvents(1);
        SendAndExpectPassedOn(c.nMessage, c.wParam, MakePosition(1, 2));
        EXPECT_TRUE(TakeQueuedEvents().empty());
        EXPECT_EQ(qmhost::OutstandingEventRefs(), 0);
        device->Destroy();
    }
}

}  // namespace
