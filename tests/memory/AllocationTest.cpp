// The module's per-record and per-message paths allocate nothing of their own:
// every allocation made while they run is the framework's, for the events (no
// more than making the same events directly costs), or the simulated
// platform's. The held-key list may grow, but once grown it stays.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/HostEvents.h"
#include "common/ModuleTestFixture.h"
#include "common/QueuedEvents.h"
#include "common/RecordStreams.h"
#include "framework/QmFrameworkControl.h"
#include "keyboard/QmDi8Keyboard.h"
#include "memory/CountingAllocator.h"
#include "mouse/QmDi8Mouse.h"
#include "server/QmInputDeviceRef.h"
#include "winmsg/QmWindowsKeyboard.h"
#include "winmsg/QmWindowsMouse.h"

namespace {

using qmtest::sAllocationCounts;

template <class Work>
sAllocationCounts CountAllocations(Work&& work)
{
    qmtest::CAllocationCount count;
    work();
    return count.Stop();
}

class AllocationTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        m_hWindow = DefineGameWindow();
    }

    template <class Device>
    Device& NewDevice()
    {
        const long deviceId = Server().NewDevice(CQmString(Device::GetClassType().GetName()));
        CQmInputDeviceRef<Device> device(deviceId);
        return *device.Get();
    }

    template <class Device>
    Device& OpenDevice(const std::string& name, BYTE deviceType)
    {
        Device& device = NewDevice<Device>();
        EXPECT_TRUE(device.Create(qmsim::AttachDevice(name, deviceType)));
        return device;
    }

    // Queued events taken out, the call log emptied; how many events there were.
    static int Drain()
    {
        const int events = static_cast<int>(TakeQueuedEvents().size());
        qmsim::ClearCallLog();
        return events;
    }

    // Runs `work` once untimed, so that the event pool and any list have grown
    // to size, then again counted. Checks that the module allocated nothing,
    // that every allocation was seen and attributed, and that the framework
    // allocated exactly what making the same events directly costs it.
    template <class Prepare, class Work>
    void ExpectOnlyHostAllocations(CQmInputDevice& device, Prepare&& prepare, Work&& work)
    {
        prepare();
        work();
        const int events = Drain();

        prepare();
        const sAllocationCounts counted = CountAllocations(work);
        ASSERT_EQ(Drain(), events);
        const sAllocationCounts host = CountAllocations([&] { MakeHostEvents(device, events); });
        Drain();

        EXPECT_EQ(counted.nModule, 0);
        EXPECT_EQ(counted.nOther, 0) << "allocations nobody's frame owns";
        EXPECT_EQ(counted.nFramework, host.nFramework) << "for " << events << " events";
        if (events > 0) {
            EXPECT_GT(host.nFramework, 0) << "the framework's event allocations went unseen";
        }
    }

    HWND m_hWindow = nullptr;
};

TEST_F(AllocationTest, KeyboardPollOfAFullBufferAllocatesOnlyTheHostsEvents)
{
    auto& keyboard = OpenDevice<CQmDi8Keyboard>("kbd", DI8DEVTYPE_KEYBOARD);
    // Whole pairs, so that no key stays held and no second round grows the list.
    const std::vector<sStreamRecord> records = KeyPressReleaseRecords(kKeyboardBufferHolds - 1);
    ExpectOnlyHostAllocations(keyboard, [&] { ASSERT_TRUE(QueueRecords("kbd", records)); }, [&] { keyboard.Poll(); });
}

TEST_F(AllocationTest, MousePollOfAFullBufferAllocatesOnlyTheHostsEvents)
{
    auto& mouse = OpenDevice<CQmDi8Mouse>("mouse", DI8DEVTYPE_MOUSE);
    const std::vector<sStreamRecord> records = MixedMouseRecords(kMouseBufferHolds);
    ExpectOnlyHostAllocations(mouse, [&] { ASSERT_TRUE(QueueRecords("mouse", records)); }, [&] { mouse.Poll(); });
}

TEST_F(AllocationTest, HeldKeyListAllocatesWhileGrowingOnlyAndRepeatsAllocateNothing)
{
    constexpr DWORD kKeys = 16;
    auto& keyboard = OpenDevice<CQmDi8Keyboard>("kbd", DI8DEVTYPE_KEYBOARD);
    const auto pressAll = [&](DWORD data, DWORD firstScanCode) {
        for (DWORD i = 0; i < kKeys; ++i)
            ASSERT_TRUE(qmsim::QueueRecord("kbd", firstScanCode + i, data, i));
    };

    pressAll(0x80, DIK_Q);
    const sAllocationCounts growing = CountAllocations([&] { keyboard.Poll(); });
    EXPECT_GT(growing.nModule, 0) << "the list's first growth is the module's and must be seen";
    ASSERT_EQ(keyboard.GetPressedKeys().size(), kKeys);
    Drain();

    // Released and pressed again, other keys too: the list has room already.
    pressAll(0x00, DIK_Q);
    pressAll(0x80, DIK_A);
    EXPECT_EQ(CountAllocations([&] { keyboard.Poll(); }).nModule, 0);
    ASSERT_EQ(keyboard.GetPressedKeys().size(), kKeys);
    Drain();

    // A pass in which all sixteen repeat.
    ExpectOnlyHostAllocations(keyboard, [] { qmhost::AdvanceTime(1.0); }, [&] { keyboard.Poll(); });
    EXPECT_EQ(keyboard.GetPressedKeys().size(), kKeys);
}

struct sMessageCase {
    const char* m_pName;
    UINT m_nMessage;
    WPARAM m_nWParam;
    LPARAM m_nLParam;
};

const sMessageCase kMessages[] = {
    {"WM_KEYDOWN", WM_KEYDOWN, 'A', 0x001E0001},
    {"WM_KEYUP", WM_KEYUP, 'A', static_cast<LPARAM>(0xC01E0001)},
    {"WM_CHAR", WM_CHAR, 'a', 0x001E0001},
    {"WM_SETFOCUS", WM_SETFOCUS, 0, 0},
    {"WM_KILLFOCUS", WM_KILLFOCUS, 0, 0},
    {"WM_MOUSEMOVE", WM_MOUSEMOVE, MK_LBUTTON, 0x00640032},
    {"WM_LBUTTONDOWN", WM_LBUTTONDOWN, MK_LBUTTON, 0x00640032},
    {"WM_RBUTTONDBLCLK", WM_RBUTTONDBLCLK, MK_RBUTTON, 0x00640032},
    {"WM_MOUSEWHEEL", WM_MOUSEWHEEL, static_cast<WPARAM>(120) << 16, 0x00640032},
    {"WM_TIMER (passed on only)", WM_TIMER, 1, 0},
};

TEST_F(AllocationTest, WindowProceduresAllocateOnlyTheHostsEvents)
{
    auto& keyboard = NewDevice<CQmWindowsKeyboard>();
    ASSERT_TRUE(keyboard.Create());
    ASSERT_TRUE(NewDevice<CQmWindowsMouse>().Create());
    for (const sMessageCase& message : kMessages) {
        SCOPED_TRACE(message.m_pName);
        ExpectOnlyHostAllocations(keyboard, [] {}, [&] {
            for (int i = 0; i < 64; ++i)
                qmsim::DeliverMessage(m_hWindow, message.m_nMessage, message.m_nWParam, message.m_nLParam);
        });
    }
}

}  // namespace
