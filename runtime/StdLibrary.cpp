// The few non-template functions of libc++'s library that the sources reach
// through its headers: the bucket counts of unordered containers and
// std::to_string for integers.
#include <cstdio>
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

string to_string(int value) { return Formatted("%d", value); }
string to_string(unsigned value) { return Formatted("%u", value); }
string to_string(long value) { return Formatted("%ld", value); }
string to_string(unsigned long value) { return Formatted("%lu", value); }
string to_string(long long value) { return Formatted("%lld", value); }
string to_string(unsigned long long value) { return Formatted("%llu", value); }

_LIBCPP_END_NAMESPACE_STD
