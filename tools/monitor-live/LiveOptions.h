// The command line of the live mode: qminput-monitor live [--di] [--seconds N]
#pragma once

#include <string>
#include <vector>

namespace qmmonitor {

struct sLiveOptions {
    // Also create the DirectInput keyboard and mouse on the first ones reported.
    bool bDirectInput = false;
    // Run time in seconds; 0 runs until the window is closed or Esc is pressed.
    double fSeconds = 0.0;
};

extern const char* const kLiveUsage;

// The words after "live". False with a reason for a word it does not know.
bool ParseLiveOptions(const std::vector<std::string>& words, sLiveOptions& options,
                      std::string& error);

}  // namespace qmmonitor
