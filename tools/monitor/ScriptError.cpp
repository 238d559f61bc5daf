#include "tools/monitor/ScriptError.h"

namespace qmmonitor {
namespace {

constexpr std::size_t kLongestQuotedWord = 40;

}  // namespace

std::string Quote(std::string_view word)
{
    const bool tooLong = word.size() > kLongestQuotedWord;
    std::string quoted(1, '\'');
    quoted.append(word.substr(0, kLongestQuotedWord));
    quoted.append(tooLong ? "...'" : "'");
    return quoted;
}

}  // namespace qmmonitor
