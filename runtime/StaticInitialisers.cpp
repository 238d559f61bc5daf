// The compiler places a pointer to each translation unit's initialiser in the
// section .CRT$XCU; the linker sorts the .CRT$XC* sections by name, so the
// pointers lie between the two markers below, in link order.
#include "runtime/QmRuntime.h"

namespace {

using Initialiser = void(__cdecl*)();

#pragma section(".CRT$XCA", read)
#pragma section(".CRT$XCZ", read)
__declspec(allocate(".CRT$XCA")) const Initialiser s_aFirst[] = {nullptr};
__declspec(allocate(".CRT$XCZ")) const Initialiser s_aLast[] = {nullptr};

}  // namespace

void qmrt::RunStaticInitialisers()
{
    // volatile: the compiler must not assume the two arrays are unrelated.
    for (const Initialiser* volatile entry = s_aFirst + 1; entry < s_aLast; ++entry) {
        if (*entry != nullptr)
            (*entry)();
    }
}
