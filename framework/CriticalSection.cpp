// The core library's lock. The mingw-w64 win32-thread toolchain has no
// std::mutex, so Windows builds use a CRITICAL_SECTION directly.
#include "host/QmCriticalSection.h"

#if defined(_WIN32)
#  define WIN32_LEAN_AND_MEAN
#  include <windows.h>

CQmCriticalSection::CQmCriticalSection() : m_pImpl(new CRITICAL_SECTION) {
    InitializeCriticalSection(static_cast<CRITICAL_SECTION*>(m_pImpl));
}

CQmCriticalSection::~CQmCriticalSection() {
    auto* section = static_cast<CRITICAL_SECTION*>(m_pImpl);
    DeleteCriticalSection(section);
    delete section;
}

void CQmCriticalSection::Lock() { EnterCriticalSection(static_cast<CRITICAL_SECTION*>(m_pImpl)); }
void CQmCriticalSection::Unlock() { LeaveCriticalSection(static_cast<CRITICAL_SECTION*>(m_pImpl)); }

#else
#  include <mutex>

CQmCriticalSection::CQmCriticalSection() : m_pImpl(new std::recursive_mutex) {}
CQmCriticalSection::~CQmCriticalSection() { delete static_cast<std::recursive_mutex*>(m_pImpl); }

void CQmCriticalSection::Lock() { static_cast<std::recursive_mutex*>(m_pImpl)->lock(); }
void CQmCriticalSection::Unlock() { static_cast<std::recursive_mutex*>(m_pImpl)->unlock(); }

#endif
