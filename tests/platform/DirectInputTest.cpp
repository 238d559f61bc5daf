// DirectInput objects: creation checks, reference counts, enumeration, device
// creation, capabilities, data formats and properties.
#include <cstring>
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

TEST_F(DirectInputTest, EachDeviceHoldsItsOwnCountAndOneReferenceOnItsDirectInput) {
    IDirectInputDevice8A* first = OpenDevice("kbd");
    EXPECT_EQ(qmsim::DirectInputRefCount(), 2);

    IDirectInputDevice8A* second = nullptr;
    ASSERT_EQ(DirectInput()->CreateDevice(qmsim::GetInstanceGuid("kbd"), &second, nullptr), DI_OK);
    EXPECT_NE(first, second);
    EXPECT_EQ(qmsim::LiveDeviceInterfaces(), 2);
    EXPECT_EQ(second->AddRef(), 2u);
    EXPECT_EQ(qmsim::GetDeviceState("kbd").refCount, 2u);  // the newest speaks for the device
    EXPECT_EQ(second->Release(), 1u);
    EXPECT_EQ(second->Release(), 0u);
    EXPECT_EQ(qmsim::LiveDeviceInterfaces(), 1);
    EXPECT_EQ(qmsim::DirectInputRefCount(), 2);

    // Released first, the DirectInput object lives on until its last device goes.
    EXPECT_EQ(m_pDirectInput->Release(), 1u);
    m_pDirectInput = nullptr;
    EXPECT_EQ(qmsim::LiveDirectInputs(), 1);
    EXPECT_EQ(first->Release(), 0u);
    m_pDevice = nullptr;
    EXPECT_EQ(qmsim::LiveDirectInputs(), 0);
    EXPECT_FALSE(qmsim::GetDeviceState("kbd").exists);
}

struct sEnumerated {
    std::vector<std::string> names;
    std::vector<DWORD> types;
    IDirectInput8A* pCreateWith = nullptr;
    int nStopAfter = -1;
};

BOOL CALLBACK Collect(LPCDIDEVICEINSTANCEA instance, LPVOID context) {
    auto& seen = *static_cast<sEnumerated*>(context);
    seen.names.push_back(instance->tszInstanceName);
    seen.types.push_back(instance->dwDevType);
    if (seen.pCreateWith) {  // the platform must not be locked while the callback runs
        IDirectInputDevice8A* device = nullptr;
        EXPECT_EQ(seen.pCreateWith->CreateDevice(instance->guidInstance, &device, nullptr), DI_OK);
        if (device) device->Release();
    }
    return static_cast<int>(seen.names.size()) == seen.nStopAfter ? DIENUM_STOP : DIENUM_CONTINUE;
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
}

TEST_F(DirectInputTest, EnumerationCarriesSubtypesStopsOnRequestAndAllowsCallsFromTheCallback) {
    qmsim::AttachDevice("kbd", DI8DEVTYPE_KEYBOARD);
    qmsim::AttachDevice("stick", DI8DEVTYPE_JOYSTICK);
    qmsim::AttachDevice("mouse", DI8DEVTYPE_MOUSE);

    sEnumerated seen;
    seen.pCreateWith = DirectInput();
    seen.nStopAfter = 2;
    EXPECT_EQ(DirectInput()->EnumDevices(DI8DEVCLASS_ALL, Collect, &seen, DIEDFL_ATTACHEDONLY), DI_OK);

    ASSERT_EQ(seen.names, (std::vector<std::string>{"kbd", "stick"}));
    EXPECT_EQ(GET_DIDEVICE_TYPE(seen.types[0]), DI8DEVTYPE_KEYBOARD);
    EXPECT_NE(seen.types[0], DWORD{DI8DEVTYPE_KEYBOARD}) << "only the low byte is the type";
    EXPECT_EQ(GET_DIDEVICE_TYPE(seen.types[1]), DI8DEVTYPE_JOYSTICK);
}

