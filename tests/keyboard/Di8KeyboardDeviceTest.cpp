// Opening, closing and polling the DirectInput keyboard, sequence groups and its
// diagnostic text.
#include <climits>

#include "common/DebugRecordCase.h"
#include "Di8KeyboardTestSupport.h"

namespace {

TEST_F(Di8KeyboardTest, CreateOpensABufferedAcquiredKeyboard)
{
    OpenKeyboard();
    const qmsim::DeviceState state = qmsim::GetDeviceState(DeviceName());
    EXPECT_TRUE(state.exists);
    EXPECT_EQ(state.dataFormat, &c_dfDIKeyboard);
    EXPECT_EQ(state.bufferSize, 256u);
    EXPECT_TRUE(state.acquired);
    EXPECT_FALSE(state.cooperativeLevelSet);
}

TEST_F(Di8KeyboardTest, CreateOnAnOpenKeyboardIsRefusedAndKeepsItWorking)
{
    CQmDi8Keyboard& keyboard = OpenKeyboard();
    EXPECT_FALSE(keyboard.Create(qmsim::GetInstanceGuid(DeviceName())));
    EXPECT_EQ(qmsim::LiveDeviceInterfaces(), 1);
    EXPECT_EQ(qmsim::GetDeviceState(DeviceName()).refCount, 1u);

    QueueRecord(DIK_A, kKeyDown, 1);
    keyboard.Poll();
    EXPECT_EQ(TakeKeyEvents(keyboard).size(), 2u);
}

TEST_F(Di8KeyboardTest, FailedCreateKeepsTheInterfaceUntilDestroy)
{
    // No game window: opening fails after the device was created.
    const GUID instance = qmsim::AttachDevice("kbd", DI8DEVTYPE_KEYBOARD);
    CQmDi8Keyboard& keyboard = NewDeviceByName();
    EXPECT_FALSE(keyboard.Create(instance));
    EXPECT_EQ(qmsim::LiveDeviceInterfaces(), 1);
    keyboard.Destroy();
    EXPECT_EQ(qmsim::LiveDeviceInterfaces(), 0);
}

TEST_F(Di8KeyboardTest, PollOfAClosedKeyboardCallsNothingAndMakesNoEvent)
{
    CQmDi8Keyboard& keyboard = NewDeviceByName();
    qmsim::ClearCallLog();
    keyboard.Poll();
    EXPECT_TRUE(qmsim::CallLog().empty());

    DefineGameWindow();
    EXPECT_TRUE(keyboard.Create(qmsim::AttachDevice("kbd", DI8DEVTYPE_KEYBOARD)));
    ASSERT_TRUE(qmsim::QueueRecord("kbd", DIK_A, kKeyDown, 1));
    keyboard.Poll();
    TakeKeyEvents(keyboard);
    keyboard.Destroy();
    EXPECT_EQ(qmsim::LiveDeviceInterfaces(), 0);

    // The key still held would repeat if the closed keyboard polled.
    qmhost::AdvanceTime(10.0);
    qmsim::ClearCallLog();
    keyboard.Poll();
    EXPECT_TRUE(qmsim::CallLog().empty());
    EXPECT_TRUE(TakeKeyEvents(keyboard).empty());
}

struct sSequenceCase {
    const char* name;
    std::vector<DWORD> sequences;
    int lastSequence;
};

class Di8KeyboardSequenceTest : public Di8KeyboardTest, public ::testing::WithParamInterface<sSequenceCase> {};

TEST_P(Di8KeyboardSequenceTest, EveryRecordIsProcessedOnceInOrderAndTheLastGroupIsKept)
{
    const sSequenceCase& test = GetParam();
    CQmDi8Keyboard& keyboard = OpenKeyboard();
    const DWORD keys[] = {DIK_A, DIK_S, DIK_D};
    for (size_t i = 0; i < test.sequences.size(); ++i)
        QueueRecord(keys[i], kKeyDown, test.sequences[i]);
    keyboard.Poll();

    std::vector<int> downKeys;
    for (const sKeyEvent& event : TakeKeyEvents(keyboard))
        if (event.type == INPUT_EVENT_KEY_DOWN)
            downKeys.push_back(event.key);
    const std::vector<int> allKeys = {KEY_A, KEY_S, KEY_D};
    EXPECT_EQ(downKeys, std::vector<int>(allKeys.begin(), allKeys.begin() + test.sequences.size()));
    EXPECT_EQ(keyboard.GetLastSequence(), test.lastSequence);
}

INSTANTIATE_TEST_SUITE_P(
    Groups, Di8KeyboardSequenceTest,
    ::testing::Values(sSequenceCase{"TwoGroups", {5, 5, 6}, 6},
                      sSequenceCase{"NothingRead", {}, -1},
                      // -2 then 1: 1 is later across the wrap.
                      sSequenceCase{"LaterAcrossTheWrap", {0xFFFFFFFEu, 1}, 1},
                      // 1 then -2: -2 is earlier, so the group stays 1.
                      sSequenceCase{"EarlierAcrossTheWrap", {1, 0xFFFFFFFEu}, 1},
                      sSequenceCase{"LaterPastTheSignBit", {0x7FFFFFFFu, 0x80000000u}, INT_MIN}),
    [](const ::testing::TestParamInfo<sSequenceCase>& info) { return std::string(info.param.name); });

class Di8KeyboardDebugTest : public Di8KeyboardTest, public ::testing::WithParamInterface<sDebugRecordCase> {};

TEST_P(Di8KeyboardDebugTest, OutputDebugDataWritesTheRecord)
{
    const sDebugRecordCase& test = GetParam();
    CQmDi8Keyboard::OutputDebugData(test.type, &test.record);
    EXPECT_EQ(qmhost::TakeDebugOutput(), test.text);
}

INSTANTIATE_TEST_SUITE_P(
    Records, Di8KeyboardDebugTest,
    ::testing::Values(sDebugRecordCase{"Down", CALLBACK_TYPE_RECORD, {DIK_A, 0x80, 1234, 7, 0},
                                 "Object: 7 at 1234; Key: 0x1e down\n"},
                      sDebugRecordCase{"Up", CALLBACK_TYPE_RECORD, {0xC8, 0, 99, 8, 0}, "Object: 8 at 99; Key: 0xc8 up\n"},
                      sDebugRecordCase{"TypeNone", CALLBACK_TYPE_NONE, {DIK_A, 0x80, 1, 1, 0}, ""}),
    DebugRecordCaseName);

TEST_F(Di8KeyboardTest, OutputDebugDataOfNoRecordWritesNothing)
{
    CQmDi8Keyboard::OutputDebugData(CALLBACK_TYPE_RECORD, nullptr);
    EXPECT_EQ(qmhost::TakeDebugOutput(), "");
}

}  // namespace
