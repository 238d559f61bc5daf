#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/monitor/Outstanding.h"

namespace qmmonitor {
namespace {

using Lines = std::vector<std::string>;

TEST(DescribeOutstanding, CleanRunSaysNothing)
{
    EXPECT_EQ(DescribeOutstanding(sOutstanding{}), Lines{});
}

TEST(DescribeOutstanding, NamesEachThingLeft)
{
    sOutstanding left;
    left.nDeviceRefs = 1;
    left.nEventRefs = 2;
    left.nDirectInputs = 1;
    left.nDeviceInterfaces = 3;
    left.bModuleProcedureInChain = true;
    EXPECT_EQ(DescribeOutstanding(left),
              (Lines{"left outstanding: 1 device reference",
                     "left outstanding: 2 event references",
                     "left outstanding: 1 DirectInput interface",
                     "left outstanding: 3 DirectInput device interfaces",
                     "left outstanding: a procedure of the input module in the game window's "
                     "chain"}));
}

TEST(DescribeOutstanding, ReleasesBeyondTheTakenAreFaultsToo)
{
    sOutstanding left;
    left.nEventRefs = -1;
    EXPECT_EQ(DescribeOutstanding(left), Lines{"given back more than taken: 1 event reference"});
}

}  // namespace
}  // namespace qmmonitor
