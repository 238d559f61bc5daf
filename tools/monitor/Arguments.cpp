#include "tools/monitor/Arguments.h"

#include <span>

#include "qmsim/Simulation.h"
#include "tools/monitor/GameWindow.h"
#include "tools/monitor/MessageNames.h"
#include "tools/monitor/Numbers.h"
#include "tools/monitor/ScriptError.h"

namespace qmmonitor {
namespace {

struct sKeyword {
    const char* pName;
    std::uint32_t nValue;
};

constexpr sKeyword kDeviceTypes[] = {
    {"mouse", DI8DEVTYPE_MOUSE},
    {"keyboard", DI8DEVTYPE_KEYBOARD},
    {"joystick", DI8DEVTYPE_JOYSTICK},
    {"gamepad", DI8DEVTYPE_GAMEPAD},
};

constexpr sKeyword kSettings[] = {
    {"keyboard-delay", static_cast<std::uint32_t>(eSetting::KeyboardDelay)},
    {"keyboard-speed", static_cast<std::uint32_t>(eSetting::KeyboardSpeed)},
    {"double-click-ms", static_cast<std::uint32_t>(eSetting::DoubleClickMs)},
    {"swap-buttons", static_cast<std::uint32_t>(eSetting::SwapButtons)},
};

constexpr sKeyword kWindowBindings[] = {
    {"game", static_cast<std::uint32_t>(eWindowBinding::Game)},
    {"unicode", static_cast<std::uint32_t>(eWindowBinding::UnicodeGame)},
    {"zero", static_cast<std::uint32_t>(eWindowBinding::Zero)},
    {"none", static_cast<std::uint32_t>(eWindowBinding::Undefined)},
};

constexpr sKeyword kPrograms[] = {
    {"a", 0},
    {"b", 1},
};

constexpr std::uint32_t CallValue(qmsim::Call call)
{
    return static_cast<std::uint32_t>(call);
}

constexpr sKeyword kCalls[] = {
    {"GetModuleHandleA", CallValue(qmsim::Call::GetModuleHandleA)},
    {"DirectInput8Create", CallValue(qmsim::Call::DirectInput8Create)},
    {"EnumDevices", CallValue(qmsim::Call::EnumDevices)},
    {"CreateDevice", CallValue(qmsim::Call::CreateDevice)},
    {"GetCapabilities", CallValue(qmsim::Call::GetCapabilities)},
    {"SetDataFormat", CallValue(qmsim::Call::SetDataFormat)},
    {"SetProperty", CallValue(qmsim::Call::SetProperty)},
    {"Acquire", CallValue(qmsim::Call::Acquire)},
    {"Poll", CallValue(qmsim::Call::Poll)},
    {"GetDeviceData", CallValue(qmsim::Call::GetDeviceData)},
};

constexpr sKeyword kRecordOffsets[] = {
    {"x", DIMOFS_X},             {"y", DIMOFS_Y},             {"z", DIMOFS_Z},
    {"button0", DIMOFS_BUTTON0}, {"button1", DIMOFS_BUTTON1}, {"button2", DIMOFS_BUTTON2},
    {"button3", DIMOFS_BUTTON3}, {"button4", DIMOFS_BUTTON4}, {"button5", DIMOFS_BUTTON5},
    {"button6", DIMOFS_BUTTON6}, {"button7", DIMOFS_BUTTON7},
};

constexpr sKeyword kKeyDirections[] = {
    {"down", 0x80},
    {"up", 0x00},
};

constexpr std::uint32_t kLargestDeviceType = 0xFF;

const sKeyword* FindKeyword(std::span<const sKeyword> keywords, std::string_view word)
{
    for (const sKeyword& keyword : keywords) {
        if (word == keyword.pName)
            return &keyword;
    }
    return nullptr;
}

std::string ListKeywords(std::span<const sKeyword> keywords)
{
    std::string list;
    for (const sKeyword& keyword : keywords) {
        if (!list.empty())
            list += ", ";
        list += keyword.pName;
    }
    return list;
}

std::uint32_t RequireWord(std::string_view word, const char* what = "number")
{
    const auto value = ParseWord(word);
    if (!value)
        throw CScriptError(std::string("bad ") + what + " " + Quote(word));
    return *value;
}

std::uint32_t RequireKeyword(std::span<const sKeyword> keywords, std::string_view word,
                             const char* label)
{
    const sKeyword* keyword = FindKeyword(keywords, word);
    if (!keyword) {
        throw CScriptError(std::string("unknown ") + label + " " + Quote(word) + " (one of "
                           + ListKeywords(keywords) + ")");
    }
    return keyword->nValue;
}

std::uint32_t KeywordOrWord(std::span<const sKeyword> keywords, std::string_view word)
{
    const sKeyword* keyword = FindKeyword(keywords, word);
    return keyword ? keyword->nValue : RequireWord(word);
}

// Device names are the script's own identifiers: letters, digits, '_', '-', '.'.
bool IsIdentifier(std::string_view word)
{
    if (word.empty())
        return false;
    for (char c : word) {
        const bool letterOrDigit =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!letterOrDigit && c != '_' && c != '-' && c != '.')
            return false;
    }
    return true;
}

std::uint32_t ParseDeviceType(std::string_view word)
{
    const sKeyword* keyword = FindKeyword(kDeviceTypes, word);
    if (keyword)
        return keyword->nValue;
    const auto value = ParseWord(word);
    if (!value || *value > kLargestDeviceType) {
        throw CScriptError("unknown device type " + Quote(word) + " (one of "
                           + ListKeywords(kDeviceTypes) + " or a byte)");
    }
    return *value;
}

std::uint32_t ParseMessage(std::string_view word)
{
    if (const auto number = FindMessageNumber(word))
        return *number;
    if (word.starts_with("WM_"))
        throw CScriptError("unknown message " + Quote(word));
    return RequireWord(word, "message");
}

void RequireDeviceName(std::string_view word, bool attached)
{
    if (!IsIdentifier(word))
        throw CScriptError("bad device name " + Quote(word));
    const bool isAttached = qmsim::IsAttached(std::string(word));
    if (attached && !isAttached)
        throw CScriptError("unknown device name " + Quote(word));
    if (!attached && isAttached)
        throw CScriptError("device name " + Quote(word) + " is already attached");
}

double ParseTime(std::string_view word)
{
    const auto seconds = ParseSeconds(word);
    if (!seconds)
        throw CScriptError("bad time " + Quote(word));
    return *seconds;
}

}  // namespace

