#include "tools/monitor/MessageNames.h"


namespace qmmonitor {
namespace {

constexpr sMessageName kMessages[] = {
    {"WM_SETFOCUS", 0x0007},
    {"WM_KILLFOCUS", 0x0008},
    {"WM_KEYDOWN", 0x0100},
    {"WM_KEYUP", 0x0101},
    {"WM_CHAR", 0x0102},
    {"WM_DEADCHAR", 0x0103},
    {"WM_SYSKEYDOWN", 0x0104},
    {"WM_SYSKEYUP", 0x0105},
    {"WM_SYSCHAR", 0x0106},
    {"WM_MOUSEMOVE", 0x0200},
    {"WM_LBUTTONDOWN", 0x0201},
    {"WM_LBUTTONUP", 0x0202},
    {"WM_LBUTTONDBLCLK", 0x0203},
    {"WM_RBUTTONDOWN", 0x0204},
    {"WM_RBUTTONUP", 0x0205},
    {"WM_RBUTTONDBLCLK", 0x0206},
    {"WM_MBUTTONDOWN", 0x0207},
    {"WM_MBUTTONUP", 0x0208},
    {"WM_MBUTTONDBLCLK", 0x0209},
    {"WM_MOUSEWHEEL", 0x020A},
    {"WM_XBUTTONDOWN", 0x020B},
    {"WM_MOUSEHWHEEL", 0x020E},
};

}  // namespace

std::span<const sMessageName> MessageNameTable()
{
    return kMessages;
}

std::optional<std::uint32_t> FindMessageNumber(std::string_view name)
{
    for (const sMessageName& message : kMessages) {
        if (name == message.pName)
            return message.nNumber;
    }
    return std::nullopt;
}

const char* FindMessageName(std::uint32_t number)
{
    for (const sMessageName& message : kMessages) {
        if (number == message.nNumber)
            return message.pName;
    }
    return nullptr;
}

}  // namespace qmmonitor
