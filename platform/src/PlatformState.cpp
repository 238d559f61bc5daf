// The one platform instance and its lock.
#include "PlatformState.h"

namespace qmsim::detail {

namespace {
std::mutex g_mutex;
PlatformState g_state;
}  // namespace

std::unique_lock<std::mutex> LockPlatform() { return std::unique_lock<std::mutex>(g_mutex); }

PlatformState& State() { return g_state; }

}  // namespace qmsim::detail

namespace qmsim {

// Interfaces the module still holds stay valid objects: they only drop out of
// the platform's books, so a late Release cannot touch freed memory.
void Reset() {
    auto lock = detail::LockPlatform();
    detail::State() = detail::PlatformState{};
}

}  // namespace qmsim
