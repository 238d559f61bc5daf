// Every script command: its name, its arguments and what runs it.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "tools/monitor/Arguments.h"
#include "tools/monitor/Monitor.h"

namespace qmmonitor {

struct sCommand {
    const char* pName;
    std::vector<sArgumentSpec> oArguments;
    CommandHandler pHandler;
    const char* pSummary;  // one line for --help
};

std::span<const sCommand> CommandTable();
// Null for an unknown name.
const sCommand* FindCommand(std::string_view name);
// "new CLASS [NAME]"
std::string CommandUsage(const sCommand& command);

}  // namespace qmmonitor
