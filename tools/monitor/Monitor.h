// What a script's commands act on and print to.
#pragma once

#include <ostream>
#include <vector>

#include "tools/monitor/Arguments.h"
#include "tools/monitor/GameWindow.h"
#include "tools/monitor/InputHost.h"

namespace qmmonitor {

struct sMonitor {
    CGameWindow& oWindow;
    CInputHost& oHost;
    std::ostream& oOut;
};

using CommandHandler = void (*)(sMonitor& monitor, const std::vector<sArgument>& arguments);

}  // namespace qmmonitor
