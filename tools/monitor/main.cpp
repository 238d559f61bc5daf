// qminput-monitor: replays input scripts against the input module on the
// simulated platform and prints the framework events they produce.
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "tools/monitor/CommandTable.h"
#include "tools/monitor/DemoScript.h"
#include "tools/monitor/MonitorRun.h"
#include "tools/version/VersionText.h"

namespace {

using namespace qmmonitor;

void PrintSynopsis(std::ostream& out)
{
    out << "usage: qminput-monitor [--echo] run FILE   run a script (FILE - reads standard input)\n"
           "       qminput-monitor demo                run the built-in demonstration\n"
           "       qminput-monitor --help              the script commands and exit statuses\n"
           "       qminput-monitor --version           the version\n";
}

void PrintHelp(std::ostream& out)
{
    PrintSynopsis(out);
    out << "\n"
           "--echo prints each command as '> command' before its output.\n"
           "Exit status: 0 done; 1 could not start; 2 a usage error, or a bad script line\n"
           "('line N: reason' on standard error, nothing after it runs); 3 something was\n"
           "left outstanding or a call broke the framework's rules ('host contract: ...'\n"
           "on standard error).\n"
           "\n"
           "Script commands, one a line ('#' starts a comment; times in decimal seconds;\n"
           "other numbers decimal or 0x hex 32-bit words, negative for two's complement):\n";
    for (const sCommand& command : CommandTable())
        out << "  " << CommandUsage(command) << "\n      " << command.pSummary << '\n';
    out << "After each command's own line, every queued event, oldest first:\n"
           "  event TYPE dev=ID key=K value=V x=X y=Y time=T\n";
}

// A command line that names no command, or one it does not know.
int UsageError(const std::string& problem)
{
    if (!problem.empty())
        std::cerr << "qminput-monitor: " << problem << "\n";
    PrintSynopsis(std::cerr);
    return EXIT_USAGE;
}

int CannotStart(const std::string& problem)
{
    std::cerr << "qminput-monitor: " << problem << "\n";
    return EXIT_FAILURE_TO_START;
}

int RunFile(const std::string& path, const sRunOptions& options)
{
    if (path == "-")
        return RunMonitor(std::cin, options, std::cout, std::cerr);
    std::ifstream script(path, std::ios::binary);
    if (!script)
        return CannotStart("cannot read " + path);
    return RunMonitor(script, options, std::cout, std::cerr);
}

}  // namespace

int main(int argc, char** argv)
{
    sRunOptions options;
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            PrintHelp(std::cout);
            return EXIT_DONE;
        }
        if (argument == "--version") {
            std::cout << "qminput-monitor " << QmVersionText() << '\n';
            return EXIT_DONE;
        }
        if (argument == "--echo")
            options.bEcho = true;
        else
            words.emplace_back(argument);
    }
    if (words.size() == 2 && words[0] == "run")
        return RunFile(words[1], options);
    if (words.size() == 1 && words[0] == "demo") {
        std::istringstream script(DemoScript());
        options.bEcho = true;
        return RunMonitor(script, options, std::cout, std::cerr);
    }
    return UsageError(words.empty() ? "" : "unexpected arguments");
}
