#include "winmsg/ModulePin.h"

#include "server/PlatformApi.h"

void PinThisModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCSTR>(reinterpret_cast<void*>(&PinThisModule)), &module);
}
