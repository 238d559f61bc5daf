// The input server's DirectInput 8, opened once and released once, and what
// every device class of the module shares: how each DirectInput class
// configures its device, that an open device is not opened twice and a closed
// one never read, that a device the wrapper could not open stays held until
// Close, that each class stops at once when the framework's base Create
// refuses and is skipped by the enumeration when the framework cannot make it,
// and the diagnostic text of a DirectInput record.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/ModuleTestFixture.h"
#include "host/QmEnvironmentServer.h"
#include "host/QmObjectFactory.h"
#include "keyboard/QmDi8Keyboard.h"
#include "mouse/QmDi8Joystick.h"
#include "mouse/QmDi8Mouse.h"
#include "server/QmDi8Device.h"
#include "server/QmInputDeviceRef.h"
#include "winmsg/QmWindowsKeyboard.h"
#include "winmsg/QmWindowsMouse.h"

namespace {

constexpr DWORD kUnset = 0xFFFFFFFF;

template <class Device>
bool CreateOn(CQmInputDevice& device, const GUID& instance)
{
    return static_cast<Device&>(device).Create(instance);
}

bool CreateOnWindow(CQmInputDevice& device, const GUID&)
{
    return device.Create();
}

template <class Device>
std::unique_ptr<CQmInputDevice> Make()
{
    return std::make_unique<Device>();
}

struct sDeviceClass {
    const char* pName;
    std::unique_ptr<CQmInputDevice> (*pMake)();
    bool (*pCreate)(CQmInputDevice& device, const GUID& instance);
    BYTE nInstanceType;  // of the attached device it opens on
    // What Create leaves on the DirectInput device; no format: none is opened.
    const DIDATAFORMAT* pFormat;
    DWORD nBufferSize;
    DWORD nAxisMode;
    DWORD nDeadZone;
    DWORD nSaturation;
    // DirectInput's Poll at each of the device's polls: a device that
    // DirectInput must poll has data only after it.
    std::size_t nPlatformPolls;
};

const sDeviceClass kDeviceClasses[] = {
    {"CQmDi8Keyboard", &Make<CQmDi8Keyboard>, &CreateOn<CQmDi8Keyboard>, DI8DEVTYPE_KEYBOARD, &c_dfDIKeyboard, 256,
     kUnset, kUnset, kUnset, 1},
    {"CQmDi8Mouse", &Make<CQmDi8Mouse>, &CreateOn<CQmDi8Mouse>, DI8DEVTYPE_MOUSE, &c_dfDIMouse2, 32,
     DIPROPAXISMODE_REL, kUnset, kUnset, 1},
    // Dead zone and saturation in DirectInput's scale of 10 000.
    {"CQmDi8Joystick", &Make<CQmDi8Joystick>, &CreateOn<CQmDi8Joystick>, DI8DEVTYPE_GAMEPAD, &c_dfDIJoystick2, 32,
     DIPROPAXISMODE_ABS, 2000, 9500, 0},
    {"CQmWindowsKeyboard", &Make<CQmWindowsKeyboard>, &CreateOnWindow, DI8DEVTYPE_KEYBOARD, nullptr, 0, 0, 0, 0, 0},
    {"CQmWindowsMouse", &Make<CQmWindowsMouse>, &CreateOnWindow, DI8DEVTYPE_MOUSE, nullptr, 0, 0, 0, 0, 0},
};

class DeviceClassTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        DefineGameWindow();
        Server();
    }
};

