#include "tools/monitor/PlatformInputCommands.h"

#include <cstdint>

#include "qmsim/Simulation.h"
#include "tools/monitor/ScriptError.h"

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
    const std::string& name = arguments[0].oText;
    if (arguments.size() > 4)
        qmsim::QueueRecord(name, arguments[1].nValue, arguments[2].nValue, arguments[3].nValue,
                           arguments[4].nValue);
    else if (arguments.size() > 3)
        qmsim::QueueRecord(name, arguments[1].nValue, arguments[2].nValue, arguments[3].nValue);
    else
        qmsim::QueueRecord(name, arguments[1].nValue, arguments[2].nValue);
}

void RunMove(sMonitor&, const std::vector<sArgument>& arguments)
{
    qmsim::QueueMouseMove(arguments[0].oText, static_cast<std::int32_t>(arguments[1].nValue),
                          static_cast<std::int32_t>(arguments[2].nValue));
}

void RunLose(sMonitor&, const std::vector<sArgument>& arguments)
{
    qmsim::LoseInput(arguments[0].oText);
}

void RunFocusAway(sMonitor&, const std::vector<sArgument>&)
{
    if (!qmsim::MoveFocusAway())
        throw CScriptError("the focus is already away");
}

void RunFocusBack(sMonitor&, const std::vector<sArgument>&)
{
    if (!qmsim::MoveFocusBack())
        throw CScriptError("the focus is not away");
}

}  // namespace qmmonitor
