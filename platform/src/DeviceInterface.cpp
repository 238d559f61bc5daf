#include "DeviceInterface.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "DataFormatNames.h"
#include "DeviceProfile.h"
#include "DirectInputObject.h"
#include "RunCall.h"

namespace qmsim::detail {

DeviceInterface::DeviceInterface(std::shared_ptr<DeviceRecord> device, DirectInputObject* parent)
    : m_device(std::move(device)), m_parent(parent) {
    m_parent->AddRefLocked();
    State().deviceInterfaces.push_back(this);
}

template <class Body>
HRESULT DeviceInterface::Run(const char* method, std::optional<Call> injectable, Body&& body) {
    auto lock = LockPlatform();
    return RunCall(std::string(method) + " " + m_device->name, injectable, m_device->name, body);
}

HRESULT DeviceInterface::Unsupported(const char* method) {
    return Run(method, std::nullopt, [](std::string&) { return DIERR_UNSUPPORTED; });
}

// ---- IUnknown ----------------------------------------------------------------------

HRESULT DeviceInterface::QueryInterface(REFIID riid, void** ppvObject) {
    if (!ppvObject) return E_POINTER;
    const bool known = riid == IID_IUnknown || riid == IID_IDirectInputDevice8A;
    *ppvObject = known ? this : nullptr;
    if (!known) return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG DeviceInterface::AddRef() {
    auto lock = LockPlatform();
    return ++m_refCount;
}

ULONG DeviceInterface::Release() {
    auto lock = LockPlatform();
    const ULONG remaining = --m_refCount;
    Log("Release " + m_device->name + " -> " + std::to_string(remaining));
    if (remaining == 0) {
        auto& live = State().deviceInterfaces;
        live.erase(std::remove(live.begin(), live.end(), this), live.end());
        m_parent->ReleaseLocked();
        delete this;
    }
    return remaining;
}

// ---- What the module uses ----------------------------------------------------------

HRESULT DeviceInterface::GetCapabilities(LPDIDEVCAPS lpDIDevCaps) {
    return Run("GetCapabilities", Call::GetCapabilities, [&](std::string&) {
        if (!lpDIDevCaps) return E_POINTER;
        const DWORD size = lpDIDevCaps->dwSize;
        if (size != sizeof(DIDEVCAPS) && size != sizeof(DIDEVCAPS_DX3)) return DIERR_INVALIDPARAM;
        DIDEVCAPS caps = CapabilitiesOf(*m_device);
        caps.dwSize = size;
        std::memcpy(lpDIDevCaps, &caps, size);
        return DI_OK;
    });
}

HRESULT DeviceInterface::SetDataFormat(LPCDIDATAFORMAT lpdf) {
    return Run("SetDataFormat", Call::SetDataFormat, [&](std::string& detail) {
        if (!lpdf) return DIERR_INVALIDPARAM;
        detail = std::string(" ") + DataFormatName(lpdf);
        if (IsAcquired()) return DIERR_ACQUIRED;
        if (lpdf->dwSize != sizeof(DIDATAFORMAT) || lpdf->dwObjSize != sizeof(DIOBJECTDATAFORMAT))
            return DIERR_INVALIDPARAM;
        // Measured (Wine 8): the records buffered before keep their place.
        m_dataFormat = lpdf;
        return DI_OK;
    });
}

namespace {

struct DwordProperty {
    const GUID* property;
    const char* name;
    DWORD maxValue;
    bool onlyWhileUnacquired;
};

const DwordProperty kDwordProperties[] = {
    {&DIPROP_BUFFERSIZE, "DIPROP_BUFFERSIZE", 0xFFFFFFFF, true},
    {&DIPROP_AXISMODE, "DIPROP_AXISMODE", DIPROPAXISMODE_REL, true},
    {&DIPROP_DEADZONE, "DIPROP_DEADZONE", 10000, false},
    {&DIPROP_SATURATION, "DIPROP_SATURATION", 10000, false},
};

}  // namespace

HRESULT DeviceInterface::SetProperty(REFGUID rguidProp, LPCDIPROPHEADER pdiph) {
    return Run("SetProperty", Call::SetProperty,
               [&](std::string& detail) { return ApplyProperty(&rguidProp, pdiph, detail); });
}

// Only device-wide DWORD properties are simulated; per-object ones are unsupported.
HRESULT DeviceInterface::ApplyProperty(const GUID* property, const DIPROPHEADER* header, std::string& detail) {
    auto known = std::find_if(std::begin(kDwordProperties), std::end(kDwordProperties),
                              [&](const DwordProperty& entry) { return entry.property == property; });
    if (known == std::end(kDwordProperties)) {
        detail = " (unknown property)";
        return DIERR_UNSUPPORTED;
    }
    detail = std::string(" ") + known->name;
    if (!header || header->dwHeaderSize != sizeof(DIPROPHEADER) || header->dwSize != sizeof(DIPROPDWORD))
        return DIERR_INVALIDPARAM;
    if (header->dwHow != DIPH_DEVICE) return DIERR_UNSUPPORTED;
    if (header->dwObj != 0) return DIERR_INVALIDPARAM;
    const DWORD value = reinterpret_cast<const DIPROPDWORD*>(header)->dwData;
    detail.append(" ").append(std::to_string(value));
    if (known->onlyWhileUnacquired && IsAcquired()) return DIERR_ACQUIRED;
    if (value > known->maxValue) return DIERR_INVALIDPARAM;
    if (property == &DIPROP_BUFFERSIZE) m_buffer.SetCapacity(value);
    if (property == &DIPROP_AXISMODE) m_axisMode = value;
    if (property == &DIPROP_DEADZONE) m_deadZone = value;
    if (property == &DIPROP_SATURATION) m_saturation = value;
    return DI_OK;
}

HRESULT DeviceInterface::Acquire() {
    return Run("Acquire", Call::Acquire, [&](std::string&) {
        FollowFocus();
        if (IsAcquired()) return DI_NOEFFECT;
        if (!m_dataFormat) return DIERR_INVALIDPARAM;
        // Documented and measured: a foreground-level device is acquired only
        // while its window is the foreground window.
        if ((m_cooperativeFlags & DISCL_FOREGROUND) && FocusWindow() != m_cooperativeWindow)
            return DIERR_OTHERAPPHASPRIO;
        // Measured: a failed attempt on a device that is gone ends the input-lost
        // state; reads then answer DIERR_NOTACQUIRED.
        if (!m_device->attached) {
            m_acquisition = Acquisition::Unacquired;
            return DIERR_UNPLUGGED;
        }
        // Measured: the records buffered before an Unacquire are still there.
        m_acquisition = Acquisition::Acquired;
        return DI_OK;
    });
}

HRESULT DeviceInterface::Unacquire() {
    return Run("Unacquire", std::nullopt, [&](std::string&) {
        const bool wasAcquired = IsAcquired();
        m_acquisition = Acquisition::Unacquired;
        return wasAcquired ? DI_OK : DI_NOEFFECT;
    });
}

HRESULT DeviceInterface::Poll() {
    return Run("Poll", Call::Poll, [&](std::string&) {
        FollowFocus();
        if (m_acquisition == Acquisition::InputLost) return DIERR_INPUTLOST;
        if (!IsAcquired()) return DIERR_NOTACQUIRED;
        // Measured (Wine 8): DI_OK, also on a device that needs no polling, for
        // which the documentation names DI_NOEFFECT.
        return DI_OK;
    });
}

// Measured: a failed read leaves *pdwInOut as the caller set it, injected failures too.
HRESULT DeviceInterface::GetDeviceData(DWORD cbObjectData, LPDIDEVICEOBJECTDATA rgdod, LPDWORD pdwInOut,
                                       DWORD dwFlags) {
    return Run("GetDeviceData", Call::GetDeviceData, [&](std::string& detail) {
        if (!pdwInOut) return DIERR_INVALIDPARAM;
        if (cbObjectData != sizeof(DIDEVICEOBJECTDATA) && cbObjectData != sizeof(DIDEVICEOBJECTDATA_DX3))
            return DIERR_INVALIDPARAM;
        if (dwFlags & ~DWORD{DIGDD_PEEK}) return DIERR_INVALIDPARAM;
        FollowFocus();
        // Measured, in this order: no buffer, input lost (on every read until an
        // Acquire), not acquired.
        if (m_buffer.Capacity() == 0) return DIERR_NOTBUFFERED;
        if (m_acquisition == Acquisition::InputLost) return DIERR_INPUTLOST;
        if (!IsAcquired()) return DIERR_NOTACQUIRED;
        return ReadBuffer(cbObjectData, rgdod, pdwInOut, dwFlags, detail);
    });
}

HRESULT DeviceInterface::ReadBuffer(DWORD recordSize, LPDIDEVICEOBJECTDATA out, LPDWORD inOut, DWORD flags,
                                    std::string& detail) {
    const DWORD requested = *inOut;
    const RecordBuffer::ReadResult read = m_buffer.Read(out, recordSize, requested, flags & DIGDD_PEEK);
    *inOut = read.count;
    detail.assign(" ").append(std::to_string(read.count)).append(" of ").append(std::to_string(requested));
    return read.overflowed ? DI_BUFFEROVERFLOW : DI_OK;
}

HRESULT DeviceInterface::SetCooperativeLevel(HWND hwnd, DWORD dwFlags) {
    return Run("SetCooperativeLevel", std::nullopt, [&](std::string& detail) {
        detail.assign(" ").append(Hex(reinterpret_cast<std::uintptr_t>(hwnd))).append(" ").append(Hex(dwFlags));
        const bool oneAccess = !(dwFlags & DISCL_EXCLUSIVE) != !(dwFlags & DISCL_NONEXCLUSIVE);
        const bool oneScope = !(dwFlags & DISCL_FOREGROUND) != !(dwFlags & DISCL_BACKGROUND);
        const bool needsWindow = dwFlags & (DISCL_EXCLUSIVE | DISCL_FOREGROUND);
        if (!oneAccess || !oneScope) return DIERR_INVALIDPARAM;
        if (needsWindow && !State().windows.count(reinterpret_cast<std::uintptr_t>(hwnd))) return E_HANDLE;
        if (IsAcquired()) return DIERR_ACQUIRED;
        m_cooperativeLevelSet = true;
        m_cooperativeFlags = dwFlags;
        m_cooperativeWindow = reinterpret_cast<std::uintptr_t>(hwnd);
        return DI_OK;
    });
}

HRESULT DeviceInterface::GetDeviceInfo(LPDIDEVICEINSTANCEA pdidi) {
    return Run("GetDeviceInfo", std::nullopt, [&](std::string&) {
        if (!pdidi) return E_POINTER;
        if (pdidi->dwSize != sizeof(DIDEVICEINSTANCEA)) return DIERR_INVALIDPARAM;
        FillInstance(*m_device, *pdidi);
        return DI_OK;
    });
}

// ---- Not simulated -----------------------------------------------------------------

HRESULT DeviceInterface::EnumObjects(void*, LPVOID, DWORD) { return Unsupported("EnumObjects"); }
HRESULT DeviceInterface::GetProperty(REFGUID, LPDIPROPHEADER) { return Unsupported("GetProperty"); }
HRESULT DeviceInterface::GetDeviceState(DWORD, LPVOID) { return Unsupported("GetDeviceState"); }
HRESULT DeviceInterface::SetEventNotification(HANDLE) { return Unsupported("SetEventNotification"); }
HRESULT DeviceInterface::GetObjectInfo(void*, DWORD, DWORD) { return Unsupported("GetObjectInfo"); }
HRESULT DeviceInterface::RunControlPanel(HWND, DWORD) { return Unsupported("RunControlPanel"); }
HRESULT DeviceInterface::Initialize(HINSTANCE, DWORD, REFGUID) { return Unsupported("Initialize"); }
HRESULT DeviceInterface::CreateEffect(REFGUID, const void*, void**, LPUNKNOWN) {
    return Unsupported("CreateEffect");
}
HRESULT DeviceInterface::EnumEffects(void*, LPVOID, DWORD) { return Unsupported("EnumEffects"); }
HRESULT DeviceInterface::GetEffectInfo(void*, REFGUID) { return Unsupported("GetEffectInfo"); }
HRESULT DeviceInterface::GetForceFeedbackState(LPDWORD) { return Unsupported("GetForceFeedbackState"); }
HRESULT DeviceInterface::SendForceFeedbackCommand(DWORD) { return Unsupported("SendForceFeedbackCommand"); }
HRESULT DeviceInterface::EnumCreatedEffectObjects(void*, LPVOID, DWORD) {
    return Unsupported("EnumCreatedEffectObjects");
}
HRESULT DeviceInterface::Escape(void*) { return Unsupported("Escape"); }
HRESULT DeviceInterface::SendDeviceData(DWORD, LPCDIDEVICEOBJECTDATA, LPDWORD, DWORD) {
    return Unsupported("SendDeviceData");
}
HRESULT DeviceInterface::EnumEffectsInFile(LPCSTR, void*, LPVOID, DWORD) { return Unsupported("EnumEffectsInFile"); }
HRESULT DeviceInterface::WriteEffectToFile(LPCSTR, DWORD, void*, DWORD) { return Unsupported("WriteEffectToFile"); }
HRESULT DeviceInterface::BuildActionMap(void*, LPCSTR, DWORD) { return Unsupported("BuildActionMap"); }
HRESULT DeviceInterface::SetActionMap(void*, LPCSTR, DWORD) { return Unsupported("SetActionMap"); }
HRESULT DeviceInterface::GetImageInfo(void*) { return Unsupported("GetImageInfo"); }

// ---- The platform's side -----------------------------------------------------------

bool DeviceInterface::Deliver(const DIDEVICEOBJECTDATA_DX3& record) {
    FollowFocus();
    // Documented: input that arrives while the device is unacquired is not buffered.
    return m_device->attached && IsAcquired() && m_buffer.Push(record);
}

// Neither documented nor measured: a lost device's buffer is emptied (Wine's
// unplugged devices cannot be read or acquired again, so it cannot show).
void DeviceInterface::LoseInput() {
    m_acquisition = Acquisition::InputLost;
    m_buffer.Clear();
}

// Measured: losing the foreground unacquires a foreground-level device, which
// then reads DIERR_NOTACQUIRED (never DIERR_INPUTLOST) and keeps its records;
// a background-level device is not affected.
void DeviceInterface::FollowFocus() {
    const bool foreground = m_cooperativeFlags & DISCL_FOREGROUND;
    if (foreground && IsAcquired() && FocusWindow() != m_cooperativeWindow)
        m_acquisition = Acquisition::Unacquired;
}

DeviceState DeviceInterface::Snapshot() {
    FollowFocus();
    DeviceState state;
    state.exists = true;
    state.refCount = m_refCount;
    state.acquired = IsAcquired();
    state.dataFormat = m_dataFormat;
    state.bufferSize = m_buffer.Capacity();
    state.axisMode = m_axisMode;
    state.deadZone = m_deadZone;
    state.saturation = m_saturation;
    state.bufferedRecords = m_buffer.Size();
    state.cooperativeLevelSet = m_cooperativeLevelSet;
    return state;
}

std::vector<DeviceInterface*> InterfacesOf(const std::string& deviceName) {
    std::vector<DeviceInterface*> found;
    for (DeviceInterface* device : State().deviceInterfaces)
        if (device->Device().name == deviceName) found.push_back(device);
    return found;
}

}  // namespace qmsim::detail

namespace qmsim {

long LiveDeviceInterfaces() {
    auto lock = detail::LockPlatform();
    return static_cast<long>(detail::State().deviceInterfaces.size());
}

}  // namespace qmsim