TEST_F(DeviceClassTest, DirectInputClassesConfigureTheirDeviceOpenItOnceAndReadItOnlyWhileOpen)
{
    for (const sDeviceClass& deviceClass : kDeviceClasses) {
        if (!deviceClass.pFormat)
            continue;
        SCOPED_TRACE(deviceClass.pName);
        const GUID instance = qmsim::AttachDevice(deviceClass.pName, deviceClass.nInstanceType);
        const std::unique_ptr<CQmInputDevice> device = deviceClass.pMake();
        qmsim::ClearCallLog();
        device->Poll();
        EXPECT_EQ(qmsim::CallLog(), std::vector<std::string>{}) << "polled before Create";

        ASSERT_TRUE(deviceClass.pCreate(*device, instance));
        EXPECT_FALSE(deviceClass.pCreate(*device, instance)) << "opened twice";
        const qmsim::DeviceState state = qmsim::GetDeviceState(deviceClass.pName);
        EXPECT_EQ(qmsim::LiveDeviceInterfaces(), 1);
        EXPECT_EQ(state.refCount, 1u);
        EXPECT_EQ(state.dataFormat, deviceClass.pFormat);
        EXPECT_EQ(state.bufferSize, deviceClass.nBufferSize);
        EXPECT_EQ(state.axisMode, deviceClass.nAxisMode);
        EXPECT_EQ(state.deadZone, deviceClass.nDeadZone);
        EXPECT_EQ(state.saturation, deviceClass.nSaturation);
        EXPECT_TRUE(state.acquired);
        EXPECT_FALSE(state.cooperativeLevelSet);
        qmsim::ClearCallLog();
        device->Poll();
        EXPECT_EQ(PlatformCalls("Poll").size(), deviceClass.nPlatformPolls);

        device->Destroy();
        EXPECT_EQ(qmsim::LiveDeviceInterfaces(), 0);
        qmsim::ClearCallLog();
        device->Poll();
        EXPECT_EQ(qmsim::CallLog(), std::vector<std::string>{}) << "polled after Destroy";
    }
}

TEST_F(DeviceClassTest, EveryClassStopsAtOnceWhenTheBaseCreateRefuses)
{
    for (const sDeviceClass& deviceClass : kDeviceClasses) {
        SCOPED_TRACE(deviceClass.pName);
        const GUID instance = qmsim::AttachDevice(deviceClass.pName, deviceClass.nInstanceType);
        for (const bool refused : {true, false}) {
            const std::unique_ptr<CQmInputDevice> device = deviceClass.pMake();
            qmhost::FailNextDeviceCreates(refused ? 1 : 0);
            qmsim::ClearCallLog();
            EXPECT_EQ(deviceClass.pCreate(*device, instance), !refused);
            // A window device hooks the window, a DirectInput device opens its device.
            EXPECT_EQ(qmsim::CallLog().empty(), refused);
            device->Destroy();
        }
    }
}

// The executable's handle is asked for, not the module's; the start-up failures
// are in the golden scripts startup_*.
TEST_F(DeviceClassTest, ServerOpensDirectInputForTheExecutableAndReleasesItOnce)
{
    EXPECT_NE(Server().GetDirectInput(), nullptr);
    EXPECT_EQ(qmsim::DirectInputRefCount(), 1);
    EXPECT_EQ(PlatformCalls("GetModuleHandleA"), std::vector<std::string>{"GetModuleHandleA NULL -> 0x400000"});
    EXPECT_EQ(PlatformCalls("DirectInput8Create").size(), 1u);

    DestroyServer();
    EXPECT_EQ(qmsim::LiveDirectInputs(), 0);
}

// Every step after CreateDevice that fails the wrapper's Open leaves the device
// created: the wrapper is open and holds it until Close. Each failing step of a
// class's Create is in the golden script directinput_failures.
TEST_F(DeviceClassTest, OpenFailingAfterCreateDeviceStaysOpenUntilClose)
{
    struct sLateFailure {
        const char* pWhat;
        std::function<void()> oCause;
    };
    const sLateFailure failures[] = {
        {"capabilities refused", [] { qmsim::InjectResult(qmsim::Call::GetCapabilities, DIERR_INVALIDPARAM, "pad"); }},
        {"no game window key", [] { QmGetEnvironmentServer()->RemoveVariable(CQmString("Display/HWND")); }},
        {"a null game window", [] { QmGetEnvironmentServer()->SetVariable(CQmString("Display/HWND"), 0); }},
    };
    const GUID instance = qmsim::AttachDevice("pad", DI8DEVTYPE_GAMEPAD);
    for (const sLateFailure& failure : failures) {
        SCOPED_TRACE(failure.pWhat);
        DefineGameWindow();
        failure.oCause();
        CQmDi8Device device;

        EXPECT_FALSE(device.Open(instance));
        EXPECT_TRUE(device.IsOpen());
        EXPECT_EQ(qmsim::GetDeviceState("pad").refCount, 1u);

        device.Close();
        EXPECT_FALSE(device.IsOpen());
        EXPECT_EQ(qmsim::LiveDeviceInterfaces(), 0);
        // Closed, it reaches for no device (there is none to call), closed again neither.
        device.Close();
        device.SetProperty(DIPROP_BUFFERSIZE, 8);
        device.Acquire();
        device.Poll();
        EXPECT_FALSE(device.SetDataFormat(&c_dfDIJoystick2));
        EXPECT_EQ(device.ReadNext(), nullptr);
    }
}

