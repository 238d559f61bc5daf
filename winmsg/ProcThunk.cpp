#include "winmsg/ProcThunk.h"

#include <cstdint>
#include <cstring>

namespace {

// One thunk's code (12 bytes on 32-bit x86, 34 on x86-64), padded to a fixed
// size; a freed slot keeps the next free one's address in its first bytes.
constexpr std::size_t kThunkSize = sizeof(void*) == 4 ? 16 : 48;
constexpr std::size_t kPageSize = 4096;
constexpr std::size_t kThunksPerPage = kPageSize / kThunkSize;

unsigned char* g_pFreeSlot = nullptr;
// The pages, each one's first slot holding the next one's address.
unsigned char* g_pPages = nullptr;

// Several windows' threads may make and free thunks at once; the pool's list is
// the only state they share, held for a few instructions.
LONG volatile g_nPoolBusy = 0;

struct sPoolHold {
    sPoolHold()
    {
        while (InterlockedCompareExchange(&g_nPoolBusy, 1, 0) != 0)
            Sleep(0);
    }
    ~sPoolHold() { InterlockedExchange(&g_nPoolBusy, 0); }
};

unsigned char* NextFree(unsigned char* slot)
{
    unsigned char* next = nullptr;
    std::memcpy(&next, slot, sizeof next);
    return next;
}

void PushFree(unsigned char* slot)
{
    std::memcpy(slot, &g_pFreeSlot, sizeof g_pFreeSlot);
    g_pFreeSlot = slot;
}

bool AddPage()
{
    auto* page = static_cast<unsigned char*>(
        VirtualAlloc(nullptr, kPageSize, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE));
    if (!page)
        return false;
    std::memcpy(page, &g_pPages, sizeof g_pPages);
    g_pPages = page;
    for (std::size_t slot = kThunksPerPage; slot-- > 1;)
        PushFree(page + slot * kThunkSize);
    return true;
}

template <class Value>
unsigned char* Put(unsigned char* at, Value value)
{
    std::memcpy(at, &value, sizeof value);
    return at + sizeof value;
}

// The code: the context goes in as the target's first argument and the target
// returns straight to the window procedure's caller.
void WriteCode(unsigned char* code, ThunkTarget target, void* context)
{
#if defined(__i386__) || defined(_M_IX86)
    // pop eax; push context; push eax; jmp target. The target is __stdcall with
    // one argument more and takes it off the stack with the others.
    code = Put<unsigned char>(code, 0x58);
    code = Put<unsigned char>(code, 0x68);
    code = Put(code, static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(context)));
    code = Put<unsigned char>(code, 0x50);
    code = Put<unsigned char>(code, 0xE9);
    const auto after = reinterpret_cast<std::uintptr_t>(code) + 4;
    Put(code, static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(target) - after));
#elif defined(__x86_64__) && !defined(_WIN32)
    // System V: the four arguments move one register along, the context goes
    // first: mov r8,rcx; mov rcx,rdx; mov rdx,rsi; mov rsi,rdi;
    // mov rdi,context; mov rax,target; jmp rax.
    static const unsigned char kShift[] = {0x49, 0x89, 0xC8, 0x48, 0x89, 0xD1, 0x48, 0x89, 0xF2, 0x48, 0x89, 0xFE};
    std::memcpy(code, kShift, sizeof kShift);
    code += sizeof kShift;
    code = Put<std::uint16_t>(code, 0xBF48);
    code = Put(code, reinterpret_cast<std::uint64_t>(context));
    code = Put<std::uint16_t>(code, 0xB848);
    code = Put(code, reinterpret_cast<std::uint64_t>(target));
    Put<std::uint16_t>(code, 0xE0FF);
#else
#    error "window procedure thunks are written for 32-bit x86 (and x86-64 System V for the simulation)"
#endif
}

}  // namespace

WNDPROC MakeProcThunk(ThunkTarget target, void* context)
{
    unsigned char* slot = nullptr;
    {
        sPoolHold hold;
        if (!g_pFreeSlot && !AddPage())
            return nullptr;
        slot = g_pFreeSlot;
        g_pFreeSlot = NextFree(slot);
    }
    WriteCode(slot, target, context);
    FlushInstructionCache(GetCurrentProcess(), slot, kThunkSize);
    return reinterpret_cast<WNDPROC>(reinterpret_cast<void*>(slot));
}

void FreeProcThunk(WNDPROC thunk)
{
    sPoolHold hold;
    PushFree(reinterpret_cast<unsigned char*>(reinterpret_cast<void*>(thunk)));
}

void ReleaseProcThunks()
{
    sPoolHold hold;
    while (unsigned char* page = g_pPages) {
        std::memcpy(&g_pPages, page, sizeof g_pPages);
        VirtualFree(page, 0, MEM_RELEASE);
    }
    g_pFreeSlot = nullptr;
}
