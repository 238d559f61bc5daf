// The input server's device list: device id, object id and the references
// handed out, in the order devices were added. Guarded by its own lock so
// that no device code ever runs while it is held.
//
// Every breach of the reference rules is reported as a contract violation: a
// release beyond the references taken, an unknown id, a device taken off the
// list while a query of it is still held. Queries still held when their device
// leaves the list stay counted until they are given back.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "host/QmCriticalSection.h"

class CQmClassType;
class CQmInputDevice;

namespace qmhost::detail {

struct sDeviceEntry {
    long nDeviceId;
    long nObjectId;
    CQmInputDevice* pDevice;
    long nRefs;  // listed: the list's own reference plus the queries; detached: the queries
};

class CDeviceList {
public:
    CDeviceList() = default;
    ~CDeviceList();
    CDeviceList(const CDeviceList&) = delete;
    CDeviceList& operator=(const CDeviceList&) = delete;

    // `call` names the operation in a report.
    // False (and reported) when the id is -1 or in use already, or the object is listed.
    bool Add(long deviceId, long objectId, CQmInputDevice* device, const std::string& call);
    // Drops the entry and its reference; the object lives on.
    void Remove(long deviceId, const std::string& call);

    CQmInputDevice* Query(long deviceId);
    // Gives one reference back. True when it was the last one of a listed
    // device: the entry is then left with no reference, for the caller to
    // dispose of with Remove, and `disposed` describes it.
    bool Release(long deviceId, sDeviceEntry& disposed);
    bool Find(long deviceId, sDeviceEntry& entry) const;

    long Count() const;
    long CountOfType(const CQmClassType& type) const;
    // The device id at a list position; false past the end.
    bool At(long position, long& deviceId) const;
    // Queries not yet given back, of listed and removed devices.
    long HeldQueries() const;

private:
    const sDeviceEntry* Lookup(long deviceId) const;
    sDeviceEntry* Lookup(long deviceId);
    sDeviceEntry* LookupDetached(long deviceId);
    void SetRefs(sDeviceEntry& entry, long refs, bool listed);
    bool ReleaseDetached(long deviceId);

    mutable CQmCriticalSection m_oLock;
    std::vector<sDeviceEntry> m_oEntries;
    std::vector<sDeviceEntry> m_oDetached;  // removed while queries were held
    std::set<long> m_oRemovedIds;           // once listed, gone now
};

}  // namespace qmhost::detail
