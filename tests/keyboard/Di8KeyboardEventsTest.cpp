// Key events and the held-key list of the DirectInput keyboard, from scripted
// record streams.
#include "Di8KeyboardTestSupport.h"

namespace {

using Events = std::vector<sKeyEvent>;

TEST_F(Di8KeyboardTest, PressAndReleaseInOnePollGiveDownCharUpAndLeaveNothingHeld)
{
    CQmDi8Keyboard& keyboard = OpenKeyboard();
    StartClock();
    QueueRecord(DIK_A, kKeyDown, 1);
    QueueRecord(DIK_A, kKeyUp, 2);
    keyboard.Poll();

    EXPECT_EQ(TakeKeyEvents(keyboard), (Events{{INPUT_EVENT_KEY_DOWN, KEY_A, 0.0},
                                              {INPUT_EVENT_KEY_CHAR, 'a', 0.0},
                                              {INPUT_EVENT_KEY_UP, KEY_A, 0.0}}));
    EXPECT_TRUE(keyboard.GetPressedKeys().empty());
}

TEST_F(Di8KeyboardTest, TwoDownsOfOneKeyAndOneUpLeaveTheLaterPressRepeating)
{
    CQmDi8Keyboard& keyboard = OpenKeyboard(1, 31);  // delay 0.5 s
    StartClock();
    QueueRecord(DIK_A, kKeyDown, 1);
    keyboard.Poll();
    SetClock(0.25);
    QueueRecord(DIK_A, kKeyDown, 2);
    QueueRecord(DIK_A, kKeyUp, 3);
    keyboard.Poll();
    TakeKeyEvents(keyboard);

    ASSERT_EQ(keyboard.GetPressedKeys().size(), 1u);
    EXPECT_EQ(keyboard.GetPressedKeys()[0].m_fPressTime, Base() + 0.25);

    // 0.625 s is past the first press's delay but not the remaining one's.
    SetClock(0.625);
    keyboard.Poll();
    EXPECT_TRUE(TakeKeyEvents(keyboard).empty());
    SetClock(0.8125);
    keyboard.Poll();
    EXPECT_EQ(TakeKeyEvents(keyboard), (Events{{INPUT_EVENT_KEY_DOWN, KEY_A, 0.8125},
                                              {INPUT_EVENT_KEY_CHAR, 'a', 0.8125}}));
}

TEST_F(Di8KeyboardTest, ReleaseRemovesOnlyTheFirstEntryOfItsKeyAndKeepsTheOrder)
{
    CQmDi8Keyboard& keyboard = OpenKeyboard();
    StartClock();
    QueueRecord(DIK_A, kKeyDown, 1);
    QueueRecord(DIK_S, kKeyDown, 2);
    QueueRecord(DIK_A, kKeyDown, 3);
    QueueRecord(DIK_A, kKeyUp, 4);
    QueueRecord(DIK_D, kKeyUp, 5);  // never pressed: an up event, the list untouched
    keyboard.Poll();

    const Events events = TakeKeyEvents(keyboard);
    ASSERT_EQ(events.size(), 8u);
    EXPECT_EQ(events[7], (sKeyEvent{INPUT_EVENT_KEY_UP, KEY_D, 0.0}));
    ASSERT_EQ(keyboard.GetPressedKeys().size(), 2u);
    EXPECT_EQ(keyboard.GetPressedKeys()[0].m_eKey, KEY_S);
    EXPECT_EQ(keyboard.GetPressedKeys()[1].m_eKey, KEY_A);
}

TEST_F(Di8KeyboardTest, ResetForgetsHeldKeysWithoutEventsAndNothingRepeats)
{
    CQmDi8Keyboard& keyboard = OpenKeyboard();
    StartClock();
    QueueRecord(DIK_A, kKeyDown, 1);
    QueueRecord(DIK_LSHIFT, kKeyDown, 1);
    keyboard.Poll();
    TakeKeyEvents(keyboard);

    keyboard.Reset();
    EXPECT_TRUE(keyboard.GetPressedKeys().empty());
    EXPECT_TRUE(TakeKeyEvents(keyboard).empty());
    SetClock(5.0);
    keyboard.Poll();
    EXPECT_TRUE(TakeKeyEvents(keyboard).empty());
}

TEST_F(Di8KeyboardTest, KeyWithoutKeyCodeIsReportedListedAndRepeatedAsKeyNone)
{
    CQmDi8Keyboard& keyboard = OpenKeyboard(0, 1);  // delay 0.25 s, interval 1 s
    StartClock();
    QueueRecord(DIK_MINUS, kKeyDown, 1);
    keyboard.Poll();
    SetClock(1.125);
    keyboard.Poll();
    QueueRecord(DIK_MINUS, kKeyUp, 2);
    keyboard.Poll();

    EXPECT_EQ(TakeKeyEvents(keyboard), (Events{{INPUT_EVENT_KEY_DOWN, KEY_NONE, 0.0},
                                              {INPUT_EVENT_KEY_CHAR, 0, 0.0},
                                              {INPUT_EVENT_KEY_DOWN, KEY_NONE, 1.125},
                                              {INPUT_EVENT_KEY_CHAR, 0, 1.125},
                                              {INPUT_EVENT_KEY_UP, KEY_NONE, 1.125}}));
    EXPECT_TRUE(keyboard.GetPressedKeys().empty());
}

TEST_F(Di8KeyboardTest, MissingKeyDownEventStillGivesTheCharacterAndListsTheKey)
{
    CQmDi8Keyboard& keyboard = OpenKeyboard();
    StartClock();
    QueueRecord(DIK_A, kKeyDown, 1);
    qmhost::FailNextNewEvents(1);
    keyboard.Poll();

    EXPECT_EQ(TakeKeyEvents(keyboard), (Events{{INPUT_EVENT_KEY_CHAR, 'a', 0.0}}));
    EXPECT_EQ(keyboard.GetPressedKeys().size(), 1u);
}

}  // namespace
