// The monitor's bad script lines: each is reported on standard error as
// "line N: reason" with exit status 2, and nothing after it runs. One row a
// reason; each run is a child process, since a run stopped midway leaves its
// devices to the process.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

#include "tools/monitor/MonitorRun.h"

namespace qmmonitor {
namespace {

// Runs `script` with "devices" appended and leaves the process with the run's
// status; standard error gets what the run wrote there, and a last line if the
// appended "devices" ran.
[[noreturn]] void RunAndExit(const std::string& script)
{
    std::istringstream in(script + "devices\n");
    std::ostringstream out;
    std::ostringstream errors;
    const int status = RunMonitor(in, sRunOptions{}, out, errors);
    std::cerr << errors.str();
    if (out.str().find("devices ") != std::string::npos)
        std::cerr << "the line after the bad one ran\n";
    std::cerr.flush();
    std::_Exit(status);
}

// The whole of `text` as an extended regular expression.
std::string Exactly(const std::string& text)
{
    std::string pattern = "^";
    for (char c : text) {
        if (std::string("\\^$.|?*+()[]{}").find(c) != std::string::npos)
            pattern += '\\';
        pattern += c;
    }
    return pattern + "$";
}

struct sBadLine {
    const char* pScript;
    const char* pError;
};

TEST(MonitorBadLineDeathTest, IsReportedWithItsNumberAndEndsTheRun)
{
    const sBadLine cases[] = {
        {"attach kbd keyboard\nenumerate\npress kbd 0x41\n", "line 3: unknown command 'press'\n"},
        {"attach kbd keyboard\nenumerate\nmsg WM_KEYDOWN 0x41\n", "line 3: missing argument LPARAM\n"},
        {"attach kbd keyboard\nenumerate\npoll now\n", "line 3: too many arguments, from 'now'\n"},
        {"attach kbd keyboard\nenumerate\nmsg WM_KEYDOWN 0x41 4294967296\n", "line 3: bad number '4294967296'\n"},
        {"attach kbd keyboard\nenumerate\nmsg WM_PAINT 0 0\n", "line 3: unknown message 'WM_PAINT'\n"},
        {"time 1e3\n", "line 1: bad time '1e3'\n"},
        {"time 2.5\nadvance 0.25\ntime 2.5\n", "line 3: clock going backwards: 2.5 is before 2.75\n"},
        {"time 1\nadvance -0.5\n", "line 2: clock going backwards: 0.5 is before 1\n"},
        // A detached device's name is free again; an attached one's is not.
        {"attach kbd keyboard\ndetach kbd\nattach kbd keyboard\nattach kbd mouse\n",
         "line 4: device name 'kbd' is already attached\n"},
        {"attach kbd keyboard\nenumerate\ndetach kbd\nkey kbd 0x1E down 1\n", "line 4: unknown device name 'kbd'\n"},
        {"attach ball trackball\n",
         "line 1: unknown device type 'trackball' (one of mouse, keyboard, joystick, gamepad or a byte)\n"},
        {"attach kbd keyboard\nenumerate\nmouse 1\n", "line 3: device 1 is not a mouse\n"},
        {"attach kbd keyboard\nnew CQmDi8Keyboard kbd\nkey kbd 0x1E pressed\n",
         "line 3: unknown key direction 'pressed' (one of down, up)\n"},
        {"new CQmDi8InputServer\n", "line 1: 'CQmDi8InputServer' is not a device class\n"},
        {"focus-back\n", "line 1: the focus is not away\n"},
    };
    for (const sBadLine& c : cases) {
        SCOPED_TRACE(c.pScript);
        EXPECT_EXIT(RunAndExit(c.pScript), ::testing::ExitedWithCode(2), Exactly(c.pError));
    }
}

}  // namespace
}  // namespace qmmonitor
