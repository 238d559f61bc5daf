// The input server's DirectInput 8: opened once on construction, released once
// on destruction, and a server that could not open it.
#include <functional>
#include <string>
#include <vector>

#include "common/ModuleTestFixture.h"

namespace {

class DirectInputStartupTest : public ModuleTest {};

TEST_F(DirectInputStartupTest, ServerOpensDirectInputForTheExecutableAndReleasesItOnce)
{
    CQmDi8InputServer& server = Server();

    EXPECT_NE(server.GetDirectInput(), nullptr);
    EXPECT_EQ(qmsim::LiveDirectInputs(), 1);
    EXPECT_EQ(qmsim::DirectInputRefCount(), 1);
    // The executable's handle is asked for, not the module's.
    EXPECT_EQ(PlatformCalls("GetModuleHandleA"), std::vector<std::string>{"GetModuleHandleA NULL -> 0x400000"});
    EXPECT_EQ(PlatformCalls("DirectInput8Create").size(), 1u);

    DestroyServer();
    EXPECT_EQ(qmsim::LiveDirectInputs(), 0);
}

struct sStartupFailure {
    const char* m_pWhat;
    std::function<void()> m_fnArrange;
    size_t m_nCreateCalls;
};

TEST_F(DirectInputStartupTest, ServerWithoutDirectInputExistsCannotEnumerateAndShutsDownQuietly)
{
    const sStartupFailure failures[] = {
        {"no executable handle", [] { qmsim::SetModuleHandleNull(true); }, 0},
        {"creation out of memory",
         [] { qmsim::InjectResult(qmsim::Call::DirectInput8Create, DIERR_OUTOFMEMORY); }, 1},
        {"beta version refused",
         [] { qmsim::InjectResult(qmsim::Call::DirectInput8Create, DIERR_BETADIRECTINPUTVERSION); }, 1},
    };
    for (const sStartupFailure& failure : failures) {
        SCOPED_TRACE(failure.m_pWhat);
        qmsim::Reset();
        qmsim::AttachDevice("kbd", DI8DEVTYPE_KEYBOARD);
        failure.m_fnArrange();

        CQmDi8InputServer& server = StartServer();

        EXPECT_EQ(server.GetDirectInput(), nullptr);
        EXPECT_EQ(PlatformCalls("DirectInput8Create").size(), failure.m_nCreateCalls);
        EXPECT_FALSE(server.EnumerateDevices());
        EXPECT_EQ(server.GetNumDevices(), 0);
        DestroyServer();
        EXPECT_EQ(qmsim::LiveDirectInputs(), 0);
    }
}

TEST_F(DirectInputStartupTest, SuccessCodeOtherThanDiOkKeepsWhatCreationLeftAndReleasesItOnce)
{
    qmsim::InjectResult(qmsim::Call::DirectInput8Create, S_FALSE);
    CQmDi8InputServer& server = Server();

    // The start-up counts as failed, but the interface the platform handed out is
    // the server's to release.
    EXPECT_NE(server.GetDirectInput(), nullptr);
    EXPECT_EQ(qmsim::DirectInputRefCount(), 1);

    DestroyServer();
    EXPECT_EQ(qmsim::LiveDirectInputs(), 0);
}

}  // namespace
