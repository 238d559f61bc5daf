// The input server's event records and queue. Not locked itself: the server
// holds its critical section around every call.
#pragma once

#include <map>
#include <memory>
#include <unordered_map>

#include "host/QmInputEvent.h"

namespace qmhost::detail {

// The device whose NewEvent runs on this thread for the scope's life: the pool
// notes it as the owner of the events made meanwhile.
class CEventOwnerScope {
public:
    explicit CEventOwnerScope(long deviceId);
    ~CEventOwnerScope();
    CEventOwnerScope(const CEventOwnerScope&) = delete;
    CEventOwnerScope& operator=(const CEventOwnerScope&) = delete;

private:
    long m_nPrevious;
};

class CEventPool {
public:
    CEventPool() = default;
    ~CEventPool();
    CEventPool(const CEventPool&) = delete;
    CEventPool& operator=(const CEventPool&) = delete;

    // A fresh all-zero record's id, or -1.
    long New();
    CQmInputEvent* Query(long eventId);
    // Reports a release beyond the references taken and an id never handed out.
    void Release(long eventId);

    // Reports an unknown id and an event queued already.
    void Queue(long eventId);
    bool First(long& position, long& eventId) const;
    bool Next(long& position, long& eventId) const;
    void Unqueue(long eventId);
    void Flush();

    // A referenced event whose device id is `deviceId`, or -1.
    long HeldEventOf(long deviceId) const;
    // References taken with Query and not yet given back.
    long HeldRefs() const;

private:
    static constexpr long kNotQueued = 0;

    struct sRecord {
        CQmInputEvent oEvent{};
        // The device that asked for the event, -1 for the host's own. Kept
        // apart from the event's fields, which its holder fills without a lock.
        long nOwnerDeviceId = -1;
        long nRefs = 0;
        long nQueuePosition = kNotQueued;
    };

    sRecord* Lookup(long eventId);
    bool WasHandedOut(long eventId) const;
    // Frees the record once nothing holds it: no reference and not queued.
    void FreeIfUnused(long eventId);
    bool Emit(std::map<long, long>::const_iterator at, long& position, long& eventId) const;

    // Heap records, so a record keeps its address however the pool grows.
    std::unordered_map<long, std::unique_ptr<sRecord>> m_oRecords;
    std::map<long, long> m_oQueue;  // queue position -> event id, in QueueEvent order
    long m_nNextEventId = 1;
    long m_nNextQueuePosition = kNotQueued + 1;
};

}  // namespace qmhost::detail
