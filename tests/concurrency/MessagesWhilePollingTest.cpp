// Window messages delivered on one thread, as the game's message loop does,
// while the framework's thread creates DirectInput devices, polls them, takes
// the events and deletes the devices again. The window-message devices stay
// put while messages flow: their hooks are set up before the message thread
// starts and taken down after it ends, as the framework does.
#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <thread>
#include <vector>

#include "common/ModuleTestFixture.h"
#include "common/QueuedEvents.h"
#include "common/RecordStreams.h"
#include "framework/QmFrameworkControl.h"
#include "keyboard/QmDi8Keyboard.h"
#include "mouse/QmDi8Mouse.h"
#include "server/QmInputDeviceRef.h"
#include "winmsg/QmWindowsKeyboard.h"
#include "winmsg/QmWindowsMouse.h"

namespace {

struct sMessage {
    UINT m_nMessage;
    WPARAM m_nWParam;
    LPARAM m_nLParam;
};

// One round of the message thread: each message makes one event, on the
// keyboard or on the mouse, except the last, which is only passed on.
const sMessage kRound[] = {
    {WM_KEYDOWN, 'A', 0x001E0001},
    {WM_CHAR, 'a', 0x001E0001},
    {WM_KEYUP, 'A', static_cast<LPARAM>(0xC01E0001)},
    {WM_MOUSEMOVE, 0, 0x00200010},
    {WM_LBUTTONDOWN, MK_LBUTTON, 0x00200010},
    {WM_LBUTTONUP, 0, 0x00200010},
    {WM_MOUSEWHEEL, static_cast<WPARAM>(120) << 16, 0x00200010},
    {WM_TIMER, 1, 0},
};
constexpr int kKeyboardEventsPerRound = 3;
constexpr int kMouseEventsPerRound = 4;
constexpr int kLeastRounds = 300;
constexpr int kLeastCycles = 20;

class ConcurrencyTest : public ModuleTest {
protected:
    template <class Device>
    long NewDevice()
    {
        return Server().NewDevice(CQmString(Device::GetClassType().GetName()));
    }

    template <class Device>
    long OpenDevice(const GUID& instance)
    {
        const long deviceId = NewDevice<Device>();
        CQmInputDeviceRef<Device> device(deviceId);
        EXPECT_TRUE(device.Get() && device->Create(instance));
        return deviceId;
    }

    // Counts the queued events by device id, checking that each is of a type
    // the module makes.
    void Tally()
    {
        for (const CQmInputEvent& event : TakeQueuedEvents()) {
            const int type = event.m_eType;
            EXPECT_TRUE(type >= INPUT_EVENT_KEY_DOWN && type <= INPUT_EVENT_MOUSE_DOUBLE_CLICK && type != 6)
                << "event type " << type;
            ++m_oEventsByDevice[event.m_nDeviceId];
        }
    }

    // One cycle of the framework's thread: open a DirectInput keyboard and
    // mouse, feed and poll them, take the events, delete both.
    void FrameworkCycle(const GUID& keyboardInstance, const GUID& mouseInstance)
    {
        const long keyboardId = OpenDevice<CQmDi8Keyboard>(keyboardInstance);
        const long mouseId = OpenDevice<CQmDi8Mouse>(mouseInstance);
        ASSERT_TRUE(QueueRecords("kbd", KeyPressReleaseRecords(8)));
        ASSERT_TRUE(QueueRecords("mouse", MixedMouseRecords(8)));
        for (long deviceId : {keyboardId, mouseId}) {
            CQmInputDeviceRef<CQmInputDevice> device(deviceId);
            device->Poll();
        }
        qmhost::AdvanceTime(0.01);
        Tally();
        // Four pairs: down, character and up each; two mouse groups: move,
        // wheel and button each.
        EXPECT_EQ(m_oEventsByDevice[keyboardId], 12);
        EXPECT_EQ(m_oEventsByDevice[mouseId], 6);
        Server().DeleteDevice(keyboardId);
        Server().DeleteDevice(mouseId);
        qmsim::ClearCallLog();
    }

    std::map<long, int> m_oEventsByDevice;
};

TEST_F(ConcurrencyTest, MessagesFlowWhileDirectInputDevicesComeGoAndArePolled)
{
    const HWND window = DefineGameWindow();
    const long windowKeyboard = NewDevice<CQmWindowsKeyboard>();
    const long windowMouse = NewDevice<CQmWindowsMouse>();
    for (long deviceId : {windowKeyboard, windowMouse}) {
        CQmInputDeviceRef<CQmInputDevice> device(deviceId);
        ASSERT_TRUE(device->Create());
    }
    const GUID keyboardInstance = qmsim::AttachDevice("kbd", DI8DEVTYPE_KEYBOARD);
    const GUID mouseInstance = qmsim::AttachDevice("mouse", DI8DEVTYPE_MOUSE);

    // Each side goes on until the other has done its least share, so that
    // the framework's first cycles all run while messages flow.
    std::atomic<int> cycles{0};
    std::atomic<bool> messagesDone{false};
    int rounds = 0;
    std::thread messages([&] {
        for (; rounds < kLeastRounds || cycles < kLeastCycles; ++rounds) {
            for (const sMessage& message : kRound)
                qmsim::DeliverMessage(window, message.m_nMessage, message.m_nWParam, message.m_nLParam);
        }
        messagesDone = true;
    });
    while (!messagesDone || cycles < kLeastCycles) {
        FrameworkCycle(keyboardInstance, mouseInstance);
        ++cycles;
        if (HasFatalFailure()) {
            cycles = kLeastCycles;
            break;
        }
    }
    messages.join();
    Tally();

    EXPECT_EQ(m_oEventsByDevice[windowKeyboard], rounds * kKeyboardEventsPerRound);
    EXPECT_EQ(m_oEventsByDevice[windowMouse], rounds * kMouseEventsPerRound);
    EXPECT_EQ(qmhost::LiveEventRecords(), 0);
}

}  // namespace
