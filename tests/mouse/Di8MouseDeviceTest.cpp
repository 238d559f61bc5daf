// Opening, closing and polling the DirectInput mouse, and its diagnostic text.
#include "common/DebugRecordCase.h"
#include "Di8MouseTestSupport.h"

namespace {

TEST_F(Di8MouseTest, CreateOpensABufferedRelativeAcquiredMouse)
{
    OpenMouse();
    const qmsim::DeviceState state = qmsim::GetDeviceState(DeviceName());
    EXPECT_TRUE(state.exists);
    EXPECT_EQ(state.dataFormat, &c_dfDIMouse2);
    EXPECT_EQ(state.bufferSize, 32u);
    EXPECT_EQ(state.axisMode, static_cast<DWORD>(DIPROPAXISMODE_REL));
    EXPECT_TRUE(state.acquired);
}

struct sSettingsCase {
    int swapButtons;
    UINT doubleClickMs;
    bool leftHanded;
    float doubleClickTime;
};

class Di8MouseSettingsTest : public Di8MouseTest, public ::testing::WithParamInterface<sSettingsCase> {};

TEST_P(Di8MouseSettingsTest, CreateTakesHandednessAndDoubleClickTimeFromTheSystem)
{
    const sSettingsCase& test = GetParam();
    const CQmDi8Mouse& mouse = OpenMouse(test.swapButtons, test.doubleClickMs);
    EXPECT_EQ(mouse.IsLeftHanded(), test.leftHanded);
    EXPECT_FLOAT_EQ(mouse.GetDoubleClickTime(), test.doubleClickTime);
}

INSTANTIATE_TEST_SUITE_P(SystemSettings, Di8MouseSettingsTest,
                         ::testing::Values(sSettingsCase{0, 500, false, 0.5f},
                                           sSettingsCase{1, 250, true, 0.25f},
                                           // Only exactly 1 means swapped.
                                           sSettingsCase{2, 1500, false, 1.5f}));

TEST_F(Di8MouseTest, CreateOnAnOpenMouseIsRefusedAndKeepsItWorking)
{
    CQmDi8Mouse& mouse = OpenMouse();
    EXPECT_FALSE(mouse.Create(qmsim::GetInstanceGuid(DeviceName())));
    EXPECT_EQ(qmsim::LiveDeviceInterfaces(), 1);
    EXPECT_EQ(qmsim::GetDeviceState(DeviceName()).refCount, 1u);

    QueueRecord(DIMOFS_X, 1, 1);
    mouse.Poll();
    EXPECT_EQ(TakeQueuedEvents().size(), 1u);
}

TEST_F(Di8MouseTest, PollBeforeCreateAndAfterDestroyCallsNothingAndMakesNoEvent)
{
    CQmDi8Mouse& mouse = NewDeviceByName();
    qmsim::ClearCallLog();
    mouse.Poll();
    EXPECT_TRUE(qmsim::CallLog().empty());

    DefineGameWindow();
    EXPECT_TRUE(mouse.Create(qmsim::AttachDevice("mouse", DI8DEVTYPE_MOUSE)));
    ASSERT_TRUE(qmsim::QueueRecord("mouse", DIMOFS_X, 1, 1));
    mouse.Destroy();
    EXPECT_EQ(qmsim::LiveDeviceInterfaces(), 0);
    qmsim::ClearCallLog();
    mouse.Poll();
    EXPECT_TRUE(qmsim::CallLog().empty());
    EXPECT_TRUE(TakeQueuedEvents().empty());
}

TEST_F(Di8MouseTest, DestroyKeepsPressRecordsAndSettingsForTheNextCreate)
{
    CQmDi8Mouse& mouse = OpenMouse(1, 500);
    StartClock();
    QueueRecord(DIMOFS_BUTTON0, kPressed, 1);
    mouse.Poll();
    TakeQueuedEvents();
    mouse.Destroy();

    EXPECT_EQ(mouse.GetButtonPress(0).m_fPressTime, Base());
    EXPECT_TRUE(mouse.IsLeftHanded());
    SetClock(0.125);
    EXPECT_TRUE(mouse.Create(qmsim::GetInstanceGuid(DeviceName())));
    QueueRecord(DIMOFS_BUTTON0, kPressed, 2);
    mouse.Poll();
    EXPECT_EQ(TakeMouseEvents(mouse), (std::vector<sMouseEvent>{
                                          {INPUT_EVENT_MOUSE_DOUBLE_CLICK, KEY_MOUSE_RIGHT, 0, 0}}));
}

class Di8MouseDebugTest : public Di8MouseTest, public ::testing::WithParamInterface<sDebugRecordCase> {};

TEST_P(Di8MouseDebugTest, OutputDebugDataWritesTheRecord)
{
    const sDebugRecordCase& test = GetParam();
    CQmDi8Mouse::OutputDebugData(test.type, &test.record);
    EXPECT_EQ(qmhost::TakeDebugOutput(), test.text);
}

INSTANTIATE_TEST_SUITE_P(
    Records, Di8MouseDebugTest,
    ::testing::Values(
        sDebugRecordCase{"X", CALLBACK_TYPE_RECORD, {DIMOFS_X, static_cast<DWORD>(-3), 10, 3, 0}, "Object: 3 at 10; X: -3\n"},
        sDebugRecordCase{"Y", CALLBACK_TYPE_RECORD, {DIMOFS_Y, 7, 11, 4, 0}, "Object: 4 at 11; Y: 7\n"},
        sDebugRecordCase{"Button0Down", CALLBACK_TYPE_RECORD, {DIMOFS_BUTTON0, 0x80, 12, 5, 0}, "Object: 5 at 12; BT0: down\n"},
        sDebugRecordCase{"Button1Up", CALLBACK_TYPE_RECORD, {DIMOFS_BUTTON1, 0, 13, 6, 0}, "Object: 6 at 13; BT1: up\n"},
        sDebugRecordCase{"WheelHasNoSecondPart", CALLBACK_TYPE_RECORD, {DIMOFS_Z, 120, 14, 7, 0}, "Object: 7 at 14; "},
        sDebugRecordCase{"Button2HasNoSecondPart", CALLBACK_TYPE_RECORD, {DIMOFS_BUTTON2, 0x80, 15, 8, 0},
                   "Object: 8 at 15; "},
        sDebugRecordCase{"TypeNone", CALLBACK_TYPE_NONE, {DIMOFS_X, 1, 1, 1, 0}, ""}),
    DebugRecordCaseName);

TEST_F(Di8MouseTest, OutputDebugDataOfNoRecordWritesNothing)
{
    CQmDi8Mouse::OutputDebugData(CALLBACK_TYPE_RECORD, nullptr);
    EXPECT_EQ(qmhost::TakeDebugOutput(), "");
}

}  // namespace
