// The platform cases on the simulation, each one a GoogleTest case on a fresh
// platform that must end with every DirectInput object released.
#include <gtest/gtest.h>

#include "qmsim/Simulation.h"
#include "tests/platform/shared/PlatformCheck.h"
#include "tests/platform/shared/PlatformDriver.h"

namespace {

class SharedCaseTest : public ::testing::Test {
public:
    explicit SharedCaseTest(platformcase::PlatformCase platformCase) : m_case(platformCase) {}
    void TestBody() override {
        qmsim::Reset();
        m_case.run(platformcase::Driver());
        EXPECT_EQ(qmsim::LiveDeviceInterfaces(), 0);
        EXPECT_EQ(qmsim::LiveDirectInputs(), 0);
        qmsim::Reset();
    }

private:
    platformcase::PlatformCase m_case;
};

}  // namespace

void platformcheck::ReportFailure(const char* file, int line, const std::string& what) {
    ADD_FAILURE_AT(file, line) << what;
}

// The shared cases join the simulation-only tests of the same program.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    for (const platformcase::PlatformCase& platformCase : platformcase::PlatformCases())
        ::testing::RegisterTest("SharedPlatformCase", platformCase.name, nullptr, nullptr, __FILE__, __LINE__,
                                [=]() -> ::testing::Test* { return new SharedCaseTest(platformCase); });
    return RUN_ALL_TESTS();
}
