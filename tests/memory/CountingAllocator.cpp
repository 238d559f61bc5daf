#include "memory/CountingAllocator.h"

#include <execinfo.h>
#include <link.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

enum eOwner { OWNER_MODULE, OWNER_FRAMEWORK, OWNER_PLATFORM, OWNER_COUNT };

constexpr const char* kLibraryFiles[OWNER_COUNT] = {QM_MODULE_FILE, QM_FRAMEWORK_FILE, QM_PLATFORM_FILE};

// Where each library's loaded segments lie. Filled once, before counting starts.
struct sRange {
    std::uintptr_t nStart;
    std::uintptr_t nEnd;
    eOwner eLibrary;
};
constexpr int kMaxRanges = 32;
sRange g_aRanges[kMaxRanges];
int g_nRanges = 0;

std::atomic<bool> g_bCounting{false};
std::atomic<long> g_aCounts[OWNER_COUNT + 1];
// The stack walk may allocate itself; those allocations are not counted.
thread_local bool t_bWalkingStack = false;

bool EndsWith(const char* text, const char* suffix)
{
    const std::size_t textLength = std::strlen(text);
    const std::size_t suffixLength = std::strlen(suffix);
    return textLength >= suffixLength && std::strcmp(text + textLength - suffixLength, suffix) == 0;
}

int NoteLibrary(dl_phdr_info* info, std::size_t, void*)
{
    for (int owner = 0; owner < OWNER_COUNT; ++owner) {
        if (!info->dlpi_name || !EndsWith(info->dlpi_name, kLibraryFiles[owner]))
            continue;
        for (int i = 0; i < info->dlpi_phnum && g_nRanges < kMaxRanges; ++i) {
            const ElfW(Phdr)& segment = info->dlpi_phdr[i];
            if (segment.p_type != PT_LOAD)
                continue;
            const std::uintptr_t start = info->dlpi_addr + segment.p_vaddr;
            g_aRanges[g_nRanges++] = {start, start + segment.p_memsz, static_cast<eOwner>(owner)};
        }
    }
    return 0;
}

int OwnerOf(const void* address)
{
    const auto value = reinterpret_cast<std::uintptr_t>(address);
    for (int i = 0; i < g_nRanges; ++i) {
        if (value >= g_aRanges[i].nStart && value < g_aRanges[i].nEnd)
            return g_aRanges[i].eLibrary;
    }
    return OWNER_COUNT;
}

// The owner is the library of the innermost frame that belongs to one of the
// three: a string the platform builds with the standard library's help is the
// platform's, a vector the module grows is the module's.
void CountAllocation()
{
    if (!g_bCounting.load(std::memory_order_relaxed) || t_bWalkingStack)
        return;
    t_bWalkingStack = true;
    void* frames[64];
    const int depth = backtrace(frames, 64);
    int owner = OWNER_COUNT;
    for (int i = 1; i < depth && owner == OWNER_COUNT; ++i)
        owner = OwnerOf(frames[i]);
    ++g_aCounts[owner];
    t_bWalkingStack = false;
}

void* Allocate(std::size_t size)
{
    CountAllocation();
    return std::malloc(size ? size : 1);
}

void* AllocateAligned(std::size_t size, std::align_val_t alignment)
{
    CountAllocation();
    const auto align = static_cast<std::size_t>(alignment);
    return std::aligned_alloc(align, (size + align - 1) / align * align);
}

}  // namespace

namespace qmtest {

CAllocationCount::CAllocationCount()
{
    if (g_nRanges == 0) {
        dl_iterate_phdr(&NoteLibrary, nullptr);
        // The first walk loads the unwinder, which allocates.
        void* frames[4];
        backtrace(frames, 4);
    }
    for (auto& count : g_aCounts)
        count = 0;
    g_bCounting = true;
}

CAllocationCount::~CAllocationCount()
{
    g_bCounting = false;
}

sAllocationCounts CAllocationCount::Stop()
{
    g_bCounting = false;
    return {g_aCounts[OWNER_MODULE], g_aCounts[OWNER_FRAMEWORK], g_aCounts[OWNER_PLATFORM], g_aCounts[OWNER_COUNT]};
}

}  // namespace qmtest

void* operator new(std::size_t size)
{
    if (void* memory = Allocate(size))
        return memory;
    throw std::bad_alloc();
}

void* operator new[](std::size_t size)
{
    return ::operator new(size);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return Allocate(size);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return Allocate(size);
}

void* operator new(std::size_t size, std::align_val_t alignment)
{
    if (void* memory = AllocateAligned(size, alignment))
        return memory;
    throw std::bad_alloc();
}

void* operator new[](std::size_t size, std::align_val_t alignment)
{
    return ::operator new(size, alignment);
}

void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept
{
    return AllocateAligned(size, alignment);
}

void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept
{
    return AllocateAligned(size, alignment);
}

void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete(void* memory, std::align_val_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::align_val_t) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept { std::free(memory); }
void operator delete(void* memory, std::align_val_t, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, std::align_val_t, const std::nothrow_t&) noexcept { std::free(memory); }
