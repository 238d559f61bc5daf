// The framework's record of contract violations, as tests read it: every test
// that drives the module ends with none, unless it takes the ones it expects.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/QmFrameworkControl.h"

// The violations recorded since the last take, oldest first; the record starts afresh.
inline std::vector<std::string> TakeContractViolations()
{
    std::vector<std::string> violations = qmhost::ContractViolations();
    qmhost::ClearContractViolations();
    return violations;
}

// Fails the running test once for each violation not taken yet.
inline void ExpectNoContractViolations()
{
    for (const std::string& violation : TakeContractViolations())
        ADD_FAILURE() << "host contract: " << violation;
}
