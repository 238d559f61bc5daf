// Redirecting one imported function of a loaded module: the address in the
// module's import table is replaced, so the module's own calls go to the
// replacement while every other caller in the process keeps the original.
#pragma once

#include <windows.h>

namespace qmmonitor {

// Replaces `module`'s import of `function` from `library` (the DLL's file
// name, any case) with `replacement` and returns the address it held, or
// null when the module does not import the function by name. The patch lasts
// as long as the module stays loaded.
void* PatchImport(HMODULE module, const char* library, const char* function, void* replacement);

}  // namespace qmmonitor
