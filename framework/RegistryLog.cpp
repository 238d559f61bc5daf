#include "framework/RegistryLog.h"

#include "framework/QmFrameworkControl.h"
#include "host/QmCriticalSection.h"

namespace {

struct sRegistryLog {
    CQmCriticalSection oLock;
    std::vector<std::string> oEntries;
};

// Never destroyed: class types and factories of modules may be torn down after
// this library's own statics.
sRegistryLog& TheLog() {
    static sRegistryLog* log = new sRegistryLog;
    return *log;
}

}  // namespace

namespace qmhost::detail {

void AppendRegistryLog(const char* event, const char* name) {
    sRegistryLog& log = TheLog();
    CQmCriticalSectionLock guard(log.oLock);
    log.oEntries.push_back(std::string(event) + " " + (name ? name : ""));
}

}  // namespace qmhost::detail

namespace qmhost {

std::vector<std::string> RegistryLog() {
    sRegistryLog& log = TheLog();
    CQmCriticalSectionLock guard(log.oLock);
    return log.oEntries;
}

void ClearRegistryLog() {
    sRegistryLog& log = TheLog();
    CQmCriticalSectionLock guard(log.oLock);
    log.oEntries.clear();
}

}  // namespace qmhost
