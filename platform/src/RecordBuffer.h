// A device's buffer of input records, with DirectInput's rules: a buffer of
// size N holds N - 1 records, records that arrive while it is full are dropped
// and the next read says so, reads take (or peek at) the oldest records first.
#pragma once

#include <deque>

#include "qmsim/dinput.h"

namespace qmsim::detail {

class RecordBuffer {
public:
    struct ReadResult {
        DWORD count = 0;
        bool overflowed = false;
    };

    // The size set with DIPROP_BUFFERSIZE; 0: not buffered.
    DWORD Capacity() const { return m_capacity; }
    // A new, empty buffer of that size.
    void SetCapacity(DWORD capacity);
    size_t Size() const { return m_records.size(); }
    // Drops every record and forgets an overflow.
    void Clear();
    // False when the record was dropped: no buffer, or the buffer is full.
    bool Push(const DIDEVICEOBJECTDATA_DX3& record);
    // Copies up to `maxCount` records of `recordSize` bytes each into `out`
    // (nothing is copied when `out` is null). Unless peeking, the records
    // read are removed and the overflow is reported once, by any read,
    // also one of no records.
    ReadResult Read(void* out, DWORD recordSize, DWORD maxCount, bool peek);

private:
    std::deque<DIDEVICEOBJECTDATA_DX3> m_records;
    DWORD m_capacity = 0;
    bool m_overflowed = false;
};

}  // namespace qmsim::detail
