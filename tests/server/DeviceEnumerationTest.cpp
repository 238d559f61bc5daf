// Which attached devices the enumeration turns into which device objects.
#include <string>
#include <vector>

#include "common/ModuleTestFixture.h"
#include "server/QmDi8Device.h"
#include "server/Recording.h"

namespace {

struct sAttached {
    const char* m_pName;
    BYTE m_nType;
};

class DeviceEnumerationTest : public ModuleTest {
protected:
    static void Attach(const std::vector<sAttached>& devices)
    {
        for (const sAttached& device : devices)
            qmsim::AttachDevice(device.m_pName, device.m_nType);
    }

    // Class names of the listed devices, in list order.
    static std::vector<std::string> ListedClasses(CQmInputServer& server)
    {
        std::vector<std::string> classes;
        for (long deviceId : ListedDevices(server)) {
            CQmInputDevice* device = server.QueryDevice(deviceId);
            classes.push_back(device ? device->GetType().GetName() : "(none)");
            server.ReleaseDevice(deviceId);
        }
        return classes;
    }
};

const std::string kMouse = "CQmWindowsMouse";
const std::string kKeyboard = "CQmWindowsKeyboard";
const std::string kJoystick = "CQmDi8Joystick";

struct sEnumerationCase {
    const char* m_pWhat;
    std::vector<sAttached> m_oAttached;
    std::vector<std::string> m_oClasses;       // the device list afterwards
    std::vector<const char*> m_oOpenedDevices;  // DirectInput devices held open
};

const sEnumerationCase kEnumerationCases[] = {
    {"nothing attached", {}, {}, {}},
    {"a keyboard and a mouse", {{"kbd", DI8DEVTYPE_KEYBOARD}, {"mouse", DI8DEVTYPE_MOUSE}}, {kKeyboard, kMouse}, {}},
    {"two mice make one window mouse", {{"m1", DI8DEVTYPE_MOUSE}, {"m2", DI8DEVTYPE_MOUSE}}, {kMouse}, {}},
    {"each keyboard its own", {{"k1", DI8DEVTYPE_KEYBOARD}, {"k2", DI8DEVTYPE_KEYBOARD}}, {kKeyboard, kKeyboard},
     {}},
    {"joystick and gamepad each on their own instance",
     {{"joy", DI8DEVTYPE_JOYSTICK}, {"pad", DI8DEVTYPE_GAMEPAD}},
     {kJoystick, kJoystick},
     {"joy", "pad"}},
    {"other device types are ignored",
     {{"device", DI8DEVTYPE_DEVICE},
      {"wheel", DI8DEVTYPE_DRIVING},
      {"flight", DI8DEVTYPE_FLIGHT},
      {"fps", DI8DEVTYPE_1STPERSON},
      {"ctrl", DI8DEVTYPE_DEVICECTRL},
      {"pen", DI8DEVTYPE_SCREENPOINTER},
      {"remote", DI8DEVTYPE_REMOTE},
      {"pedals", DI8DEVTYPE_SUPPLEMENTAL}},
     {},
     {}},
    {"a mixed set in DirectInput's order",
     {{"m1", DI8DEVTYPE_MOUSE},
      {"k1", DI8DEVTYPE_KEYBOARD},
      {"joy", DI8DEVTYPE_JOYSTICK},
      {"wheel", DI8DEVTYPE_DRIVING},
      {"m2", DI8DEVTYPE_MOUSE},
      {"k2", DI8DEVTYPE_KEYBOARD},
      {"pad", DI8DEVTYPE_GAMEPAD}},
     {kMouse, kKeyboard, kJoystick, kKeyboard, kJoystick},
     {"joy", "pad"}},
};

TEST_F(DeviceEnumerationTest, CreatesTheDeviceObjectsOfEachCase)
{
    for (const sEnumerationCase& c : kEnumerationCases) {
        SCOPED_TRACE(c.m_pWhat);
        qmsim::Reset();
        DefineGameWindow();
        Attach(c.m_oAttached);
        CQmDi8InputServer& server = StartServer();

        EXPECT_TRUE(server.EnumerateDevices());

        EXPECT_EQ(ListedClasses(server), c.m_oClasses);
        for (const char* name : c.m_oOpenedDevices) {
            const qmsim::DeviceState state = qmsim::GetDeviceState(name);
            EXPECT_TRUE(state.exists && state.acquired) << name;
        }
        // Window devices read messages; only controllers hold DirectInput devices.
        EXPECT_EQ(qmsim::LiveDeviceInterfaces(), static_cast<long>(c.m_oOpenedDevices.size()));
        server.FreeDevices();
        EXPECT_EQ(qmsim::LiveDeviceInterfaces(), 0);
        DestroyServer();
    }
}

TEST_F(DeviceEnumerationTest, AnExistingMouseOfAnyKindSuppressesEveryWindowMouse)
{
    DefineGameWindow();
    Attach({{"m1", DI8DEVTYPE_MOUSE}, {"kbd", DI8DEVTYPE_KEYBOARD}, {"m2", DI8DEVTYPE_MOUSE}});
    ASSERT_NE(Server().NewDevice(CQmString("CQmDi8Mouse")), -1);

    EXPECT_TRUE(Server().EnumerateDevices());

    EXPECT_EQ(ListedClasses(Server()), (std::vector<std::string>{"CQmDi8Mouse", kKeyboard}));
}

TEST_F(DeviceEnumerationTest, SecondEnumerationAddsKeyboardsAndControllersButNoSecondMouse)
{
    DefineGameWindow();
    Attach({{"mouse", DI8DEVTYPE_MOUSE}, {"kbd", DI8DEVTYPE_KEYBOARD}, {"joy", DI8DEVTYPE_JOYSTICK}});

    EXPECT_TRUE(Server().EnumerateDevices());
    EXPECT_TRUE(Server().EnumerateDevices());

    EXPECT_EQ(ListedClasses(Server()), (std::vector<std::string>{kMouse, kKeyboard, kJoystick, kKeyboard, kJoystick}));
    EXPECT_EQ(qmsim::LiveDeviceInterfaces(), 2);
}

TEST_F(DeviceEnumerationTest, DeviceThatFailsToOpenIsGivenUpThroughOneMoreRelease)
{
    DefineGameWindow();
    Attach({{"joy1", DI8DEVTYPE_JOYSTICK}, {"joy2", DI8DEVTYPE_JOYSTICK}, {"joy3", DI8DEVTYPE_JOYSTICK}});
    // The second controller's driver refuses the data format after the device was created.
    qmsim::InjectResult(qmsim::Call::SetDataFormat, DIERR_INVALIDPARAM, "joy2");
    CRecordingServer& server = StartServer<CRecordingServer>();

    EXPECT_TRUE(server.EnumerateDevices());

    EXPECT_EQ(ListedClasses(server), (std::vector<std::string>{kJoystick, kJoystick}));
    EXPECT_FALSE(qmsim::GetDeviceState("joy2").exists);
    EXPECT_TRUE(qmsim::GetDeviceState("joy3").exists);
    long releasesOfFailed = 0;
    long releasesOfOpened = 0;
    for (const std::string& call : g_oCalls) {
        releasesOfFailed += call == "release 2";
        releasesOfOpened += call == "release 1";
    }
    EXPECT_EQ(releasesOfOpened, 1 + 1);  // the guard's, and ListedClasses's own
    EXPECT_EQ(releasesOfFailed, 2);      // the extra one, then the guard's
}

TEST_F(DeviceEnumerationTest, WithoutAGameWindowEveryDeviceIsGivenUpAndEnumerationStillSucceeds)
{
    Attach({{"m1", DI8DEVTYPE_MOUSE}, {"kbd", DI8DEVTYPE_KEYBOARD}, {"m2", DI8DEVTYPE_MOUSE}, {"joy", DI8DEVTYPE_JOYSTICK}});
    CRecordingServer& server = StartServer<CRecordingServer>();

    EXPECT_TRUE(server.EnumerateDevices());

    EXPECT_TRUE(ListedClasses(server).empty());
    // A mouse given up leaves no mouse behind, so the second mouse is tried too:
    // four devices made, each released twice.
    std::vector<std::string> expected;
    for (const std::string id : {"1", "2", "3", "4"}) {
        expected.push_back("query " + id);
        expected.push_back("release " + id);
        expected.push_back("release " + id);
    }
    EXPECT_EQ(g_oCalls, expected);
    EXPECT_EQ(qmsim::LiveDeviceInterfaces(), 0);
}

TEST_F(DeviceEnumerationTest, ClassThatCannotBeMadeIsSkippedAndTheRestGoOn)
{
    DefineGameWindow();
    Attach({{"kbd", DI8DEVTYPE_KEYBOARD}, {"joy", DI8DEVTYPE_JOYSTICK}, {"k2", DI8DEVTYPE_KEYBOARD}});
    const CFailingFactory noKeyboards("CQmWindowsKeyboard");

    EXPECT_TRUE(Server().EnumerateDevices());

    EXPECT_EQ(ListedClasses(Server()), std::vector<std::string>{kJoystick});
}

TEST_F(DeviceEnumerationTest, FailedEnumerationCreatesNothing)
{
    for (HRESULT result : {DIERR_GENERIC, DIERR_INVALIDPARAM, S_FALSE}) {
        SCOPED_TRACE(GetDIResultName(result));
        qmsim::Reset();
        DefineGameWindow();
        Attach({{"kbd", DI8DEVTYPE_KEYBOARD}, {"joy", DI8DEVTYPE_JOYSTICK}});
        qmsim::InjectResult(qmsim::Call::EnumDevices, result);
        CQmDi8InputServer& server = StartServer();

        EXPECT_FALSE(server.EnumerateDevices());
        if (FAILED(result)) {
            EXPECT_TRUE(ListedClasses(server).empty());
        }
        server.FreeDevices();
        DestroyServer();
    }
}

TEST_F(DeviceEnumerationTest, ServerWithoutDirectInputDoesNotEnumerate)
{
    Attach({{"kbd", DI8DEVTYPE_KEYBOARD}});
    qmsim::InjectResult(qmsim::Call::DirectInput8Create, DIERR_OUTOFMEMORY);

    EXPECT_FALSE(Server().EnumerateDevices());

    EXPECT_TRUE(PlatformCalls("EnumDevices").empty());
    EXPECT_TRUE(ListedClasses(Server()).empty());
}

}  // namespace
