#include "framework/ContractViolations.h"

#include "framework/QmFrameworkControl.h"
#include "framework/TextLog.h"
#include "host/Debug.h"

namespace {

// Never destroyed: a module may still call into the framework during its own teardown.
qmhost::detail::CTextLog& TheLog() {
    static auto* log = new qmhost::detail::CTextLog;
    return *log;
}

}  // namespace

namespace qmhost::detail {

void ReportContractViolation(const std::string& text) {
    TheLog().Append(text);
    Debug_Printf("host contract: %s\n", text.c_str());
}

std::string CallText(const char* operation, long id) {
    return std::string(operation) + "(" + std::to_string(id) + ")";
}

std::string HeldCount(long count, const char* thing) {
    return std::to_string(count) + " " + thing + (count == 1 ? " is held" : "s are held");
}

}  // namespace qmhost::detail

namespace qmhost {

long ContractViolationCount() { return TheLog().Count(); }
std::vector<std::string> ContractViolations() { return TheLog().Lines(); }
void ClearContractViolations() { TheLog().Clear(); }

}  // namespace qmhost
