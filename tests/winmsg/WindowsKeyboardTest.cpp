// The window-message keyboard: key, character and focus messages in, events and
// focus calls out, every message still reaching the game's procedure.
#include <vector>

#include "WindowMessageTest.h"

namespace {

constexpr long kKeyboardId = 3;

class WindowsKeyboardTest : public WindowMessageTest {
protected:
    void SetUp() override
    {
        WindowMessageTest::SetUp();
        m_oKeyboard.SetDeviceId(kKeyboardId);
    }

    void TearDown() override
    {
        m_oKeyboard.Destroy();
        WindowMessageTest::TearDown();
    }

    CQmWindowsKeyboard m_oKeyboard;
};

struct sKeyEventSeen {
    eInputEventType type;
    int key;
    double time;
};

TEST_F(WindowsKeyboardTest, TypicalKeyPressFromEndToEnd)
{
    Server();
    ASSERT_TRUE(m_oKeyboard.Create());
    struct sStep {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        double time;
    };
    const sStep steps[] = {
        {WM_KEYDOWN, 0x41, 0x001E0001, 1.5},
        {WM_CHAR, 97, 0x001E0001, 1.75},
        {WM_KEYUP, 0x41, static_cast<LPARAM>(0xC01E0001u), 2.0},
    };
    for (const auto& step : steps) {
        ASSERT_TRUE(qmhost::SetTime(step.time));
        SendAndExpectPassedOn(step.message, step.wParam, step.lParam);
    }
    const std::vector<sKeyEventSeen> expected = {
        {INPUT_EVENT_KEY_DOWN, KEY_A, 1.5},
        {INPUT_EVENT_KEY_CHAR, 97, 1.75},
        {INPUT_EVENT_KEY_UP, KEY_A, 2.0},
    };
    const auto events = TakeQueuedEvents();
    ASSERT_EQ(events.size(), expected.size());
    for (std::size_t i = 0; i < events.size(); ++i) {
        EXPECT_EQ(events[i].m_eType, expected[i].type) << i;
        EXPECT_EQ(events[i].m_nKey, expected[i].key) << i;
        EXPECT_EQ(events[i].m_nDeviceId, kKeyboardId) << i;
        EXPECT_DOUBLE_EQ(events[i].m_fTime, expected[i].time) << i;
        EXPECT_EQ(events[i].m_nX, 0) << "position is not written";
        EXPECT_EQ(events[i].m_fValue, 0.0f) << "value is not written";
    }
}

TEST_F(WindowsKeyboardTest, EachMessageMakesItsEventBeforePassingOn)
{
    Server();
    ASSERT_TRUE(m_oKeyboard.Create());
    struct sCase {
        UINT message;
        WPARAM wParam;
        bool makesEvent;
        eInputEventType type;
        int key;
    };
    const sCase cases[] = {
        {WM_KEYDOWN, 0x10 /* VK_SHIFT, either side */, true, INPUT_EVENT_KEY_DOWN, KEY_LSHIFT},
        {WM_KEYDOWN, 0x11 /* VK_CONTROL */, true, INPUT_EVENT_KEY_DOWN, KEY_LCONTROL},
        {WM_KEYDOWN, 0x0D /* VK_RETURN, keypad too */, true, INPUT_EVENT_KEY_DOWN, KEY_ENTER},
        {WM_KEYDOWN, 0xBA /* VK_OEM_1 */, true, INPUT_EVENT_KEY_DOWN, KEY_NONE},
        {WM_CHAR, ';', true, INPUT_EVENT_KEY_CHAR, ';'},
        {WM_KEYUP, 0xBA, true, INPUT_EVENT_KEY_UP, KEY_NONE},
        {WM_CHAR, 65 /* Shift held */, true, INPUT_EVENT_KEY_CHAR, 65},
        {WM_CHAR, 8 /* a control character */, true, INPUT_EVENT_KEY_CHAR, 8},
        {WM_CHAR, 0xE9 /* ANSI e acute */, true, INPUT_EVENT_KEY_CHAR, 0xE9},
        {WM_SYSKEYDOWN, 0x79 /* VK_F10 */, false, INPUT_EVENT_NONE, 0},
        {WM_SYSKEYUP, 0x79, false, INPUT_EVENT_NONE, 0},
        {WM_SYSCHAR, 'a', false, INPUT_EVENT_NONE, 0},
        {WM_DEADCHAR, '^', false, INPUT_EVENT_NONE, 0},
        {WM_MOUSEMOVE, MK_LBUTTON, false, INPUT_EVENT_NONE, 0},
    };
    for (const auto& c : cases) {
        SendAndExpectPassedOn(c.message, c.wParam, 0x00010001);
        const auto events = TakeQueuedEvents();
        ASSERT_EQ(events.size(), c.makesEvent ? 1u : 0u) << "message 0x" << std::hex << c.message;
        EXPECT_EQ(GameCalls()[0].queuedEvents, events.size()) << "the event is queued first";
        if (c.makesEvent) {
            EXPECT_EQ(events[0].m_eType, c.type);
            EXPECT_EQ(events[0].m_nKey, c.key);
        }
    }
}

TEST_F(WindowsKeyboardTest, HeldKeyRepeatsAsPlatformKeyDowns)
{
    Server();
    ASSERT_TRUE(m_oKeyboard.Create());
    for (int i = 0; i < 4; ++i)
        Send(WM_KEYDOWN, 0x25 /* VK_LEFT */, i == 0 ? 0x014B0001 : 0x414B0001);
    Send(WM_KEYUP, 0x25, static_cast<LPARAM>(0xC14B0001u));
    const auto events = TakeQueuedEvents();
    ASSERT_EQ(events.size(), 5u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(events[i].m_eType, INPUT_EVENT_KEY_DOWN);
        EXPECT_EQ(events[i].m_nKey, KEY_LEFT);
    }
    EXPECT_EQ(events[4].m_eType, INPUT_EVENT_KEY_UP);
}

TEST_F(WindowsKeyboardTest, FocusMessagesReachTheServerAndMakeNoEvent)
{
    CQmInputServer& server = Server();
    ASSERT_TRUE(m_oKeyboard.Create());
    Send(WM_KEYDOWN, 'W', 0);
    TakeQueuedEvents();

    SendAndExpectPassedOn(WM_SETFOCUS);
    EXPECT_TRUE(server.HasFocus());
    SendAndExpectPassedOn(WM_KILLFOCUS);
    EXPECT_FALSE(server.HasFocus());
    EXPECT_TRUE(TakeQueuedEvents().empty()) << "losing the focus releases no held key";

    SendAndExpectPassedOn(WM_KEYUP, 'W', 0);
    const auto events = TakeQueuedEvents();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].m_eType, INPUT_EVENT_KEY_UP);
    EXPECT_EQ(events[0].m_nKey, KEY_W);
}

TEST_F(WindowsKeyboardTest, WithoutAServerMessagesOnlyPassOn)
{
    ASSERT_EQ(QmGetInputServer(), nullptr);
    ASSERT_TRUE(m_oKeyboard.Create());
    SendAndExpectPassedOn(WM_SETFOCUS);
    SendAndExpectPassedOn(WM_KILLFOCUS);
    SendAndExpectPassedOn(WM_KEYDOWN, 'A', 0);
    SendAndExpectPassedOn(WM_CHAR, 'a', 0);
}

TEST_F(WindowsKeyboardTest, NoEventFromTheFrameworkMeansNothingQueued)
{
    Server();
    ASSERT_TRUE(m_oKeyboard.Create());
    qmhost::FailNextNewEvents(1);
    SendAndExpectPassedOn(WM_KEYDOWN, 'A', 0);
    EXPECT_TRUE(TakeQueuedEvents().empty());
    EXPECT_EQ(qmhost::OutstandingEventRefs(), 0);

    SendAndExpectPassedOn(WM_KEYUP, 'A', 0);
    const auto events = TakeQueuedEvents();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].m_eType, INPUT_EVENT_KEY_UP);
}

}  // namespace
