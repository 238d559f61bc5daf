// Runs a script line by line: each command runs and prints (its own line, then
// every queued event) before the next line is read.
#pragma once

#include <istream>
#include <ostream>

#include "tools/monitor/Monitor.h"

namespace qmmonitor {

enum eExitCode {
    EXIT_DONE = 0,
    EXIT_FAILURE_TO_START = 1,  // unreadable script, module not loadable
    EXIT_BAD_LINE = 2,
    EXIT_USAGE = 2,             // a bad command line, by the same convention
    EXIT_OUTSTANDING = 3,
};

struct sRunOptions {
    // Print each command as "> command", and comment and blank lines as they are.
    bool bEcho = false;
};

// EXIT_DONE after the last line; EXIT_BAD_LINE at the first line that cannot
// run, reported on `errors` as "line N: reason", with nothing after it run.
int RunScript(std::istream& script, sMonitor& monitor, std::ostream& errors,
              const sRunOptions& options);

}  // namespace qmmonitor
