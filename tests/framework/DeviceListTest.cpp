// When the device list disposes of a device: a module that gives back a
// reference too early or too late is seen only if the stand-in destroys the
// device exactly when the last reference goes, and counts every query.
#include <gtest/gtest.h>

#include "TestDevices.h"
#include "common/ContractViolations.h"
#include "framework/QmFrameworkControl.h"

namespace {

using Journal = std::vector<std::string>;

TEST(DeviceListTest, ADeviceIsDisposedOfWithItsLastReferenceAndNotBefore) {
    qmhost::ResetDeviceIds();
    qmhost::ClearContractViolations();
    fwtest::Journal().clear();
    const long baseRefs = qmhost::OutstandingDeviceRefs();
    CQmInputServer server;
    const long queried = fwtest::AddTestDevice(server);
    const long released = fwtest::AddTestDevice(server);
    const long removed = fwtest::AddTestDevice(server);
    fwtest::AddTestDevice(server);  // 4, left for FreeDevices

    // Queries are counted until given back, and dispose of nothing.
    const long objectId = server.QueryDevice(removed)->GetId();
    server.QueryDevice(queried);
    server.QueryDevice(queried);
    EXPECT_EQ(qmhost::OutstandingDeviceRefs(), baseRefs + 3);
    server.ReleaseDevice(queried);
    server.ReleaseDevice(queried);
    server.ReleaseDevice(removed);
    EXPECT_EQ(qmhost::OutstandingDeviceRefs(), baseRefs);
    EXPECT_EQ(fwtest::Journal(), Journal{});

    // The list's own reference given back: the device goes, Destroy first.
    server.ReleaseDevice(released);
    EXPECT_EQ(fwtest::Journal(), (Journal{"Destroy 2", "delete 2"}));

    // Removed from the list, the object stays until it is destroyed.
    server.RemoveDevice(removed);
    EXPECT_NE(QmGetObjectDatabase()->FindObject(objectId), nullptr);
    EXPECT_TRUE(QmGetObjectDatabase()->DestroyObject(objectId));

    fwtest::Journal().clear();
    server.FreeDevices();
    EXPECT_EQ(fwtest::Journal(), (Journal{"Destroy 1", "delete 1", "Destroy 4", "delete 4"}));
    EXPECT_EQ(server.GetNumDevices(), 0);
    ExpectNoContractViolations();
}

}  // namespace
