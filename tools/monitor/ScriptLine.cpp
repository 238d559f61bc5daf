#include "tools/monitor/ScriptLine.h"

namespace qmmonitor {
namespace {

constexpr std::string_view kBlanks = " \t\r\v\f";

}  // namespace

std::vector<std::string> SplitScriptLine(std::string_view line)
{
    line = line.substr(0, line.find('#'));
    std::vector<std::string> words;
    std::size_t start = line.find_first_not_of(kBlanks);
    while (start != std::string_view::npos) {
        const std::size_t end = line.find_first_of(kBlanks, start);
        words.emplace_back(line.substr(start, end - start));
        start = line.find_first_not_of(kBlanks, end);
    }
    return words;
}

std::string JoinWords(const std::vector<std::string>& words)
{
    std::string joined;
    for (const std::string& word : words) {
        if (!joined.empty())
            joined += ' ';
        joined += word;
    }
    return joined;
}

std::string_view TrimRight(std::string_view line)
{
    const std::size_t last = line.find_last_not_of(kBlanks);
    return last == std::string_view::npos ? std::string_view() : line.substr(0, last + 1);
}

}  // namespace qmmonitor
