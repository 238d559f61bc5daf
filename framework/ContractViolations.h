// Breaches of the framework's contract by its callers: each one is written to
// the debug output as "host contract: TEXT" and kept for the controls to read,
// instead of being absorbed. Safe from any thread; the log's lock is taken
// last, so callers may hold their own locks.
#pragma once

#include <string>

namespace qmhost::detail {

void ReportContractViolation(const std::string& text);

// How a violation names the call: "ReleaseDevice(3)".
std::string CallText(const char* operation, long id);

// "1 reference is held", "2 references are held".
std::string HeldCount(long count, const char* thing);

}  // namespace qmhost::detail
