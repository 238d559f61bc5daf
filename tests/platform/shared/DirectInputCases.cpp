// DirectInput objects as strict as DirectInput itself, so that a module fault
// in using them fails the module's tests: creation checks its arguments, each
// device holds a reference on its DirectInput, and calls made out of order or
// with a wrong size fail.
#include "tests/platform/shared/DirectInputSession.h"
#include "tests/platform/shared/PlatformCheck.h"

namespace platformcase {
namespace {

struct CreateCase {
    const char* what;
    bool instance;
    DWORD version;
    const IID* iid;
    HRESULT result;
};

PLATFORM_CASE(CreationChecksItsArguments) {
    const CreateCase cases[] = {
        {"DirectInput 8", true, 0x0800, &IID_IDirectInput8A, DI_OK},
        {"no instance", false, 0x0800, &IID_IDirectInput8A, HRESULT(DIERR_INVALIDPARAM)},
        {"older version", true, 0x0700, &IID_IDirectInput8A, HRESULT(DIERR_BETADIRECTINPUTVERSION)},
        {"newer version", true, 0x0900, &IID_IDirectInput8A, HRESULT(DIERR_OLDDIRECTINPUTVERSION)},
        {"other interface", true, 0x0800, &IID_IDirectInputDevice8A, HRESULT(DIERR_NOINTERFACE)},
    };
    for (const CreateCase& c : cases) {
        PC_SCOPE(c.what);
        void* out = &out;  // anything but null, to see it cleared
        const HINSTANCE instance = c.instance ? GetModuleHandleA(nullptr) : nullptr;
        PC_CHECK_EQ(DirectInput8Create(instance, c.version, *c.iid, &out, nullptr), c.result);
        PC_CHECK_EQ(out != nullptr, c.result == DI_OK);
        if (out) static_cast<IDirectInput8A*>(out)->Release();
    }
}

// Released first, a DirectInput object lives on until its last device goes.
PLATFORM_CASE(EachDeviceHoldsAReferenceOnItsDirectInput) {
    void* created = nullptr;
    PC_REQUIRE_EQ(DirectInput8Create(GetModuleHandleA(nullptr), 0x0800, IID_IDirectInput8A, &created, nullptr), DI_OK);
    auto* directInput = static_cast<IDirectInput8A*>(created);
    IDirectInputDevice8A* device = nullptr;
    PC_REQUIRE_EQ(directInput->CreateDevice(driver.Keyboard(), &device, nullptr), DI_OK);
    PC_CHECK_EQ(directInput->AddRef(), ULONG{3});
    PC_CHECK_EQ(directInput->Release(), ULONG{2});
    PC_CHECK_EQ(device->AddRef(), ULONG{2});
    PC_CHECK_EQ(device->Release(), ULONG{1});
    PC_CHECK_EQ(directInput->Release(), ULONG{1});
    PC_CHECK_EQ(device->SetDataFormat(&c_dfDIKeyboard), DI_OK);
    PC_CHECK_EQ(device->Acquire(), DI_OK);
    PC_CHECK_EQ(device->Release(), ULONG{0});
}

PLATFORM_CASE(CallsOutOfOrderOrOfAWrongSizeFail) {
    const HRESULT invalid = DIERR_INVALIDPARAM;
    const DeviceCallCase cases[] = {  // on an open keyboard, no format set
        {"a property as the module sets it", [](auto* d) { return SetPropertyWithHeader(d, DIPROP_BUFFERSIZE, 20, 16, 0, 32); },
         DI_OK},
        {"a property of a wrong size", [](auto* d) { return SetPropertyWithHeader(d, DIPROP_BUFFERSIZE, 24, 16, 0, 64); },
         invalid},
        {"a property header of a wrong size", [](auto* d) { return SetPropertyWithHeader(d, DIPROP_BUFFERSIZE, 20, 20, 0, 64); },
         invalid},
        {"capabilities without the size set",
         [](auto* d) {
             DIDEVCAPS caps{};
             return d->GetCapabilities(&caps);
         },
         invalid},
        {"an acquisition before the data format", [](auto* d) { return d->Acquire(); }, invalid},
        {"a data format while acquired",
         [](auto* d) { return Acquired(d, c_dfDIKeyboard, [](auto* a) { return a->SetDataFormat(&c_dfDIKeyboard); }); },
         HRESULT(DIERR_ACQUIRED)},
        {"a buffer size while acquired",
         [](auto* d) { return Acquired(d, c_dfDIKeyboard, [](auto* a) { return SetDwordProperty(a, DIPROP_BUFFERSIZE, 4); }); },
         HRESULT(DIERR_ACQUIRED)},
    };
    for (const DeviceCallCase& c : cases) {
        PC_SCOPE(c.what);
        DirectInputSession session;
        IDirectInputDevice8A* keyboard = session.Open(driver.Keyboard());
        PC_REQUIRE(keyboard);
        PC_CHECK_EQ(c.call(keyboard), c.result);
    }
}

}  // namespace
}  // namespace platformcase
