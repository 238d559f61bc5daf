// Commands that make platform input: window messages to the game window,
// buffered DirectInput records, lost input.
#pragma once

#include "tools/monitor/Monitor.h"

namespace qmmonitor {

void RunMsg(sMonitor& monitor, const std::vector<sArgument>& arguments);
// `key` and `rec` alike: NAME, offset, data, sequence number, optional time stamp.
void RunRecord(sMonitor& monitor, const std::vector<sArgument>& arguments);
void RunLose(sMonitor& monitor, const std::vector<sArgument>& arguments);

}  // namespace qmmonitor
