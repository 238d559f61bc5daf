// Commands that set up the simulated platform: settings, attached devices,
// the window the environment names, injected call results, the clock.
#pragma once

#include "tools/monitor/Monitor.h"

namespace qmmonitor {

void RunSetting(sMonitor& monitor, const std::vector<sArgument>& arguments);
void RunAttach(sMonitor& monitor, const std::vector<sArgument>& arguments);
void RunDetach(sMonitor& monitor, const std::vector<sArgument>& arguments);
void RunWindow(sMonitor& monitor, const std::vector<sArgument>& arguments);
void RunDestroyWindow(sMonitor& monitor, const std::vector<sArgument>& arguments);
void RunSubclass(sMonitor& monitor, const std::vector<sArgument>& arguments);
void RunUnsubclass(sMonitor& monitor, const std::vector<sArgument>& arguments);
void RunFail(sMonitor& monitor, const std::vector<sArgument>& arguments);
void RunTime(sMonitor& monitor, const std::vector<sArgument>& arguments);
void RunAdvance(sMonitor& monitor, const std::vector<sArgument>& arguments);

// Sets the platform's tick clock, which stamps DirectInput records, to the
// framework clock's time in milliseconds, so that both show one time.
void SyncTickClock();

}  // namespace qmmonitor
