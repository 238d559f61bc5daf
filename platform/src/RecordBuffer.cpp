#include "RecordBuffer.h"

#include <algorithm>
#include <cstring>

namespace qmsim::detail {

// As Wine 8 does (its source; not documented): a new size empties the buffer
// and forgets an overflow.
void RecordBuffer::SetCapacity(DWORD capacity) {
    m_capacity = capacity;
    Clear();
}

void RecordBuffer::Clear() {
    m_records.clear();
    m_overflowed = false;
}

// Measured (Wine 8): the buffer is a ring of N slots that keeps one free, so
// size N holds N - 1 records and size 1 none; documented: the newest are dropped.
bool RecordBuffer::Push(const DIDEVICEOBJECTDATA_DX3& record) {
    if (m_capacity == 0) return false;
    if (m_records.size() + 1 >= m_capacity) {
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
    // Documented: DI_BUFFEROVERFLOW once, on the next read that takes records
    // out, however many it takes (a count of 0 and a null buffer flush too).
    if (!peek) {
        m_records.erase(m_records.begin(), m_records.begin() + result.count);
        m_overflowed = false;
    }
    return result;
}

}  // namespace qmsim::detail
