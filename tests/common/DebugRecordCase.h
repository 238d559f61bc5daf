// One case of a DirectInput device's diagnostic text: the record printed and the
// text expected.
#pragma once

#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "server/QmDi8Device.h"

struct sDebugRecordCase {
    const char* name;
    eCallbackType type;
    DIDEVICEOBJECTDATA record;
    const char* text;
};

inline std::ostream& operator<<(std::ostream& out, const sDebugRecordCase& test)
{
    return out << test.name;
}

inline std::string DebugRecordCaseName(const ::testing::TestParamInfo<sDebugRecordCase>& info)
{
    return info.param.name;
}
