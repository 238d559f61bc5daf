#include "tools/monitor/PlatformInputCommands.h"

#include <cstdint>

#include "qmsim/Simulation.h"

namespace qmmonitor {

void RunMsg(sMonitor& monitor, const std::vector<sArgument>& arguments)
{
    // wParam is unsigned and lParam signed, as in a 32-bit process.
    const auto wParam = static_cast<WPARAM>(arguments[1].nValue);
    const auto lParam = static_cast<LPARAM>(static_cast<std::int32_t>(arguments[2].nValue));
    const LRESULT result = monitor.oWindow.Deliver(arguments[0].nValue, wParam, lParam);
    monitor.oOut << "result " << static_cast<long long>(result) << '\n';
}

void RunRecord(sMonitor&, const std::vector<sArgument>& arguments)
{
    const DWORD timeStamp = arguments.size() > 4 ? arguments[4].nValue : 0;
    qmsim::QueueRecord(arguments[0].oText, arguments[1].nValue, arguments[2].nValue,
                       arguments[3].nValue, timeStamp);
}

void RunLose(sMonitor&, const std::vector<sArgument>& arguments)
{
    qmsim::LoseInput(arguments[0].oText);
}

}  // namespace qmmonitor
