// The device list as input servers use it: ids, order, type counts, and the
// reference counting that decides when a device is disposed of.
#include <gtest/gtest.h>

#include "TestDevices.h"
#include "common/ContractViolations.h"
#include "framework/QmFrameworkControl.h"

namespace {

using fwtest::AddTestDevice;
using fwtest::Journal;

class DeviceListTest : public ::testing::Test {
protected:
    void SetUp() override {
        fwtest::EnsureTestFactories();
        qmhost::ResetDeviceIds();
        Journal().clear();
        m_nBaseRefs = qmhost::OutstandingDeviceRefs();
        qmhost::ClearContractViolations();
    }
    void TearDown() override {
        m_oServer.FreeDevices();
        ExpectNoContractViolations();
    }

    long ObjectIdOf(long deviceId) {
        CQmInputDevice* device = m_oServer.QueryDevice(deviceId);
        const long objectId = device ? device->GetId() : -1;
        m_oServer.ReleaseDevice(deviceId);
        return objectId;
    }

    CQmInputServer m_oServer;
    long m_nBaseRefs = 0;
};

TEST_F(DeviceListTest, DevicesKeepTheirAddOrderAndReceiveTheirIds) {
    const long keyboard = AddTestDevice(m_oServer, "CTestKeyboard");
    const long mouse = AddTestDevice(m_oServer, "CTestMouse");
    const long joystick = AddTestDevice(m_oServer, "CTestJoystick");
    EXPECT_EQ((std::vector<long>{keyboard, mouse, joystick}), (std::vector<long>{1, 2, 3}));

    std::vector<long> walked;
    long position = -1;
    long deviceId = -1;
    for (bool more = m_oServer.GetFirstDevice(position, deviceId); more;
         more = m_oServer.GetNextDevice(position, deviceId)) {
        walked.push_back(deviceId);
        CQmInputDevice* device = m_oServer.QueryDevice(deviceId);
        ASSERT_NE(device, nullptr);
        EXPECT_EQ(device->GetDeviceId(), deviceId);
        m_oServer.ReleaseDevice(deviceId);
    }
    EXPECT_EQ(walked, (std::vector<long>{1, 2, 3}));
    EXPECT_EQ(m_oServer.GetNumDevices(), 3);
}

TEST_F(DeviceListTest, EmptyListHasNoFirstDevice) {
    long position = -1;
    long deviceId = -1;
    EXPECT_FALSE(m_oServer.GetFirstDevice(position, deviceId));
}

TEST_F(DeviceListTest, CountsDevicesWhoseTypeDerivesFromTheGivenOne) {
    for (const char* name : {"CTestKeyboard", "CTestMouse", "CTestSubMouse", "CTestJoystick"}) {
        AddTestDevice(m_oServer, name);
    }
    const struct {
        const CQmClassType& type;
        long expected;
    } cases[] = {
        {CQmObject::GetClassType(), 4},       {CQmInputDevice::GetClassType(), 4},
        {CQmMouse::GetClassType(), 2},        {fwtest::CTestMouse::_s_oType, 2},
        {fwtest::CTestSubMouse::_s_oType, 1}, {CQmKeyboard::GetClassType(), 1},
        {CQmJoystick::GetClassType(), 1},     {CQmInputServer::GetClassType(), 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(m_oServer.GetNumDevicesOfType(c.type), c.expected) << c.type.GetName();
    }
}

TEST_F(DeviceListTest, QueriesAreCountedUntilGivenBackAndUnknownIdsGiveNothing) {
    const long id = AddTestDevice(m_oServer, "CTestKeyboard");
    EXPECT_EQ(qmhost::OutstandingDeviceRefs(), m_nBaseRefs);
    EXPECT_NE(m_oServer.QueryDevice(id), nullptr);
    EXPECT_NE(m_oServer.QueryDevice(id), nullptr);
    EXPECT_EQ(qmhost::OutstandingDeviceRefs(), m_nBaseRefs + 2);
    for (long unknown : {-1L, 0L, id + 100}) {
        EXPECT_EQ(m_oServer.QueryDevice(unknown), nullptr);
    }
    m_oServer.ReleaseDevice(-1);
    EXPECT_EQ(qmhost::OutstandingDeviceRefs(), m_nBaseRefs + 2);
    m_oServer.ReleaseDevice(id);
    m_oServer.ReleaseDevice(id);
    EXPECT_EQ(qmhost::OutstandingDeviceRefs(), m_nBaseRefs);
    EXPECT_EQ(m_oServer.GetNumDevices(), 1);
    EXPECT_TRUE(Journal().empty());
}

// The enumeration's way of giving up a device whose Create failed: an extra
// release while its guard still holds a query, then the guard's own release.
TEST_F(DeviceListTest, DroppingTheLastReferenceDisposesOfTheDevice) {
    const long id = AddTestDevice(m_oServer, "CTestMouse");
    const long objectId = ObjectIdOf(id);
    ASSERT_NE(m_oServer.QueryDevice(id), nullptr);
    m_oServer.ReleaseDevice(id);
    EXPECT_EQ(m_oServer.GetNumDevices(), 1);
    EXPECT_TRUE(Journal().empty());

    m_oServer.ReleaseDevice(id);
    EXPECT_EQ(Journal(), (std::vector<std::string>{"Destroy CTestMouse#1", "delete CTestMouse#1"}));
    EXPECT_EQ(m_oServer.GetNumDevices(), 0);
    EXPECT_EQ(QmGetObjectDatabase()->FindObject(objectId), nullptr);
    EXPECT_EQ(qmhost::OutstandingDeviceRefs(), m_nBaseRefs);
}

TEST_F(DeviceListTest, RemoveDeviceDropsTheEntryButKeepsTheObject) {
    const long id = AddTestDevice(m_oServer, "CTestJoystick");
    const long objectId = ObjectIdOf(id);
    m_oServer.RemoveDevice(id);

    EXPECT_EQ(m_oServer.GetNumDevices(), 0);
    EXPECT_EQ(qmhost::OutstandingDeviceRefs(), m_nBaseRefs);
    EXPECT_NE(QmGetObjectDatabase()->FindObject(objectId), nullptr);
    EXPECT_TRUE(Journal().empty());
    EXPECT_TRUE(QmGetObjectDatabase()->DestroyObject(objectId));
    EXPECT_EQ(Journal(), (std::vector<std::string>{"delete CTestJoystick#1"}));
}

TEST_F(DeviceListTest, FreeDevicesDestroysAndDeletesEveryDeviceInOrder) {
    AddTestDevice(m_oServer, "CTestKeyboard");
    AddTestDevice(m_oServer, "CTestMouse");
    const long before = QmGetObjectDatabase()->GetNumObjects();
    m_oServer.FreeDevices();
    EXPECT_EQ(Journal(), (std::vector<std::string>{"Destroy CTestKeyboard#1", "delete CTestKeyboard#1",
                                                   "Destroy CTestMouse#2", "delete CTestMouse#2"}));
    EXPECT_EQ(m_oServer.GetNumDevices(), 0);
    EXPECT_EQ(QmGetObjectDatabase()->GetNumObjects(), before - 2);
}

TEST_F(DeviceListTest, ResetDeviceIdsStartsTheNumberingAgain) {
    EXPECT_EQ(CQmInputServer::GetUniqueDeviceId(), 1);
    EXPECT_EQ(CQmInputServer::GetUniqueDeviceId(), 2);
    qmhost::ResetDeviceIds();
    EXPECT_EQ(CQmInputServer::GetUniqueDeviceId(), 1);
}

TEST(InputServerTest, TheLatestServerIsCurrentUntilDestroyed) {
    CQmInputServer first;
    EXPECT_EQ(QmGetInputServer(), &first);
    {
        CQmInputServer second;
        EXPECT_EQ(QmGetInputServer(), &second);
        EXPECT_EQ(second.GetObjectDatabase(), QmGetObjectDatabase());
    }
    EXPECT_EQ(QmGetInputServer(), nullptr);
}

TEST(InputServerTest, FocusFollowsObtainAndLose) {
    CQmInputServer server;
    EXPECT_FALSE(server.HasFocus());
    server.ObtainFocus();
    EXPECT_TRUE(server.HasFocus());
    server.LoseFocus();
    EXPECT_FALSE(server.HasFocus());
}

}  // namespace
