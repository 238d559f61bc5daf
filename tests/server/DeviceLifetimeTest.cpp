// Creating devices by class name and deleting them one by one or all together.
#include <string>
#include <vector>

#include "common/ModuleTestFixture.h"
#include "host/QmObjectDatabase.h"
#include "server/Recording.h"

namespace {

const char* const kRecordingDevice = "CRecordingDevice";

class DeviceLifetimeTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        m_pServer = &StartServer<CRecordingServer>();
    }

    long AddRecordingDevice() { return m_pServer->NewDevice(CQmString(kRecordingDevice)); }

    CTestFactory<CRecordingDevice> m_oFactory{kRecordingDevice};
    CRecordingServer* m_pServer = nullptr;
};

TEST_F(DeviceLifetimeTest, NewDeviceListsTheObjectUnderAFreshDeviceId)
{
    const long objectsBefore = QmGetObjectDatabase()->GetNumObjects();

    const long first = AddRecordingDevice();
    const long second = AddRecordingDevice();

    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 2);
    EXPECT_EQ(m_pServer->GetNumDevices(), 2);
    EXPECT_EQ(QmGetObjectDatabase()->GetNumObjects(), objectsBefore + 2);
    CQmInputDevice* device = m_pServer->QueryDevice(second);
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device->GetDeviceId(), second);
    EXPECT_EQ(QmGetObjectDatabase()->FindObject(device->GetId()), device);
    m_pServer->ReleaseDevice(second);
}

TEST_F(DeviceLifetimeTest, NewDeviceOfAnUnknownClassAddsNothingAndTakesNoId)
{
    EXPECT_EQ(m_pServer->NewDevice(CQmString("CNoSuchDevice")), -1);
    EXPECT_EQ(m_pServer->GetNumDevices(), 0);
    // No device id was used up by the failed creation.
    EXPECT_EQ(AddRecordingDevice(), 1);
}

TEST_F(DeviceLifetimeTest, FreeDevicesOnAnEmptyListDoesNothing)
{
    g_oCalls.clear();
    m_pServer->FreeDevices();
    EXPECT_TRUE(g_oCalls.empty());
}

TEST_F(DeviceLifetimeTest, FreeDevicesDeletesEachFirstDeviceInTurn)
{
    const long objectsBefore = QmGetObjectDatabase()->GetNumObjects();
    for (int i = 0; i < 3; ++i)
        AddRecordingDevice();
    g_oCalls.clear();

    m_pServer->FreeDevices();

    std::vector<std::string> expected;
    for (const std::string id : {"1", "2", "3"}) {
        // Destroy before deletion; the reference is given back before removal,
        // and the guard ends with the release of "no device".
        for (const std::string step : {"query ", "destroy ", "release ", "delete "})
            expected.push_back(step + id);
        expected.push_back("release -1");
    }
    EXPECT_EQ(g_oCalls, expected);
    EXPECT_EQ(m_pServer->GetNumDevices(), 0);
    EXPECT_EQ(QmGetObjectDatabase()->GetNumObjects(), objectsBefore);
}

TEST_F(DeviceLifetimeTest, DeleteDeviceOfAnIdThatNamesNoDeviceDeletesNothing)
{
    AddRecordingDevice();
    g_oCalls.clear();

    m_pServer->DeleteDevice(99);
    m_pServer->DeleteDevice(-1);

    for (const std::string& call : g_oCalls) {
        EXPECT_EQ(call.find("destroy"), std::string::npos) << call;
        EXPECT_EQ(call.find("delete"), std::string::npos) << call;
    }
    EXPECT_EQ(m_pServer->GetNumDevices(), 1);
}

TEST_F(DeviceLifetimeTest, DeleteDeviceLeavesTheOtherDevices)
{
    AddRecordingDevice();
    const long middle = AddRecordingDevice();
    AddRecordingDevice();

    m_pServer->DeleteDevice(middle);

    EXPECT_EQ(ListedDevices(*m_pServer), (std::vector<long>{1, 3}));
}

}  // namespace
