// A replacement of the nothrow operator new that can be told to fail. Other
// allocations are untouched, so the sanitizers keep watching them.
#include "common/FailingAllocation.h"

#include <atomic>
#include <cstddef>
#include <new>

namespace {

std::atomic<int> g_nFailuresLeft{0};

bool TakeFailure()
{
    int left = g_nFailuresLeft.load();
    while (left > 0) {
        if (g_nFailuresLeft.compare_exchange_weak(left, left - 1))
            return true;
    }
    return false;
}

}  // namespace

namespace qmtest {

void FailNextNothrowAllocations(int count) { g_nFailuresLeft = count; }

}  // namespace qmtest

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    if (TakeFailure())
        return nullptr;
    try {
        return ::operator new(size);
    } catch (...) {
        return nullptr;
    }
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    if (TakeFailure())
        return nullptr;
    try {
        return ::operator new[](size);
    } catch (...) {
        return nullptr;
    }
}
