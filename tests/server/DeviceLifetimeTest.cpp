// Creating devices by class name and deleting them all together: ids, the
// framework's object database and the order of the steps. Deleting one by one
// and ids that name no device are in the golden script device_lifetime.
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

TEST_F(DeviceLifetimeTest, NewDeviceListsAnObjectUnderAFreshIdAndAnUnknownClassTakesNone)
{
    const long objectsBefore = QmGetObjectDatabase()->GetNumObjects();

    EXPECT_EQ(AddRecordingDevice(), 1);
    EXPECT_EQ(m_pServer->NewDevice(CQmString("CNoSuchDevice")), -1);
    EXPECT_EQ(AddRecordingDevice(), 2);

    EXPECT_EQ(ListedDevices(*m_pServer), (std::vector<long>{1, 2}));
    EXPECT_EQ(QmGetObjectDatabase()->GetNumObjects(), objectsBefore + 2);
    CQmInputDevice* device = m_pServer->QueryDevice(2);
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device->GetDeviceId(), 2);
    EXPECT_EQ(QmGetObjectDatabase()->FindObject(device->GetId()), device);
    m_pServer->ReleaseDevice(2);
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

}  // namespace
