// The window-message mouse: client-area mouse messages in, move, button, double
// click and wheel events out, every message still reaching the game's procedure.
#include "WindowMessageTest.h"

namespace {

constexpr long kMouseId = 6;

class WindowsMouseTest : public WindowMessageTest {
protected:
    void SetUp() override
    {
        WindowMessageTest::SetUp();
        Server();
        m_oMouse.SetDeviceId(kMouseId);
        ASSERT_TRUE(m_oMouse.Create());
    }

    void TearDown() override
    {
        m_oMouse.Destroy();
        WindowMessageTest::TearDown();
    }

    CQmWindowsMouse m_oMouse;
};

struct sMouseCase {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    eInputEventType type;
    int key;
    int x;
    int y;
    float value;
};

WPARAM WheelParam(int delta) { return static_cast<WPARAM>(static_cast<std::uint16_t>(delta)) << 16; }

TEST_F(WindowsMouseTest, EachHandledMessageMakesOneEventBeforePassingOn)
{
    const LPARAM at = MakePosition(100, 50);
    const sMouseCase cases[] = {
        {WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, at, INPUT_EVENT_MOUSE_MOVE, 6, 100, 50, 0},
        {WM_MOUSEMOVE, MK_CONTROL | MK_RBUTTON, at, INPUT_EVENT_MOUSE_MOVE, 17, 100, 50, 0},
        {WM_MOUSEMOVE, 0, at, INPUT_EVENT_MOUSE_MOVE, 0, 100, 50, 0},
        {WM_MOUSEMOVE, MK_MBUTTON | MK_XBUTTON1 | MK_XBUTTON2, at, INPUT_EVENT_MOUSE_MOVE, 8, 100, 50, 0},
        {WM_MOUSEMOVE, MK_CONTROL | MK_SHIFT | MK_LBUTTON | MK_MBUTTON | MK_RBUTTON, at,
         INPUT_EVENT_MOUSE_MOVE, 31, 100, 50, 0},
        {WM_MOUSEMOVE, 0, MakePosition(-1, 0), INPUT_EVENT_MOUSE_MOVE, 0, 65535, 0, 0},
        {WM_MOUSEMOVE, 0, MakePosition(7, -2), INPUT_EVENT_MOUSE_MOVE, 0, 7, 65534, 0},
        {WM_LBUTTONDOWN, MK_LBUTTON, at, INPUT_EVENT_MOUSE_BUTTON_DOWN, KEY_MOUSE_LEFT, 100, 50, 0},
        {WM_LBUTTONUP, 0, at, INPUT_EVENT_MOUSE_BUTTON_UP, KEY_MOUSE_LEFT, 100, 50, 0},
        {WM_LBUTTONDBLCLK, MK_LBUTTON, at, INPUT_EVENT_MOUSE_DOUBLE_CLICK, KEY_MOUSE_LEFT, 100, 50, 0},
        {WM_RBUTTONDOWN, MK_RBUTTON, at, INPUT_EVENT_MOUSE_BUTTON_DOWN, KEY_MOUSE_RIGHT, 100, 50, 0},
        {WM_RBUTTONUP, 0, at, INPUT_EVENT_MOUSE_BUTTON_UP, KEY_MOUSE_RIGHT, 100, 50, 0},
        {WM_RBUTTONDBLCLK, MK_RBUTTON, at, INPUT_EVENT_MOUSE_DOUBLE_CLICK, KEY_MOUSE_RIGHT, 100, 50, 0},
        {WM_MBUTTONDOWN, MK_MBUTTON, at, INPUT_EVENT_MOUSE_BUTTON_DOWN, KEY_MOUSE_MIDDLE, 100, 50, 0},
        {WM_MBUTTONUP, 0, at, INPUT_EVENT_MOUSE_BUTTON_UP, KEY_MOUSE_MIDDLE, 100, 50, 0},
        {WM_MBUTTONDBLCLK, MK_MBUTTON, at, INPUT_EVENT_MOUSE_DOUBLE_CLICK, KEY_MOUSE_MIDDLE, 100, 50, 0},
        {WM_MOUSEWHEEL, WheelParam(-120) | MK_SHIFT, MakePosition(800, 600), INPUT_EVENT_MOUSE_WHEEL, 2,
         800, 600, -120.0f},
        {WM_MOUSEWHEEL, WheelParam(120), MakePosition(800, 600), INPUT_EVENT_MOUSE_WHEEL, 2, 800, 600,
         120.0f},
        {WM_MOUSEWHEEL, WheelParam(-32768), at, INPUT_EVENT_MOUSE_WHEEL, 2, 100, 50, -32768.0f},
    };
    qmhost::SetTime(4.25);
    for (const auto& c : cases) {
        SendAndExpectPassedOn(c.message, c.wParam, c.lParam);
        const auto events = TakeQueuedEvents();
        ASSERT_EQ(events.size(), 1u) << "message 0x" << std::hex << c.message;
        EXPECT_EQ(GameCalls()[0].queuedEvents, 1u) << "the event is queued first";
        const CQmInputEvent& event = events[0];
        EXPECT_EQ(event.m_eType, c.type);
        EXPECT_EQ(event.m_nKey, c.key) << "message 0x" << std::hex << c.message << " wParam " << c.wParam;
        EXPECT_EQ(event.m_nX, c.x);
        EXPECT_EQ(event.m_nY, c.y);
        EXPECT_EQ(event.m_fValue, c.value);
        EXPECT_EQ(event.m_nDeviceId, kMouseId);
        EXPECT_DOUBLE_EQ(event.m_fTime, 4.25);
    }
}

TEST_F(WindowsMouseTest, OtherMessagesOnlyPassOn)
{
    const UINT messages[] = {
        WM_XBUTTONDOWN, WM_XBUTTONUP, WM_XBUTTONDBLCLK, WM_MOUSEHWHEEL,
        0x00A0 /* WM_NCMOUSEMOVE */, 0x00A1 /* WM_NCLBUTTONDOWN */,
        WM_SETFOCUS, WM_KILLFOCUS, WM_KEYDOWN, WM_CHAR,
    };
    for (UINT message : messages) {
        SendAndExpectPassedOn(message, WheelParam(120) | MK_LBUTTON, MakePosition(1, 2));
        EXPECT_TRUE(TakeQueuedEvents().empty()) << "message 0x" << std::hex << message;
    }
}

TEST_F(WindowsMouseTest, DoubleClickSequenceAsThePlatformSendsIt)
{
    const UINT messages[] = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP};
    for (UINT message : messages)
        Send(message, 0, MakePosition(5, 5));
    const auto events = TakeQueuedEvents();
    const eInputEventType expected[] = {INPUT_EVENT_MOUSE_BUTTON_DOWN, INPUT_EVENT_MOUSE_BUTTON_UP,
                                        INPUT_EVENT_MOUSE_DOUBLE_CLICK, INPUT_EVENT_MOUSE_BUTTON_UP};
    ASSERT_EQ(events.size(), 4u);
    for (std::size_t i = 0; i < events.size(); ++i) {
        EXPECT_EQ(events[i].m_eType, expected[i]);
        EXPECT_EQ(events[i].m_nKey, KEY_MOUSE_LEFT);
    }
}

TEST_F(WindowsMouseTest, FrameworkMouseSettingsAndPositionAreLeftAlone)
{
    m_oMouse.SetLeftHanded(true);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, MakePosition(100, 50));
    Send(WM_MOUSEMOVE, 0, MakePosition(300, 200));
    const auto events = TakeQueuedEvents();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].m_nKey, KEY_MOUSE_LEFT) << "a left-handed setting swaps nothing";
    EXPECT_EQ(m_oMouse.GetXPos(), 0);
    EXPECT_EQ(m_oMouse.GetYPos(), 0);
    EXPECT_TRUE(m_oMouse.IsLeftHanded());
}

TEST_F(WindowsMouseTest, NoEventFromTheFrameworkMeansNothingQueued)
{
    qmhost::FailNextNewEvents(1);
    SendAndExpectPassedOn(WM_MOUSEWHEEL, WheelParam(120), MakePosition(1, 1));
    EXPECT_TRUE(TakeQueuedEvents().empty());
    EXPECT_EQ(qmhost::OutstandingEventRefs(), 0);
}

}  // namespace
