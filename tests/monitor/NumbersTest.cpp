#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tools/monitor/Numbers.h"

namespace qmmonitor {
namespace {

struct sWordCase {
    const char* pText;
    std::optional<std::uint32_t> oWord;
};

TEST(ParseWord, ReadsDecimalHexAndTwosComplement)
{
    const sWordCase cases[] = {
        {"0", 0u},
        {"007", 7u},
        {"4294967295", 0xFFFFFFFFu},
        {"0xFFFFFFFF", 0xFFFFFFFFu},
        {"0X1f", 0x1Fu},
        {"0x0", 0u},
        {"-1", 0xFFFFFFFFu},
        {"-120", 0xFFFFFF88u},
        {"-2147483648", 0x80000000u},
        {"-0x10", 0xFFFFFFF0u},
        {"-0", 0u},
    };
    for (const sWordCase& c : cases)
        EXPECT_EQ(ParseWord(c.pText), c.oWord) << c.pText;
}

TEST(ParseWord, RefusesWhatIsNoWord)
{
    const char* const refused[] = {
        "", "-", "0x", "-0x", "+1", " 1", "1 ", "12a", "0x1g", "1.5", "4294967296",
        "0x100000000", "-2147483649", "99999999999999999999999", "WM_KEYDOWN", "--1",
    };
    for (const char* text : refused)
        EXPECT_EQ(ParseWord(text), std::nullopt) << text;
}

TEST(ParseSeconds, ReadsPlainDecimals)
{
    EXPECT_EQ(ParseSeconds("10.0625"), 10.0625);
    EXPECT_EQ(ParseSeconds("0"), 0.0);
    EXPECT_EQ(ParseSeconds("3"), 3.0);
    EXPECT_EQ(ParseSeconds("0.5"), 0.5);
    // Negative times are read so that the clock can refuse them by name.
    EXPECT_EQ(ParseSeconds("-1.5"), -1.5);
}

TEST(ParseSeconds, RefusesOtherNotations)
{
    const std::string tooLarge(400, '9');
    const char* const refused[] = {"", ".5", "1.", "1e3", "0x10", "nan", "inf", "1,5", "-", "1.2.3"};
    for (const char* text : refused)
        EXPECT_EQ(ParseSeconds(text), std::nullopt) << text;
    EXPECT_EQ(ParseSeconds(tooLarge), std::nullopt);
}

TEST(FormatSeconds, UsesShortestGeneralForm)
{
    EXPECT_EQ(FormatSeconds(0.5), "0.5");
    EXPECT_EQ(FormatSeconds(1.0), "1");
    EXPECT_EQ(FormatSeconds(static_cast<double>(1.0f / 31)), "0.0322581");
}

}  // namespace
}  // namespace qmmonitor
