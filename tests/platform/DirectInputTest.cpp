// What only the simulation stages of DirectInput: enumeration over devices the
// real platform does not have, and checks stricter than Wine's, which a module
// fault would pass there and crash or misread on Windows.
#include <string>
#include <vector>

#include "PlatformTest.h"
#include "tests/platform/shared/DirectInputSession.h"

namespace {

using DirectInputTest = PlatformTest;

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
    HRESULT m_nResult = DI_OK;
};

// Simulation only: Wine reports one keyboard and one mouse, no game controllers.
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
        {"an unknown filter", 0x99, 0, {}, DIERR_INVALIDPARAM},
    };
    for (const sEnumCase& c : cases) {
        SCOPED_TRACE(c.m_pWhat);
        sEnumerated seen;
        EXPECT_EQ(DirectInput()->EnumDevices(c.m_nFilter, Collect, &seen, c.m_nFlags), c.m_nResult);
        EXPECT_EQ(seen.names, c.m_aExpected);
    }
    sEnumerated seen;
    EXPECT_EQ(DirectInput()->EnumDevices(DI8DEVTYPE_KEYBOARD, Collect, &seen, 0), DI_OK);
    EXPECT_EQ(GET_DIDEVICE_TYPE(seen.types[0]), DI8DEVTYPE_KEYBOARD);
    EXPECT_NE(seen.types[0], DWORD{DI8DEVTYPE_KEYBOARD}) << "only the low byte is the type";
}

// Simulation only, each for its reason: Wine 8 measured accepts a record size
// other than its two and an unknown read flag; a DIPROP_ name is a small number
// cast to a GUID reference there, which a copy would read and crash on; Wine
// has no game controller to give a saturation to; aggregation is not simulated.
TEST_F(DirectInputTest, CallsWrongInWaysWineLetsPassFail) {
    static const GUID bufferSizeByValue = DIPROP_BUFFERSIZE;
    const platformcase::DeviceCallCase cases[] = {  // on an open joystick, no format set
        {"records of a wrong size",  // the 32-bit size written as a number, where UINT_PTR is wider
         [](auto* d) {
             return platformcase::Acquired(d, c_dfDIJoystick2, [](auto* a) {
                 DIDEVICEOBJECTDATA record{};
                 DWORD count = 1;
                 return a->GetDeviceData(sizeof record == 20 ? 24 : 20, &record, &count, 0);
             });
         },
         DIERR_INVALIDPARAM},
        {"an unknown read flag",
         [](auto* d) {
             return platformcase::Acquired(d, c_dfDIJoystick2, [](auto* a) {
                 DWORD count = INFINITE;
                 return a->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), nullptr, &count, 0x2);
             });
         },
         DIERR_INVALIDPARAM},
        {"a property GUID that is a copy", [](auto* d) { return platformcase::SetPropertyWithHeader(d, bufferSizeByValue, 20, 16, 0, 64); },
         DIERR_UNSUPPORTED},
        {"a property per object", [](auto* d) { return platformcase::SetPropertyWithHeader(d, DIPROP_DEADZONE, 20, 16, DIPH_BYOFFSET, 10); },
         DIERR_UNSUPPORTED},
        {"a saturation beyond the scale",
         [](auto* d) { return platformcase::SetPropertyWithHeader(d, DIPROP_SATURATION, 20, 16, 0, 10001); }, DIERR_INVALIDPARAM},
    };
    for (const platformcase::DeviceCallCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.call(OpenDevice("stick", DI8DEVTYPE_JOYSTICK)), c.result);
        StartAgain();
    }
    void* out = &out;
    EXPECT_EQ(DirectInput8Create(GetModuleHandleA(nullptr), 0x0800, IID_IDirectInput8A, &out,
                                 reinterpret_cast<IUnknown*>(&out)),
              DIERR_NOAGGREGATION);
    EXPECT_EQ(out, nullptr);
}

}  // namespace
