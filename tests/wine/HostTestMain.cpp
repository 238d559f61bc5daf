// qminput-wine-host-test CASE: one Windows host test against the real DLLs.
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "tests/wine/HostCases.h"

namespace {

struct sHostCase {
    const char* pName;
    int (*pRun)();
};

constexpr sHostCase kCases[] = {
    {"enumerate", qmwinetest::RunEnumerationCase},
    {"messages", qmwinetest::RunMessageCase},
};

}  // namespace

int main(int argc, char** argv)
{
    for (const sHostCase& hostCase : kCases) {
        if (argc == 2 && std::strcmp(argv[1], hostCase.pName) == 0) {
            try {
                return hostCase.pRun();
            } catch (const std::exception& error) {
                std::printf("FAIL %s\n", error.what());
                return 1;
            }
        }
    }
    std::fprintf(stderr, "usage: qminput-wine-host-test enumerate|messages\n");
    return 2;
}
