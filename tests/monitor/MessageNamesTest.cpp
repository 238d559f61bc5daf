#include <gtest/gtest.h>

#include <set>
#include <string>

#include "qmsim/windows.h"
#include "tools/monitor/MessageNames.h"

namespace qmmonitor {
namespace {

// The platform header's values, an independent source for the table.
TEST(MessageNames, MatchThePlatformsNumbers)
{
    const struct {
        const char* pName;
        std::uint32_t nNumber;
    } platform[] = {
        {"WM_SETFOCUS", WM_SETFOCUS},         {"WM_KILLFOCUS", WM_KILLFOCUS},
        {"WM_KEYDOWN", WM_KEYDOWN},           {"WM_KEYUP", WM_KEYUP},
        {"WM_CHAR", WM_CHAR},                 {"WM_DEADCHAR", WM_DEADCHAR},
        {"WM_SYSKEYDOWN", WM_SYSKEYDOWN},     {"WM_SYSKEYUP", WM_SYSKEYUP},
        {"WM_SYSCHAR", WM_SYSCHAR},           {"WM_MOUSEMOVE", WM_MOUSEMOVE},
        {"WM_LBUTTONDOWN", WM_LBUTTONDOWN},   {"WM_LBUTTONUP", WM_LBUTTONUP},
        {"WM_LBUTTONDBLCLK", WM_LBUTTONDBLCLK}, {"WM_RBUTTONDOWN", WM_RBUTTONDOWN},
        {"WM_RBUTTONUP", WM_RBUTTONUP},       {"WM_RBUTTONDBLCLK", WM_RBUTTONDBLCLK},
        {"WM_MBUTTONDOWN", WM_MBUTTONDOWN},   {"WM_MBUTTONUP", WM_MBUTTONUP},
        {"WM_MBUTTONDBLCLK", WM_MBUTTONDBLCLK}, {"WM_MOUSEWHEEL", WM_MOUSEWHEEL},
        {"WM_XBUTTONDOWN", WM_XBUTTONDOWN},   {"WM_MOUSEHWHEEL", WM_MOUSEHWHEEL},
    };
    EXPECT_EQ(MessageNameTable().size(), std::size(platform));
    for (const auto& message : platform) {
        EXPECT_EQ(FindMessageNumber(message.pName), message.nNumber) << message.pName;
        EXPECT_STREQ(FindMessageName(message.nNumber), message.pName);
    }
}

TEST(MessageNames, AreUniqueAndExact)
{
    std::set<std::string> names;
    std::set<std::uint32_t> numbers;
    for (const sMessageName& message : MessageNameTable()) {
        EXPECT_TRUE(names.insert(message.pName).second) << message.pName;
        EXPECT_TRUE(numbers.insert(message.nNumber).second) << message.pName;
    }
    EXPECT_EQ(FindMessageNumber("wm_keydown"), std::nullopt);
    EXPECT_EQ(FindMessageNumber("WM_KEYDOWN "), std::nullopt);
    EXPECT_EQ(FindMessageNumber("WM_PAINT"), std::nullopt);
    EXPECT_EQ(FindMessageName(WM_PAINT), nullptr);
}

}  // namespace
}  // namespace qmmonitor
