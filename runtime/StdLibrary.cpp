// The few non-template functions of libc++'s library that the sources reach
// through its headers: the bucket counts of unordered containers, and
// std::to_string and std::stol and kin for integers.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

_LIBCPP_BEGIN_NAMESPACE_STD

// The smallest prime not below n (a bucket count).
size_t __next_prime(size_t n)
{
    if (n <= 2)
        return 2;
    for (size_t candidate = n | 1;; candidate += 2) {
        bool prime = true;
        for (size_t divisor = 3; divisor * divisor <= candidate; divisor += 2) {
            if (candidate % divisor == 0) {
                prime = false;
                break;
            }
        }
        if (prime)
            return candidate;
    }
}

namespace {

template <class Number>
string Formatted(const char* format, Number value)
{
    char text[32];
    snprintf(text, sizeof text, format, value);
    return string(text);
}

}  // namespace

namespace {

// strtol and kin with the standard's exceptions: no digits, or out of range.
template <class Number>
Number Parsed(const char* function, const string& text, size_t* consumed, Number (*parse)(const char*, char**, int), int base)
{
    const char* start = text.c_str();
    char* end = nullptr;
    errno = 0;
    const Number value = parse(start, &end, base);
    if (end == start)
        throw invalid_argument(string(function) + ": no conversion");
    if (errno == ERANGE)
        throw out_of_range(string(function) + ": out of range");
    if (consumed)
        *consumed = static_cast<size_t>(end - start);
    return value;
}

}  // namespace

long stol(const string& text, size_t* consumed, int base) { return Parsed("stol", text, consumed, strtol, base); }
unsigned long stoul(const string& text, size_t* consumed, int base) { return Parsed("stoul", text, consumed, strtoul, base); }

string to_string(int value) { return Formatted("%d", value); }
string to_string(unsigned value) { return Formatted("%u", value); }
string to_string(long value) { return Formatted("%ld", value); }
string to_string(unsigned long value) { return Formatted("%lu", value); }
string to_string(long long value) { return Formatted("%lld", value); }
string to_string(unsigned long long value) { return Formatted("%llu", value); }

_LIBCPP_END_NAMESPACE_STD
