// One whole monitor run: load the module, set up the game window, run the
// script, then free every device, destroy the server, unload the module and
// check that nothing was left outstanding.
#pragma once

#include <istream>
#include <ostream>

#include "tools/monitor/ScriptRunner.h"

namespace qmmonitor {

// The exit status: EXIT_DONE, EXIT_BAD_LINE, EXIT_OUTSTANDING, or
// EXIT_FAILURE_TO_START when the module cannot be loaded or run.
int RunMonitor(std::istream& script, const sRunOptions& options, std::ostream& out,
               std::ostream& errors);

}  // namespace qmmonitor
