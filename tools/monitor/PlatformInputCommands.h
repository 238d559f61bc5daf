// Commands that make platform input: window messages to the game window,
// buffered DirectInput records, lost input, the focus moving away and back.
#pragma once

#include "tools/monitor/Monitor.h"

namespace qmmonitor {

void RunMsg(sMonitor& monitor, const std::vector<sArgument>& arguments);
// `key` and `rec` alike: NAME, offset, data, an optional sequence number and
// an optional time stamp; without them the platform numbers and stamps the record.
void RunRecord(sMonitor& monitor, const std::vector<sArgument>& arguments);
// NAME, DX, DY: X and Y of one move, sharing one sequence number.
void RunMove(sMonitor& monitor, const std::vector<sArgument>& arguments);
void RunLose(sMonitor& monitor, const std::vector<sArgument>& arguments);
void RunFocusAway(sMonitor& monitor, const std::vector<sArgument>& arguments);
void RunFocusBack(sMonitor& monitor, const std::vector<sArgument>& arguments);

}  // namespace qmmonitor
