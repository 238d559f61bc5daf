// A whole run in process, with something left behind on purpose between two
// script lines: the run must end with status 3 and say what was left. Each
// case runs in a child process, since what it leaks stays leaked.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <iostream>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "host/QmEnvironmentServer.h"
#include "host/QmInputServer.h"
#include "qmsim/Simulation.h"
#include "tools/monitor/MonitorRun.h"

namespace qmmonitor {
namespace {

// Hands the script out a line at a time and runs `action` just before line
// `actionLine` (1-based) is read, that is after every earlier line has run.
class CScriptWithAction : public std::streambuf {
public:
    CScriptWithAction(std::vector<std::string> lines, std::size_t actionLine,
                      std::function<void()> action)
        : m_oLines(std::move(lines)), m_nActionLine(actionLine), m_oAction(std::move(action))
    {
    }

protected:
    int_type underflow() override
    {
        if (m_nNext + 1 == m_nActionLine)
            m_oAction();
        if (m_nNext >= m_oLines.size())
            return traits_type::eof();
        m_oCurrent = m_oLines[m_nNext++] + "\n";
        setg(m_oCurrent.data(), m_oCurrent.data(), m_oCurrent.data() + m_oCurrent.size());
        return traits_type::to_int_type(m_oCurrent.front());
    }

private:
    std::vector<std::string> m_oLines;
    std::size_t m_nActionLine;
    std::function<void()> m_oAction;
    std::size_t m_nNext = 0;
    std::string m_oCurrent;
};

// Runs the script and leaves the process with the run's status, skipping the
// exit-time leak report that what the action leaked would cause.
[[noreturn]] void RunAndExit(std::vector<std::string> lines, std::size_t actionLine,
                             std::function<void()> action)
{
    CScriptWithAction script(std::move(lines), actionLine, std::move(action));
    std::istream in(&script);
    std::ostringstream out;
    const int status = RunMonitor(in, sRunOptions{}, out, std::cerr);
    std::cerr.flush();
    std::_Exit(status);
}

TEST(MonitorRunDeathTest, CleanRunEndsWithZero)
{
    EXPECT_EXIT(RunAndExit({"attach kbd keyboard", "enumerate", "devices"}, 0, [] {}),
                ::testing::ExitedWithCode(0), "^$");
}

TEST(MonitorRunDeathTest, DeviceReferenceLeftIsReported)
{
    EXPECT_EXIT(RunAndExit({"attach kbd keyboard", "enumerate", "devices"}, 3,
                           [] { QmGetInputServer()->QueryDevice(1); }),
                ::testing::ExitedWithCode(3), "left outstanding: 1 device reference\n");
}

TEST(MonitorRunDeathTest, EventReferenceLeftIsReported)
{
    EXPECT_EXIT(RunAndExit({"start", "refs"}, 2,
                           [] {
                               CQmInputServer* server = QmGetInputServer();
                               server->QueryEvent(server->NewEvent());
                           }),
                ::testing::ExitedWithCode(3), "left outstanding: 1 event reference\n");
}

TEST(MonitorRunDeathTest, DirectInputLeftIsReported)
{
    EXPECT_EXIT(RunAndExit({"refs", "refs"}, 2,
                           [] {
                               void* directInput = nullptr;
                               DirectInput8Create(GetModuleHandleA(nullptr), DIRECTINPUT_VERSION,
                                                  IID_IDirectInput8A, &directInput, nullptr);
                           }),
                ::testing::ExitedWithCode(3), "left outstanding: 1 DirectInput interface\n");
}

TEST(MonitorRunDeathTest, BadLineWinsOverOutstanding)
{
    EXPECT_EXIT(RunAndExit({"attach kbd keyboard", "enumerate", "bogus"}, 3,
                           [] { QmGetInputServer()->QueryDevice(1); }),
                ::testing::ExitedWithCode(2), "line 3: unknown command 'bogus'\n");
}

}  // namespace
}  // namespace qmmonitor
