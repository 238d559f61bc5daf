#include "tools/monitor/Numbers.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace qmmonitor {
namespace {

constexpr std::uint64_t kLargestWord = 0xFFFFFFFFull;
constexpr std::uint64_t kLargestNegation = 0x80000000ull;

int DigitValue(char c, int base)
{
    int value = -1;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value < base ? value : -1;
}

// Digits of `base` only, at least one, no larger than `limit`.
std::optional<std::uint64_t> ParseMagnitude(std::string_view digits, int base,
                                            std::uint64_t limit)
{
    if (digits.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (char c : digits) {
        const int digit = DigitValue(c, base);
        if (digit < 0)
            return std::nullopt;
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (value > limit)
            return std::nullopt;
    }
    return value;
}

bool AllDigits(std::string_view text)
{
    if (text.empty())
        return false;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

}  // namespace

std::optional<std::uint32_t> ParseWord(std::string_view text)
{
    const bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    int base = 10;
    if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    const auto magnitude = ParseMagnitude(text, base, negative ? kLargestNegation : kLargestWord);
    if (!magnitude)
        return std::nullopt;
    const std::uint64_t word = negative ? (kLargestWord + 1 - *magnitude) & kLargestWord : *magnitude;
    return static_cast<std::uint32_t>(word);
}

std::optional<double> ParseSeconds(std::string_view text)
{
    std::string_view unsigned_part = text;
    if (!unsigned_part.empty() && unsigned_part.front() == '-')
        unsigned_part.remove_prefix(1);
    const auto point = unsigned_part.find('.');
    const std::string_view whole = unsigned_part.substr(0, point);
    if (!AllDigits(whole))
        return std::nullopt;
    if (point != std::string_view::npos && !AllDigits(unsigned_part.substr(point + 1)))
        return std::nullopt;
    // The text is now known to be a plain decimal, which strtod reads exactly.
    const std::string copy(text);
    const double seconds = std::strtod(copy.c_str(), nullptr);
    if (!std::isfinite(seconds))
        return std::nullopt;
    return seconds;
}

std::string FormatSeconds(double seconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", seconds);
    return text;
}

}  // namespace qmmonitor
