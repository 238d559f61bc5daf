// Every RTTI type descriptor the compiler emits starts with a pointer to
// type_info's virtual table. Its one entry, the scalar deleting destructor, is
// never called on a descriptor: they are static data.
#include <cstdlib>
#include <cstring>
#include <typeinfo>

namespace {

void __fastcall NeverDeleted(void*, void*)
{
    std::abort();
}

}  // namespace

// The table under its decorated name, `const type_info::`vftable'`.
extern "C" const void* const qmrt_type_info_vftable[] asm("??_7type_info@@6B@") = {
    reinterpret_cast<const void*>(&NeverDeleted)};

// libc++'s std::type_info for this target keeps these in its library.
namespace std {

type_info::~type_info() {}

int type_info::__compare(const type_info& other) const noexcept
{
    if (this == &other)
        return 0;
    return strcmp(__data.__decorated_name, other.__data.__decorated_name);
}

}  // namespace std
