// References that device lists hold on objects (the list's own and the queries
// not yet given back), by object id, so that the object database can refuse to
// delete an object that is still referenced. Safe from any thread.
#pragma once

namespace qmhost::detail {

void AddObjectHolds(long objectId, long delta);
long ObjectHolds(long objectId);

}  // namespace qmhost::detail
