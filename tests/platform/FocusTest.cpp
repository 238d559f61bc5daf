// The keyboard focus: which window has it, the messages when it moves to
// another program's window and back, and what that does to DirectInput
// devices at each cooperative level.
#include <vector>

#include "PlatformTest.h"

namespace {

struct sMessage {
    HWND m_hWnd;
    UINT m_nMessage;
    WPARAM m_nWParam;
    bool operator==(const sMessage&) const = default;
};

std::vector<sMessage> g_oMessages;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    g_oMessages.push_back({window, message, wParam});
    return 0;
}

LRESULT CALLBACK SilentProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

class FocusTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        g_oMessages.clear();
    }
};

TEST_F(FocusTest, NewestWindowHasTheFocusWhichMovesAwayAndBackWithMessages) {
    const HWND older = qmsim::CreateTestWindow(SilentProc);
    const HWND game = qmsim::CreateTestWindow(SilentProc);
    EXPECT_EQ(qmsim::GetFocusWindow(), game);
    // Through the current procedure: here one installed over the window's own.
    SetWindowLongPtrA(game, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProc));

    EXPECT_FALSE(qmsim::MoveFocusBack()) << "the focus is not away";
    EXPECT_TRUE(qmsim::MoveFocusAway());
    EXPECT_EQ(qmsim::GetFocusWindow(), nullptr);
    EXPECT_FALSE(qmsim::MoveFocusAway());
    const HWND whileAway = qmsim::CreateTestWindow(SilentProc);
    EXPECT_EQ(qmsim::GetFocusWindow(), nullptr) << "the other program keeps it";
    EXPECT_TRUE(qmsim::MoveFocusBack());
    EXPECT_EQ(qmsim::GetFocusWindow(), game);

    const auto foreign = reinterpret_cast<WPARAM>(qmsim::ForeignWindow());
    EXPECT_EQ(g_oMessages, (std::vector<sMessage>{{game, WM_KILLFOCUS, foreign}, {game, WM_SETFOCUS, foreign}}));

    const HWND later = qmsim::CreateTestWindow(SilentProc);
    EXPECT_EQ(qmsim::GetFocusWindow(), later);
    EXPECT_NE(qmsim::GetFocusWindow(), older);
    EXPECT_NE(qmsim::GetFocusWindow(), whileAway);
}

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
