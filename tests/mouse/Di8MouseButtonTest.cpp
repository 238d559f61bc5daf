// Button events and the double-click rule of the DirectInput mouse.
#include <cmath>

#include "Di8MouseTestSupport.h"

namespace {

using Events = std::vector<sMouseEvent>;

// One poll: at `time`, move by (dx, dy), then the button record.
struct sStep {
    double time;
    int dx;
    int dy;
    DWORD button;  // DIMOFS_BUTTONn
    DWORD data;
};

struct sClickCase {
    const char* name;
    std::vector<sStep> steps;
    Events buttonEvents;
};

class Di8MouseClickTest : public Di8MouseTest, public ::testing::WithParamInterface<sClickCase> {
protected:
    // The button events of the steps, polled one by one; move events left out.
    Events RunSteps(CQmDi8Mouse& mouse, const std::vector<sStep>& steps)
    {
        Events buttons;
        DWORD sequence = 1;
        for (const sStep& step : steps) {
            SetClock(step.time);
            if (step.dx != 0)
                QueueRecord(DIMOFS_X, static_cast<DWORD>(step.dx), sequence++);
            if (step.dy != 0)
                QueueRecord(DIMOFS_Y, static_cast<DWORD>(step.dy), sequence++);
            QueueRecord(step.button, step.data, sequence++);
            mouse.Poll();
            for (const sMouseEvent& event : TakeMouseEvents(mouse))
                if (event.type != INPUT_EVENT_MOUSE_MOVE)
                    buttons.push_back(event);
        }
        return buttons;
    }
};

TEST_P(Di8MouseClickTest, PressesBecomeDownsOrDoubleClicks)
{
    CQmDi8Mouse& mouse = OpenMouse(0, 500);
    StartClock();  // at least 1 s past the zero press records: first presses are downs
    EXPECT_EQ(RunSteps(mouse, GetParam().steps), GetParam().buttonEvents);
}

constexpr int kLeft = KEY_MOUSE_LEFT;
constexpr int kRight = KEY_MOUSE_RIGHT;
constexpr int kMiddle = KEY_MOUSE_MIDDLE;
constexpr auto kDown = INPUT_EVENT_MOUSE_BUTTON_DOWN;
constexpr auto kUp = INPUT_EVENT_MOUSE_BUTTON_UP;
constexpr auto kDouble = INPUT_EVENT_MOUSE_DOUBLE_CLICK;

INSTANTIATE_TEST_SUITE_P(
    Rule, Di8MouseClickTest,
    ::testing::Values(
        sClickCase{"TwoQuickPresses",
                   {{0.0, 0, 0, DIMOFS_BUTTON0, kPressed},
                    {0.05, 0, 0, DIMOFS_BUTTON0, kReleased},
                    {0.1, 0, 0, DIMOFS_BUTTON0, kPressed},
                    {0.15, 0, 0, DIMOFS_BUTTON0, kReleased}},
                   {{kDown, kLeft, 0, 0}, {kUp, kLeft, 0, 0}, {kDouble, kLeft, 0, 0}, {kUp, kLeft, 0, 0}}},
        sClickCase{"ThirdQuickPressIsADoubleClickAgain",
                   {{0.0, 0, 0, DIMOFS_BUTTON0, kPressed},
                    {0.375, 0, 0, DIMOFS_BUTTON0, kPressed},
                    {0.75, 0, 0, DIMOFS_BUTTON0, kPressed}},
                   {{kDown, kLeft, 0, 0}, {kDouble, kLeft, 0, 0}, {kDouble, kLeft, 0, 0}}},
        sClickCase{"ExactlyTheDoubleClickTimeIsTooLate",
                   {{0.0, 0, 0, DIMOFS_BUTTON0, kPressed}, {0.5, 0, 0, DIMOFS_BUTTON0, kPressed}},
                   {{kDown, kLeft, 0, 0}, {kDown, kLeft, 0, 0}}},
        sClickCase{"FourUnitsAwayOnEachAxisIsNearEnough",
                   {{0.0, 0, 0, DIMOFS_BUTTON1, kPressed}, {0.1, 4, -4, DIMOFS_BUTTON1, kPressed}},
                   {{kDown, kRight, 0, 0}, {kDouble, kRight, 4, -4}}},
        sClickCase{"FiveUnitsAcrossIsTooFar",
                   {{0.0, 0, 0, DIMOFS_BUTTON1, kPressed}, {0.1, -5, 0, DIMOFS_BUTTON1, kPressed}},
                   {{kDown, kRight, 0, 0}, {kDown, kRight, -5, 0}}},
        sClickCase{"FiveUnitsDownIsTooFar",
                   {{0.0, 0, 0, DIMOFS_BUTTON1, kPressed}, {0.1, 0, 5, DIMOFS_BUTTON1, kPressed}},
                   {{kDown, kRight, 0, 0}, {kDown, kRight, 0, 5}}},
        sClickCase{"DifferentButtonsKeepSeparateRecords",
                   {{0.0, 0, 0, DIMOFS_BUTTON0, kPressed}, {0.1, 0, 0, DIMOFS_BUTTON1, kPressed}},
                   {{kDown, kLeft, 0, 0}, {kDown, kRight, 0, 0}}},
        sClickCase{"ReleaseWithoutPressIsAnUp",
                   {{0.0, 0, 0, DIMOFS_BUTTON2, kReleased}},
                   {{kUp, kMiddle, 0, 0}}},
        // Buttons beyond the third carry -1 and are never double clicks.
        sClickCase{"FurtherButtonsAreAlwaysPlainDowns",
                   {{0.0, 0, 0, DIMOFS_BUTTON3, kPressed},
                    {0.1, 0, 0, DIMOFS_BUTTON3, kPressed},
                    {0.2, 0, 0, DIMOFS_BUTTON7, kReleased}},
                   {{kDown, -1, 0, 0}, {kDown, -1, 0, 0}, {kUp, -1, 0, 0}}}),
    [](const ::testing::TestParamInfo<sClickCase>& info) { return std::string(info.param.name); });

TEST_F(Di8MouseClickTest, PressRecordsChangeOnPressesOfTheirOwnButtonOnly)
{
    CQmDi8Mouse& mouse = OpenMouse();
    StartClock();
    RunSteps(mouse, {{0.25, 2, 1, DIMOFS_BUTTON1, kPressed},
                     {0.5, 0, 0, DIMOFS_BUTTON1, kReleased},
                     {0.75, 0, 0, DIMOFS_BUTTON2, kReleased},
                     {1.0, 0, 0, DIMOFS_BUTTON5, kPressed}});

    const sButtonPress& pressed = mouse.GetButtonPress(1);
    EXPECT_EQ(pressed.m_fPressTime, Base() + 0.25);
    EXPECT_EQ(pressed.m_nPressX, 2);
    EXPECT_EQ(pressed.m_nPressY, 1);
    for (int button : {0, 2}) {
        EXPECT_EQ(mouse.GetButtonPress(button).m_fPressTime, 0.0);
        EXPECT_EQ(mouse.GetButtonPress(button).m_nPressX, 0);
        EXPECT_EQ(mouse.GetButtonPress(button).m_nPressY, 0);
    }
}

TEST_F(Di8MouseClickTest, LeftHandedMouseSwapsKeysButNotPressRecords)
{
    CQmDi8Mouse& mouse = OpenMouse(1, 500);
    ASSERT_TRUE(mouse.IsLeftHanded());
    StartClock();
    const Events events = RunSteps(mouse, {{0.0, 0, 0, DIMOFS_BUTTON0, kPressed},
                                           {0.1, 0, 0, DIMOFS_BUTTON0, kPressed},
                                           {0.2, 0, 0, DIMOFS_BUTTON1, kPressed},
                                           {0.3, 0, 0, DIMOFS_BUTTON2, kPressed}});
    EXPECT_EQ(events, (Events{{kDown, kRight, 0, 0}, {kDouble, kRight, 0, 0}, {kDown, kLeft, 0, 0},
                              {kDown, kMiddle, 0, 0}}));
    EXPECT_EQ(mouse.GetButtonPress(0).m_fPressTime, Base() + 0.1);
    EXPECT_EQ(mouse.GetButtonPress(1).m_fPressTime, Base() + 0.2);
}

// The press records start at time 0 and position (0, 0): while the clock is
// still within the double-click time of 0, a first press there is a double click.
struct sFirstPressCase {
    const char* name;
    double doubleClickPastClock;  // double-click time minus the clock, seconds
    int dx;
    eInputEventType type;
};

class Di8MouseFirstPressTest : public Di8MouseTest, public ::testing::WithParamInterface<sFirstPressCase> {};

TEST_P(Di8MouseFirstPressTest, FirstPressComparesWithTimeZeroAtTheOrigin)
{
    const sFirstPressCase& test = GetParam();
    const double now = StartClock();
    const auto doubleClickMs = static_cast<UINT>(std::lround((now + test.doubleClickPastClock) * 1000));
    CQmDi8Mouse& mouse = OpenMouse(0, doubleClickMs);
    if (test.dx != 0)
        QueueRecord(DIMOFS_X, static_cast<DWORD>(test.dx), 1);
    QueueRecord(DIMOFS_BUTTON0, kPressed, 2);
    mouse.Poll();
    const Events events = TakeMouseEvents(mouse);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back().type, test.type);
}

INSTANTIATE_TEST_SUITE_P(
    EarlyClock, Di8MouseFirstPressTest,
    ::testing::Values(sFirstPressCase{"EarlyAtTheOrigin", 1.0, 0, INPUT_EVENT_MOUSE_DOUBLE_CLICK},
                      sFirstPressCase{"EarlyFourUnitsOut", 1.0, 4, INPUT_EVENT_MOUSE_DOUBLE_CLICK},
                      sFirstPressCase{"EarlyFiveUnitsOut", 1.0, 5, INPUT_EVENT_MOUSE_BUTTON_DOWN},
                      sFirstPressCase{"Late", -0.5, 0, INPUT_EVENT_MOUSE_BUTTON_DOWN}),
    [](const ::testing::TestParamInfo<sFirstPressCase>& info) { return std::string(info.param.name); });

}  // namespace
