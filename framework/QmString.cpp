#include "host/QmString.h"

#include <cstring>

namespace {

char* CopyText(const char* text, std::size_t length) {
    char* copy = new char[length + 1];
    std::memcpy(copy, text, length);
    copy[length] = '\0';
    return copy;
}

}  // namespace

CQmString::CQmString(const char* text)
    : m_pText(nullptr), m_nLength(text ? std::strlen(text) : 0) {
    m_pText = CopyText(text ? text : "", m_nLength);
}

CQmString::CQmString(const CQmString& other)
    : m_pText(CopyText(other.m_pText, other.m_nLength)), m_nLength(other.m_nLength) {}

CQmString& CQmString::operator=(const CQmString& other) {
    if (this != &other) {
        char* copy = CopyText(other.m_pText, other.m_nLength);
        delete[] m_pText;
        m_pText = copy;
        m_nLength = other.m_nLength;
    }
    return *this;
}

CQmString::~CQmString() { delete[] m_pText; }

bool CQmString::operator==(const CQmString& other) const {
    return m_nLength == other.m_nLength && std::memcmp(m_pText, other.m_pText, m_nLength) == 0;
}
