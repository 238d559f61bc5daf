// Splitting one script line into words: `#` starts a comment, words are
// separated by blanks (space, tab, carriage return, vertical tab, form feed).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qmmonitor {

std::vector<std::string> SplitScriptLine(std::string_view line);

// The words joined by single spaces, as --echo shows a command.
std::string JoinWords(const std::vector<std::string>& words);

// The line without its trailing blanks.
std::string_view TrimRight(std::string_view line);

}  // namespace qmmonitor
