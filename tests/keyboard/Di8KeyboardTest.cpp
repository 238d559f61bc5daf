// What the monitor's scripts cannot reach of the DirectInput keyboard: the
// framework out of events, repeat settings the system cannot tell, a key held
// when the keyboard closes. Its key events and repeats are in the golden
// scripts directinput_keyboard and directinput_keyboard_settings.
#include <utility>

#include "common/Di8DeviceTest.h"
#include "keyboard/QmDi8Keyboard.h"

namespace {

class Di8KeyboardTest : public Di8DeviceTest<CQmDi8Keyboard> {
protected:
    CQmDi8Keyboard& OpenKeyboard() { return NewOpenDevice("kbd", DI8DEVTYPE_KEYBOARD); }

    // Type and key of each queued event.
    std::vector<std::pair<int, int>> TakeKeyEvents(const CQmDi8Keyboard& keyboard)
    {
        std::vector<std::pair<int, int>> events;
        for (const CQmInputEvent& event : TakeDeviceEvents(keyboard))
            events.emplace_back(event.m_eType, event.m_nKey);
        return events;
    }
};

TEST_F(Di8KeyboardTest, MissingKeyDownEventStillGivesTheCharacterAndHoldsTheKey)
{
    CQmDi8Keyboard& keyboard = OpenKeyboard();
    QueueRecord(DIK_A, 0x80, 1);
    qmhost::FailNextNewEvents(1);
    keyboard.Poll();

    EXPECT_EQ(TakeKeyEvents(keyboard), (std::vector<std::pair<int, int>>{{INPUT_EVENT_KEY_CHAR, 'a'}}));
    EXPECT_EQ(keyboard.GetPressedKeys().size(), 1u);
}

TEST_F(Di8KeyboardTest, FailedSettingQueriesGiveTheShortestDelayAndTheSlowestRate)
{
    qmsim::GetSettings().keyboardDelay = 3;
    qmsim::GetSettings().settingsQueriesFail = true;
    const CQmDi8Keyboard& keyboard = OpenKeyboard();
    EXPECT_FLOAT_EQ(keyboard.GetKeyRepeatDelay(), 0.25f);
    EXPECT_FLOAT_EQ(keyboard.GetKeyRepeatSpeed(), 1.0f);
}

TEST_F(Di8KeyboardTest, KeyHeldWhenTheKeyboardClosesNeverRepeats)
{
    CQmDi8Keyboard& keyboard = OpenKeyboard();
    QueueRecord(DIK_A, 0x80, 1);
    keyboard.Poll();
    TakeKeyEvents(keyboard);
    keyboard.Destroy();

    qmhost::AdvanceTime(10.0);
    keyboard.Poll();
    EXPECT_TRUE(TakeKeyEvents(keyboard).empty());
}

}  // namespace
