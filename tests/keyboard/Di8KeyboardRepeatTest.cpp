// Auto-repeat timing of the DirectInput keyboard and the repeat settings it takes
// from the system.
#include "Di8KeyboardTestSupport.h"

namespace {

struct sRepeatCase {
    const char* name;
    int delaySetting;
    int speedSetting;
    std::vector<double> passes;   // poll times after the press at 0
    std::vector<double> repeats;  // the passes that repeat the key
};

std::vector<double> EveryStep(double step, double last)
{
    std::vector<double> times;
    for (double t = step; t <= last; t += step)
        times.push_back(t);
    return times;
}

class Di8KeyboardRepeatTest : public Di8KeyboardTest, public ::testing::WithParamInterface<sRepeatCase> {};

TEST_P(Di8KeyboardRepeatTest, RepeatsComeAtTheDuePassesOnly)
{
    const sRepeatCase& test = GetParam();
    CQmDi8Keyboard& keyboard = OpenKeyboard(test.delaySetting, test.speedSetting);
    StartClock();
    QueueRecord(DIK_A, kKeyDown, 1);
    keyboard.Poll();
    TakeKeyEvents(keyboard);

    std::vector<sKeyEvent> expected;
    for (double t : test.repeats) {
        expected.push_back({INPUT_EVENT_KEY_DOWN, KEY_A, t});
        expected.push_back({INPUT_EVENT_KEY_CHAR, 'a', t});
    }
    std::vector<sKeyEvent> events;
    for (double t : test.passes) {
        SetClock(t);
        keyboard.Poll();
        for (const sKeyEvent& event : TakeKeyEvents(keyboard))
            events.push_back(event);
    }
    EXPECT_EQ(events, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Timelines, Di8KeyboardRepeatTest,
    ::testing::Values(
        // Delay 0.5 s, interval 0.125 s: each repeat needs more than the interval
        // measured at pass times, so every third pass repeats.
        sRepeatCase{"DelayThenEveryThirdPass", 1, 8, EveryStep(0.0625, 1.0), {0.5625, 0.75, 0.9375}},
        // Delay 0.25 s, interval 1 s: the first repeat waits for the interval.
        sRepeatCase{"IntervalLongerThanDelay", 0, 1, EveryStep(0.25, 1.5), {1.25}},
        // Exactly the delay is not yet past it.
        sRepeatCase{"PassExactlyAtTheDelay", 1, 31, {0.5, 0.5625}, {0.5625}},
        // Speed setting 0 repeats like setting 1, once a second after the delay.
        sRepeatCase{"SpeedSettingZeroRepeatsOnceASecond", 0, 0, EveryStep(0.25, 3.0), {1.25, 2.5}}),
    [](const ::testing::TestParamInfo<sRepeatCase>& info) { return std::string(info.param.name); });

TEST_F(Di8KeyboardTest, EveryHeldKeyRepeatsOncePerPassWithThePassTime)
{
    CQmDi8Keyboard& keyboard = OpenKeyboard(0, 31);  // delay 0.25 s
    StartClock();
    QueueRecord(DIK_LSHIFT, kKeyDown, 1);
    QueueRecord(DIK_Q, kKeyDown, 1);
    keyboard.Poll();
    TakeKeyEvents(keyboard);

    // Far past several intervals: still one repeat each, none made up.
    SetClock(2.0);
    keyboard.Poll();
    EXPECT_EQ(TakeKeyEvents(keyboard), (std::vector<sKeyEvent>{{INPUT_EVENT_KEY_DOWN, KEY_LSHIFT, 2.0},
                                                                {INPUT_EVENT_KEY_CHAR, 0, 2.0},
                                                                {INPUT_EVENT_KEY_DOWN, KEY_Q, 2.0},
                                                                {INPUT_EVENT_KEY_CHAR, 'q', 2.0}}));
    EXPECT_EQ(keyboard.GetPressedKeys()[0].m_fLastRepeatTime, Base() + 2.0);
    EXPECT_EQ(keyboard.GetPressedKeys()[0].m_fPressTime, Base());
}

TEST_F(Di8KeyboardTest, HeldKeysKeepRepeatingWhenInputIsLost)
{
    CQmDi8Keyboard& keyboard = OpenKeyboard(1, 31);  // delay 0.5 s
    StartClock();
    QueueRecord(DIK_A, kKeyDown, 1);
    keyboard.Poll();
    TakeKeyEvents(keyboard);

    qmsim::LoseInput(DeviceName());
    SetClock(0.5625);
    keyboard.Poll();
    EXPECT_EQ(TakeKeyEvents(keyboard), (std::vector<sKeyEvent>{{INPUT_EVENT_KEY_DOWN, KEY_A, 0.5625},
                                                                {INPUT_EVENT_KEY_CHAR, 'a', 0.5625}}));
    EXPECT_TRUE(qmsim::GetDeviceState(DeviceName()).acquired) << "the read must take the device back";

    // The release arrives once the device is back.
    QueueRecord(DIK_A, kKeyUp, 2);
    keyboard.Poll();
    EXPECT_TRUE(keyboard.GetPressedKeys().empty());
}

struct sSettingsCase {
    int delaySetting;
    int speedSetting;
    bool queriesFail;
    float delay;
    float interval;
};

class Di8KeyboardSettingsTest : public Di8KeyboardTest, public ::testing::WithParamInterface<sSettingsCase> {};

TEST_P(Di8KeyboardSettingsTest, CreateTakesRepeatDelayAndIntervalFromTheSystem)
{
    const sSettingsCase& test = GetParam();
    qmsim::GetSettings().settingsQueriesFail = test.queriesFail;
    const CQmDi8Keyboard& keyboard = OpenKeyboard(test.delaySetting, test.speedSetting);
    EXPECT_FLOAT_EQ(keyboard.GetKeyRepeatDelay(), test.delay);
    EXPECT_FLOAT_EQ(keyboard.GetKeyRepeatSpeed(), test.interval);
}

INSTANTIATE_TEST_SUITE_P(
    SystemSettings, Di8KeyboardSettingsTest,
    ::testing::Values(sSettingsCase{0, 31, false, 0.25f, 1.0f / 31},
                      sSettingsCase{1, 1, false, 0.5f, 1.0f},
                      sSettingsCase{2, 16, false, 0.75f, 1.0f / 16},
                      sSettingsCase{3, 31, false, 1.0f, 1.0f / 31},
                      // No infinite interval: setting 0 repeats like setting 1.
                      sSettingsCase{1, 0, false, 0.5f, 1.0f},
                      // Failed queries leave both settings at 0.
                      sSettingsCase{3, 31, true, 0.25f, 1.0f}));

}  // namespace
