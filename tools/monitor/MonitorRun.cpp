#include "tools/monitor/MonitorRun.h"

#include <exception>
#include <string>

#include "framework/QmFrameworkControl.h"
#include "qmsim/Simulation.h"
#include "tools/monitor/GameWindow.h"
#include "tools/monitor/InputHost.h"
#include "tools/monitor/ModuleLibrary.h"
#include "tools/monitor/Outstanding.h"
#include "tools/monitor/PlatformSetupCommands.h"

namespace qmmonitor {
namespace {

const char* const kProgram = "qminput-monitor: ";

int ReportOutstanding(const sOutstanding& outstanding, std::ostream& errors)
{
    const std::vector<std::string> lines = DescribeOutstanding(outstanding);
    for (const std::string& line : lines)
        errors << line << '\n';
    return lines.empty() ? EXIT_DONE : EXIT_OUTSTANDING;
}

}  // namespace

int RunMonitor(std::istream& script, const sRunOptions& options, std::ostream& out,
               std::ostream& errors)
{
    qmsim::Reset();
    qmhost::ClearContractViolations();
    SyncTickClock();
    CModuleLibrary module;
    std::string loadError;
    if (!module.Load(CModuleLibrary::FindModulePath(), loadError)) {
        errors << kProgram << "cannot load the input module: " << loadError << '\n';
        return EXIT_FAILURE_TO_START;
    }
    CGameWindow window;
    int status = EXIT_DONE;
    sOutstanding outstanding;
    {
        CInputHost host(module);
        sMonitor monitor{window, host, out};
        try {
            status = RunScript(script, monitor, errors, options);
        } catch (const std::exception& failure) {
            out.flush();
            errors << kProgram << failure.what() << '\n';
            status = EXIT_FAILURE_TO_START;
        }
        CountReferences(outstanding);
        host.Shutdown();
    }
    module.Unload();
    CountPlatformLeftovers(outstanding, window);
    if (status == EXIT_DONE)
        status = ReportOutstanding(outstanding, errors);
    return status;
}

}  // namespace qmmonitor
