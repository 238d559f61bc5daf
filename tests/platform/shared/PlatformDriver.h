// What a platform case must cause and cannot do through the Win32 and
// DirectInput 8 calls it checks: input into a device's buffer, the focus moved
// to another program's window and back, a window made and destroyed. One
// implementation drives the simulation's controls, the other the real
// platform (SendInput, a window of another thread, DestroyWindow).
#pragma once

#include <string>
#include <vector>

#include "server/PlatformApi.h"

namespace platformcase {

// One key as DirectInput names it (a DIK_ code, which is its scan code).
struct KeyStroke {
    BYTE key;
    bool down;
};

class PlatformDriver {
public:
    virtual ~PlatformDriver() = default;

    // A shown window with the focus, whose procedure is `proc` (a Unicode one
    // with `unicode`); the messages of its creation went to the default procedure.
    virtual HWND CreateWindowWithProc(WNDPROC proc, bool unicode = false) = 0;
    virtual void DestroyWindowNow(HWND window) = 0;
    // What a procedure passes on for messages it does not handle.
    virtual LRESULT DefaultProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // One message through the window's procedure, as a program of the window's
    // own kind sends it (SendMessageA to an ANSI window, SendMessageW to a
    // Unicode one).
    virtual LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;

    // The instance GUIDs of a keyboard and a mouse that DirectInput reports.
    virtual GUID Keyboard() = 0;
    virtual GUID Mouse() = 0;

    // Input from the keyboard and the mouse; back once DirectInput has taken it.
    virtual void Type(const std::vector<KeyStroke>& keys) = 0;
    virtual void MoveMouse(LONG dx, LONG dy) = 0;

    // The focus goes to another program's window, and comes back to the window
    // that had it; back once the windows have their focus messages.
    virtual void MoveFocusAway() = 0;
    virtual void MoveFocusBack() = 0;
};

// The driver of the platform the cases run on, for window procedures, which
// have no other way to reach it.
PlatformDriver& Driver();

// A window procedure that handles nothing itself.
inline LRESULT CALLBACK QuietProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Driver().DefaultProc(window, message, wParam, lParam);
}

// A case: a function of the driver, registered by PLATFORM_CASE at start-up.
struct PlatformCase {
    const char* name;
    void (*run)(PlatformDriver&);
};
inline std::vector<PlatformCase>& PlatformCases() {
    static std::vector<PlatformCase> cases;
    return cases;
}

struct CaseRegistration {
    CaseRegistration(const char* name, void (*run)(PlatformDriver&)) { PlatformCases().push_back({name, run}); }
};

}  // namespace platformcase

#define PLATFORM_CASE(name)                                                     \
    static void name(::platformcase::PlatformDriver& driver);                   \
    static const ::platformcase::CaseRegistration name##Registration(#name, name); \
    static void name([[maybe_unused]] ::platformcase::PlatformDriver& driver)
