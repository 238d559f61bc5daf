#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/monitor/ScriptError.h"
#include "tools/monitor/ScriptLine.h"

namespace qmmonitor {
namespace {

using Words = std::vector<std::string>;

TEST(SplitScriptLine, SeparatesWordsAtAnyBlank)
{
    EXPECT_EQ(SplitScriptLine("msg WM_KEYDOWN 0x41 0"), (Words{"msg", "WM_KEYDOWN", "0x41", "0"}));
    EXPECT_EQ(SplitScriptLine("  \tpoll\t "), (Words{"poll"}));
    EXPECT_EQ(SplitScriptLine("time 1\r"), (Words{"time", "1"}));
    EXPECT_EQ(SplitScriptLine("a\vb\fc"), (Words{"a", "b", "c"}));
}

TEST(SplitScriptLine, DropsCommentsAndEmptyLines)
{
    EXPECT_EQ(SplitScriptLine("# only a comment"), Words{});
    EXPECT_EQ(SplitScriptLine(""), Words{});
    EXPECT_EQ(SplitScriptLine("   "), Words{});
    EXPECT_EQ(SplitScriptLine("poll # then the events"), (Words{"poll"}));
    EXPECT_EQ(SplitScriptLine("poll#glued"), (Words{"poll"}));
}

TEST(SplitScriptLine, KeepsOtherBytesInsideWords)
{
    const std::string withNul("ke\0y x", 6);
    EXPECT_EQ(SplitScriptLine(withNul), (Words{std::string("ke\0y", 4), "x"}));
}

TEST(JoinWords, UsesSingleSpaces)
{
    EXPECT_EQ(JoinWords({"key", "kbd", "0x1E", "down", "1"}), "key kbd 0x1E down 1");
    EXPECT_EQ(JoinWords({}), "");
}

TEST(TrimRight, RemovesTrailingBlanksOnly)
{
    EXPECT_EQ(TrimRight("  # note \r"), "  # note");
    EXPECT_EQ(TrimRight(" \t"), "");
}

TEST(Quote, CutsLongWordsShort)
{
    EXPECT_EQ(Quote("kbd"), "'kbd'");
    const std::string quoted = Quote(std::string(100, 'x'));
    EXPECT_EQ(quoted, "'" + std::string(40, 'x') + "...'");
}

}  // namespace
}  // namespace qmmonitor
