// Creating devices by class name and deleting them all together: ids, the
// framework's object database, and each device destroyed before it is deleted.
// Deleting one by one and ids that name no device are in the golden script
// device_lifetime. The fixture checks that every reference came back.
#include <algorithm>
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

TEST_F(DeviceLifetimeTest, FreeDevicesDestroysAndDeletesEveryDevice)
{
    const long objectsBefore = QmGetObjectDatabase()->GetNumObjects();
    for (int i = 0; i < 3; ++i)
        AddRecordingDevice();
    g_oCalls.clear();

    m_pServer->FreeDevices();

    EXPECT_EQ(m_pServer->GetNumDevices(), 0);
    EXPECT_EQ(QmGetObjectDatabase()->GetNumObjects(), objectsBefore);
    // A device releases its platform source in Destroy, not in its destructor.
    for (const std::string id : {"1", "2", "3"}) {
        const auto destroyed = std::find(g_oCalls.begin(), g_oCalls.end(), "destroy " + id);
        const auto deleted = std::find(g_oCalls.begin(), g_oCalls.end(), "delete " + id);
        EXPECT_EQ(std::count(g_oCalls.begin(), g_oCalls.end(), "destroy " + id), 1) << "device " << id;
        ASSERT_NE(deleted, g_oCalls.end()) << "device " << id << " not deleted";
        EXPECT_LT(destroyed, deleted) << "device " << id << " deleted before Destroy";
    }
}

}  // namespace
