// One thread delivering window messages while another reads device data, as
// the game's message loop and the framework's polling do.
#include <atomic>
#include <thread>

#include "PlatformTest.h"

namespace {

std::atomic<int> g_nDelivered{0};

LRESULT CALLBACK CountingProc(HWND, UINT, WPARAM, LPARAM) {
    ++g_nDelivered;
    return 1;
}

// Calls into the platform from inside a procedure: only possible when delivery
// does not hold the platform's lock.
LRESULT CALLBACK HookThatCallsThePlatform(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    GetDoubleClickTime();
    return CallWindowProcA(CountingProc, window, message, wParam, lParam);
}

using ConcurrencyTest = PlatformTest;

// Simulation only: the simulation's own locking, and input queued from a thread of the test.
TEST_F(ConcurrencyTest, MessagesAndPollingRunSideBySide) {
    constexpr int kMessages = 2000;
    constexpr DWORD kRecords = 2000;
    g_nDelivered = 0;
    const HWND window = qmsim::CreateTestWindow(HookThatCallsThePlatform);
    IDirectInputDevice8A* device = OpenBufferedDevice("kbd", kRecords + 1);  // holds them all

    std::thread messages([&] {
        for (int i = 0; i < kMessages; ++i) qmsim::DeliverMessage(window, WM_KEYDOWN, 'A', 0);
    });
    std::thread input([&] {
        for (DWORD i = 0; i < kRecords; ++i) qmsim::QueueRecord("kbd", DIK_A, 0x80, i);
    });

    DWORD expectedSequence = 0;
    while (expectedSequence < kRecords) {
        qmsim::ClearCallLog();  // keeps the log from growing while polling
        DIDEVICEOBJECTDATA record{};
        DWORD inOut = 1;
        ASSERT_EQ(device->GetDeviceData(sizeof record, &record, &inOut, 0), DI_OK);
        if (inOut == 1) {
            ASSERT_EQ(record.dwSequence, expectedSequence++);
        }
    }
    messages.join();
    input.join();
    EXPECT_EQ(g_nDelivered, kMessages);
}

}  // namespace
