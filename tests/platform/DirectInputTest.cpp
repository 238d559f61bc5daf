// DirectInput objects as strict as DirectInput itself, so that a module fault
// in using them fails the module's tests: creation checks its arguments, each
// device holds a reference on its DirectInput, enumeration filters and
// reports subtypes, and calls made out of order or with a wrong size fail.
#include <functional>
#include <string>
#include <vector>

#include "PlatformTest.h"

namespace {

using DirectInputTest = PlatformTest;

struct sCreateCase {
    const char* m_pWhat;
    bool m_bInstance;
    DWORD m_nVersion;
    const IID* m_pIid;
    bool m_bOuter;
    HRESULT m_nResult;
};

TEST_F(DirectInputTest, CreationChecksItsArguments) {
    const sCreateCase cases[] = {
        {"DirectInput 8", true, 0x0800, &IID_IDirectInput8A, false, DI_OK},
        {"no instance", false, 0x0800, &IID_IDirectInput8A, false, DIERR_INVALIDPARAM},
        {"older version", true, 0x0700, &IID_IDirectInput8A, false, DIERR_OLDDIRECTINPUTVERSION},
        {"newer version", true, 0x0900, &IID_IDirectInput8A, false, DIERR_BETADIRECTINPUTVERSION},
        {"other interface", true, 0x0800, &IID_IDirectInputDevice8A, false, DIERR_NOINTERFACE},
        {"aggregation", true, 0x0800, &IID_IDirectInput8A, true, DIERR_NOAGGREGATION},
    };
    for (const sCreateCase& c : cases) {
        SCOPED_TRACE(c.m_pWhat);
        void* out = &out;  // anything but null, to see it cleared
        IUnknown* outer = c.m_bOuter ? reinterpret_cast<IUnknown*>(&out) : nullptr;
        HINSTANCE instance = c.m_bInstance ? GetModuleHandleA(nullptr) : nullptr;
        EXPECT_EQ(DirectInput8Create(instance, c.m_nVersion, *c.m_pIid, &out, outer), c.m_nResult);
        EXPECT_EQ(out != nullptr, c.m_nResult == DI_OK);
        EXPECT_EQ(qmsim::LiveDirectInputs(), c.m_nResult == DI_OK ? 1 : 0);
        if (out) static_cast<IDirectInput8A*>(out)->Release();
    }
}

// Released first, a DirectInput object lives on until its last device goes.
TEST_F(DirectInputTest, EachDeviceHoldsAReferenceOnItsDirectInput) {
    IDirectInputDevice8A* device = OpenDevice("kbd");
    EXPECT_EQ(qmsim::DirectInputRefCount(), 2);
    EXPECT_EQ(device->AddRef(), 2u);
    EXPECT_EQ(device->Release(), 1u);
    EXPECT_EQ(m_pDirectInput->Release(), 1u);
    m_pDirectInput = nullptr;
    EXPECT_EQ(qmsim::LiveDirectInputs(), 1);
    EXPECT_EQ(device->Release(), 0u);
    m_pDevice = nullptr;
    EXPECT_EQ(qmsim::LiveDirectInputs(), 0);
    EXPECT_EQ(qmsim::LiveDeviceInterfaces(), 0);
}

struct sEnumerated {
    std::vector<std::string> names;
    std::vector<DWORD> types;
};

BOOL CALLBACK Collect(LPCDIDEVICEINSTANCEA instance, LPVOID context) {
    auto& seen = *static_cast<sEnumerated*>(context);
    seen.names.push_back(instance->tszInstanceName);
    seen.types.push_back(instance->dwDevType);
    return DIENUM_CONTINUE;
}

struct sEnumCase {
    const char* m_pWhat;
    DWORD m_nFilter;
    DWORD m_nFlags;
    std::vector<std::string> m_aExpected;
};

TEST_F(DirectInputTest, EnumerationReportsDevicesInAttachOrderByClass) {
    qmsim::AttachDevice("pad", DI8DEVTYPE_GAMEPAD);
    qmsim::AttachDevice("kbd", DI8DEVTYPE_KEYBOARD);
    qmsim::AttachDevice("gone", DI8DEVTYPE_MOUSE);
    qmsim::AttachDevice("mouse", DI8DEVTYPE_MOUSE);
    qmsim::AttachDevice("wheel", DI8DEVTYPE_DRIVING);
    qmsim::DetachDevice("gone");

    const sEnumCase cases[] = {
        {"all attached", DI8DEVCLASS_ALL, DIEDFL_ATTACHEDONLY, {"pad", "kbd", "mouse", "wheel"}},
        {"detached too", DI8DEVCLASS_ALL, DIEDFL_ALLDEVICES, {"pad", "kbd", "gone", "mouse", "wheel"}},
        {"pointers", DI8DEVCLASS_POINTER, DIEDFL_ATTACHEDONLY, {"mouse"}},
        {"game controllers", DI8DEVCLASS_GAMECTRL, DIEDFL_ATTACHEDONLY, {"pad", "wheel"}},
        {"one type", DI8DEVTYPE_KEYBOARD, DIEDFL_ATTACHEDONLY, {"kbd"}},
        {"force feedback", DI8DEVCLASS_ALL, DIEDFL_FORCEFEEDBACK, {}},
    };
    for (const sEnumCase& c : cases) {
        SCOPED_TRACE(c.m_pWhat);
        sEnumerated seen;
        EXPECT_EQ(DirectInput()->EnumDevices(c.m_nFilter, Collect, &seen, c.m_nFlags), DI_OK);
        EXPECT_EQ(seen.names, c.m_aExpected);
    }
    sEnumerated seen;
    EXPECT_EQ(DirectInput()->EnumDevices(0x99, Collect, &seen, 0), DIERR_INVALIDPARAM);
    EXPECT_TRUE(seen.names.empty());
    EXPECT_EQ(DirectInput()->EnumDevices(DI8DEVTYPE_KEYBOARD, Collect, &seen, 0), DI_OK);
    EXPECT_EQ(GET_DIDEVICE_TYPE(seen.types[0]), DI8DEVTYPE_KEYBOARD);
    EXPECT_NE(seen.types[0], DWORD{DI8DEVTYPE_KEYBOARD}) << "only the low byte is the type";
}

struct sMisuseCase {
    const char* m_pWhat;
    std::function<HRESULT(IDirectInputDevice8A*)> m_fnCall;  // on an open joystick, no format set
    HRESULT m_nResult;
};

HRESULT SetHeader(IDirectInputDevice8A* device, REFGUID property, DWORD size, DWORD headerSize, DWORD how,
                  DWORD value) {
    DIPROPDWORD prop{{size, headerSize, 0, how}, value};
    return device->SetProperty(property, &prop.diph);
}

HRESULT Acquired(IDirectInputDevice8A* device, const std::function<HRESULT(IDirectInputDevice8A*)>& then) {
    device->SetDataFormat(&c_dfDIJoystick2);
    SetHeader(device, DIPROP_BUFFERSIZE, sizeof(DIPROPDWORD), sizeof(DIPROPHEADER), DIPH_DEVICE, 8);
    device->Acquire();
    return then(device);
}

TEST_F(DirectInputTest, CallsOutOfOrderOrOfAWrongSizeFail) {
    static const GUID bufferSizeByValue = DIPROP_BUFFERSIZE;
    const sMisuseCase cases[] = {
        {"a property as the module sets it", [](auto* d) { return SetHeader(d, DIPROP_BUFFERSIZE, 20, 16, 0, 32); },
         DI_OK},
        {"a property of a wrong size", [](auto* d) { return SetHeader(d, DIPROP_BUFFERSIZE, 24, 16, 0, 64); },
         DIERR_INVALIDPARAM},
        {"a property header of a wrong size",
         [](auto* d) { return SetHeader(d, DIPROP_BUFFERSIZE, 20, 20, 0, 64); }, DIERR_INVALIDPARAM},
        {"a property per object", [](auto* d) { return SetHeader(d, DIPROP_DEADZONE, 20, 16, DIPH_BYOFFSET, 10); },
         DIERR_UNSUPPORTED},
        {"a saturation beyond the scale",
         [](auto* d) { return SetHeader(d, DIPROP_SATURATION, 20, 16, 0, 10001); }, DIERR_INVALIDPARAM},
        {"a property GUID that is a copy", [](auto* d) { return SetHeader(d, bufferSizeByValue, 20, 16, 0, 64); },
         DIERR_UNSUPPORTED},
        {"capabilities without the size set",
         [](auto* d) {
             DIDEVCAPS caps{};
             return d->GetCapabilities(&caps);
         },
         DIERR_INVALIDPARAM},
        {"an acquisition before the data format", [](auto* d) { return d->Acquire(); }, DIERR_INVALIDPARAM},
        {"a data format while acquired",
         [](auto* d) { return Acquired(d, [](auto* a) { return a->SetDataFormat(&c_dfDIMouse2); }); },
         DIERR_ACQUIRED},
        {"a buffer size while acquired",
         [](auto* d) { return Acquired(d, [](auto* a) { return SetDwordProperty(a, DIPROP_BUFFERSIZE, 4); }); },
         DIERR_ACQUIRED},
        {"records of a wrong size",  // the 32-bit size written as a number, where UINT_PTR is wider
         [](auto* d) {
             DIDEVICEOBJECTDATA record{};
             DWORD count = 1;
             return d->GetDeviceData(sizeof record == 20 ? 24 : 20, &record, &count, 0);
         },
         DIERR_INVALIDPARAM},
        {"an unknown read flag",
         [](auto* d) {
             DWORD count = INFINITE;
             return d->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), nullptr, &count, 0x2);
         },
         DIERR_INVALIDPARAM},
    };
    for (const sMisuseCase& c : cases) {
        SCOPED_TRACE(c.m_pWhat);
        EXPECT_EQ(c.m_fnCall(OpenDevice("stick", DI8DEVTYPE_JOYSTICK)), c.m_nResult);
        StartAgain();
    }
}

}  // namespace
