// What a run may not leave behind once every device is freed, the server
// destroyed and the module unloaded.
#pragma once

#include <string>
#include <vector>

#include "tools/monitor/GameWindow.h"

namespace qmmonitor {

struct sOutstanding {
    long nDeviceRefs = 0;        // QueryDevice without ReleaseDevice
    long nEventRefs = 0;         // QueryEvent without ReleaseEvent
    long nDirectInputs = 0;      // IDirectInput8A objects alive
    long nDeviceInterfaces = 0;  // IDirectInputDevice8A objects alive
    bool bModuleProcedureInChain = false;
    std::vector<std::string> oContractViolations;  // the framework's texts, oldest first
};

// References are counted while the devices still exist: deleting a device
// drops whatever references it still had along with it.
void CountReferences(sOutstanding& outstanding);
// DirectInput objects, the window procedure and the framework's contract
// violations once everything is torn down.
void CountPlatformLeftovers(sOutstanding& outstanding, const CGameWindow& window);

// One line per thing left; none when the run was clean.
std::vector<std::string> DescribeOutstanding(const sOutstanding& outstanding);

}  // namespace qmmonitor
