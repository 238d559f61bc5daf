// qminput-monitor for Windows: the live mode on the real platform. The
// script modes need the simulated platform and exist in the Linux build.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/monitor-live/LiveMode.h"
#include "tools/monitor-live/LiveOptions.h"
#include "tools/version/VersionText.h"

int main(int argc, char** argv)
{
    const std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty() || words[0] == "--help" || words[0] == "-h") {
        std::fputs(qmmonitor::kLiveUsage, words.empty() ? stderr : stdout);
        return words.empty() ? 2 : 0;
    }
    if (words[0] == "--version") {
        std::printf("qminput-monitor %s\n", QmVersionText());
        return 0;
    }
    if (words[0] != "live") {
        std::fprintf(stderr, "qminput-monitor: unknown mode %s (this build has only: live)\n%s",
                     words[0].c_str(), qmmonitor::kLiveUsage);
        return 2;
    }
    qmmonitor::sLiveOptions options;
    std::string error;
    if (!qmmonitor::ParseLiveOptions({words.begin() + 1, words.end()}, options, error)) {
        std::fprintf(stderr, "qminput-monitor: %s\n%s", error.c_str(), qmmonitor::kLiveUsage);
        return 2;
    }
    return qmmonitor::RunLiveMode(options);
}
