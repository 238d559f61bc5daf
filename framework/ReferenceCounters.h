// Process-wide balance counters behind the control functions; safe from any
// thread.
#pragma once

namespace qmhost::detail {

void AddOutstandingDeviceRefs(long delta);
void AddOutstandingEventRefs(long delta);
void AddLiveEventRecords(long delta);

}  // namespace qmhost::detail
