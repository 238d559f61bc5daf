// Commands in which the monitor acts as the framework: it makes the input
// server, enumerates, creates, polls, resets and deletes devices.
#pragma once

#include "tools/monitor/Monitor.h"

namespace qmmonitor {

void RunStart(sMonitor& monitor, const std::vector<sArgument>& arguments);
void RunEnumerate(sMonitor& monitor, const std::vector<sArgument>& arguments);
void RunNew(sMonitor& monitor, const std::vector<sArgument>& arguments);
void RunPoll(sMonitor& monitor, const std::vector<sArgument>& arguments);
void RunReset(sMonitor& monitor, const std::vector<sArgument>& arguments);
void RunDelete(sMonitor& monitor, const std::vector<sArgument>& arguments);
void RunFree(sMonitor& monitor, const std::vector<sArgument>& arguments);

}  // namespace qmmonitor
