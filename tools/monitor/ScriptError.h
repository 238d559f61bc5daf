// A script line that cannot run: the runner reports it as "line N: reason" and
// stops the script there.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace qmmonitor {

class CScriptError : public std::runtime_error {
public:
    explicit CScriptError(const std::string& reason) : std::runtime_error(reason) {}
};

// A script word inside an error message, quoted and cut short when long.
std::string Quote(std::string_view word);

}  // namespace qmmonitor
