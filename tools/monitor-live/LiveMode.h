// The live mode: a real game window, the real module and real input, with
// every event printed as it is made.
#pragma once

#include "tools/monitor-live/LiveOptions.h"

namespace qmmonitor {

// Exit status: 0 after a normal end, 1 when the window, the module or the
// input server could not be set up (said on standard error).
int RunLiveMode(const sLiveOptions& options);

}  // namespace qmmonitor
