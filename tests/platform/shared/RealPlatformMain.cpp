// qminput-platform-test [CASE...]: the platform cases on the real platform,
// one line each ("PASS name" or "FAIL name" after its failed checks), then
// "platform: N passed, F failed". Exit status 0 when none failed.
#include <cstdio>
#include <cstring>

#include "tests/platform/shared/PlatformCheck.h"
#include "tests/platform/shared/PlatformDriver.h"

namespace {

int g_nFailedChecks = 0;

bool IsChosen(const char* name, int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], name) == 0) return true;
    return argc < 2;
}

}  // namespace

void platformcheck::ReportFailure(const char* file, int line, const std::string& what) {
    ++g_nFailedChecks;
    std::printf("  %s:%d: %s\n", file, line, what.c_str());
    std::fflush(stdout);
}

int main(int argc, char** argv) {
    int passed = 0;
    int failed = 0;
    platformcase::PlatformDriver& driver = platformcase::Driver();
    for (const platformcase::PlatformCase& platformCase : platformcase::PlatformCases()) {
        if (!IsChosen(platformCase.name, argc, argv)) continue;
        const int failedBefore = g_nFailedChecks;
        platformCase.run(driver);
        const bool ok = g_nFailedChecks == failedBefore;
        std::printf("%s %s\n", ok ? "PASS" : "FAIL", platformCase.name);
        std::fflush(stdout);
        ++(ok ? passed : failed);
    }
    std::printf("platform: %d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