TEST_F(DirectInputTest, DevicesAreCreatedByInstanceGuid) {
    qmsim::AttachDevice("mouse", DI8DEVTYPE_MOUSE);
    qmsim::AttachDevice("kbd", DI8DEVTYPE_KEYBOARD);

    IDirectInputDevice8A* device = reinterpret_cast<IDirectInputDevice8A*>(&device);
    const GUID unknown = {0x12345678, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
    EXPECT_EQ(DirectInput()->CreateDevice(unknown, &device, nullptr), DIERR_DEVICENOTREG);
    EXPECT_EQ(device, nullptr);

    ASSERT_EQ(DirectInput()->CreateDevice(GUID_SysKeyboard, &m_pDevice, nullptr), DI_OK);
    DIDEVICEINSTANCEA info{};
    info.dwSize = sizeof info;
    EXPECT_EQ(m_pDevice->GetDeviceInfo(&info), DI_OK);
    EXPECT_STREQ(info.tszInstanceName, "kbd");
    EXPECT_EQ(info.guidInstance, qmsim::GetInstanceGuid("kbd"));
}

TEST_F(DirectInputTest, CapabilitiesNeedTheSizeSet) {
    IDirectInputDevice8A* device = OpenDevice("stick", DI8DEVTYPE_JOYSTICK);
    DIDEVCAPS caps{};
    EXPECT_EQ(device->GetCapabilities(&caps), DIERR_INVALIDPARAM);

    caps.dwSize = sizeof caps;
    EXPECT_EQ(device->GetCapabilities(&caps), DI_OK);
    EXPECT_EQ(caps.dwSize, 44u);
    EXPECT_EQ(GET_DIDEVICE_TYPE(caps.dwDevType), DI8DEVTYPE_JOYSTICK);
    EXPECT_TRUE(caps.dwFlags & DIDC_ATTACHED);
    EXPECT_GT(caps.dwAxes, 0u);
}

TEST_F(DirectInputTest, AcquisitionNeedsADataFormatAndFreezesIt) {
    IDirectInputDevice8A* device = OpenDevice("kbd");
    EXPECT_EQ(device->Acquire(), DIERR_INVALIDPARAM);
    EXPECT_EQ(device->SetDataFormat(&c_dfDIKeyboard), DI_OK);
    EXPECT_EQ(device->Acquire(), DI_OK);
    EXPECT_EQ(device->Acquire(), DI_NOEFFECT);
    EXPECT_EQ(device->SetDataFormat(&c_dfDIMouse2), DIERR_ACQUIRED);
    EXPECT_EQ(qmsim::GetDeviceState("kbd").dataFormat, &c_dfDIKeyboard);
    EXPECT_EQ(device->Unacquire(), DI_OK);
    EXPECT_EQ(device->Unacquire(), DI_NOEFFECT);
    EXPECT_FALSE(qmsim::GetDeviceState("kbd").cooperativeLevelSet);
}

TEST_F(DirectInputTest, PredefinedFormatsDescribeTheirStates) {
    const DIDATAFORMAT* formats[] = {&c_dfDIKeyboard, &c_dfDIMouse2, &c_dfDIJoystick2};
    const DWORD dataSizes[] = {256, sizeof(DIMOUSESTATE2), sizeof(DIJOYSTATE2)};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(formats[i]->dwSize, sizeof(DIDATAFORMAT));
        EXPECT_EQ(formats[i]->dwObjSize, sizeof(DIOBJECTDATAFORMAT));
        EXPECT_EQ(formats[i]->dwDataSize, dataSizes[i]);
        for (DWORD object = 0; object < formats[i]->dwNumObjs; ++object)
            EXPECT_LT(formats[i]->rgodf[object].dwOfs, formats[i]->dwDataSize);
    }
    EXPECT_EQ(c_dfDIMouse2.rgodf[3].dwOfs, DWORD{DIMOFS_BUTTON0});
}

