// Injected failures stand in for the whole call, once: the module's failure
// paths are tested on them, so a failed call that still took effect, or handed
// out an interface, would let a module fault through.
#include <functional>
#include <string>

#include "PlatformTest.h"

namespace {

// Simulation only, every test here: the real platform's calls cannot be made to fail on demand.
using InjectionTest = PlatformTest;

struct sDeviceCallCase {
    qmsim::Call m_eCall;
    std::function<HRESULT(IDirectInputDevice8A*)> m_fnCall;
    std::function<bool()> m_fnTookEffect;
};

TEST_F(InjectionTest, InjectedFailureOfADeviceCallChangesNothing) {
    const auto state = [] { return qmsim::GetDeviceState("kbd"); };
    const sDeviceCallCase cases[] = {
        {qmsim::Call::SetDataFormat, [](auto* d) { d->Unacquire(); return d->SetDataFormat(&c_dfDIMouse2); },
         [&] { return state().dataFormat == &c_dfDIMouse2; }},
        {qmsim::Call::SetProperty, [](auto* d) { d->Unacquire(); return platformcase::SetDwordProperty(d, DIPROP_BUFFERSIZE, 99); },
         [&] { return state().bufferSize == 99; }},
        {qmsim::Call::Acquire, [](auto* d) { d->Unacquire(); return d->Acquire(); },
         [&] { return state().acquired; }},
        {qmsim::Call::GetDeviceData,
         [](auto* d) {
             qmsim::QueueRecord("kbd", DIK_A, 0x80, 1);
             DIDEVICEOBJECTDATA record{};
             DWORD inOut = 1;
             const HRESULT result = d->GetDeviceData(sizeof record, &record, &inOut, 0);
             return inOut == 1 && record.dwOfs == 0 ? result : S_FALSE;  // count left alone, no record
         },
         [&] { return state().bufferedRecords == 0; }},
        {qmsim::Call::GetCapabilities,
         [](auto* d) {
             DIDEVCAPS caps{};
             caps.dwSize = sizeof caps;
             const HRESULT result = d->GetCapabilities(&caps);
             return caps.dwDevType == 0 ? result : S_FALSE;
         },
         [] { return false; }},
        {qmsim::Call::Poll, [](auto* d) { return d->Poll(); }, [] { return false; }},
    };
    for (const sDeviceCallCase& c : cases) {
        SCOPED_TRACE(qmsim::CallName(c.m_eCall));
        IDirectInputDevice8A* device = OpenBufferedDevice("kbd", 8);
        qmsim::InjectResult(c.m_eCall, DIERR_GENERIC);
        EXPECT_EQ(c.m_fnCall(device), DIERR_GENERIC);
        EXPECT_FALSE(c.m_fnTookEffect());
        EXPECT_EQ(qmsim::CallLog().back(), std::string(qmsim::CallName(c.m_eCall)) + " kbd -> DIERR_GENERIC");
        EXPECT_NE(c.m_fnCall(device), DIERR_GENERIC) << "an injection is used once";
        StartAgain();
    }
}

TEST_F(InjectionTest, FailedCreationLeavesNoInterface) {
    const GUID instance = qmsim::AttachDevice("kbd", DI8DEVTYPE_KEYBOARD);
    qmsim::InjectResult(qmsim::Call::CreateDevice, DIERR_OUTOFMEMORY);
    IDirectInputDevice8A* device = reinterpret_cast<IDirectInputDevice8A*>(&device);
    EXPECT_EQ(DirectInput()->CreateDevice(instance, &device, nullptr), DIERR_OUTOFMEMORY);
    EXPECT_EQ(device, nullptr);
    EXPECT_EQ(qmsim::LiveDeviceInterfaces(), 0);

    qmsim::InjectResult(qmsim::Call::DirectInput8Create, DIERR_OUTOFMEMORY);
    void* created = &created;
    EXPECT_EQ(DirectInput8Create(GetModuleHandleA(nullptr), 0x0800, IID_IDirectInput8A, &created, nullptr),
              DIERR_OUTOFMEMORY);
    EXPECT_EQ(created, nullptr);
    EXPECT_EQ(qmsim::LiveDirectInputs(), 1);  // only the fixture's
}

// The platform's own failing queries: FALSE, and the value left alone.
TEST_F(InjectionTest, FailingSettingsQueriesWriteNothing) {
    qmsim::GetSettings().settingsQueriesFail = true;
    int value = -1;
    EXPECT_EQ(SystemParametersInfoA(SPI_GETKEYBOARDDELAY, 0, &value, 0), FALSE);
    EXPECT_EQ(SystemParametersInfoA(SPI_GETKEYBOARDSPEED, 0, &value, 0), FALSE);
    EXPECT_EQ(value, -1);
}

}  // namespace
