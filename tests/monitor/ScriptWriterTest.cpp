#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "tools/monitor/Numbers.h"
#include "tools/monitor/ScriptWriter.h"

namespace qmmonitor {
namespace {

// A recording's times must read back as the very clock values the module saw,
// or a replayed event's time or a double-click decision could differ.
TEST(FormatExactSeconds, ReadsBackExactlyAndShort)
{
    struct sCase {
        double fSeconds;
        const char* pText;  // null: only the round trip is checked
    };
    const sCase cases[] = {
        {0.0, "0"},
        {2.0, "2"},
        {1234 / 1000.0, "1.234"},
        {0.1 + 0.2, "0.30000000000000004"},
        {1e-7, "0.0000001"},
        {std::nextafter(1e-7, 1.0), nullptr},
        {86400.0 * 365 + 0.001, "31536000.001"},
        {1.0 / 3.0, nullptr},
        {1e20, "100000000000000000000"},
    };
    for (const sCase& c : cases) {
        const std::string text = FormatExactSeconds(c.fSeconds);
        EXPECT_EQ(ParseSeconds(text), c.fSeconds) << text;
        if (c.pText) {
            EXPECT_EQ(text, c.pText);
        }
    }
}

}  // namespace
}  // namespace qmmonitor
