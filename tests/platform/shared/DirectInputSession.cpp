#include "tests/platform/shared/DirectInputSession.h"

#include "tests/platform/shared/PlatformCheck.h"

namespace platformcase {

DirectInputSession::DirectInputSession() {
    void* created = nullptr;
    PC_CHECK_EQ(DirectInput8Create(GetModuleHandleA(nullptr), 0x0800, IID_IDirectInput8A, &created, nullptr), DI_OK);
    m_pDirectInput = static_cast<IDirectInput8A*>(created);
}

DirectInputSession::~DirectInputSession() {
    for (IDirectInputDevice8A* device : m_devices) device->Release();
    if (m_pDirectInput) m_pDirectInput->Release();
}

IDirectInputDevice8A* DirectInputSession::Open(const GUID& instance) {
    IDirectInputDevice8A* device = nullptr;
    if (!m_pDirectInput || !PC_CHECK_EQ(m_pDirectInput->CreateDevice(instance, &device, nullptr), DI_OK))
        return nullptr;
    m_devices.push_back(device);
    return device;
}

IDirectInputDevice8A* DirectInputSession::OpenBuffered(const GUID& instance, const DIDATAFORMAT& format,
                                                       DWORD bufferSize, HWND window, DWORD level) {
    IDirectInputDevice8A* device = Open(instance);
    if (!device) return nullptr;
    if (level != 0) PC_CHECK_EQ(device->SetCooperativeLevel(window, level), DI_OK);
    PC_CHECK_EQ(MakeReady(device, format, bufferSize), DI_OK);
    return device;
}

HRESULT SetDwordProperty(IDirectInputDevice8A* device, REFGUID property, DWORD value) {
    return SetPropertyWithHeader(device, property, sizeof(DIPROPDWORD), sizeof(DIPROPHEADER), DIPH_DEVICE, value);
}

HRESULT SetPropertyWithHeader(IDirectInputDevice8A* device, REFGUID property, DWORD size, DWORD headerSize, DWORD how,
                              DWORD value) {
    DIPROPDWORD prop{{size, headerSize, 0, how}, value};
    return device->SetProperty(property, &prop.diph);
}

HRESULT MakeReady(IDirectInputDevice8A* device, const DIDATAFORMAT& format, DWORD bufferSize) {
    PC_CHECK_EQ(device->SetDataFormat(&format), DI_OK);
    PC_CHECK_EQ(SetDwordProperty(device, DIPROP_BUFFERSIZE, bufferSize), DI_OK);
    return device->Acquire();
}

HRESULT Read(IDirectInputDevice8A* device, std::vector<DIDEVICEOBJECTDATA>& records, DWORD count, DWORD flags) {
    records.assign(count, DIDEVICEOBJECTDATA{});
    DWORD inOut = count;
    const HRESULT result = device->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), records.data(), &inOut, flags);
    records.resize(FAILED(result) ? 0 : inOut);  // a failed read leaves inOut alone
    return result;
}

DWORD CountBuffered(IDirectInputDevice8A* device) {
    DWORD inOut = INFINITE;
    const HRESULT result = device->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), nullptr, &inOut, DIGDD_PEEK);
    return FAILED(result) ? 0 : inOut;
}

HRESULT Acquired(IDirectInputDevice8A* device, const DIDATAFORMAT& format, const DeviceCall& then) {
    MakeReady(device, format, 8);
    return then(device);
}

}  // namespace platformcase
