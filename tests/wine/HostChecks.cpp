#include "tests/wine/HostChecks.h"

#include <cstdio>

namespace qmwinetest {

bool CHostChecks::Check(bool condition, const std::string& what, const std::string& detail)
{
    ++m_nChecks;
    if (!condition)
        ++m_nFailures;
    std::printf("%s %s%s%s\n", condition ? "ok  " : "FAIL", what.c_str(),
                condition || detail.empty() ? "" : ": ", condition ? "" : detail.c_str());
    std::fflush(stdout);
    return condition;
}

bool CHostChecks::CheckEqual(const std::string& actual, const std::string& expected,
                             const std::string& what)
{
    return Check(actual == expected, what, "got \"" + actual + "\", expected \"" + expected + "\"");
}

bool CHostChecks::CheckEqual(long actual, long expected, const std::string& what)
{
    return CheckEqual(std::to_string(actual), std::to_string(expected), what);
}

int CHostChecks::Finish() const
{
    std::printf("%d checks, %d failed\n", m_nChecks, m_nFailures);
    std::fflush(stdout);
    return m_nFailures == 0 ? 0 : 1;
}

}  // namespace qmwinetest
