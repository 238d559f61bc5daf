// A non-virtual member function found by its exported name, made callable.
#pragma once

#include <cstddef>
#include <cstring>

namespace qmmonitor {

// A pointer to a non-virtual member function in the Itanium C++ ABI's layout,
// which GCC uses on Linux and with mingw-w64 alike: the function's address and
// a `this` adjustment (0 for the class itself).
template <class MemberFunction>
MemberFunction MemberFromAddress(void* address)
{
    struct sItaniumMemberPointer {
        void* pFunction;
        std::ptrdiff_t nThisAdjustment;
    };
    static_assert(sizeof(MemberFunction) == sizeof(sItaniumMemberPointer));
    const sItaniumMemberPointer raw{address, 0};
    MemberFunction member;
    std::memcpy(&member, &raw, sizeof member);
    return member;
}

}  // namespace qmmonitor
