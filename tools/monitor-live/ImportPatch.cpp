#include "tools/monitor-live/ImportPatch.h"

#include <cstring>

namespace qmmonitor {
namespace {

template <class T>
T* At(BYTE* base, DWORD offset)
{
    return reinterpret_cast<T*>(base + offset);
}

const IMAGE_DATA_DIRECTORY* ImportDirectory(BYTE* base)
{
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE)
        return nullptr;
    const auto* headers = At<IMAGE_NT_HEADERS>(base, static_cast<DWORD>(dos->e_lfanew));
    if (headers->Signature != IMAGE_NT_SIGNATURE)
        return nullptr;
    const IMAGE_DATA_DIRECTORY& directory =
        headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    return directory.VirtualAddress ? &directory : nullptr;
}

// The import table sits in a read-only section once the loader has filled it.
void* ReplaceSlot(IMAGE_THUNK_DATA& slot, void* replacement)
{
    DWORD protection = 0;
    if (!VirtualProtect(&slot, sizeof slot, PAGE_READWRITE, &protection))
        return nullptr;
    void* original = reinterpret_cast<void*>(slot.u1.Function);
    slot.u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
    VirtualProtect(&slot, sizeof slot, protection, &protection);
    FlushInstructionCache(GetCurrentProcess(), &slot, sizeof slot);
    return original;
}

// The library's slot for `function`: the names come from the lookup table
// (OriginalFirstThunk), since the address table holds addresses once loaded.
IMAGE_THUNK_DATA* FindSlot(BYTE* base, const IMAGE_IMPORT_DESCRIPTOR& library, const char* function)
{
    if (!library.OriginalFirstThunk)
        return nullptr;
    auto* names = At<IMAGE_THUNK_DATA>(base, library.OriginalFirstThunk);
    auto* slots = At<IMAGE_THUNK_DATA>(base, library.FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
        if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
            continue;
        const auto* byName =
            At<IMAGE_IMPORT_BY_NAME>(base, static_cast<DWORD>(names->u1.AddressOfData));
        if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0)
            return slots;
    }
    return nullptr;
}

}  // namespace

void* PatchImport(HMODULE module, const char* library, const char* function, void* replacement)
{
    auto* base = reinterpret_cast<BYTE*>(module);
    const IMAGE_DATA_DIRECTORY* directory = base ? ImportDirectory(base) : nullptr;
    if (!directory)
        return nullptr;
    for (auto* descriptor = At<IMAGE_IMPORT_DESCRIPTOR>(base, directory->VirtualAddress);
         descriptor->Name; ++descriptor) {
        if (lstrcmpiA(At<const char>(base, descriptor->Name), library) != 0)
            continue;
        if (IMAGE_THUNK_DATA* slot = FindSlot(base, *descriptor, function))
            return ReplaceSlot(*slot, replacement);
    }
    return nullptr;
}

}  // namespace qmmonitor
