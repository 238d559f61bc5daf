// Devices the enumeration cannot use are given up whole (out of the list, their
// objects deleted, every reference back, which the fixture checks), and a class
// the framework cannot make is skipped. Which attached devices become which
// device objects is in the golden scripts enumeration*, directinput_failures and
// window_missing.
#include <algorithm>
#include <string>
#include <vector>

#include "common/ModuleTestFixture.h"
#include "host/QmObjectDatabase.h"
#include "server/Recording.h"

namespace {

class DeviceEnumerationTest : public ModuleTest {
protected:
    // Class names of the listed devices, in list order.
    static std::vector<std::string> ListedClasses(CQmInputServer& server)
    {
        std::vector<std::string> classes;
        for (long deviceId : ListedDevices(server)) {
            classes.push_back(server.QueryDevice(deviceId)->GetType().GetName());
            server.ReleaseDevice(deviceId);
        }
        return classes;
    }
};

TEST_F(DeviceEnumerationTest, DeviceThatFailsToOpenIsGivenUpThroughOneMoreRelease)
{
    DefineGameWindow();
    for (const char* name : {"joy1", "joy2", "joy3"})
        qmsim::AttachDevice(name, DI8DEVTYPE_JOYSTICK);
    // The second controller's driver refuses the data format after the device was created.
    qmsim::InjectResult(qmsim::Call::SetDataFormat, DIERR_INVALIDPARAM, "joy2");
    CRecordingServer& server = StartServer<CRecordingServer>();
    const long objectsBefore = QmGetObjectDatabase()->GetNumObjects();

    EXPECT_TRUE(server.EnumerateDevices());

    EXPECT_EQ(ListedDevices(server), (std::vector<long>{1, 3}));
    EXPECT_EQ(QmGetObjectDatabase()->GetNumObjects(), objectsBefore + 2);
}

TEST_F(DeviceEnumerationTest, WithoutAGameWindowEveryDeviceIsGivenUpAndEnumerationStillSucceeds)
{
    qmsim::AttachDevice("m1", DI8DEVTYPE_MOUSE);
    qmsim::AttachDevice("kbd", DI8DEVTYPE_KEYBOARD);
    qmsim::AttachDevice("m2", DI8DEVTYPE_MOUSE);
    qmsim::AttachDevice("joy", DI8DEVTYPE_JOYSTICK);
    CRecordingServer& server = StartServer<CRecordingServer>();
    const long objectsBefore = QmGetObjectDatabase()->GetNumObjects();

    EXPECT_TRUE(server.EnumerateDevices());

    EXPECT_TRUE(ListedDevices(server).empty());
    EXPECT_EQ(QmGetObjectDatabase()->GetNumObjects(), objectsBefore);
    // A mouse given up leaves no mouse behind, so the second mouse is tried too:
    // four devices made.
    EXPECT_EQ(std::count(g_oCalls.begin(), g_oCalls.end(), "query 4"), 1);
}

TEST_F(DeviceEnumerationTest, ClassThatCannotBeMadeIsSkippedAndTheRestGoOn)
{
    DefineGameWindow();
    qmsim::AttachDevice("kbd", DI8DEVTYPE_KEYBOARD);
    qmsim::AttachDevice("joy", DI8DEVTYPE_JOYSTICK);
    qmsim::AttachDevice("k2", DI8DEVTYPE_KEYBOARD);
    const CFailingFactory noKeyboards("CQmWindowsKeyboard");

    EXPECT_TRUE(Server().EnumerateDevices());

    EXPECT_EQ(ListedClasses(Server()), std::vector<std::string>{"CQmDi8Joystick"});
}

}  // namespace
