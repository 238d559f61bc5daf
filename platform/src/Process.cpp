// The process: the executable's module handle, thread notifications, debug output.
#include <dlfcn.h>

#include <algorithm>

#include "PlatformState.h"

using namespace qmsim::detail;

namespace {
// Where an executable's image is traditionally based.
HMODULE const kExecutableHandle = reinterpret_cast<HMODULE>(std::uintptr_t{0x400000});
constexpr DWORD kErrorModNotFound = 126;
constexpr DWORD kErrorInvalidParameter = 87;

// A pin outlives Reset, as it outlives everything in a real process.
std::vector<std::string>& Pins() {
    static std::vector<std::string> pins;
    return pins;
}

// Keeps the shared object that holds `address` loaded for good, as the pin flag
// does: dlclose of it is a no-op from now on.
bool PinObjectAt(const Dl_info& info) {
    void* handle = dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    if (!handle) return false;
    dlclose(handle);
    if (std::find(Pins().begin(), Pins().end(), info.dli_fname) == Pins().end()) Pins().push_back(info.dli_fname);
    return true;
}
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

// Only lookups by address that take no reference (pin or unchanged count) are
// offered: nothing here could give a reference back.
BOOL WINAPI GetModuleHandleExA(DWORD dwFlags, LPCSTR lpModuleName, HMODULE* phModule) {
    auto lock = LockPlatform();
    if (phModule) *phModule = nullptr;
    const bool byAddress = dwFlags & GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS;
    const bool pin = dwFlags & GET_MODULE_HANDLE_EX_FLAG_PIN;
    const bool keepsCount = dwFlags & GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT;
    Dl_info info{};
    DWORD error = ERROR_SUCCESS;
    if (!phModule || !byAddress || pin == keepsCount)
        error = kErrorInvalidParameter;
    else if (!dladdr(lpModuleName, &info) || !info.dli_fname || (pin && !PinObjectAt(info)))
        error = kErrorModNotFound;
    Log(std::string("GetModuleHandleExA ") + Hex(dwFlags) + (error ? " -> failed" : " -> ok"));
    if (error) {
        SetLastError(error);
        return FALSE;
    }
    *phModule = static_cast<HMODULE>(info.dli_fbase);
    return TRUE;
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

std::vector<std::string> PinnedModules() {
    auto lock = detail::LockPlatform();
    return Pins();
}

void SetModuleHandleNull(bool isNull) {
    auto lock = LockPlatform();
    State().moduleHandleNull = isNull;
}

}  // namespace qmsim
