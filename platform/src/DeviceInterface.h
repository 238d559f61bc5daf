// An IDirectInputDevice8A on one device: its data format, properties,
// acquisition and record buffer.
#pragma once

#include <memory>

#include "PlatformState.h"
#include "RecordBuffer.h"

namespace qmsim::detail {

class DirectInputObject;

class DeviceInterface final : public IDirectInputDevice8A {
public:
    // With the platform locked; takes a reference on `parent`.
    DeviceInterface(std::shared_ptr<DeviceRecord> device, DirectInputObject* parent);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetCapabilities(LPDIDEVCAPS lpDIDevCaps) override;
    HRESULT STDMETHODCALLTYPE EnumObjects(void* lpCallback, LPVOID pvRef, DWORD dwFlags) override;
    HRESULT STDMETHODCALLTYPE GetProperty(REFGUID rguidProp, LPDIPROPHEADER pdiph) override;
    HRESULT STDMETHODCALLTYPE SetProperty(REFGUID rguidProp, LPCDIPROPHEADER pdiph) override;
    HRESULT STDMETHODCALLTYPE Acquire() override;
    HRESULT STDMETHODCALLTYPE Unacquire() override;
    HRESULT STDMETHODCALLTYPE GetDeviceState(DWORD cbData, LPVOID lpvData) override;
    HRESULT STDMETHODCALLTYPE GetDeviceData(DWORD cbObjectData, LPDIDEVICEOBJECTDATA rgdod, LPDWORD pdwInOut,
                                            DWORD dwFlags) override;
    HRESULT STDMETHODCALLTYPE SetDataFormat(LPCDIDATAFORMAT lpdf) override;
    HRESULT STDMETHODCALLTYPE SetEventNotification(HANDLE hEvent) override;
    HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND hwnd, DWORD dwFlags) override;
    HRESULT STDMETHODCALLTYPE GetObjectInfo(void* pdidoi, DWORD dwObj, DWORD dwHow) override;
    HRESULT STDMETHODCALLTYPE GetDeviceInfo(LPDIDEVICEINSTANCEA pdidi) override;
    HRESULT STDMETHODCALLTYPE RunControlPanel(HWND hwndOwner, DWORD dwFlags) override;
    HRESULT STDMETHODCALLTYPE Initialize(HINSTANCE hinst, DWORD dwVersion, REFGUID rguid) override;
    HRESULT STDMETHODCALLTYPE CreateEffect(REFGUID rguid, const void* lpeff, void** ppdeff,
                                           LPUNKNOWN punkOuter) override;
    HRESULT STDMETHODCALLTYPE EnumEffects(void* lpCallback, LPVOID pvRef, DWORD dwEffType) override;
    HRESULT STDMETHODCALLTYPE GetEffectInfo(void* pdei, REFGUID rguid) override;
    HRESULT STDMETHODCALLTYPE GetForceFeedbackState(LPDWORD pdwOut) override;
    HRESULT STDMETHODCALLTYPE SendForceFeedbackCommand(DWORD dwFlags) override;
    HRESULT STDMETHODCALLTYPE EnumCreatedEffectObjects(void* lpCallback, LPVOID pvRef, DWORD fl) override;
    HRESULT STDMETHODCALLTYPE Escape(void* pesc) override;
    HRESULT STDMETHODCALLTYPE Poll() override;
    HRESULT STDMETHODCALLTYPE SendDeviceData(DWORD cbObjectData, LPCDIDEVICEOBJECTDATA rgdod, LPDWORD pdwInOut,
                                             DWORD fl) override;
    HRESULT STDMETHODCALLTYPE EnumEffectsInFile(LPCSTR lpszFileName, void* pec, LPVOID pvRef,
                                                DWORD dwFlags) override;
    HRESULT STDMETHODCALLTYPE WriteEffectToFile(LPCSTR lpszFileName, DWORD dwEntries, void* rgDiFileEft,
                                                DWORD dwFlags) override;
    HRESULT STDMETHODCALLTYPE BuildActionMap(void* lpdiaf, LPCSTR lpszUserName, DWORD dwFlags) override;
    HRESULT STDMETHODCALLTYPE SetActionMap(void* lpdiaf, LPCSTR lpszUserName, DWORD dwFlags) override;
    HRESULT STDMETHODCALLTYPE GetImageInfo(void* lpdiDevImageInfoHeader) override;

    // ---- the platform's side, with the platform locked ----
    const DeviceRecord& Device() const { return *m_device; }
    // Input from the device: buffered only while acquired.
    bool Deliver(const DIDEVICEOBJECTDATA_DX3& record);
    void LoseInput();
    // A foreground-level device is unacquired once its window has lost the focus.
    void FollowFocus();
    DeviceState Snapshot();

private:
    ~DeviceInterface() = default;
    template <class Body>
    HRESULT Run(const char* method, std::optional<Call> injectable, Body&& body);
    HRESULT Unsupported(const char* method);
    enum class Acquisition { Unacquired, Acquired, InputLost };

    HRESULT ApplyProperty(const GUID* property, const DIPROPHEADER* header, std::string& detail);
    HRESULT ReadBuffer(DWORD recordSize, LPDIDEVICEOBJECTDATA out, LPDWORD inOut, DWORD flags, std::string& detail);
    bool IsAcquired() const { return m_acquisition == Acquisition::Acquired; }

    std::shared_ptr<DeviceRecord> m_device;
    DirectInputObject* m_parent;
    ULONG m_refCount = 1;
    Acquisition m_acquisition = Acquisition::Unacquired;
    bool m_cooperativeLevelSet = false;
    // Documented: without SetCooperativeLevel a device is non-exclusive and background.
    DWORD m_cooperativeFlags = DISCL_NONEXCLUSIVE | DISCL_BACKGROUND;
    std::uintptr_t m_cooperativeWindow = 0;
    const DIDATAFORMAT* m_dataFormat = nullptr;
    DWORD m_axisMode = 0xFFFFFFFF;
    DWORD m_deadZone = 0xFFFFFFFF;
    DWORD m_saturation = 0xFFFFFFFF;
    RecordBuffer m_buffer;
};

// Every live device interface on the named device, oldest first.
std::vector<DeviceInterface*> InterfacesOf(const std::string& deviceName);

}  // namespace qmsim::detail
