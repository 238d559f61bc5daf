// The input server's event operations. The window thread and the framework
// thread both make events, so every one of them holds the server's lock.
#include "framework/InputServerImpl.h"
#include "host/QmInputServer.h"

#include <atomic>

#include "framework/QmFrameworkControl.h"

namespace {

std::atomic<void (*)(void*)> g_pNewEventHook{nullptr};
std::atomic<void*> g_pNewEventHookContext{nullptr};

qmhost::detail::CEventPool& Events(void* impl) {
    return static_cast<qmhost::detail::sInputServerImpl*>(impl)->oEvents;
}

}  // namespace

namespace qmhost {

void SetNewEventHook(void (*hook)(void* context), void* context) {
    g_pNewEventHookContext.store(context);
    g_pNewEventHook.store(hook);
}

}  // namespace qmhost

long CQmInputServer::NewEvent() {
    if (auto hook = g_pNewEventHook.load()) hook(g_pNewEventHookContext.load());
    CQmCriticalSectionLock guard(m_oLock);
    return Events(m_pImpl).New();
}

void CQmInputServer::QueueEvent(long eventId) {
    CQmCriticalSectionLock guard(m_oLock);
    Events(m_pImpl).Queue(eventId);
}

void CQmInputServer::LockEventQueue() { m_oLock.Lock(); }
void CQmInputServer::UnlockEventQueue() { m_oLock.Unlock(); }

bool CQmInputServer::GetFirstEventInQueue(long& position, long& eventId) {
    CQmCriticalSectionLock guard(m_oLock);
    return Events(m_pImpl).First(position, eventId);
}

bool CQmInputServer::GetNextEventInQueue(long& position, long& eventId) {
    CQmCriticalSectionLock guard(m_oLock);
    return Events(m_pImpl).Next(position, eventId);
}

void CQmInputServer::RemoveEventFromQueue(long eventId) {
    CQmCriticalSectionLock guard(m_oLock);
    Events(m_pImpl).Unqueue(eventId);
}

void CQmInputServer::FlushEventQueue() {
    CQmCriticalSectionLock guard(m_oLock);
    Events(m_pImpl).Flush();
}

CQmInputEvent* CQmInputServer::QueryEvent(long eventId) {
    CQmCriticalSectionLock guard(m_oLock);
    return Events(m_pImpl).Query(eventId);
}

void CQmInputServer::ReleaseEvent(long eventId) {
    if (eventId == -1) {
        return;
    }
    CQmCriticalSectionLock guard(m_oLock);
    Events(m_pImpl).Release(eventId);
}
