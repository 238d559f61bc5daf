// atexit() for one image. The compiler registers every static destructor with
// it; a DLL runs its list at its own detach, so unloading the module destroys
// its statics then, in reverse order of construction.
#include <windows.h>

#include <cstdlib>

#include "runtime/QmRuntime.h"

namespace {

using ExitFunction = void(__cdecl*)();

// Grown by doubling from msvcrt's heap; statics registered at load time only,
// on the loading thread, so no lock is needed.
ExitFunction* s_pExitFunctions = nullptr;
int s_nExitFunctions = 0;
int s_nCapacity = 0;

bool Grow()
{
    const int capacity = s_nCapacity == 0 ? 32 : s_nCapacity * 2;
    void* grown = std::realloc(s_pExitFunctions, sizeof(ExitFunction) * capacity);
    if (grown == nullptr)
        return false;
    s_pExitFunctions = static_cast<ExitFunction*>(grown);
    s_nCapacity = capacity;
    return true;
}

}  // namespace

extern "C" int __cdecl atexit(ExitFunction function)
{
    if (s_nExitFunctions == s_nCapacity && !Grow())
        return -1;
    s_pExitFunctions[s_nExitFunctions++] = function;
    return 0;
}

void qmrt::RunImageExitList()
{
    while (s_nExitFunctions > 0) {
        // Taken off first: an entry that registers another still runs once.
        ExitFunction function = s_pExitFunctions[--s_nExitFunctions];
        function();
    }
    std::free(s_pExitFunctions);
    s_pExitFunctions = nullptr;
    s_nCapacity = 0;
}
