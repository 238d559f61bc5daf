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
    {"recreated-window", qmwinetest::RunRecreatedWindowCase},
    {"subclassed-window", qmwinetest::RunSubclassedWindowCase},
    {"buffer-overflow", qmwinetest::RunBufferOverflowCase},
    {"foreign-restore", qmwinetest::RunForeignRestoreCase},
    {"window-thread", qmwinetest::RunWindowThreadCase},
    {"ansi-characters", qmwinetest::RunAnsiCharactersCase},
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
    std::fprintf(stderr, "usage: qminput-wine-host-test CASE\ncases:");
    for (const sHostCase& hostCase : kCases)
        std::fprintf(stderr, " %s", hostCase.pName);
    std::fprintf(stderr, "\n");
    return 2;
}
