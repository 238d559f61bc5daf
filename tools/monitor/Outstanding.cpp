#include "tools/monitor/Outstanding.h"

#include "framework/QmFrameworkControl.h"
#include "qmsim/Simulation.h"

namespace qmmonitor {
namespace {

struct sCountedThing {
    long sOutstanding::*pCount;
    const char* pWhat;
};

constexpr sCountedThing kCountedThings[] = {
    {&sOutstanding::nDeviceRefs, "device reference"},
    {&sOutstanding::nEventRefs, "event reference"},
    {&sOutstanding::nDirectInputs, "DirectInput interface"},
    {&sOutstanding::nDeviceInterfaces, "DirectInput device interface"},
};

}  // namespace

void CountReferences(sOutstanding& outstanding)
{
    outstanding.nDeviceRefs = qmhost::OutstandingDeviceRefs();
    outstanding.nEventRefs = qmhost::OutstandingEventRefs();
}

void CountPlatformLeftovers(sOutstanding& outstanding, const CGameWindow& window)
{
    outstanding.nDirectInputs = qmsim::LiveDirectInputs();
    outstanding.nDeviceInterfaces = qmsim::LiveDeviceInterfaces();
    outstanding.bModuleProcedureInChain = window.HasModuleProcedureInChain();
    outstanding.oContractViolations = qmhost::ContractViolations();
}

std::vector<std::string> DescribeOutstanding(const sOutstanding& outstanding)
{
    std::vector<std::string> lines;
    // Giving back more than was taken is a host-contract violation, named below.
    for (const sCountedThing& thing : kCountedThings) {
        const long count = outstanding.*thing.pCount;
        if (count > 0)
            lines.push_back("left outstanding: " + std::to_string(count) + " " + thing.pWhat
                            + (count == 1 ? "" : "s"));
    }
    if (outstanding.bModuleProcedureInChain)
        lines.push_back("left outstanding: a procedure of the input module in the game window's chain");
    for (const std::string& violation : outstanding.oContractViolations)
        lines.push_back("host contract: " + violation);
    return lines;
}

}  // namespace qmmonitor
