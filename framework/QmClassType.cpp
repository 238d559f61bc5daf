#include "host/QmClassType.h"

#include <cstring>

#include "framework/RegistryLog.h"

namespace {

char* CopyName(const char* name) {
    const char* text = name ? name : "";
    const std::size_t length = std::strlen(text);
    char* copy = new char[length + 1];
    std::memcpy(copy, text, length + 1);
    return copy;
}

}  // namespace

CQmClassType::CQmClassType(const char* name) : m_pName(CopyName(name)), m_pParent(nullptr) {
    qmhost::detail::AppendRegistryLog("type+", m_pName);
}

CQmClassType::CQmClassType(const char* name, const CQmClassType& parent)
    : m_pName(CopyName(name)), m_pParent(&parent) {
    qmhost::detail::AppendRegistryLog("type+", m_pName);
}

CQmClassType::~CQmClassType() {
    qmhost::detail::AppendRegistryLog("type-", m_pName);
    delete[] m_pName;
}

bool CQmClassType::IsDerivedFrom(const CQmClassType& other) const {
    for (const CQmClassType* type = this; type != nullptr; type = type->m_pParent) {
        if (type == &other) {
            return true;
        }
    }
    return false;
}
