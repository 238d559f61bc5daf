// A number of calls still to fail, set by a test control and taken one call at
// a time from any thread.
#pragma once

#include <atomic>

namespace qmhost::detail {

class CFailureCountdown {
public:
    void Set(int calls) { m_nPending = calls > 0 ? calls : 0; }

    // True when this call is one of those to fail.
    bool TakeOne() {
        int pending = m_nPending.load();
        while (pending > 0) {
            if (m_nPending.compare_exchange_weak(pending, pending - 1)) {
                return true;
            }
        }
        return false;
    }

private:
    std::atomic<int> m_nPending{0};
};

}  // namespace qmhost::detail
