#include "tools/monitor/ScriptRunner.h"

#include <string>

#include "tools/monitor/CommandTable.h"
#include "tools/monitor/ScriptError.h"
#include "tools/monitor/ScriptLine.h"

namespace qmmonitor {
namespace {

void RunCommand(const std::vector<std::string>& words, sMonitor& monitor)
{
    const sCommand* command = FindCommand(words.front());
    if (!command)
        throw CScriptError("unknown command " + Quote(words.front()));
    const std::vector<std::string> argumentWords(words.begin() + 1, words.end());
    const std::vector<sArgument> arguments = ParseArguments(command->oArguments, argumentWords);
    command->pHandler(monitor, arguments);
}

void PrintQueuedEvents(sMonitor& monitor)
{
    for (const std::string& line : monitor.oHost.TakeEventLines())
        monitor.oOut << line << '\n';
}

}  // namespace

int RunScript(std::istream& script, sMonitor& monitor, std::ostream& errors,
              const sRunOptions& options)
{
    std::string line;
    for (long lineNumber = 1; std::getline(script, line); ++lineNumber) {
        const std::vector<std::string> words = SplitScriptLine(line);
        if (options.bEcho)
            monitor.oOut << (words.empty() ? std::string(TrimRight(line)) : "> " + JoinWords(words)) << '\n';
        if (words.empty())
            continue;
        try {
            RunCommand(words, monitor);
        } catch (const CScriptError& error) {
            monitor.oOut.flush();
            errors << "line " << lineNumber << ": " << error.what() << std::endl;
            return EXIT_BAD_LINE;
        }
        PrintQueuedEvents(monitor);
        monitor.oOut.flush();
    }
    return EXIT_DONE;
}

}  // namespace qmmonitor
