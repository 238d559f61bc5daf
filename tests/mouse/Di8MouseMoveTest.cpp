// Move grouping by sequence number and wheel events of the DirectInput mouse.
#include "Di8MouseTestSupport.h"

namespace {

using Events = std::vector<sMouseEvent>;

struct sRecord {
    DWORD offset;
    DWORD data;
    DWORD sequence;
};

constexpr DWORD Units(int count)
{
    return static_cast<DWORD>(count);
}

struct sGroupCase {
    const char* name;
    std::vector<sRecord> records;
    Events events;
    int lastSequence;
};

class Di8MouseGroupTest : public Di8MouseTest, public ::testing::WithParamInterface<sGroupCase> {};

TEST_P(Di8MouseGroupTest, RecordsBecomeEventsInOrder)
{
    const sGroupCase& test = GetParam();
    CQmDi8Mouse& mouse = OpenMouse();
    StartClock();
    for (const sRecord& record : test.records)
        QueueRecord(record.offset, record.data, record.sequence);
    mouse.Poll();
    EXPECT_EQ(TakeMouseEvents(mouse), test.events);
    EXPECT_EQ(mouse.GetLastSequence(), test.lastSequence);
}

constexpr int kKeyMouseLeft = KEY_MOUSE_LEFT;
constexpr int kWheelKey = 2;

INSTANTIATE_TEST_SUITE_P(
    Streams, Di8MouseGroupTest,
    ::testing::Values(
        sGroupCase{"XAndYOfOneGroupGiveOneMove",
                   {{DIMOFS_X, 3, 5}, {DIMOFS_Y, Units(-2), 5}},
                   {{INPUT_EVENT_MOUSE_MOVE, 0, 3, -2}},
                   5},
        sGroupCase{"XAndYOfTwoGroupsGiveTwoMoves",
                   {{DIMOFS_X, 3, 5}, {DIMOFS_Y, Units(-2), 6}},
                   {{INPUT_EVENT_MOUSE_MOVE, 0, 3, 0}, {INPUT_EVENT_MOUSE_MOVE, 0, 3, -2}},
                   6},
        sGroupCase{"ButtonOfTheGroupForcesTheMoveFirst",
                   {{DIMOFS_X, 3, 5}, {DIMOFS_BUTTON0, kPressed, 5}},
                   {{INPUT_EVENT_MOUSE_MOVE, 0, 3, 0}, {INPUT_EVENT_MOUSE_BUTTON_DOWN, kKeyMouseLeft, 3, 0}},
                   5},
        sGroupCase{"WheelOfTheGroupDoesNotForceTheMove",
                   {{DIMOFS_X, 3, 5}, {DIMOFS_Z, 120, 5}},
                   {{INPUT_EVENT_MOUSE_WHEEL, kWheelKey, 3, 0}},
                   5},
        sGroupCase{"MoveAfterAWheelCarriesTheWholeWay",
                   {{DIMOFS_X, 3, 5}, {DIMOFS_Z, 120, 5}, {DIMOFS_Y, 4, 6}},
                   {{INPUT_EVENT_MOUSE_WHEEL, kWheelKey, 3, 0}, {INPUT_EVENT_MOUSE_MOVE, 0, 3, 4}},
                   6},
        sGroupCase{"NegativeCountsMoveBack",
                   {{DIMOFS_X, Units(-3), 1}, {DIMOFS_X, Units(-3), 2}},
                   {{INPUT_EVENT_MOUSE_MOVE, 0, -3, 0}, {INPUT_EVENT_MOUSE_MOVE, 0, -6, 0}},
                   2},
        sGroupCase{"ButtonAloneMakesNoMove",
                   {{DIMOFS_BUTTON2, kPressed, 9}, {DIMOFS_BUTTON2, kReleased, 10}},
                   {{INPUT_EVENT_MOUSE_BUTTON_DOWN, KEY_MOUSE_MIDDLE, 0, 0},
                    {INPUT_EVENT_MOUSE_BUTTON_UP, KEY_MOUSE_MIDDLE, 0, 0}},
                   10},
        sGroupCase{"NothingRead", {}, {}, -1}),
    [](const ::testing::TestParamInfo<sGroupCase>& info) { return std::string(info.param.name); });

struct sWheelCase {
    const char* name;
    DWORD data;
    float value;
};

class Di8MouseWheelTest : public Di8MouseTest, public ::testing::WithParamInterface<sWheelCase> {};

TEST_P(Di8MouseWheelTest, WheelValueIsTheLowHalfAsASignedNumber)
{
    CQmDi8Mouse& mouse = OpenMouse();
    QueueRecord(DIMOFS_Z, GetParam().data, 1);
    mouse.Poll();
    const std::vector<CQmInputEvent> events = TakeQueuedEvents();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].m_eType, INPUT_EVENT_MOUSE_WHEEL);
    EXPECT_EQ(events[0].m_nKey, 2);
    EXPECT_EQ(events[0].m_fValue, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Deltas, Di8MouseWheelTest,
                         ::testing::Values(sWheelCase{"BackOneNotch", Units(-120), -120.0f},
                                           sWheelCase{"HighHalfIgnored", 65536 + 120, 120.0f},
                                           sWheelCase{"LowestHalfValue", 0x8000, -32768.0f}),
                         [](const ::testing::TestParamInfo<sWheelCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(Di8MouseTest, MissingEventIsSkippedAndTheStreamGoesOn)
{
    CQmDi8Mouse& mouse = OpenMouse();
    StartClock();
    QueueRecord(DIMOFS_X, 3, 1);
    QueueRecord(DIMOFS_Z, 120, 2);
    QueueRecord(DIMOFS_BUTTON0, kPressed, 3);
    qmhost::FailNextNewEvents(2);
    mouse.Poll();
    EXPECT_EQ(TakeMouseEvents(mouse), (Events{{INPUT_EVENT_MOUSE_BUTTON_DOWN, KEY_MOUSE_LEFT, 3, 0}}));
}

}  // namespace
