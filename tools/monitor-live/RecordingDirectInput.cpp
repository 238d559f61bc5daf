#include "tools/monitor-live/RecordingDirectInput.h"

namespace qmmonitor {
namespace {

// Reference counting shared by both wrappers: the wrapper counts the
// references handed out on itself and passes each on to the real interface,
// whose counts the caller sees.
template <class Interface>
class CForwardingInterface : public Interface {
public:
    CForwardingInterface(Interface* real, REFIID interfaceId)
        : m_pReal(real), m_oInterfaceId(interfaceId)
    {
    }
    virtual ~CForwardingInterface() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, m_oInterfaceId)) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        return m_pReal->QueryInterface(riid, object);
    }

    ULONG STDMETHODCALLTYPE AddRef() override
    {
        ++m_nReferences;
        return m_pReal->AddRef();
    }

    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG remaining = m_pReal->Release();
        if (--m_nReferences == 0)
            delete this;
        return remaining;
    }

protected:
    Interface* m_pReal;

private:
    IID m_oInterfaceId;
    ULONG m_nReferences = 1;
};

class CRecordingDevice final : public CForwardingInterface<IDirectInputDevice8A> {
public:
    CRecordingDevice(IDirectInputDevice8A* real, const std::string& name,
                     CSessionRecorder& recorder)
        : CForwardingInterface(real, IID_IDirectInputDevice8A), m_oName(name), m_oRecorder(recorder)
    {
    }

    HRESULT STDMETHODCALLTYPE GetDeviceData(DWORD size, LPDIDEVICEOBJECTDATA records,
                                            LPDWORD count, DWORD flags) override
    {
        const HRESULT result = m_pReal->GetDeviceData(size, records, count, flags);
        // A peek leaves the records in the buffer for the read that takes them.
        const bool removed = !(flags & DIGDD_PEEK) && size == sizeof(DIDEVICEOBJECTDATA);
        m_oRecorder.NoteRead(m_oName, result, removed ? records : nullptr,
                             removed && count && SUCCEEDED(result) ? *count : 0);
        return result;
    }

