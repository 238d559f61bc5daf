#include "framework/RegistryLog.h"

#include "framework/QmFrameworkControl.h"
#include "framework/TextLog.h"

namespace {

// Never destroyed: class types and factories of modules may be torn down after
// this library's own statics.
qmhost::detail::CTextLog& TheLog() {
    static auto* log = new qmhost::detail::CTextLog;
    return *log;
}

}  // namespace

namespace qmhost::detail {

void AppendRegistryLog(const char* event, const char* name) {
    TheLog().Append(std::string(event) + " " + (name ? name : ""));
}

}  // namespace qmhost::detail

namespace qmhost {

std::vector<std::string> RegistryLog() { return TheLog().Lines(); }
void ClearRegistryLog() { TheLog().Clear(); }

}  // namespace qmhost
