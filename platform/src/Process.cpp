// The process: the executable's module handle, thread notifications, debug output.
#include "PlatformState.h"

using namespace qmsim::detail;

namespace {
// Where an executable's image is traditionally based.
HMODULE const kExecutableHandle = reinterpret_cast<HMODULE>(std::uintptr_t{0x400000});
}  // namespace

extern "C" {

HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName) {
    auto lock = LockPlatform();
    // An injected failure code makes the lookup fail once.
    const std::optional<HRESULT> injected = TakeInjection(qmsim::Call::GetModuleHandleA, "");
    const bool found = !lpModuleName && !State().moduleHandleNull && !(injected && FAILED(*injected));
    HMODULE handle = found ? kExecutableHandle : nullptr;
    Log(std::string("GetModuleHandleA ") + (lpModuleName ? lpModuleName : "NULL") + " -> " +
        Hex(reinterpret_cast<std::uintptr_t>(handle)));
    return handle;
}

BOOL WINAPI DisableThreadLibraryCalls(HMODULE hLibModule) {
    auto lock = LockPlatform();
    Log("DisableThreadLibraryCalls " + Hex(reinterpret_cast<std::uintptr_t>(hLibModule)));
    return hLibModule ? TRUE : FALSE;
}

void WINAPI OutputDebugStringA(LPCSTR lpOutputString) {
    auto lock = LockPlatform();
    Log(std::string("OutputDebugStringA ") + (lpOutputString ? lpOutputString : ""));
}

}  // extern "C"

namespace qmsim {

void SetModuleHandleNull(bool isNull) {
    auto lock = LockPlatform();
    State().moduleHandleNull = isNull;
}

}  // namespace qmsim
