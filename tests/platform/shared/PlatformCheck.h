// The checks of the cases that run on both platforms: natively they are
// GoogleTest failures, on Windows lines of the case runner's report. No
// GoogleTest here, since the Windows build has none.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <type_traits>
#include <vector>

namespace platformcheck {

// Where each platform's runner takes a failed check.
void ReportFailure(const char* file, int line, const std::string& what);

// What the failure message says of a value: numbers in decimal and hex.
template <class T>
std::string Describe(const T& value) {
    using Decayed = std::decay_t<T>;  // a function named as itself is a pointer
    if constexpr (std::is_null_pointer_v<T>) {
        return "null";
    } else if constexpr (std::is_pointer_v<Decayed>) {
        const Decayed pointer = value;
        return Describe(reinterpret_cast<std::uintptr_t>(pointer));
    } else if constexpr (std::is_enum_v<T> || std::is_integral_v<T>) {
        const auto number = static_cast<long long>(value);
        char hex[24];
        std::snprintf(hex, sizeof hex, "%llx", static_cast<unsigned long long>(number) & 0xFFFFFFFFull);
        return std::to_string(number) + " (0x" + hex + ")";
    } else if constexpr (std::is_convertible_v<T, std::string>) {
        // Appended, not "\"" + text: GCC 12 warns falsely (-Wrestrict) on that form.
        std::string quoted(1, '"');
        return quoted.append(value).append(1, '"');
    } else {
        std::string text = "{";
        for (const auto& item : value) {
            if (text.size() > 1) text += ", ";
            text += Describe(item);
        }
        return text + "}";
    }
}

// What a table row adds to the failures inside it (the row's name).
class Scope {
public:
    explicit Scope(std::string what) { Stack().push_back(std::move(what)); }
    ~Scope() { Stack().pop_back(); }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;
    static std::string Context() {
        std::string text;
        for (const std::string& what : Stack()) text += "[" + what + "] ";
        return text;
    }

private:
    static std::vector<std::string>& Stack() {
        static std::vector<std::string> stack;
        return stack;
    }
};

template <class A, class E>
bool CheckEqual(const A& actual, const E& expected, const char* text, const char* file, int line) {
    if (actual == expected) return true;
    ReportFailure(file, line, Scope::Context() + text + " is " + Describe(actual) + ", expected " + Describe(expected));
    return false;
}

inline bool Check(bool condition, const char* text, const char* file, int line) {
    if (!condition) ReportFailure(file, line, Scope::Context() + "not true: " + text);
    return condition;
}

}  // namespace platformcheck

#define PC_CHECK(condition) ::platformcheck::Check((condition), #condition, __FILE__, __LINE__)
#define PC_CHECK_EQ(actual, expected) \
    ::platformcheck::CheckEqual((actual), (expected), #actual, __FILE__, __LINE__)
// The case cannot go on without it.
#define PC_REQUIRE(condition) \
    if (!PC_CHECK(condition)) return
#define PC_REQUIRE_EQ(actual, expected) \
    if (!PC_CHECK_EQ(actual, expected)) return
#define PC_JOIN2(a, b) a##b
#define PC_JOIN(a, b) PC_JOIN2(a, b)
#define PC_SCOPE(what) ::platformcheck::Scope PC_JOIN(pcScope, __LINE__)(what)
