// The core library's lock; the input server base guards its event pool and queue with it.
#pragma once

#include "QmHostApi.h"

class QM_HOST_API CQmCriticalSection {
public:
    CQmCriticalSection();
    ~CQmCriticalSection();

    CQmCriticalSection(const CQmCriticalSection&) = delete;
    CQmCriticalSection& operator=(const CQmCriticalSection&) = delete;

    void Lock();
    void Unlock();

private:
    void* m_pImpl;
};

// Scoped lock for CQmCriticalSection.
class CQmCriticalSectionLock {
public:
    explicit CQmCriticalSectionLock(CQmCriticalSection& section) : m_rSection(section) { m_rSection.Lock(); }
    ~CQmCriticalSectionLock() { m_rSection.Unlock(); }
    CQmCriticalSectionLock(const CQmCriticalSectionLock&) = delete;
    CQmCriticalSectionLock& operator=(const CQmCriticalSectionLock&) = delete;

private:
    CQmCriticalSection& m_rSection;
};
