// The command line of the live mode:
//   qminput-monitor live [--di] [--seconds N] [--record FILE]
#pragma once

#include <string>
#include <vector>

namespace qmmonitor {

struct sLiveOptions {
    // Also create the DirectInput keyboard and mouse on the first ones reported.
    bool bDirectInput = false;
    // Run time in seconds; 0 runs until the window is closed or Esc is pressed.
    double fSeconds = 0.0;
    // Where the session's recording goes; empty: not recorded.
    std::string oRecordPath;
};

// The options as words of a command line, for the recording's header.
std::string DescribeLiveCommand(const sLiveOptions& options);

extern const char* const kLiveUsage;

// The words after "live". False with a reason for a word it does not know.
bool ParseLiveOptions(const std::vector<std::string>& words, sLiveOptions& options,
                      std::string& error);

}  // namespace qmmonitor
