// The kinds of argument a script command takes, and how one word becomes one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qmmonitor {

enum class eArgumentKind {
    Word,           // a 32-bit word
    Seconds,        // a time in decimal seconds
    DeviceName,     // the name of an attached device
    NewDeviceName,  // a name not attached yet
    DeviceType,     // keyboard, mouse, joystick, gamepad or a device-type byte
    Setting,        // keyboard-delay, keyboard-speed, double-click-ms, swap-buttons
    WindowBinding,  // game, unicode, zero, none
    Program,        // a or b: another program that subclasses the game window
    Call,           // a platform call whose result can be injected
    ClassName,      // any class name; the command judges it
    Message,        // a WM_ name or a word
    RecordOffset,   // x, y, z, button0..button7 or a word
    KeyDirection,   // down or up
};

// What the settings command can change.
enum class eSetting : std::uint32_t { KeyboardDelay, KeyboardSpeed, DoubleClickMs, SwapButtons };

struct sArgumentSpec {
    const char* pLabel;  // as the usage shows it, e.g. "NAME"
    eArgumentKind eKind;
    bool bOptional;      // only the last arguments may be optional
};

struct sArgument {
    std::string oText;
    // The word, or the keyword's meaning: a device-type byte, an eSetting, an
    // eWindowBinding, a qmsim::Call, a message number, a record offset, the
    // key record's data (0x80 down, 0 up).
    std::uint32_t nValue = 0;
    double fSeconds = 0.0;

    // The word read as signed, as device ids are.
    long Signed() const { return static_cast<std::int32_t>(nValue); }
};

// Throws CScriptError naming the word when it is not of that kind.
sArgument ParseArgument(const sArgumentSpec& expected, std::string_view word);

// The given words against the specs: too few, too many, or a bad one throw.
std::vector<sArgument> ParseArguments(const std::vector<sArgumentSpec>& specs,
                                      const std::vector<std::string>& words);

}  // namespace qmmonitor
