// qminput-layout-host: a host compiled from the module's published data models
// and slot orders (ModuleMirrors.h, SlotOrder.cpp), not from its headers. For
// each of the six classes it builds an object with the DLL's own exported
// constructor inside a buffer of the size the host's declarations give,
// checks that the object stays inside it, that each published field lies at
// the host's offset with its published initial value, and that each of the
// class's virtual operations sits in the slot where the host will call it.
// usage: qminput-layout-host.exe GOLDEN_EXPORT_LIST
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "tests/layout/ExportList.h"
#include "tests/layout/ModuleMirrors.h"
#include "tests/layout/SlotOrder.h"

namespace qmlayout {
namespace {

constexpr unsigned char kFill = 0xA5;
constexpr std::size_t kGuardBytes = 512;  // room for an object far larger than published

// What one class's check found wrong; empty when nothing.
using Problems = std::vector<std::string>;

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wattributes"
using MemberCall = void*(__thiscall*)(void* object);
#pragma GCC diagnostic pop

struct sModule {
    HMODULE hModule;
    std::vector<sExport> oExports;

    void* Find(const std::string& className, const std::string& member) const
    {
        for (const sExport& entry : oExports) {
            if (entry.sClass == className && entry.sMember == member)
                return reinterpret_cast<void*>(GetProcAddress(hModule, entry.sDecorated.c_str()));
        }
        return nullptr;
    }
};

// The address the object's virtual table pointer holds: Microsoft's vftable
// symbol is that address; Itanium's table starts with the offset to the top
// and the type information before it.
const void* AddressPoint(const void* table)
{
#if defined(_MSC_VER)
    return table;
#else
    return static_cast<const char*>(table) + 2 * sizeof(void*);
#endif
}

bool AllBytesAre(const void* memory, std::size_t size, unsigned char value)
{
    const auto* bytes = static_cast<const unsigned char*>(memory);
    for (std::size_t i = 0; i < size; ++i) {
        if (bytes[i] != value)
            return false;
    }
    return true;
}

void Expect(Problems& problems, bool condition, const std::string& what)
{
    if (!condition)
        problems.push_back(what);
}

void CheckDeviceWrapper(Problems& problems, const sDi8DeviceMirror& device, const sModule& module)
{
    const void* wrapperTable = AddressPoint(module.Find("CQmDi8Device", kVirtualTable));
    Expect(problems, device.pVirtualTable == wrapperTable, "m_oDevice's virtual table");
    Expect(problems, device.m_pDevice == nullptr, "m_oDevice.m_pDevice null");
    Expect(problems, AllBytesAre(&device.m_oCaps, sizeof device.m_oCaps, 0), "m_oDevice.m_oCaps zero");
    Expect(problems, AllBytesAre(&device.m_oData, sizeof device.m_oData, 0), "m_oDevice.m_oData zero");
    Expect(problems, !device.m_bPushedBack && !device.m_bHaveData, "m_oDevice's flags false");
    Expect(problems, device.m_hWnd == nullptr, "m_oDevice.m_hWnd null");
    Expect(problems, device.m_pEnvironment == QmGetEnvironmentServer(), "m_oDevice.m_pEnvironment");
}

// The virtual operations of the class that the list names, each in its slot.
void CheckSlots(Problems& problems, const sModule& module, const std::string& className,
                const std::vector<std::string>& slots, const void* const* table, int& checked)
{
    for (const sExport& entry : module.oExports) {
        if (entry.sClass != className)
            continue;
        int index = -1;
        if (entry.sMember == kDestructor || entry.sMember == kDeletingDestructor) {
#if defined(_MSC_VER)
            continue;  // the slot holds the unexported scalar deleting destructor
#else
            index = SlotIndex(slots, "~") + (entry.sMember == kDeletingDestructor ? 1 : 0);
#endif
        } else {
            index = SlotIndex(slots, entry.sMember);
        }
        if (index < 0)
            continue;  // not virtual
        const void* exported = reinterpret_cast<void*>(GetProcAddress(module.hModule, entry.sDecorated.c_str()));
        ++checked;
        if (table[index] != exported)
            problems.push_back(entry.sMember + " is not in slot " + std::to_string(index));
    }
}

struct sClassCheck {
    const char* pName;
    eBaseFamily eFamily;
    bool bAddsGuidCreate;
    std::size_t nHostSize;
    std::function<void(Problems&, const void* object, const sModule&)> fFields;
};

template <class Mirror>
const Mirror& As(const void* object)
{
    return *static_cast<const Mirror*>(object);
}

// The first two fields of the buffered DirectInput keyboard and mouse.
template <class Mirror>
const Mirror& CheckBufferedDevice(Problems& problems, const void* object, const sModule& module)
{
    const Mirror& device = As<Mirror>(object);
    Expect(problems, device.m_nLastSequence == -1, "m_nLastSequence -1");
    CheckDeviceWrapper(problems, device.m_oDevice, module);
    return device;
}

// The two fields both window-message devices add to their host base.
template <class Mirror>
void CheckWindowDeviceFields(Problems& problems, const void* object, const sModule&)
{
    const Mirror& device = As<Mirror>(object);
    Expect(problems, device.m_hWnd == nullptr, "m_hWnd null");
    Expect(problems, device.m_pEnvironment == QmGetEnvironmentServer(), "m_pEnvironment");
}

std::vector<sClassCheck> ClassChecks()
{
    return {
        {"CQmDi8InputServer", eBaseFamily::InputServer, false, sizeof(CDi8InputServerMirror),
         [](Problems& problems, const void* object, const sModule&) {
             IDirectInput8A* directInput = As<CDi8InputServerMirror>(object).m_pDirectInput;
             Expect(problems, directInput != nullptr, "m_pDirectInput set (DirectInput started)");
             if (directInput) {
                 const ULONG taken = directInput->AddRef();
                 Expect(problems, directInput->Release() + 1 == taken, "m_pDirectInput is the interface");
             }
         }},
        {"CQmDi8Joystick", eBaseFamily::Joystick, true, sizeof(CDi8JoystickMirror),
         [](Problems& problems, const void* object, const sModule& module) {
             CheckDeviceWrapper(problems, As<CDi8JoystickMirror>(object).m_oDevice, module);
         }},
        {"CQmDi8Keyboard", eBaseFamily::Keyboard, true, sizeof(CDi8KeyboardMirror),
         [](Problems& problems, const void* object, const sModule& module) {
             const auto& keyboard = CheckBufferedDevice<CDi8KeyboardMirror>(problems, object, module);
             Expect(problems, keyboard.m_oPressedKeys.empty(), "m_oPressedKeys empty");
         }},
        {"CQmDi8Mouse", eBaseFamily::Mouse, true, sizeof(CDi8MouseMirror),
         [](Problems& problems, const void* object, const sModule& module) {
             const auto& mouse = CheckBufferedDevice<CDi8MouseMirror>(problems, object, module);
             for (const sButtonPressMirror& press : mouse.m_aButtonPress) {
                 Expect(problems, press.m_fPressTime == 0.0 && press.m_nPressX == 0 && press.m_nPressY == 0,
                        "m_aButtonPress zero");
             }
         }},
        {"CQmWindowsKeyboard", eBaseFamily::Keyboard, false, sizeof(CWindowsKeyboardMirror),
         CheckWindowDeviceFields<CWindowsKeyboardMirror>},
        {"CQmWindowsMouse", eBaseFamily::Mouse, false, sizeof(CWindowsMouseMirror),
         CheckWindowDeviceFields<CWindowsMouseMirror>},
    };
}

// Builds the object with the DLL's constructor in a buffer of the host's size
// plus a guard, checks it, destroys it with the DLL's destructor.
bool CheckClass(const sModule& module, const sClassCheck& check)
{
    Problems problems;
    const auto construct = reinterpret_cast<MemberCall>(module.Find(check.pName, kConstructor));
    const auto destroy = reinterpret_cast<MemberCall>(module.Find(check.pName, kDestructor));
    const void* table = module.Find(check.pName, kVirtualTable);
    if (!construct || !destroy || !table) {
        std::printf("FAIL %s: constructor, destructor or virtual table not exported\n", check.pName);
        return false;
    }
    std::vector<unsigned char> buffer(check.nHostSize + kGuardBytes, kFill);
    void* object = buffer.data();
    construct(object);
    Expect(problems, AllBytesAre(buffer.data() + check.nHostSize, kGuardBytes, kFill),
           "the object is larger than the host's " + std::to_string(check.nHostSize) + " bytes");
    const auto* const* objectTable = *static_cast<const void* const* const*>(object);
    Expect(problems, objectTable == AddressPoint(table), "the object's virtual table is the exported one");
    check.fFields(problems, object, module);
    int slots = 0;
    CheckSlots(problems, module, check.pName, SlotNames(check.eFamily, check.bAddsGuidCreate),
               reinterpret_cast<const void* const*>(AddressPoint(table)), slots);
    destroy(object);
    Expect(problems, AllBytesAre(buffer.data() + check.nHostSize, kGuardBytes, kFill),
           "destruction wrote past the host's size");

    if (problems.empty()) {
        std::printf("ok   %s: %u bytes, fields, %d virtual slots\n", check.pName,
                    static_cast<unsigned>(check.nHostSize), slots);
        return true;
    }
    for (const std::string& problem : problems)
        std::printf("FAIL %s: %s\n", check.pName, problem.c_str());
    return false;
}

}  // namespace
}  // namespace qmlayout

int main(int argc, char** argv)
{
    using namespace qmlayout;
    if (argc != 2) {
        std::fprintf(stderr, "usage: qminput-layout-host GOLDEN_EXPORT_LIST\n");
        return 2;
    }
    std::setvbuf(stdout, nullptr, _IONBF, 0);  // every line out before a crash
    sModule module{LoadLibraryA("qminput.dll"), ReadExportList(argv[1])};
    if (!module.hModule || module.oExports.empty()) {
        std::printf("FAIL cannot load qminput.dll or read %s\n", argv[1]);
        return 1;
    }
    bool ok = true;
    for (const sClassCheck& check : ClassChecks())
        ok = CheckClass(module, check) && ok;
    FreeLibrary(module.hModule);
    return ok ? 0 : 1;
}
