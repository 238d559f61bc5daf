// The IDirectInput8A object that DirectInput8Create hands out.
#pragma once

#include "PlatformState.h"

namespace qmsim::detail {

class DirectInputObject final : public IDirectInput8A {
public:
    DirectInputObject();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE CreateDevice(REFGUID rguid, LPDIRECTINPUTDEVICE8A* lplpDirectInputDevice,
                                           LPUNKNOWN pUnkOuter) override;
    HRESULT STDMETHODCALLTYPE EnumDevices(DWORD dwDevType, LPDIENUMDEVICESCALLBACKA lpCallback, LPVOID pvRef,
                                          DWORD dwFlags) override;
    HRESULT STDMETHODCALLTYPE GetDeviceStatus(REFGUID rguidInstance) override;
    HRESULT STDMETHODCALLTYPE RunControlPanel(HWND hwndOwner, DWORD dwFlags) override;
    HRESULT STDMETHODCALLTYPE Initialize(HINSTANCE hinst, DWORD dwVersion) override;
    HRESULT STDMETHODCALLTYPE FindDevice(REFGUID rguid, LPCSTR pszName, LPGUID pguidInstance) override;
    HRESULT STDMETHODCALLTYPE EnumDevicesBySemantics(LPCSTR ptszUserName, void* lpdiActionFormat, void* lpCallback,
                                                     LPVOID pvRef, DWORD dwFlags) override;
    HRESULT STDMETHODCALLTYPE ConfigureDevices(void* lpdiCallback, void* lpdiCDParams, DWORD dwFlags,
                                               LPVOID pvRefData) override;

    // With the platform locked. Each device interface holds one reference on the
    // object that created it, as DirectInput's do.
    ULONG AddRefLocked() { return ++m_refCount; }
    // Deletes the object when the last reference goes.
    ULONG ReleaseLocked();
    ULONG RefCountLocked() const { return m_refCount; }

private:
    ~DirectInputObject() = default;
    HRESULT Unsupported(const char* method);

    ULONG m_refCount = 1;
};

}  // namespace qmsim::detail
