// Commands that look: the device list, focus, a mouse's or keyboard's
// settings, outstanding references, messages that reached the game; and the one
// host setting a script changes, a mouse's handedness.
#pragma once

#include "tools/monitor/Monitor.h"

namespace qmmonitor {

void RunDevices(sMonitor& monitor, const std::vector<sArgument>& arguments);
void RunFocus(sMonitor& monitor, const std::vector<sArgument>& arguments);
void RunMouse(sMonitor& monitor, const std::vector<sArgument>& arguments);
void RunLeftHanded(sMonitor& monitor, const std::vector<sArgument>& arguments);
void RunKeyboard(sMonitor& monitor, const std::vector<sArgument>& arguments);
void RunRefs(sMonitor& monitor, const std::vector<sArgument>& arguments);
void RunGameMessages(sMonitor& monitor, const std::vector<sArgument>& arguments);

}  // namespace qmmonitor
