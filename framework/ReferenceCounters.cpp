#include "framework/ReferenceCounters.h"

#include <atomic>

#include "framework/QmFrameworkControl.h"

namespace {

std::atomic<long> g_nOutstandingDeviceRefs{0};
std::atomic<long> g_nOutstandingEventRefs{0};
std::atomic<long> g_nLiveEventRecords{0};

}  // namespace

namespace qmhost::detail {

void AddOutstandingDeviceRefs(long delta) { g_nOutstandingDeviceRefs += delta; }
void AddOutstandingEventRefs(long delta) { g_nOutstandingEventRefs += delta; }
void AddLiveEventRecords(long delta) { g_nLiveEventRecords += delta; }

}  // namespace qmhost::detail

namespace qmhost {

long OutstandingDeviceRefs() { return g_nOutstandingDeviceRefs.load(); }
long OutstandingEventRefs() { return g_nOutstandingEventRefs.load(); }
long LiveEventRecords() { return g_nLiveEventRecords.load(); }

}  // namespace qmhost
