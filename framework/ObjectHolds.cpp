#include "framework/ObjectHolds.h"

#include <map>

#include "host/QmCriticalSection.h"

namespace {

struct sObjectHolds {
    CQmCriticalSection oLock;
    std::map<long, long> oRefs;  // only objects with references
};

sObjectHolds& TheHolds() {
    static sObjectHolds* holds = new sObjectHolds;
    return *holds;
}

}  // namespace

namespace qmhost::detail {

void AddObjectHolds(long objectId, long delta) {
    sObjectHolds& holds = TheHolds();
    CQmCriticalSectionLock guard(holds.oLock);
    const long refs = holds.oRefs[objectId] + delta;
    if (refs == 0) {
        holds.oRefs.erase(objectId);
    } else {
        holds.oRefs[objectId] = refs;
    }
}

long ObjectHolds(long objectId) {
    sObjectHolds& holds = TheHolds();
    CQmCriticalSectionLock guard(holds.oLock);
    auto found = holds.oRefs.find(objectId);
    return found == holds.oRefs.end() ? 0 : found->second;
}

}  // namespace qmhost::detail
