// The input server's device list: device id, object id and the references
// handed out, in the order devices were added. Guarded by its own lock so
// that no device code ever runs while it is held.
#pragma once

#include <vector>

#include "host/QmCriticalSection.h"

class CQmClassType;
class CQmInputDevice;

namespace qmhost::detail {

struct sDeviceEntry {
    long nDeviceId;
    long nObjectId;
    CQmInputDevice* pDevice;
    long nRefs;  // the list's own reference plus the queries not yet given back
};

class CDeviceList {
public:
    CDeviceList() = default;
    ~CDeviceList();
    CDeviceList(const CDeviceList&) = delete;
    CDeviceList& operator=(const CDeviceList&) = delete;

    // False when the id is already listed.
    bool Add(long deviceId, long objectId, CQmInputDevice* device);
    // Drops the entry and its reference; the object lives on.
    void Remove(long deviceId);
    // Drops the entry, whatever references it still has (the device is being disposed of).
    void Erase(long deviceId);

    CQmInputDevice* Query(long deviceId);
    // Gives one reference back. True when it was the last one: the entry is
    // then left with no reference and `disposed` describes it.
    bool Release(long deviceId, sDeviceEntry& disposed);
    bool Find(long deviceId, sDeviceEntry& entry) const;

    long Count() const;
    long CountOfType(const CQmClassType& type) const;
    // The device id at a list position; false past the end.
    bool At(long position, long& deviceId) const;

private:
    const sDeviceEntry* Lookup(long deviceId) const;
    sDeviceEntry* Lookup(long deviceId);
    void SetRefs(sDeviceEntry& entry, long refs);

    mutable CQmCriticalSection m_oLock;
    std::vector<sDeviceEntry> m_oEntries;
};

}  // namespace qmhost::detail
