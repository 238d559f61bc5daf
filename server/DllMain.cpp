// The module's DLL entry point. Registration of the classes happens in the
// static constructors, before this runs (ModuleRegistration.cpp).
#include "server/PlatformApi.h"

#if defined(_WIN32)
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    // The module keeps no per-thread state.
    if (reason == DLL_PROCESS_ATTACH)
        DisableThreadLibraryCalls(module);
    return TRUE;
}
#endif
