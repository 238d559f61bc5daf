#include "tools/monitor/DemoScript.h"

namespace qmmonitor {

const char* DemoScript()
{
    return R"(# qminput-monitor demo
# The input module is loaded as the framework loads it, its input server made
# by class name, and platform input is fed to it on the simulated platform.
# Every event the framework receives is printed as
#   event TYPE dev=ID key=K value=V x=X y=Y time=T
#
# 1. DirectInput reports a keyboard, a mouse and a gamepad. The enumeration
#    makes a window-message keyboard and mouse, which hook the game window,
#    and a DirectInput joystick for the gamepad.
attach keyboard1 keyboard
attach mouse1 mouse
attach pad1 gamepad
enumerate
devices
#
# 2. The typical key press: the game window gets the focus, A goes down, the
#    game's message loop turns it into the character 'a' (97), A comes up.
#    KEY_A is 30. The game's own procedure answers 1 to every message.
time 1
msg WM_SETFOCUS 0 0
focus
msg WM_KEYDOWN 0x41 0x001E0001
msg WM_CHAR 97 0x001E0001
advance 0.125
msg WM_KEYUP 0x41 0xC01E0001
#
# 3. A double click at x=100, y=50: the platform sends down, up, double click
#    and up. KEY_MOUSE_LEFT is 126.
time 2
msg WM_MOUSEMOVE 0 0x00320064
msg WM_LBUTTONDOWN 0x1 0x00320064
msg WM_LBUTTONUP 0 0x00320064
msg WM_LBUTTONDBLCLK 0x1 0x00320064
msg WM_LBUTTONUP 0 0x00320064
#
# 4. A DirectInput keyboard, made by class name and polled by the framework.
#    It takes its repeat delay (0.5 s) and interval (1/31 s) from the system.
attach dikbd keyboard
new CQmDi8Keyboard dikbd
keyboard 4
#    DIK_A (0x1E) goes down and stays down. The key repeats at the first poll
#    after more than the delay: not at 3.5, at 3.5625.
time 3
key dikbd 0x1E down 1
poll
time 3.25
poll
time 3.5
poll
time 3.5625
poll
#    DIK_A comes up.
time 3.625
key dikbd 0x1E up 2
poll
#
# 5. Nothing is left holding a reference; at the end the monitor frees every
#    device, destroys the server and unloads the module.
refs
game-messages
)";
}

}  // namespace qmmonitor
