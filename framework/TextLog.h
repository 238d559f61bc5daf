// Lines of text appended and read from any thread; the registry log and the
// contract-violation log of the controls.
#pragma once

#include <string>
#include <vector>

#include "host/QmCriticalSection.h"

namespace qmhost::detail {

class CTextLog {
public:
    void Append(std::string line) {
        CQmCriticalSectionLock guard(m_oLock);
        m_oLines.push_back(std::move(line));
    }
    std::vector<std::string> Lines() const {
        CQmCriticalSectionLock guard(m_oLock);
        return m_oLines;
    }
    long Count() const {
        CQmCriticalSectionLock guard(m_oLock);
        return static_cast<long>(m_oLines.size());
    }
    void Clear() {
        CQmCriticalSectionLock guard(m_oLock);
        m_oLines.clear();
    }

private:
    mutable CQmCriticalSection m_oLock;
    std::vector<std::string> m_oLines;
};

}  // namespace qmhost::detail
