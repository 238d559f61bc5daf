// When the framework's base Create refuses, each device class's own Create
// fails at once: a window device leaves the game window untouched, a
// DirectInput device opens nothing.
#include <string>
#include <vector>

#include "common/ModuleTestFixture.h"
#include "keyboard/QmDi8Keyboard.h"
#include "mouse/QmDi8Joystick.h"
#include "mouse/QmDi8Mouse.h"
#include "winmsg/QmWindowsKeyboard.h"
#include "winmsg/QmWindowsMouse.h"

namespace {

struct sCreateResult {
    bool bCreated;
    std::vector<std::string> oPlatformCalls;  // made by Create itself
};

template <class Device>
sCreateResult CreateOnWindow(const GUID&)
{
    Device device;
    qmsim::ClearCallLog();
    const sCreateResult result{device.Create(), qmsim::CallLog()};
    device.Destroy();
    return result;
}

template <class Device>
sCreateResult CreateOnInstance(const GUID& instance)
{
    Device device;
    qmsim::ClearCallLog();
    const sCreateResult result{device.Create(instance), qmsim::CallLog()};
    device.Destroy();
    return result;
}

struct sDeviceClass {
    const char* pName;
    sCreateResult (*pCreate)(const GUID& instance);
    BYTE nInstanceType;  // of the attached device it opens on
};

const sDeviceClass kDeviceClasses[] = {
    {"CQmWindowsKeyboard", &CreateOnWindow<CQmWindowsKeyboard>, DI8DEVTYPE_KEYBOARD},
    {"CQmWindowsMouse", &CreateOnWindow<CQmWindowsMouse>, DI8DEVTYPE_MOUSE},
    {"CQmDi8Keyboard", &CreateOnInstance<CQmDi8Keyboard>, DI8DEVTYPE_KEYBOARD},
    {"CQmDi8Mouse", &CreateOnInstance<CQmDi8Mouse>, DI8DEVTYPE_MOUSE},
    {"CQmDi8Joystick", &CreateOnInstance<CQmDi8Joystick>, DI8DEVTYPE_GAMEPAD},
};

using BaseCreateFailureTest = ModuleTest;

TEST_F(BaseCreateFailureTest, EveryDeviceClassStopsAtOnce)
{
    DefineGameWindow();
    Server();
    for (const sDeviceClass& deviceClass : kDeviceClasses) {
        SCOPED_TRACE(deviceClass.pName);
        const GUID instance = qmsim::AttachDevice(deviceClass.pName, deviceClass.nInstanceType);

        qmhost::FailNextDeviceCreates(1);
        const sCreateResult refused = deviceClass.pCreate(instance);
        EXPECT_FALSE(refused.bCreated);
        EXPECT_EQ(refused.oPlatformCalls, std::vector<std::string>{});

        // Only the one call fails, and the same Create reaches the platform otherwise.
        const sCreateResult created = deviceClass.pCreate(instance);
        EXPECT_TRUE(created.bCreated);
        EXPECT_NE(created.oPlatformCalls, std::vector<std::string>{});
    }
}

}  // namespace
