#include "DirectInputObject.h"

#include <algorithm>

#include "DeviceInterface.h"
#include "DeviceProfile.h"
#include "RunCall.h"

namespace qmsim::detail {
namespace {

constexpr DWORD kDirectInput8Version = 0x0800;

// The system keyboard and mouse stand for the first attached device of their kind.
std::shared_ptr<DeviceRecord> ResolveDevice(REFGUID instance) {
    const BYTE systemType = instance == GUID_SysKeyboard ? DI8DEVTYPE_KEYBOARD
                            : instance == GUID_SysMouse  ? DI8DEVTYPE_MOUSE
                                                         : 0;
    if (systemType == 0) return FindDevice(instance);
    for (const auto& device : State().devices)
        if (device->attached && device->type == systemType) return device;
    return nullptr;
}

std::vector<DIDEVICEINSTANCEA> InstancesToEnumerate(DWORD filter, DWORD flags) {
    std::vector<DIDEVICEINSTANCEA> instances;
    if (flags & DIEDFL_FORCEFEEDBACK) return instances;  // no simulated device has force feedback
    for (const auto& device : State().devices) {
        if ((flags & DIEDFL_ATTACHEDONLY) && !device->attached) continue;
        if (!MatchesDeviceFilter(device->type, filter)) continue;
        FillInstance(*device, instances.emplace_back());
    }
    return instances;
}

}  // namespace

DirectInputObject::DirectInputObject() { State().directInputs.insert(this); }

ULONG DirectInputObject::ReleaseLocked() {
    const ULONG remaining = --m_refCount;
    if (remaining == 0) {
        State().directInputs.erase(this);
        delete this;
    }
    return remaining;
}

HRESULT DirectInputObject::QueryInterface(REFIID riid, void** ppvObject) {
    if (!ppvObject) return E_POINTER;
    const bool known = riid == IID_IUnknown || riid == IID_IDirectInput8A;
    *ppvObject = known ? this : nullptr;
    if (!known) return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG DirectInputObject::AddRef() {
    auto lock = LockPlatform();
    return AddRefLocked();
}

ULONG DirectInputObject::Release() {
    auto lock = LockPlatform();
    const ULONG remaining = ReleaseLocked();
    Log("Release DirectInput -> " + std::to_string(remaining));
    return remaining;
}

HRESULT DirectInputObject::CreateDevice(REFGUID rguid, LPDIRECTINPUTDEVICE8A* lplpDirectInputDevice,
                                        LPUNKNOWN pUnkOuter) {
    if (lplpDirectInputDevice) *lplpDirectInputDevice = nullptr;  // stays null on every failure
    auto lock = LockPlatform();
    const std::shared_ptr<DeviceRecord> device = ResolveDevice(rguid);
    const std::string name = device ? device->name : "(unknown device)";
    return RunCall("CreateDevice " + name, Call::CreateDevice, device ? name : "", [&](std::string&) {
        if (!lplpDirectInputDevice) return E_POINTER;
        if (pUnkOuter) return DIERR_NOAGGREGATION;
        if (!device) return DIERR_DEVICENOTREG;
        *lplpDirectInputDevice = new DeviceInterface(device, this);
        return DI_OK;
    });
}

// The callback runs with the platform unlocked, so it may call back in.
HRESULT DirectInputObject::EnumDevices(DWORD dwDevType, LPDIENUMDEVICESCALLBACKA lpCallback, LPVOID pvRef,
                                       DWORD dwFlags) {
    std::vector<DIDEVICEINSTANCEA> instances;
    HRESULT result;
    {
        auto lock = LockPlatform();
        result = RunCall("EnumDevices", Call::EnumDevices, "", [&](std::string& detail) {
            detail.assign(" ").append(std::to_string(dwDevType)).append(" ").append(Hex(dwFlags));
            if (!lpCallback || !IsKnownDeviceFilter(dwDevType)) return DIERR_INVALIDPARAM;
            instances = InstancesToEnumerate(dwDevType, dwFlags);
            return DI_OK;
        });
    }
    for (const DIDEVICEINSTANCEA& instance : instances)
        if (lpCallback(&instance, pvRef) == DIENUM_STOP) break;
    return result;
}

HRESULT DirectInputObject::GetDeviceStatus(REFGUID rguidInstance) {
    auto lock = LockPlatform();
    return RunCall("GetDeviceStatus", std::nullopt, "", [&](std::string&) {
        const std::shared_ptr<DeviceRecord> device = detail::FindDevice(rguidInstance);
        if (!device) return DIERR_DEVICENOTREG;
        return device->attached ? DI_OK : DI_NOTATTACHED;
    });
}

HRESULT DirectInputObject::Unsupported(const char* method) {
    auto lock = LockPlatform();
    return RunCall(std::string(method) + " DirectInput", std::nullopt, "",
                   [](std::string&) { return DIERR_UNSUPPORTED; });
}

HRESULT DirectInputObject::RunControlPanel(HWND, DWORD) { return Unsupported("RunControlPanel"); }
HRESULT DirectInputObject::Initialize(HINSTANCE, DWORD) { return Unsupported("Initialize"); }
HRESULT DirectInputObject::FindDevice(REFGUID, LPCSTR, LPGUID) { return Unsupported("FindDevice"); }
HRESULT DirectInputObject::EnumDevicesBySemantics(LPCSTR, void*, void*, LPVOID, DWORD) {
    return Unsupported("EnumDevicesBySemantics");
}
HRESULT DirectInputObject::ConfigureDevices(void*, void*, DWORD, LPVOID) { return Unsupported("ConfigureDevices"); }

}  // namespace qmsim::detail

using namespace qmsim::detail;

extern "C" HRESULT WINAPI DirectInput8Create(HINSTANCE hinst, DWORD dwVersion, REFIID riidltf, LPVOID* ppvOut,
                                             LPUNKNOWN punkOuter) {
    if (ppvOut) *ppvOut = nullptr;  // stays null on every failure
    auto lock = LockPlatform();
    return RunCall("DirectInput8Create " + Hex(dwVersion), qmsim::Call::DirectInput8Create, "", [&](std::string&) {
        if (!ppvOut || !hinst) return DIERR_INVALIDPARAM;
        if (dwVersion == 0) return DIERR_NOTINITIALIZED;
        // Measured (Wine 8): to DirectInput 8 an older version is a prerelease
        // one, and a newer one asks for a newer DirectInput.
        if (dwVersion < kDirectInput8Version) return DIERR_BETADIRECTINPUTVERSION;
        if (dwVersion > kDirectInput8Version) return DIERR_OLDDIRECTINPUTVERSION;
        // Not simulated: aggregation, which DirectInput accepts (documented; Wine 8
        // measured). The module never asks for it, so a request that did fails.
        if (punkOuter) return DIERR_NOAGGREGATION;
        if (riidltf != IID_IDirectInput8A) return DIERR_NOINTERFACE;
        *ppvOut = static_cast<IDirectInput8A*>(new DirectInputObject());
        return DI_OK;
    });
}

namespace qmsim {

long LiveDirectInputs() {
    auto lock = LockPlatform();
    return static_cast<long>(State().directInputs.size());
}

long DirectInputRefCount() {
    auto lock = LockPlatform();
    long total = 0;
    for (const DirectInputObject* object : State().directInputs) total += static_cast<long>(object->RefCountLocked());
    return total;
}

}  // namespace qmsim
