// Scoped holder of one framework event: queries the record when made and gives
// the reference back when it ends, also while an exception passes.
#pragma once

#include "host/QmInputServer.h"
#include "server/QmInputApi.h"

class QM_INPUT_API CQmInputEventRef {
public:
    CQmInputEventRef(CQmInputServer* server, long eventId)
        : m_pServer(server), m_nEventId(eventId),
          m_pEvent(eventId != -1 && server ? server->QueryEvent(eventId) : nullptr)
    {
    }
    virtual ~CQmInputEventRef()
    {
        if (m_pServer)
            m_pServer->ReleaseEvent(m_nEventId);
        m_pEvent = nullptr;
    }

    CQmInputEventRef(const CQmInputEventRef&) = delete;
    CQmInputEventRef& operator=(const CQmInputEventRef&) = delete;

    CQmInputEvent* operator->() const { return m_pEvent; }
    CQmInputEvent* Get() const { return m_pEvent; }
    long GetEventId() const { return m_nEventId; }
    // False when the framework gave no event: nothing is to be filled or queued.
    explicit operator bool() const { return m_pEvent != nullptr; }

private:
    CQmInputServer* m_pServer;
    long m_nEventId;
    CQmInputEvent* m_pEvent;
};