sArgument ParseArgument(const sArgumentSpec& expected, std::string_view word)
{
    sArgument argument;
    argument.oText = word;
    switch (expected.eKind) {
    case eArgumentKind::Word:
        argument.nValue = RequireWord(word);
        break;
    case eArgumentKind::Seconds:
        argument.fSeconds = ParseTime(word);
        break;
    case eArgumentKind::DeviceName:
        RequireDeviceName(word, true);
        break;
    case eArgumentKind::NewDeviceName:
        RequireDeviceName(word, false);
        break;
    case eArgumentKind::DeviceType:
        argument.nValue = ParseDeviceType(word);
        break;
    case eArgumentKind::Setting:
        argument.nValue = RequireKeyword(kSettings, word, "setting");
        break;
    case eArgumentKind::WindowBinding:
        argument.nValue = RequireKeyword(kWindowBindings, word, "window");
        break;
    case eArgumentKind::Program:
        argument.nValue = RequireKeyword(kPrograms, word, "program");
        break;
    case eArgumentKind::Call:
        argument.nValue = RequireKeyword(kCalls, word, "call");
        break;
    case eArgumentKind::ClassName:
        break;
    case eArgumentKind::Message:
        argument.nValue = ParseMessage(word);
        break;
    case eArgumentKind::RecordOffset:
        argument.nValue = KeywordOrWord(kRecordOffsets, word);
        break;
    case eArgumentKind::KeyDirection:
        argument.nValue = RequireKeyword(kKeyDirections, word, "key direction");
        break;
    }
    return argument;
}

std::vector<sArgument> ParseArguments(const std::vector<sArgumentSpec>& specs,
                                      const std::vector<std::string>& words)
{
    if (words.size() > specs.size())
        throw CScriptError("too many arguments, from " + Quote(words[specs.size()]));
    std::vector<sArgument> arguments;
    for (std::size_t i = 0; i < specs.size(); ++i) {
        if (i >= words.size()) {
            if (specs[i].bOptional)
                break;
            throw CScriptError(std::string("missing argument ") + specs[i].pLabel);
        }
        arguments.push_back(ParseArgument(specs[i], words[i]));
    }
    return arguments;
}

}  // namespace qmmonitor
