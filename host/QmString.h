// The core library's 8-bit string, used for class names and environment keys.
#pragma once

#include <cstddef>

#include "QmHostApi.h"

class QM_HOST_API CQmString {
public:
    CQmString(const char* text);
    CQmString(const CQmString& other);
    CQmString& operator=(const CQmString& other);
    ~CQmString();

    const char* GetBuffer() const { return m_pText; }
    std::size_t GetLength() const { return m_nLength; }
    bool operator==(const CQmString& other) const;
    bool operator!=(const CQmString& other) const { return !(*this == other); }

private:
    char* m_pText;
    std::size_t m_nLength;
};
