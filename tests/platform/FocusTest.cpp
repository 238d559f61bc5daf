// What the focus moving to another program's window and back does to a
// DirectInput device at each cooperative level. The module sets none; a fault
// that set the foreground level shows in its tests only because the platform
// unacquires such devices as DirectInput does.
#include "PlatformTest.h"

namespace {

LRESULT CALLBACK SilentProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

using FocusTest = PlatformTest;

struct sLevelCase {
    const char* m_pWhat;
    DWORD m_nFlags;  // 0: no SetCooperativeLevel
    HRESULT m_nReadAway;
    HRESULT m_nAcquireAway;
    HRESULT m_nReadBack;  // before the next Acquire
    size_t m_nRecords;    // of one queued before the move and one while away
};

TEST_F(FocusTest, OnlyForegroundDevicesAreUnacquiredAndKeepTheirRecords) {
    const HRESULT notAcquired = DIERR_NOTACQUIRED;
    const sLevelCase cases[] = {
        {"default level", 0, DI_OK, DI_NOEFFECT, DI_OK, 2},
        {"background", DISCL_NONEXCLUSIVE | DISCL_BACKGROUND, DI_OK, DI_NOEFFECT, DI_OK, 2},
        {"foreground", DISCL_NONEXCLUSIVE | DISCL_FOREGROUND, notAcquired, DIERR_OTHERAPPHASPRIO, notAcquired, 1},
        {"exclusive foreground", DISCL_EXCLUSIVE | DISCL_FOREGROUND, notAcquired, DIERR_OTHERAPPHASPRIO,
         notAcquired, 1},
    };
    for (const sLevelCase& c : cases) {
        SCOPED_TRACE(c.m_pWhat);
        const HWND game = qmsim::CreateTestWindow(SilentProc);
        IDirectInputDevice8A* device = OpenDevice("kbd");
        if (c.m_nFlags != 0) {
            EXPECT_EQ(device->SetCooperativeLevel(game, c.m_nFlags), DI_OK);
        }
        ASSERT_EQ(device->SetDataFormat(&c_dfDIKeyboard), DI_OK);
        ASSERT_EQ(SetDwordProperty(device, DIPROP_BUFFERSIZE, 8), DI_OK);
        ASSERT_EQ(device->Acquire(), DI_OK);
        qmsim::QueueRecord("kbd", DIK_A, 0x80);

        qmsim::MoveFocusAway();
        qmsim::QueueRecord("kbd", DIK_A, 0);
        DIDEVICEOBJECTDATA record{};
        DWORD inOut = 1;
        EXPECT_EQ(device->GetDeviceData(sizeof record, &record, &inOut, DIGDD_PEEK), c.m_nReadAway);
        EXPECT_EQ(device->Acquire(), c.m_nAcquireAway);

        qmsim::MoveFocusBack();
        EXPECT_EQ(device->GetDeviceData(sizeof record, &record, &inOut, DIGDD_PEEK), c.m_nReadBack);
        EXPECT_EQ(device->Acquire(), c.m_nReadBack == DI_OK ? DI_NOEFFECT : DI_OK);
        inOut = INFINITE;
        EXPECT_EQ(device->GetDeviceData(sizeof record, nullptr, &inOut, 0), DI_OK);
        EXPECT_EQ(inOut, c.m_nRecords);
        StartAgain();
    }
}

}  // namespace
