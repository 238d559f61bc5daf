#include "tools/monitor-live/LiveOptions.h"

#include "tools/monitor/Numbers.h"

namespace qmmonitor {

const char* const kLiveUsage =
    "usage: qminput-monitor live [--di] [--seconds N] [--record FILE]\n"
    "       qminput-monitor --version\n"
    "  Opens the window \"qminput monitor\", loads qminput.dll, creates the input server\n"
    "  by class name, enumerates the devices and prints every event it makes.\n"
    "  --di          also create CQmDi8Keyboard and CQmDi8Mouse on the first keyboard\n"
    "                and mouse that DirectInput reports\n"
    "  --seconds N   stop after N seconds (otherwise: close the window or press Esc)\n"
    "  --record FILE write the session as a monitor script: what the module read from\n"
    "                the platform, at the clock values it saw; 'qminput-monitor run FILE'\n"
    "                on the simulated platform then prints the same event lines\n";

bool ParseLiveOptions(const std::vector<std::string>& words, sLiveOptions& options,
                      std::string& error)
{
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word == "--di") {
            options.bDirectInput = true;
        } else if (word == "--seconds") {
            const auto seconds = i + 1 < words.size() ? ParseSeconds(words[i + 1]) : std::nullopt;
            if (!seconds || *seconds <= 0.0) {
                error = "--seconds needs a positive number of seconds";
                return false;
            }
            options.fSeconds = *seconds;
            ++i;
        } else if (word == "--record") {
            if (i + 1 >= words.size() || words[i + 1].empty()) {
                error = "--record needs a file";
                return false;
            }
            options.oRecordPath = words[++i];
        } else {
            error = "unknown option " + word;
            return false;
        }
    }
    return true;
}

std::string DescribeLiveCommand(const sLiveOptions& options)
{
    std::string command = "qminput-monitor live";
    if (options.bDirectInput)
        command += " --di";
    if (options.fSeconds > 0.0)
        command += " --seconds " + FormatSeconds(options.fSeconds);
    if (!options.oRecordPath.empty())
        command += " --record " + options.oRecordPath;
    return command;
}

}  // namespace qmmonitor