// The framework cannot make window keyboards: the enumeration goes on without them.
TEST_F(DeviceClassTest, EnumerationSkipsAClassTheFrameworkCannotMake)
{
    struct sNoWindowKeyboards : CQmObjectFactory {
        sNoWindowKeyboards() : CQmObjectFactory(CQmString("CQmWindowsKeyboard")) {}
        CQmObject* CreateInstance() override { return nullptr; }
    } noWindowKeyboards;
    qmsim::AttachDevice("kbd", DI8DEVTYPE_KEYBOARD);
    qmsim::AttachDevice("joy", DI8DEVTYPE_JOYSTICK);

    EXPECT_TRUE(Server().EnumerateDevices());
    const std::vector<long> listed = ListedDevices(Server());
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_STREQ(CQmInputDeviceRef<CQmInputDevice>(listed[0])->GetType().GetName(), "CQmDi8Joystick");
}

struct sDebugCase {
    void (*pOutput)(eCallbackType type, const DIDEVICEOBJECTDATA* data);
    DIDEVICEOBJECTDATA oRecord;  // offset, data, time stamp, sequence
    const char* pText;
};

TEST(DeviceDebugOutput, WritesSequenceAndTimeThenWhatTheClassKnowsOfTheRecord)
{
    const auto keyboard = &CQmDi8Keyboard::OutputDebugData;
    const auto mouse = &CQmDi8Mouse::OutputDebugData;
    const auto joystick = &CQmDi8Joystick::OutputDebugData;
    const sDebugCase cases[] = {
        {keyboard, {DIK_A, 0x80, 1234, 7, 0}, "Object: 7 at 1234; Key: 0x1e down\n"},
        {keyboard, {0xC8, 0, 99, 8, 0}, "Object: 8 at 99; Key: 0xc8 up\n"},
        {mouse, {DIMOFS_X, static_cast<DWORD>(-3), 10, 3, 0}, "Object: 3 at 10; X: -3\n"},
        {mouse, {DIMOFS_Y, 7, 11, 4, 0}, "Object: 4 at 11; Y: 7\n"},
        {mouse, {DIMOFS_BUTTON0, 0x80, 12, 5, 0}, "Object: 5 at 12; BT0: down\n"},
        {mouse, {DIMOFS_BUTTON1, 0, 13, 6, 0}, "Object: 6 at 13; BT1: up\n"},
        // The wheel and the further buttons have no second part.
        {mouse, {DIMOFS_Z, 120, 14, 7, 0}, "Object: 7 at 14; "},
        {mouse, {DIMOFS_BUTTON2, 0x80, 15, 8, 0}, "Object: 8 at 15; "},
        {joystick, {4, 0, 9001, 42, 0}, "Object: 42 at 9001; "},
    };
    for (const sDebugCase& test : cases) {
        test.pOutput(CALLBACK_TYPE_RECORD, &test.oRecord);
        EXPECT_EQ(qmhost::TakeDebugOutput(), test.pText);
        // Nothing for no record, or a record of no type.
        test.pOutput(CALLBACK_TYPE_NONE, &test.oRecord);
        test.pOutput(CALLBACK_TYPE_RECORD, nullptr);
        EXPECT_EQ(qmhost::TakeDebugOutput(), "") << test.pText;
    }
}

}  // namespace
