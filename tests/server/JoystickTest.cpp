// The joystick: opened, configured and acquired on its own instance, and
// otherwise silent.
#include <functional>
#include <string>

#include "common/ModuleTestFixture.h"
#include "mouse/QmDi8Joystick.h"

namespace {

const char* const kStick = "stick";

class JoystickTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        m_oInstance = qmsim::AttachDevice(kStick, DI8DEVTYPE_JOYSTICK);
        DefineGameWindow();
        Server();
    }

    GUID m_oInstance{};
};

TEST_F(JoystickTest, StartsInactiveAndClosed)
{
    CQmDi8Joystick joystick;
    EXPECT_FALSE(joystick.IsActive());
    EXPECT_FALSE(joystick.GetDevice().IsOpen());
}

TEST_F(JoystickTest, CreateConfiguresAndAcquiresTheController)
{
    CQmDi8Joystick joystick;
    ASSERT_TRUE(joystick.Create(m_oInstance));

    const qmsim::DeviceState state = qmsim::GetDeviceState(kStick);
    EXPECT_TRUE(state.exists);
    EXPECT_EQ(state.refCount, 1u);
    EXPECT_EQ(state.dataFormat, &c_dfDIJoystick2);
    EXPECT_EQ(state.bufferSize, 32u);
    EXPECT_EQ(state.axisMode, static_cast<DWORD>(DIPROPAXISMODE_ABS));
    EXPECT_EQ(state.deadZone, 2000u);
    EXPECT_EQ(state.saturation, 9500u);
    EXPECT_TRUE(state.acquired);
    EXPECT_FALSE(state.cooperativeLevelSet);
    EXPECT_FALSE(joystick.IsActive());

    joystick.Destroy();
    EXPECT_FALSE(joystick.GetDevice().IsOpen());
    EXPECT_FALSE(qmsim::GetDeviceState(kStick).exists);
}

struct sCreateCase {
    const char* m_pWhat;
    std::function<void()> m_fnArrange;
    bool m_bCreated;
    bool m_bInterfaceHeld;  // until Destroy
};

TEST_F(JoystickTest, CreateFailsOnlyWhenOpeningOrTheDataFormatFails)
{
    const auto inject = [](qmsim::Call call, HRESULT result) {
        return [=] { qmsim::InjectResult(call, result, kStick); };
    };
    const sCreateCase cases[] = {
        {"CreateDevice fails", inject(qmsim::Call::CreateDevice, DIERR_DEVICENOTREG), false, false},
        {"GetCapabilities fails", inject(qmsim::Call::GetCapabilities, DIERR_GENERIC), false, true},
        {"no game window", [] { QmGetEnvironmentServer()->RemoveVariable(CQmString("Display/HWND")); }, false,
         true},
        {"data format refused", inject(qmsim::Call::SetDataFormat, DIERR_INVALIDPARAM), false, true},
        {"property refused", inject(qmsim::Call::SetProperty, DIERR_UNSUPPORTED), true, true},
        {"acquisition refused", inject(qmsim::Call::Acquire, DIERR_OTHERAPPHASPRIO), true, true},
    };
    for (const sCreateCase& c : cases) {
        SCOPED_TRACE(c.m_pWhat);
        DefineGameWindow();
        c.m_fnArrange();
        CQmDi8Joystick joystick;

        EXPECT_EQ(joystick.Create(m_oInstance), c.m_bCreated);
        EXPECT_EQ(joystick.GetDevice().IsOpen(), c.m_bInterfaceHeld);
        EXPECT_EQ(qmsim::LiveDeviceInterfaces(), c.m_bInterfaceHeld ? 1 : 0);

        joystick.Destroy();
        EXPECT_EQ(qmsim::LiveDeviceInterfaces(), 0);
    }
}

TEST_F(JoystickTest, MovingTheStickMakesNoEvent)
{
    CQmDi8Joystick joystick;
    ASSERT_TRUE(joystick.Create(m_oInstance));
    qmsim::QueueRecord(kStick, 0, 40000, 1);
    qmsim::QueueRecord(kStick, 48, 0x80, 2);

    joystick.Poll();

    long position = -1;
    long eventId = -1;
    EXPECT_FALSE(Server().GetFirstEventInQueue(position, eventId));
    EXPECT_EQ(qmsim::GetDeviceState(kStick).bufferedRecords, 2u);
    joystick.Destroy();
}

TEST_F(JoystickTest, OutputDebugDataPrintsSequenceAndTimeOfARecord)
{
    DIDEVICEOBJECTDATA record{};
    record.dwSequence = 42;
    record.dwTimeStamp = 9001;
    record.dwOfs = 4;

    CQmDi8Joystick::OutputDebugData(CALLBACK_TYPE_RECORD, &record);
    EXPECT_EQ(qmhost::TakeDebugOutput(), "Object: 42 at 9001; ");

    CQmDi8Joystick::OutputDebugData(CALLBACK_TYPE_NONE, &record);
    CQmDi8Joystick::OutputDebugData(CALLBACK_TYPE_RECORD, nullptr);
    EXPECT_EQ(qmhost::TakeDebugOutput(), "");
}

}  // namespace
