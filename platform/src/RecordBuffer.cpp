#include "RecordBuffer.h"

#include <algorithm>
#include <cstring>

namespace qmsim::detail {

void RecordBuffer::SetCapacity(DWORD capacity) {
    m_capacity = capacity;
    while (m_records.size() > m_capacity) m_records.pop_back();
}

void RecordBuffer::Clear() {
    m_records.clear();
    m_overflowed = false;
}

bool RecordBuffer::Push(const DIDEVICEOBJECTDATA_DX3& record) {
    if (m_capacity == 0) return false;
    if (m_records.size() >= m_capacity) {
        m_overflowed = true;
        return false;
    }
    m_records.push_back(record);
    return true;
}

RecordBuffer::ReadResult RecordBuffer::Read(void* out, DWORD recordSize, DWORD maxCount, bool peek) {
    ReadResult result;
    result.count = static_cast<DWORD>(std::min<size_t>(maxCount, m_records.size()));
    result.overflowed = m_overflowed;
    auto* target = static_cast<unsigned char*>(out);
    for (DWORD i = 0; target && i < result.count; ++i) {
        DIDEVICEOBJECTDATA full{};
        std::memcpy(&full, &m_records[i], sizeof m_records[i]);
        std::memcpy(target + static_cast<size_t>(i) * recordSize, &full, std::min<size_t>(recordSize, sizeof full));
    }
    if (!peek) {
        m_records.erase(m_records.begin(), m_records.begin() + result.count);
        m_overflowed = false;
    }
    return result;
}

}  // namespace qmsim::detail
