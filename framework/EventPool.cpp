#include "framework/EventPool.h"

#include <string>

#include "framework/ContractViolations.h"
#include "framework/FailureCountdown.h"
#include "framework/QmFrameworkControl.h"
#include "framework/ReferenceCounters.h"

namespace {

qmhost::detail::CFailureCountdown g_oNewEventFailures;
thread_local long t_nEventOwner = -1;

}  // namespace

namespace qmhost {

void FailNextNewEvents(int n) { g_oNewEventFailures.Set(n); }

}  // namespace qmhost

namespace qmhost::detail {

CEventPool::~CEventPool() {
    for (const auto& [id, record] : m_oRecords) {
        AddOutstandingEventRefs(-record->nRefs);
    }
    AddLiveEventRecords(-static_cast<long>(m_oRecords.size()));
}

CEventPool::sRecord* CEventPool::Lookup(long eventId) {
    auto found = m_oRecords.find(eventId);
    return found == m_oRecords.end() ? nullptr : found->second.get();
}

void CEventPool::FreeIfUnused(long eventId) {
    sRecord* record = Lookup(eventId);
    if (record != nullptr && record->nRefs == 0 && record->nQueuePosition == kNotQueued) {
        m_oRecords.erase(eventId);
        AddLiveEventRecords(-1);
    }
}

CEventOwnerScope::CEventOwnerScope(long deviceId) : m_nPrevious(t_nEventOwner) { t_nEventOwner = deviceId; }

CEventOwnerScope::~CEventOwnerScope() { t_nEventOwner = m_nPrevious; }

long CEventPool::New() {
    if (g_oNewEventFailures.TakeOne()) {
        return -1;
    }
    const long id = m_nNextEventId++;
    m_oRecords.emplace(id, std::make_unique<sRecord>()).first->second->nOwnerDeviceId = t_nEventOwner;
    AddLiveEventRecords(1);
    return id;
}

CQmInputEvent* CEventPool::Query(long eventId) {
    sRecord* record = Lookup(eventId);
    if (record == nullptr) {
        return nullptr;
    }
    ++record->nRefs;
    AddOutstandingEventRefs(1);
    return &record->oEvent;
}

bool CEventPool::WasHandedOut(long eventId) const { return eventId > 0 && eventId < m_nNextEventId; }

void CEventPool::Release(long eventId) {
    sRecord* record = Lookup(eventId);
    if (record == nullptr && !WasHandedOut(eventId)) {
        ReportContractViolation(CallText("ReleaseEvent", eventId) + ": no event of that id");
        return;
    }
    // A fresh record is held by nobody until it is queried.
    if (record == nullptr || record->nRefs == 0) {
        ReportContractViolation(CallText("ReleaseEvent", eventId) + " gives back more references than were taken");
        return;
    }
    --record->nRefs;
    AddOutstandingEventRefs(-1);
    FreeIfUnused(eventId);
}

void CEventPool::Queue(long eventId) {
    sRecord* record = Lookup(eventId);
    if (record == nullptr) {
        ReportContractViolation(CallText("QueueEvent", eventId) + ": no event of that id");
        return;
    }
    if (record->nQueuePosition != kNotQueued) {
        ReportContractViolation(CallText("QueueEvent", eventId) + " of an event in the queue already");
        return;
    }
    record->nQueuePosition = m_nNextQueuePosition++;
    m_oQueue.emplace(record->nQueuePosition, eventId);
}

long CEventPool::HeldEventOf(long deviceId) const {
    for (const auto& [id, record] : m_oRecords) {
        if (record->nRefs > 0 && record->nOwnerDeviceId == deviceId) {
            return id;
        }
    }
    return -1;
}

long CEventPool::HeldRefs() const {
    long held = 0;
    for (const auto& [id, record] : m_oRecords) {
        held += record->nRefs;
    }
    return held;
}

bool CEventPool::Emit(std::map<long, long>::const_iterator at, long& position, long& eventId) const {
    if (at == m_oQueue.end()) {
        return false;
    }
    position = at->first;
    eventId = at->second;
    return true;
}

bool CEventPool::First(long& position, long& eventId) const {
    return Emit(m_oQueue.begin(), position, eventId);
}

// Positions are queue stamps rather than indexes, so removing the current
// event while walking the queue skips nothing.
bool CEventPool::Next(long& position, long& eventId) const {
    return Emit(m_oQueue.upper_bound(position), position, eventId);
}

void CEventPool::Unqueue(long eventId) {
    sRecord* record = Lookup(eventId);
    if (record == nullptr || record->nQueuePosition == kNotQueued) {
        return;
    }
    m_oQueue.erase(record->nQueuePosition);
    record->nQueuePosition = kNotQueued;
    FreeIfUnused(eventId);
}

// Takes entries off by position, so the loop ends even for an entry whose
// record is already gone.
void CEventPool::Flush() {
    while (!m_oQueue.empty()) {
        const long eventId = m_oQueue.begin()->second;
        m_oQueue.erase(m_oQueue.begin());
        if (sRecord* record = Lookup(eventId)) {
            record->nQueuePosition = kNotQueued;
            FreeIfUnused(eventId);
        }
    }
}

}  // namespace qmhost::detail
