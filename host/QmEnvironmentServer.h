// The framework's environment store: named variables with a 32-bit value.
#pragma once

#include <cstdint>

#include "QmHostApi.h"
#include "QmString.h"

struct sQmEnvironmentVariable {
    const char* m_pName;   // the key; null for the record of an undefined key
    std::int32_t m_nType;  // host's own
    std::uint32_t m_nValue; // the value; "Display/HWND" holds the game window's handle
};

class QM_HOST_API CQmEnvironmentServer {
public:
    CQmEnvironmentServer();
    ~CQmEnvironmentServer();

    CQmEnvironmentServer(const CQmEnvironmentServer&) = delete;
    CQmEnvironmentServer& operator=(const CQmEnvironmentServer&) = delete;

    bool HasVariable(const CQmString& key) const;
    // The variable's record; for an undefined key a record whose value is 0.
    const sQmEnvironmentVariable& GetVariable(const CQmString& key) const;

    void SetVariable(const CQmString& key, std::uint32_t value);
    void RemoveVariable(const CQmString& key);

private:
    void* m_pImpl;
};

QM_HOST_API CQmEnvironmentServer* QmGetEnvironmentServer();
