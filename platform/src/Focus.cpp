// The keyboard focus: which window has it, and moving it to another program's
// window and back, with the messages and the DirectInput effects that go with it.
#include "DeviceInterface.h"
#include "PlatformState.h"

namespace qmsim::detail {
namespace {

// Another program's window: never one of the simulated windows' handles.
constexpr std::uintptr_t kForeignWindow = 0x7FFF0000;

bool IsLiveWindow(std::uintptr_t window) { return State().windows.count(window) != 0; }

std::uintptr_t NewestWindow() {
    const auto& windows = State().windows;
    return windows.empty() ? 0 : windows.rbegin()->first;
}

}  // namespace

std::uintptr_t FocusWindow() {
    const FocusState& focus = State().focus;
    if (focus.away) return 0;
    const std::uintptr_t newest = NewestWindow();
    if (newest != 0 && newest >= focus.firstNewerHandle) return newest;
    return IsLiveWindow(focus.window) ? focus.window : 0;
}

bool HasFocus(HWND window) {
    const auto handle = reinterpret_cast<std::uintptr_t>(window);
    return handle != 0 && FocusWindow() == handle;
}

void RecordFocusMove(std::uintptr_t window) {
    FocusState& focus = State().focus;
    focus.window = window;
    focus.firstNewerHandle = NextWindowHandle();
    for (DeviceInterface* device : State().deviceInterfaces) device->FollowFocus();
}

}  // namespace qmsim::detail

namespace qmsim {

using namespace detail;

HWND ForeignWindow() { return reinterpret_cast<HWND>(kForeignWindow); }

HWND GetFocusWindow() {
    auto lock = LockPlatform();
    return reinterpret_cast<HWND>(FocusWindow());
}

// Measured (Wine 8): the window losing the focus to another program's window
// gets WM_KILLFOCUS naming no window (that window is not of its thread).
bool MoveFocusAway() {
    std::uintptr_t losing;
    {
        auto lock = LockPlatform();
        losing = FocusWindow();
        if (losing == 0) return false;
        State().focus.away = true;
        State().focus.returnTo = losing;
        RecordFocusMove(0);
    }
    DeliverMessage(reinterpret_cast<HWND>(losing), WM_KILLFOCUS, 0, 0);
    return true;
}

// Measured (Wine 8): the window getting the focus back gets WM_SETFOCUS
// naming no window.
bool MoveFocusBack() {
    std::uintptr_t getting;
    {
        auto lock = LockPlatform();
        FocusState& focus = State().focus;
        getting = IsLiveWindow(focus.returnTo) ? focus.returnTo : NewestWindow();
        if (!focus.away || getting == 0) return false;
        focus.away = false;
        focus.returnTo = 0;
        RecordFocusMove(getting);
    }
    DeliverMessage(reinterpret_cast<HWND>(getting), WM_SETFOCUS, 0, 0);
    return true;
}

}  // namespace qmsim
