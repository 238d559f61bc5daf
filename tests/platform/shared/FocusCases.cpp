// What the focus moving to another program's window and back does to a
// DirectInput keyboard at each cooperative level. The module sets none; a
// fault that set the foreground level shows in its tests only because the
// simulation unacquires such devices as DirectInput does.
#include <string>
#include <vector>

#include "tests/platform/shared/DirectInputSession.h"
#include "tests/platform/shared/PlatformCheck.h"

namespace platformcase {
namespace {

std::vector<std::string> g_focusMessages;

LRESULT CALLBACK FocusTraceProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KILLFOCUS || message == WM_SETFOCUS)
        g_focusMessages.push_back(std::to_string(message) + " " + std::to_string(wParam));
    return Driver().DefaultProc(window, message, wParam, lParam);
}

// Measured: the window losing the focus to another program's window gets
// WM_KILLFOCUS, and WM_SETFOCUS when it comes back, both naming no window.
PLATFORM_CASE(TheFocusMovingAwayAndBackIsAnnounced) {
    const HWND game = driver.CreateWindowWithProc(FocusTraceProc);
    g_focusMessages.clear();
    driver.MoveFocusAway();
    PC_CHECK_EQ(g_focusMessages, std::vector<std::string>{"8 0"});
    driver.MoveFocusBack();
    PC_CHECK_EQ(g_focusMessages, (std::vector<std::string>{"8 0", "7 0"}));
    driver.DestroyWindowNow(game);
}

struct LevelCase {
    const char* what;
    DWORD level;  // 0: no SetCooperativeLevel
    HRESULT readAway;
    HRESULT acquireAway;
    HRESULT readBack;  // before the next Acquire
    DWORD records;     // of one typed before the move and one while away
};

// Documented and measured: losing the foreground unacquires a foreground-level
// device, which reads DIERR_NOTACQUIRED, keeps its records and cannot be
// acquired until its window has the focus back; other levels are not affected.
PLATFORM_CASE(OnlyForegroundDevicesAreUnacquiredAndKeepTheirRecords) {
    const HRESULT notAcquired = DIERR_NOTACQUIRED;
    const LevelCase cases[] = {
        {"default level", 0, DI_OK, DI_NOEFFECT, DI_OK, 2},
        {"background", DISCL_NONEXCLUSIVE | DISCL_BACKGROUND, DI_OK, DI_NOEFFECT, DI_OK, 2},
        {"foreground", DISCL_NONEXCLUSIVE | DISCL_FOREGROUND, notAcquired, DIERR_OTHERAPPHASPRIO, notAcquired, 1},
        {"exclusive foreground", DISCL_EXCLUSIVE | DISCL_FOREGROUND, notAcquired, DIERR_OTHERAPPHASPRIO, notAcquired,
         1},
    };
    for (const LevelCase& c : cases) {
        PC_SCOPE(c.what);
        const HWND game = driver.CreateWindowWithProc(QuietProc);
        {
            DirectInputSession session;
            IDirectInputDevice8A* keyboard =
                session.OpenBuffered(driver.Keyboard(), c_dfDIKeyboard, 8, game, c.level);
            PC_REQUIRE(keyboard);
            driver.Type({{DIK_A, true}});

            driver.MoveFocusAway();
            driver.Type({{DIK_A, false}});
            DIDEVICEOBJECTDATA record{};
            DWORD inOut = 1;
            PC_CHECK_EQ(keyboard->GetDeviceData(sizeof record, &record, &inOut, DIGDD_PEEK), c.readAway);
            PC_CHECK_EQ(keyboard->Acquire(), c.acquireAway);

            driver.MoveFocusBack();
            PC_CHECK_EQ(keyboard->GetDeviceData(sizeof record, &record, &inOut, DIGDD_PEEK), c.readBack);
            PC_CHECK_EQ(keyboard->Acquire(), c.readBack == DI_OK ? DI_NOEFFECT : DI_OK);
            PC_CHECK_EQ(CountBuffered(keyboard), c.records);
        }
        driver.DestroyWindowNow(game);
    }
}

}  // namespace
}  // namespace platformcase
