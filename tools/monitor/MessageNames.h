// Names of the window messages that the input devices handle or pass on, so a
// script can write `msg WM_KEYDOWN ...`. Plain numbers, no platform header:
// the Windows live mode uses the same table.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace qmmonitor {

struct sMessageName {
    const char* pName;
    std::uint32_t nNumber;
};

// Every named message, in number order.
std::span<const sMessageName> MessageNameTable();

std::optional<std::uint32_t> FindMessageNumber(std::string_view name);
// The name of a message number, or null for one without a name here.
const char* FindMessageName(std::uint32_t number);

}  // namespace qmmonitor