struct sPropertyCase {
    const char* m_pWhat;
    const GUID* m_pProperty;
    DWORD m_nSize;
    DWORD m_nHeaderSize;
    DWORD m_nHow;
    DWORD m_nValue;
    HRESULT m_nResult;
};

TEST_F(DirectInputTest, PropertiesAreCheckedAndRecorded) {
    static const GUID bufferSizeByValue = DIPROP_BUFFERSIZE;
    const sPropertyCase cases[] = {
        {"buffer size", &DIPROP_BUFFERSIZE, 20, 16, DIPH_DEVICE, 32, DI_OK},
        {"relative axes", &DIPROP_AXISMODE, 20, 16, DIPH_DEVICE, DIPROPAXISMODE_REL, DI_OK},
        {"dead zone", &DIPROP_DEADZONE, 20, 16, DIPH_DEVICE, 2000, DI_OK},
        {"saturation", &DIPROP_SATURATION, 20, 16, DIPH_DEVICE, 9500, DI_OK},
        {"wrong size", &DIPROP_BUFFERSIZE, 24, 16, DIPH_DEVICE, 64, DIERR_INVALIDPARAM},
        {"wrong header size", &DIPROP_BUFFERSIZE, 20, 20, DIPH_DEVICE, 64, DIERR_INVALIDPARAM},
        {"per object", &DIPROP_DEADZONE, 20, 16, DIPH_BYOFFSET, 10, DIERR_UNSUPPORTED},
        {"beyond the scale", &DIPROP_SATURATION, 20, 16, DIPH_DEVICE, 10001, DIERR_INVALIDPARAM},
        {"an equal GUID elsewhere", &bufferSizeByValue, 20, 16, DIPH_DEVICE, 64, DIERR_UNSUPPORTED},
    };
    IDirectInputDevice8A* device = OpenDevice("stick", DI8DEVTYPE_JOYSTICK);
    for (const sPropertyCase& c : cases) {
        SCOPED_TRACE(c.m_pWhat);
        DIPROPDWORD prop{{c.m_nSize, c.m_nHeaderSize, 0, c.m_nHow}, c.m_nValue};
        EXPECT_EQ(device->SetProperty(*c.m_pProperty, &prop.diph), c.m_nResult);
    }
    const qmsim::DeviceState state = qmsim::GetDeviceState("stick");
    EXPECT_EQ(state.bufferSize, 32u);
    EXPECT_EQ(state.axisMode, DWORD{DIPROPAXISMODE_REL});
    EXPECT_EQ(state.deadZone, 2000u);
    EXPECT_EQ(state.saturation, 9500u);

    EXPECT_EQ(device->SetDataFormat(&c_dfDIJoystick2), DI_OK);
    EXPECT_EQ(device->Acquire(), DI_OK);
    EXPECT_EQ(SetDwordProperty(device, DIPROP_BUFFERSIZE, 8), DIERR_ACQUIRED);
}

TEST_F(DirectInputTest, DetachedDeviceLosesInputAndComesBackUnderItsGuid) {
    const GUID instance = qmsim::AttachDevice("kbd", DI8DEVTYPE_KEYBOARD);
    OpenBufferedDevice("kbd", 8);
    qmsim::DetachDevice("kbd");

    EXPECT_FALSE(qmsim::IsAttached("kbd"));
    EXPECT_FALSE(qmsim::QueueRecord("kbd", DIK_A, 0x80, 1));
    EXPECT_EQ(m_pDevice->Poll(), DIERR_INPUTLOST);
    EXPECT_EQ(m_pDevice->Acquire(), DIERR_UNPLUGGED);
    EXPECT_EQ(m_pDevice->Poll(), DIERR_NOTACQUIRED) << "the failed Acquire ends the loss";

    EXPECT_EQ(qmsim::AttachDevice("kbd", DI8DEVTYPE_KEYBOARD), instance);
    EXPECT_EQ(m_pDevice->Acquire(), DI_OK);
}

}  // namespace
