#include "framework/DeviceList.h"

#include <algorithm>
#include <utility>

#include "framework/ContractViolations.h"
#include "framework/ObjectHolds.h"
#include "framework/ReferenceCounters.h"
#include "host/QmInputDevice.h"

namespace qmhost::detail {

namespace {

// What an entry adds to the outstanding count: its references beyond the list's own.
long QueriesOf(long refs, bool listed) { return listed ? std::max(refs - 1, 0L) : refs; }

template <class Entries>
auto FindEntry(Entries& entries, long deviceId) {
    auto found = std::find_if(entries.begin(), entries.end(),
                              [deviceId](const sDeviceEntry& e) { return e.nDeviceId == deviceId; });
    return found == entries.end() ? nullptr : &*found;
}

}  // namespace

CDeviceList::~CDeviceList() {
    for (sDeviceEntry& entry : m_oEntries) {
        SetRefs(entry, 0, true);
    }
    for (sDeviceEntry& entry : m_oDetached) {
        SetRefs(entry, 0, false);
    }
}

const sDeviceEntry* CDeviceList::Lookup(long deviceId) const { return FindEntry(m_oEntries, deviceId); }

sDeviceEntry* CDeviceList::Lookup(long deviceId) {
    return const_cast<sDeviceEntry*>(std::as_const(*this).Lookup(deviceId));
}

sDeviceEntry* CDeviceList::LookupDetached(long deviceId) { return FindEntry(m_oDetached, deviceId); }

void CDeviceList::SetRefs(sDeviceEntry& entry, long refs, bool listed) {
    AddOutstandingDeviceRefs(QueriesOf(refs, listed) - QueriesOf(entry.nRefs, listed));
    AddObjectHolds(entry.nObjectId, refs - entry.nRefs);
    entry.nRefs = refs;
}

bool CDeviceList::Add(long deviceId, long objectId, CQmInputDevice* device, const std::string& call) {
    CQmCriticalSectionLock guard(m_oLock);
    if (deviceId == -1) {
        ReportContractViolation(call + ": -1 names no device");
        return false;
    }
    if (Lookup(deviceId) != nullptr || LookupDetached(deviceId) != nullptr) {
        ReportContractViolation(call + ": device " + std::to_string(deviceId) + " is in use already");
        return false;
    }
    auto listed = std::find_if(m_oEntries.begin(), m_oEntries.end(),
                               [objectId](const sDeviceEntry& e) { return e.nObjectId == objectId; });
    if (listed != m_oEntries.end()) {
        ReportContractViolation(call + ": the object is listed already as device " +
                                std::to_string(listed->nDeviceId));
        return false;
    }
    device->AddRef();
    m_oEntries.push_back({deviceId, objectId, device, 0});
    SetRefs(m_oEntries.back(), 1, true);
    m_oRemovedIds.erase(deviceId);
    return true;
}

void CDeviceList::Remove(long deviceId, const std::string& call) {
    CQmCriticalSectionLock guard(m_oLock);
    sDeviceEntry* entry = Lookup(deviceId);
    if (entry == nullptr) {
        ReportContractViolation(call + ": no device of that id in the list");
        return;
    }
    // The list's own reference goes, unless the last reference went back already;
    // what is left are queries, which stay counted until they come back.
    if (entry->nRefs > 0) {
        entry->pDevice->Release();
    }
    const long queries = QueriesOf(entry->nRefs, true);
    AddObjectHolds(entry->nObjectId, queries - entry->nRefs);
    entry->nRefs = queries;
    if (queries > 0) {
        ReportContractViolation(call + " while " + HeldCount(queries, "reference"));
        m_oDetached.push_back(*entry);
    }
    m_oRemovedIds.insert(deviceId);
    m_oEntries.erase(m_oEntries.begin() + (entry - m_oEntries.data()));
}

CQmInputDevice* CDeviceList::Query(long deviceId) {
    CQmCriticalSectionLock guard(m_oLock);
    sDeviceEntry* entry = Lookup(deviceId);
    if (entry == nullptr || entry->nRefs == 0) {
        return nullptr;
    }
    entry->pDevice->AddRef();
    SetRefs(*entry, entry->nRefs + 1, true);
    return entry->pDevice;
}

bool CDeviceList::ReleaseDetached(long deviceId) {
    sDeviceEntry* entry = LookupDetached(deviceId);
    if (entry == nullptr) {
        return false;
    }
    entry->pDevice->Release();
    SetRefs(*entry, entry->nRefs - 1, false);
    if (entry->nRefs == 0) {
        m_oDetached.erase(m_oDetached.begin() + (entry - m_oDetached.data()));
    }
    return true;
}

bool CDeviceList::Release(long deviceId, sDeviceEntry& disposed) {
    CQmCriticalSectionLock guard(m_oLock);
    sDeviceEntry* entry = Lookup(deviceId);
    if (entry == nullptr) {
        if (ReleaseDetached(deviceId)) {
            return false;
        }
        if (m_oRemovedIds.count(deviceId) != 0) {
            ReportContractViolation(CallText("ReleaseDevice", deviceId) + " gives back more references than were taken");
        } else {
            ReportContractViolation(CallText("ReleaseDevice", deviceId) + ": no device of that id");
        }
        return false;
    }
    // No reference left: the device is being disposed of already.
    if (entry->nRefs == 0) {
        ReportContractViolation(CallText("ReleaseDevice", deviceId) + " gives back more references than were taken");
        return false;
    }
    entry->pDevice->Release();
    SetRefs(*entry, entry->nRefs - 1, true);
    if (entry->nRefs != 0) {
        return false;
    }
    disposed = *entry;
    return true;
}

bool CDeviceList::Find(long deviceId, sDeviceEntry& entry) const {
    CQmCriticalSectionLock guard(m_oLock);
    const sDeviceEntry* found = Lookup(deviceId);
    if (found == nullptr) {
        return false;
    }
    entry = *found;
    return true;
}

long CDeviceList::Count() const {
    CQmCriticalSectionLock guard(m_oLock);
    return static_cast<long>(m_oEntries.size());
}

long CDeviceList::CountOfType(const CQmClassType& type) const {
    CQmCriticalSectionLock guard(m_oLock);
    return static_cast<long>(std::count_if(m_oEntries.begin(), m_oEntries.end(), [&](const sDeviceEntry& e) {
        return e.pDevice->GetType().IsDerivedFrom(type);
    }));
}

bool CDeviceList::At(long position, long& deviceId) const {
    CQmCriticalSectionLock guard(m_oLock);
    if (position < 0 || position >= static_cast<long>(m_oEntries.size())) {
        return false;
    }
    deviceId = m_oEntries[static_cast<std::size_t>(position)].nDeviceId;
    return true;
}

long CDeviceList::HeldQueries() const {
    CQmCriticalSectionLock guard(m_oLock);
    long held = 0;
    for (const sDeviceEntry& entry : m_oEntries) {
        held += QueriesOf(entry.nRefs, true);
    }
    for (const sDeviceEntry& entry : m_oDetached) {
        held += QueriesOf(entry.nRefs, false);
    }
    return held;
}

}  // namespace qmhost::detail
