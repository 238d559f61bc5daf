// A DLL's entry point: its statics are built before its DllMain sees
// DLL_PROCESS_ATTACH and destroyed after it has seen DLL_PROCESS_DETACH.
#include <windows.h>

#include "runtime/QmRuntime.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved);

// An image without a DllMain of its own gets this one.
extern "C" BOOL WINAPI QmRuntimeDefaultDllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
#pragma comment(linker, "/alternatename:_DllMain@12=_QmRuntimeDefaultDllMain@12")

extern "C" BOOL WINAPI _DllMainCRTStartup(HINSTANCE module, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH)
        qmrt::RunStaticInitialisers();
    const BOOL result = DllMain(module, reason, reserved);
    if (reason == DLL_PROCESS_DETACH)
        qmrt::RunImageExitList();
    return result;
}
