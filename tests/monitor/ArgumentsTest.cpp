#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "qmsim/Simulation.h"
#include "tools/monitor/Arguments.h"
#include "tools/monitor/GameWindow.h"
#include "tools/monitor/ScriptError.h"

namespace qmmonitor {
namespace {

using K = eArgumentKind;

class ArgumentsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qmsim::Reset();
        qmsim::AttachDevice("kbd", DI8DEVTYPE_KEYBOARD);
    }
    void TearDown() override { qmsim::Reset(); }

    static std::uint32_t Value(eArgumentKind kind, const char* word)
    {
        return ParseArgument({"X", kind, false}, word).nValue;
    }

    // The reason ParseArgument gives for refusing the word; empty if accepted.
    static std::string Refusal(eArgumentKind kind, const std::string& word)
    {
        try {
            ParseArgument({"X", kind, false}, word);
        } catch (const CScriptError& error) {
            return error.what();
        }
        return "";
    }
};

TEST_F(ArgumentsTest, KeywordsGiveTheirMeaning)
{
    const struct {
        eArgumentKind eKind;
        const char* pWord;
        std::uint32_t nValue;
    } cases[] = {
        {K::DeviceType, "keyboard", 0x13},
        {K::DeviceType, "mouse", 0x12},
        {K::DeviceType, "joystick", 0x14},
        {K::DeviceType, "gamepad", 0x15},
        {K::DeviceType, "0x16", 0x16},
        {K::DeviceType, "255", 0xFF},
        {K::RecordOffset, "x", 0},
        {K::RecordOffset, "y", 4},
        {K::RecordOffset, "z", 8},
        {K::RecordOffset, "button0", 12},
        {K::RecordOffset, "button7", 19},
        {K::RecordOffset, "-1", 0xFFFFFFFF},
        {K::KeyDirection, "down", 0x80},
        {K::KeyDirection, "up", 0},
        {K::Message, "WM_KEYDOWN", 0x100},
        {K::Message, "WM_MOUSEWHEEL", 0x20A},
        {K::Message, "0x0400", 0x400},
        {K::Setting, "double-click-ms", static_cast<std::uint32_t>(eSetting::DoubleClickMs)},
        {K::WindowBinding, "none", static_cast<std::uint32_t>(eWindowBinding::Undefined)},
        {K::Call, "GetDeviceData", static_cast<std::uint32_t>(qmsim::Call::GetDeviceData)},
        {K::Call, "GetModuleHandleA", static_cast<std::uint32_t>(qmsim::Call::GetModuleHandleA)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Value(c.eKind, c.pWord), c.nValue) << c.pWord;
}

TEST_F(ArgumentsTest, RefusalsNameTheProblem)
{
    const struct {
        eArgumentKind eKind;
        const char* pWord;
        const char* pReason;
    } cases[] = {
        {K::Word, "12x", "bad number '12x'"},
        {K::Seconds, "1e3", "bad time '1e3'"},
        {K::DeviceName, "mouse9", "unknown device name 'mouse9'"},
        {K::DeviceName, "k/b", "bad device name 'k/b'"},
        {K::NewDeviceName, "kbd", "device name 'kbd' is already attached"},
        {K::DeviceType, "0x100", "unknown device type '0x100'"},
        {K::DeviceType, "trackball", "unknown device type 'trackball'"},
        {K::Message, "WM_PAINT", "unknown message 'WM_PAINT'"},
        {K::Message, "keydown", "bad message 'keydown'"},
        {K::RecordOffset, "button8", "bad number 'button8'"},
        {K::KeyDirection, "pressed", "unknown key direction 'pressed'"},
        {K::Setting, "repeat", "unknown setting 'repeat'"},
        {K::WindowBinding, "other", "unknown window 'other'"},
        {K::Call, "Release", "unknown call 'Release'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Refusal(c.eKind, c.pWord).rfind(c.pReason, 0), 0u)
            << c.pWord << " gave: " << Refusal(c.eKind, c.pWord);
}

TEST_F(ArgumentsTest, AttachedNamesAndFreshNamesAreTold)
{
    EXPECT_EQ(Refusal(K::DeviceName, "kbd"), "");
    EXPECT_EQ(Refusal(K::NewDeviceName, "pad-2.b_"), "");
    qmsim::DetachDevice("kbd");
    EXPECT_NE(Refusal(K::DeviceName, "kbd"), "");
    EXPECT_EQ(Refusal(K::NewDeviceName, "kbd"), "");
}

TEST_F(ArgumentsTest, CountsArgumentsAgainstTheSpecs)
{
    const std::vector<sArgumentSpec> specs = {
        {"CALL", K::Call, false}, {"RESULT", K::Word, false}, {"NAME", K::DeviceName, true}};
    EXPECT_EQ(ParseArguments(specs, {"CreateDevice", "-1"}).size(), 2u);
    const auto all = ParseArguments(specs, {"CreateDevice", "-1", "kbd"});
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[1].Signed(), -1);
    EXPECT_EQ(all[2].oText, "kbd");

    const auto reasonFor = [&](const std::vector<std::string>& words) -> std::string {
        try {
            ParseArguments(specs, words);
        } catch (const CScriptError& error) {
            return error.what();
        }
        return "";
    };
    EXPECT_EQ(reasonFor({"CreateDevice"}), "missing argument RESULT");
    EXPECT_EQ(reasonFor({"CreateDevice", "0", "kbd", "extra"}),
              "too many arguments, from 'extra'");
}

}  // namespace
}  // namespace qmmonitor
