// The monitor's scripts fed any bytes. Each line is split into words, its
// command looked up and its arguments parsed; a bad line may only be refused
// with a script error. Then the whole script runs in process, as the monitor
// runs it, and must end either done or at a refused line: never with a
// crash, an escaped exception, or a reference, interface or hook left behind.
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "tools/monitor/CommandTable.h"
#include "tools/monitor/ModuleLibrary.h"
#include "tools/monitor/MonitorRun.h"
#include "tools/monitor/ScriptError.h"
#include "tools/monitor/ScriptLine.h"

namespace {

constexpr std::string_view kBlanks = " \t\r\v\f";

[[noreturn]] void Broken(const std::string& what)
{
    std::fprintf(stderr, "invariant broken: %s\n", what.c_str());
    std::abort();
}

// Words hold no blank and no comment; joined and split again they come back
// the same, as --echo shows them.
void CheckSplit(const std::string& line)
{
    const std::vector<std::string> words = qmmonitor::SplitScriptLine(line);
    for (const std::string& word : words) {
        if (word.empty() || word.find_first_of(kBlanks) != std::string::npos || word.find('#') != std::string::npos)
            Broken("bad word '" + word + "' from '" + line + "'");
    }
    if (qmmonitor::SplitScriptLine(qmmonitor::JoinWords(words)) != words)
        Broken("joining and splitting again changes '" + line + "'");
}

void CheckParse(const std::string& line)
{
    const std::vector<std::string> words = qmmonitor::SplitScriptLine(line);
    if (words.empty())
        return;
    const qmmonitor::sCommand* command = qmmonitor::FindCommand(words.front());
    if (!command)
        return;
    const std::vector<std::string> argumentWords(words.begin() + 1, words.end());
    try {
        const auto arguments = qmmonitor::ParseArguments(command->oArguments, argumentWords);
        if (arguments.size() > command->oArguments.size())
            Broken("more arguments than the command takes: '" + line + "'");
    } catch (const qmmonitor::CScriptError&) {
        // A refused line is what a bad line should get.
    }
}

}  // namespace

// libFuzzer keeps the coverage counters of every instrumented library it has
// seen, so the module must never really be unloaded: one extra reference,
// held for the whole run, keeps each run's unload from taking it away.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const std::string path = qmmonitor::CModuleLibrary::FindModulePath();
    if (!dlopen(path.c_str(), RTLD_NOW | RTLD_NODELETE)) {
        std::fprintf(stderr, "cannot load %s: %s\n", path.c_str(), dlerror());
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string script(reinterpret_cast<const char*>(data), size);
    std::istringstream lines(script);
    for (std::string line; std::getline(lines, line);) {
        CheckSplit(line);
        CheckParse(line);
    }

    std::istringstream input(script);
    std::ostream discarded(nullptr);
    std::ostringstream errors;
    qmmonitor::sRunOptions options;
    options.bEcho = size % 2 == 1;
    const int status = qmmonitor::RunMonitor(input, options, discarded, errors);
    if (status != qmmonitor::EXIT_DONE && status != qmmonitor::EXIT_BAD_LINE)
        Broken("the run ended with " + std::to_string(status) + ": " + errors.str());
    return 0;
}