    HRESULT STDMETHODCALLTYPE GetCapabilities(LPDIDEVCAPS caps) override
    {
        return m_pReal->GetCapabilities(caps);
    }
    HRESULT STDMETHODCALLTYPE EnumObjects(LPDIENUMDEVICEOBJECTSCALLBACKA callback, LPVOID context,
                                          DWORD flags) override
    {
        return m_pReal->EnumObjects(callback, context, flags);
    }
    HRESULT STDMETHODCALLTYPE GetProperty(REFGUID property, LPDIPROPHEADER header) override
    {
        return m_pReal->GetProperty(property, header);
    }
    HRESULT STDMETHODCALLTYPE SetProperty(REFGUID property, LPCDIPROPHEADER header) override
    {
        return m_pReal->SetProperty(property, header);
    }
    HRESULT STDMETHODCALLTYPE Acquire() override { return m_pReal->Acquire(); }
    HRESULT STDMETHODCALLTYPE Unacquire() override { return m_pReal->Unacquire(); }
    HRESULT STDMETHODCALLTYPE GetDeviceState(DWORD size, LPVOID state) override
    {
        return m_pReal->GetDeviceState(size, state);
    }
    HRESULT STDMETHODCALLTYPE SetDataFormat(LPCDIDATAFORMAT format) override
    {
        return m_pReal->SetDataFormat(format);
    }
    HRESULT STDMETHODCALLTYPE SetEventNotification(HANDLE event) override
    {
        return m_pReal->SetEventNotification(event);
    }
    HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND window, DWORD flags) override
    {
        return m_pReal->SetCooperativeLevel(window, flags);
    }
    HRESULT STDMETHODCALLTYPE GetObjectInfo(LPDIDEVICEOBJECTINSTANCEA info, DWORD object,
                                            DWORD how) override
    {
        return m_pReal->GetObjectInfo(info, object, how);
    }
    HRESULT STDMETHODCALLTYPE GetDeviceInfo(LPDIDEVICEINSTANCEA info) override
    {
        return m_pReal->GetDeviceInfo(info);
    }
    HRESULT STDMETHODCALLTYPE RunControlPanel(HWND owner, DWORD flags) override
    {
        return m_pReal->RunControlPanel(owner, flags);
    }
    HRESULT STDMETHODCALLTYPE Initialize(HINSTANCE instance, DWORD version, REFGUID guid) override
    {
        return m_pReal->Initialize(instance, version, guid);
    }
    HRESULT STDMETHODCALLTYPE CreateEffect(REFGUID guid, LPCDIEFFECT effect,
                                           LPDIRECTINPUTEFFECT* created, LPUNKNOWN outer) override
    {
        return m_pReal->CreateEffect(guid, effect, created, outer);
    }
    HRESULT STDMETHODCALLTYPE EnumEffects(LPDIENUMEFFECTSCALLBACKA callback, LPVOID context,
                                          DWORD type) override
    {
        return m_pReal->EnumEffects(callback, context, type);
    }
    HRESULT STDMETHODCALLTYPE GetEffectInfo(LPDIEFFECTINFOA info, REFGUID guid) override
    {
        return m_pReal->GetEffectInfo(info, guid);
    }
    HRESULT STDMETHODCALLTYPE GetForceFeedbackState(LPDWORD state) override
    {
        return m_pReal->GetForceFeedbackState(state);
    }
    HRESULT STDMETHODCALLTYPE SendForceFeedbackCommand(DWORD flags) override
    {
        return m_pReal->SendForceFeedbackCommand(flags);
    }
    HRESULT STDMETHODCALLTYPE EnumCreatedEffectObjects(
        LPDIENUMCREATEDEFFECTOBJECTSCALLBACK callback, LPVOID context, DWORD flags) override
    {
        return m_pReal->EnumCreatedEffectObjects(callback, context, flags);
    }
    HRESULT STDMETHODCALLTYPE Escape(LPDIEFFESCAPE escape) override
    {
        return m_pReal->Escape(escape);
    }
    HRESULT STDMETHODCALLTYPE Poll() override { return m_pReal->Poll(); }
    HRESULT STDMETHODCALLTYPE SendDeviceData(DWORD size, LPCDIDEVICEOBJECTDATA records,
                                             LPDWORD count, DWORD flags) override
    {
        return m_pReal->SendDeviceData(size, records, count, flags);
    }
    HRESULT STDMETHODCALLTYPE EnumEffectsInFile(LPCSTR file, LPDIENUMEFFECTSINFILECALLBACK callback,
                                                LPVOID context, DWORD flags) override
    {
        return m_pReal->EnumEffectsInFile(file, callback, context, flags);
    }
    HRESULT STDMETHODCALLTYPE WriteEffectToFile(LPCSTR file, DWORD count, LPDIFILEEFFECT effects,
                                                DWORD flags) override
    {
        return m_pReal->WriteEffectToFile(file, count, effects, flags);
    }
    HRESULT STDMETHODCALLTYPE BuildActionMap(LPDIACTIONFORMATA format, LPCSTR user,
                                             DWORD flags) override
    {
        return m_pReal->BuildActionMap(format, user, flags);
    }
    HRESULT STDMETHODCALLTYPE SetActionMap(LPDIACTIONFORMATA format, LPCSTR user,
                                           DWORD flags) override
    {
        return m_pReal->SetActionMap(format, user, flags);
    }
    HRESULT STDMETHODCALLTYPE GetImageInfo(LPDIDEVICEIMAGEINFOHEADERA info) override
    {
        return m_pReal->GetImageInfo(info);
    }

private:
    std::string m_oName;
    CSessionRecorder& m_oRecorder;
};

