// The checks of a Windows host test: each prints one line as it is made, and
// the program's exit status says whether any failed.
#pragma once

#include <string>

namespace qmwinetest {

class CHostChecks {
public:
    // Prints "ok   what" or "FAIL what", with the detail of a failure.
    bool Check(bool condition, const std::string& what, const std::string& detail = {});
    bool CheckEqual(const std::string& actual, const std::string& expected,
                    const std::string& what);
    bool CheckEqual(long actual, long expected, const std::string& what);

    // Prints the count of checks and failures; 0 when none failed.
    int Finish() const;

private:
    int m_nChecks = 0;
    int m_nFailures = 0;
};

}  // namespace qmwinetest
