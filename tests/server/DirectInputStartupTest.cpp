// The input server's DirectInput 8: opened once for the executable on
// construction, released once on destruction. The start-up failures are in the
// golden scripts startup_*.
#include <string>
#include <vector>

#include "common/ModuleTestFixture.h"

namespace {

using DirectInputStartupTest = ModuleTest;

TEST_F(DirectInputStartupTest, ServerOpensDirectInputForTheExecutableAndReleasesItOnce)
{
    EXPECT_NE(Server().GetDirectInput(), nullptr);
    EXPECT_EQ(qmsim::DirectInputRefCount(), 1);
    // The executable's handle is asked for, not the module's.
    EXPECT_EQ(PlatformCalls("GetModuleHandleA"), std::vector<std::string>{"GetModuleHandleA NULL -> 0x400000"});
    EXPECT_EQ(PlatformCalls("DirectInput8Create").size(), 1u);

    DestroyServer();
    EXPECT_EQ(qmsim::LiveDirectInputs(), 0);
}

}  // namespace