class CRecordingDirectInput final : public CForwardingInterface<IDirectInput8A> {
public:
    CRecordingDirectInput(IDirectInput8A* real, CSessionRecorder& recorder)
        : CForwardingInterface(real, IID_IDirectInput8A), m_oRecorder(recorder)
    {
    }

    HRESULT STDMETHODCALLTYPE CreateDevice(REFGUID instance, LPDIRECTINPUTDEVICE8A* device,
                                           LPUNKNOWN outer) override
    {
        const HRESULT result = m_pReal->CreateDevice(instance, device, outer);
        if (SUCCEEDED(result) && device && *device)
            *device = WrapDevice(*device, DeviceName(**device), m_oRecorder);
        return result;
    }

    // Every device reported goes to the recorder before the caller sees it.
    HRESULT STDMETHODCALLTYPE EnumDevices(DWORD type, LPDIENUMDEVICESCALLBACKA callback,
                                          LPVOID context, DWORD flags) override
    {
        sEnumeration enumeration{m_oRecorder, callback, context};
        return m_pReal->EnumDevices(type, callback ? NoteDevice : nullptr, &enumeration, flags);
    }

    HRESULT STDMETHODCALLTYPE GetDeviceStatus(REFGUID instance) override
    {
        return m_pReal->GetDeviceStatus(instance);
    }
    HRESULT STDMETHODCALLTYPE RunControlPanel(HWND owner, DWORD flags) override
    {
        return m_pReal->RunControlPanel(owner, flags);
    }
    HRESULT STDMETHODCALLTYPE Initialize(HINSTANCE instance, DWORD version) override
    {
        return m_pReal->Initialize(instance, version);
    }
    HRESULT STDMETHODCALLTYPE FindDevice(REFGUID guid, LPCSTR name, LPGUID instance) override
    {
        return m_pReal->FindDevice(guid, name, instance);
    }
    HRESULT STDMETHODCALLTYPE EnumDevicesBySemantics(LPCSTR user, LPDIACTIONFORMATA format,
                                                     LPDIENUMDEVICESBYSEMANTICSCBA callback,
                                                     LPVOID context, DWORD flags) override
    {
        return m_pReal->EnumDevicesBySemantics(user, format, callback, context, flags);
    }
    HRESULT STDMETHODCALLTYPE ConfigureDevices(LPDICONFIGUREDEVICESCALLBACK callback,
                                               LPDICONFIGUREDEVICESPARAMSA parameters, DWORD flags,
                                               LPVOID context) override
    {
        return m_pReal->ConfigureDevices(callback, parameters, flags, context);
    }

private:
    struct sEnumeration {
        CSessionRecorder& oRecorder;
        LPDIENUMDEVICESCALLBACKA pCallback;
        LPVOID pContext;
    };

    static BOOL CALLBACK NoteDevice(LPCDIDEVICEINSTANCEA instance, LPVOID context)
    {
        auto& enumeration = *static_cast<sEnumeration*>(context);
        enumeration.oRecorder.NameDevice(*instance);
        return enumeration.pCallback(instance, enumeration.pContext);
    }

    // A device the module opens without having enumerated it is named now.
    const std::string& DeviceName(IDirectInputDevice8A& device)
    {
        DIDEVICEINSTANCEA instance{};
        instance.dwSize = sizeof instance;
        device.GetDeviceInfo(&instance);
        return m_oRecorder.NameDevice(instance);
    }

    CSessionRecorder& m_oRecorder;
};

}  // namespace

IDirectInput8A* WrapDirectInput(IDirectInput8A* real, CSessionRecorder& recorder)
{
    return new CRecordingDirectInput(real, recorder);
}

IDirectInputDevice8A* WrapDevice(IDirectInputDevice8A* real, const std::string& name,
                                 CSessionRecorder& recorder)
{
    return new CRecordingDevice(real, name, recorder);
}

}  // namespace qmmonitor
