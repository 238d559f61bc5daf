#include "framework/DeviceList.h"

#include <algorithm>
#include <utility>

#include "framework/ReferenceCounters.h"
#include "host/QmInputDevice.h"

namespace qmhost::detail {

namespace {

// What an entry adds to the outstanding count: its references beyond the list's own.
long OutstandingOf(long refs) { return refs > 1 ? refs - 1 : 0; }

}  // namespace

CDeviceList::~CDeviceList() {
    for (const sDeviceEntry& entry : m_oEntries) {
        AddOutstandingDeviceRefs(-OutstandingOf(entry.nRefs));
    }
}

const sDeviceEntry* CDeviceList::Lookup(long deviceId) const {
    auto found = std::find_if(m_oEntries.begin(), m_oEntries.end(),
                              [deviceId](const sDeviceEntry& e) { return e.nDeviceId == deviceId; });
    return found == m_oEntries.end() ? nullptr : &*found;
}

sDeviceEntry* CDeviceList::Lookup(long deviceId) {
    return const_cast<sDeviceEntry*>(std::as_const(*this).Lookup(deviceId));
}

void CDeviceList::SetRefs(sDeviceEntry& entry, long refs) {
    AddOutstandingDeviceRefs(OutstandingOf(refs) - OutstandingOf(entry.nRefs));
    entry.nRefs = refs;
}

bool CDeviceList::Add(long deviceId, long objectId, CQmInputDevice* device) {
    CQmCriticalSectionLock guard(m_oLock);
    if (deviceId == -1 || Lookup(deviceId) != nullptr) {
        return false;
    }
    device->AddRef();
    m_oEntries.push_back({deviceId, objectId, device, 1});
    return true;
}

void CDeviceList::Remove(long deviceId) {
    CQmCriticalSectionLock guard(m_oLock);
    if (sDeviceEntry* entry = Lookup(deviceId)) {
        entry->pDevice->Release();
        Erase(deviceId);
    }
}

void CDeviceList::Erase(long deviceId) {
    CQmCriticalSectionLock guard(m_oLock);
    if (sDeviceEntry* entry = Lookup(deviceId)) {
        SetRefs(*entry, 0);
        m_oEntries.erase(m_oEntries.begin() + (entry - m_oEntries.data()));
    }
}

CQmInputDevice* CDeviceList::Query(long deviceId) {
    CQmCriticalSectionLock guard(m_oLock);
    sDeviceEntry* entry = Lookup(deviceId);
    if (entry == nullptr || entry->nRefs == 0) {
        return nullptr;
    }
    entry->pDevice->AddRef();
    SetRefs(*entry, entry->nRefs + 1);
    return entry->pDevice;
}

bool CDeviceList::Release(long deviceId, sDeviceEntry& disposed) {
    CQmCriticalSectionLock guard(m_oLock);
    sDeviceEntry* entry = Lookup(deviceId);
    // An entry without references is already being disposed of.
    if (entry == nullptr || entry->nRefs == 0) {
        return false;
    }
    entry->pDevice->Release();
    SetRefs(*entry, entry->nRefs - 1);
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

}  // namespace qmhost::detail
