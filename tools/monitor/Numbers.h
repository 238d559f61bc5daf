// The two kinds of number a monitor script writes: 32-bit words and times.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qmmonitor {

// A 32-bit word: decimal or 0x hex, optionally negative, from -2147483648 to
// 0xFFFFFFFF. A negative number stands for its two's complement, so "-1" and
// "0xFFFFFFFF" give the same word. Nothing else is accepted (no sign on its
// own, no spaces, no suffix).
std::optional<std::uint32_t> ParseWord(std::string_view text);

// Decimal seconds: digits, optionally a point and more digits ("10.0625").
// A leading minus is accepted so that the caller can say the clock would go
// backwards rather than that the number is malformed.
std::optional<double> ParseSeconds(std::string_view text);

// Seconds as the monitor prints settings and clock values: %g.
std::string FormatSeconds(double seconds);

}  // namespace qmmonitor
