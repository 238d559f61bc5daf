// A non-virtual member function found by its exported name, made callable.
#pragma once

#include <cstddef>
#include <cstring>

namespace qmmonitor {

#if defined(_MSC_VER)
// A pointer to a non-virtual member function of a class of single inheritance
// in the Microsoft C++ ABI: the function's address alone.
struct sMemberPointer {
    void* pFunction;
};
#else
// A pointer to a non-virtual member function in the Itanium C++ ABI's layout,
// which GCC uses on Linux and with mingw-w64 alike: the function's address and
// a `this` adjustment (0 for the class itself).
struct sMemberPointer {
    void* pFunction;
    std::ptrdiff_t nThisAdjustment;
};
#endif

template <class MemberFunction>
MemberFunction MemberFromAddress(void* address)
{
    static_assert(sizeof(MemberFunction) == sizeof(sMemberPointer));
    sMemberPointer raw{};
    raw.pFunction = address;
    MemberFunction member;
    std::memcpy(&member, &raw, sizeof member);
    return member;
}

}  // namespace qmmonitor
