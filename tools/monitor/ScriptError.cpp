#include "tools/monitor/ScriptError.h"

namespace qmmonitor {
namespace {

constexpr std::size_t kLongestQuotedWord = 40;

}  // namespace

std::string Quote(std::string_view word)
{
    if (word.size() > kLongestQuotedWord)
        return "'" + std::string(word.substr(0, kLongestQuotedWord)) + "...'";
    return "'" + std::string(word) + "'";
}

}  // namespace qmmonitor
