#include "tools/monitor/CommandTable.h"

#include "tools/monitor/HostActionCommands.h"
#include "tools/monitor/PlatformInputCommands.h"
#include "tools/monitor/PlatformSetupCommands.h"
#include "tools/monitor/QueryCommands.h"

namespace qmmonitor {
namespace {

using K = eArgumentKind;

constexpr sArgumentSpec Required(const char* label, eArgumentKind kind)
{
    return {label, kind, false};
}

constexpr sArgumentSpec Optional(const char* label, eArgumentKind kind)
{
    return {label, kind, true};
}

const sCommand kCommands[] = {
    // Platform set-up.
    {"setting", {Required("SETTING", K::Setting), Required("N", K::Word)}, RunSetting,
     "keyboard-delay|keyboard-speed|double-click-ms|swap-buttons: what the settings queries answer"},
    {"attach", {Required("NAME", K::NewDeviceName), Required("TYPE", K::DeviceType)}, RunAttach,
     "DirectInput reports device NAME of TYPE keyboard|mouse|joystick|gamepad|byte"},
    {"detach", {Required("NAME", K::DeviceName)}, RunDetach, "the device is no longer attached"},
    {"window", {Required("MODE", K::WindowBinding)}, RunWindow,
     "\"Display/HWND\" holds the game window (game; a new one after destroy-window), a Unicode game "
     "window (unicode; an ANSI one is destroyed for it), 0 (zero) or is undefined (none)"},
    {"destroy-window", {}, RunDestroyWindow,
     "destroys the game window as DestroyWindow does (WM_DESTROY, WM_NCDESTROY) -> ok"},
    {"subclass", {Optional("a|b", K::Program)}, RunSubclass,
     "another program's (a, or b) pass-on procedure goes on top of the game window's -> ok"},
    {"unsubclass", {Optional("a|b", K::Program)}, RunUnsubclass,
     "that program puts back the procedure it replaced, wherever it sits -> ok"},
    {"fail",
     {Required("CALL", K::Call), Required("RESULT", K::Word), Optional("NAME", K::DeviceName)},
     RunFail, "the next CALL (on device NAME) returns RESULT; GetModuleHandleA returns null"},
    {"time", {Required("T", K::Seconds)}, RunTime, "sets the clock (seconds, never backwards)"},
    {"advance", {Required("DT", K::Seconds)}, RunAdvance, "moves the clock on"},
    // Host actions.
    {"start", {}, RunStart, "creates the input server by class name -> ok"},
    {"enumerate", {}, RunEnumerate, "EnumerateDevices -> enumerate true|false"},
    {"new", {Required("CLASS", K::ClassName), Optional("NAME", K::DeviceName)}, RunNew,
     "NewDevice and Create (on NAME's instance) -> new ID CLASS true|false"},
    {"poll", {}, RunPoll, "Poll on each device that needs polling -> poll N"},
    {"reset", {Required("ID", K::Word)}, RunReset, "Reset on the device -> ok"},
    {"delete", {Required("ID", K::Word)}, RunDelete, "DeleteDevice -> ok"},
    {"free", {}, RunFree, "FreeDevices -> ok"},
    // Platform input.
    {"msg", {Required("MSG", K::Message), Required("WPARAM", K::Word), Required("LPARAM", K::Word)},
     RunMsg, "a message to the game window's procedure -> result R"},
    {"key",
     {Required("NAME", K::DeviceName), Required("SCANCODE", K::Word),
      Required("DIRECTION", K::KeyDirection), Optional("SEQ", K::Word), Optional("STAMP", K::Word)},
     RunRecord,
     "queues a DirectInput keyboard record (down|up); without SEQ and STAMP (ms) the platform "
     "numbers and stamps it"},
    {"rec",
     {Required("NAME", K::DeviceName), Required("OFS", K::RecordOffset), Required("DATA", K::Word),
      Optional("SEQ", K::Word), Optional("STAMP", K::Word)},
     RunRecord, "queues a raw DirectInput record (OFS x|y|z|button0..button7|number), numbered alike"},
    {"move", {Required("NAME", K::DeviceName), Required("DX", K::Word), Required("DY", K::Word)},
     RunMove, "queues one mouse move: X and Y records of one sequence number (none for a 0 axis)"},
    {"lose", {Required("NAME", K::DeviceName)}, RunLose,
     "NAME's input is lost: every read reports DIERR_INPUTLOST until an Acquire"},
    {"focus-away", {}, RunFocusAway,
     "another program's window takes the focus: the game window gets WM_KILLFOCUS"},
    {"focus-back", {}, RunFocusBack, "the game window gets the focus back with WM_SETFOCUS"},
    // Queries.
    {"devices", {}, RunDevices, "device ID CLASS active|inactive ... then devices N"},
    {"focus", {}, RunFocus, "focus yes|no"},
    {"mouse", {Required("ID", K::Word)}, RunMouse,
     "mouse ID x=X y=Y left-handed=yes|no double-click=T"},
    {"left-handed", {Required("ID", K::Word), Required("0|1", K::Word)}, RunLeftHanded,
     "the host sets the mouse's handedness (SetLeftHanded) -> ok"},
    {"keyboard", {Required("ID", K::Word)}, RunKeyboard, "keyboard ID delay=D interval=I"},
    {"refs", {}, RunRefs, "refs devices=N events=M: references not given back"},
    {"game-messages", {}, RunGameMessages, "messages that reached the game's own procedure"},
};

}  // namespace

std::span<const sCommand> CommandTable()
{
    return kCommands;
}

const sCommand* FindCommand(std::string_view name)
{
    for (const sCommand& command : kCommands) {
        if (name == command.pName)
            return &command;
    }
    return nullptr;
}

std::string CommandUsage(const sCommand& command)
{
    std::string usage = command.pName;
    for (const sArgumentSpec& argument : command.oArguments) {
        usage += ' ';
        usage += argument.bOptional ? std::string("[") + argument.pLabel + "]" : argument.pLabel;
    }
    return usage;
}

}  // namespace qmmonitor
