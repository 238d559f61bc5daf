// A whole run in process, with something left behind or a framework rule
// broken on purpose between two script lines, which no script can do: the run
// must end with status 3 and say what was left. Each case runs in a child
// process, since what it leaks stays leaked.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <iostream>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

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

struct sRunCase {
    const char* pWhat;
    std::vector<std::string> oLines;
    std::size_t nActionLine;
    std::function<void()> oAction;
    int nStatus;
    const char* pStandardError;  // a pattern
};

void MakeHeldEvents(int count)
{
    CQmInputServer* server = QmGetInputServer();
    for (int i = 0; i < count; ++i)
        server->QueryEvent(server->NewEvent());
}

TEST(MonitorRunDeathTest, WhatARunLeavesOrBreaksIsNamed)
{
    const std::vector<std::string> enumerated = {"attach kbd keyboard", "enumerate", "devices"};
    const sRunCase cases[] = {
        {"a clean run", enumerated, 0, [] {}, 0, "^$"},
        {"a device reference", enumerated, 3, [] { QmGetInputServer()->QueryDevice(1); }, 3,
         "left outstanding: 1 device reference\n"},
        {"event references", {"start", "refs"}, 2, [] { MakeHeldEvents(2); }, 3,
         "left outstanding: 2 event references\n"},
        {"a DirectInput interface", {"refs", "refs"}, 2,
         [] {
             void* directInput = nullptr;
             DirectInput8Create(GetModuleHandleA(nullptr), DIRECTINPUT_VERSION, IID_IDirectInput8A,
                                &directInput, nullptr);
         },
         3, "left outstanding: 1 DirectInput interface\n"},
        {"a broken framework rule", enumerated, 3, [] { QmGetInputServer()->ReleaseEvent(99); }, 3,
         "host contract: ReleaseEvent\\(99\\): no event of that id\n"},
        {"a bad line wins", {"attach kbd keyboard", "enumerate", "bogus"}, 3,
         [] { QmGetInputServer()->QueryDevice(1); }, 2, "line 3: unknown command 'bogus'\n"},
    };
    for (const sRunCase& c : cases) {
        SCOPED_TRACE(c.pWhat);
        EXPECT_EXIT(RunAndExit(c.oLines, c.nActionLine, c.oAction), ::testing::ExitedWithCode(c.nStatus),
                    c.pStandardError);
    }
}

}  // namespace
}  // namespace qmmonitor
