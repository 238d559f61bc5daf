// Pages the process may write code into and run, and the pause of a thread.
#include <sys/mman.h>

#include <chrono>
#include <map>
#include <thread>

#include "PlatformState.h"

using namespace qmsim::detail;

namespace {
// The size of each allocation, which munmap needs and VirtualFree is not given.
// Never destroyed: a module may free its pages while the process ends, after
// this library's own statics are gone.
std::map<void*, SIZE_T>& Allocations() {
    static auto* allocations = new std::map<void*, SIZE_T>;
    return *allocations;
}
bool g_failVirtualAlloc = false;
}  // namespace

extern "C" {

LPVOID WINAPI VirtualAlloc(LPVOID lpAddress, SIZE_T dwSize, DWORD flAllocationType, DWORD flProtect) {
    auto lock = LockPlatform();
    const bool usable = !g_failVirtualAlloc && !lpAddress && dwSize && (flAllocationType & MEM_COMMIT) && flProtect == PAGE_EXECUTE_READWRITE;
    void* pages = usable ? mmap(nullptr, dwSize, PROT_READ | PROT_WRITE | PROT_EXEC, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0)
                         : MAP_FAILED;
    if (pages == MAP_FAILED) return nullptr;
    Allocations()[pages] = dwSize;
    return pages;
}

BOOL WINAPI VirtualFree(LPVOID lpAddress, SIZE_T dwSize, DWORD dwFreeType) {
    auto lock = LockPlatform();
    auto found = Allocations().find(lpAddress);
    if (found == Allocations().end() || dwSize != 0 || dwFreeType != MEM_RELEASE) return FALSE;
    munmap(found->first, found->second);
    Allocations().erase(found);
    return TRUE;
}

HANDLE WINAPI GetCurrentProcess(void) { return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1)); }

BOOL WINAPI FlushInstructionCache(HANDLE, LPCVOID lpBaseAddress, SIZE_T dwSize) {
    __builtin___clear_cache(static_cast<char*>(const_cast<void*>(lpBaseAddress)),
                            static_cast<char*>(const_cast<void*>(lpBaseAddress)) + dwSize);
    return TRUE;
}

void WINAPI Sleep(DWORD dwMilliseconds) {
    if (dwMilliseconds == 0)
        std::this_thread::yield();
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(dwMilliseconds));
}

}  // extern "C"

void qmsim::FailVirtualAlloc(bool fail) {
    auto lock = LockPlatform();
    g_failVirtualAlloc = fail;
}
