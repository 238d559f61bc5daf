// The core library services: clock, debug capture, memory, strings, class
// types and the environment store.
#include <gtest/gtest.h>

#include <string>

#include "framework/QmFrameworkControl.h"
#include "host/QmHost.h"

namespace {

TEST(ClockTest, MovesOnlyForward) {
    const double base = CTimer::GetCurTime();
    EXPECT_GE(base, 0.0);
    enum eStep { SET, ADVANCE };
    const struct {
        eStep step;
        double seconds;
        bool accepted;
        double expectedNow;  // relative to base
    } steps[] = {
        {SET, base + 1.5, true, 1.5},  {SET, base + 1.0, false, 1.5}, {ADVANCE, -2.0, true, 1.5},
        {ADVANCE, 0.25, true, 1.75},   {SET, base + 1.75, true, 1.75}, {SET, base + 3.0, true, 3.0},
    };
    for (const auto& s : steps) {
        if (s.step == SET) {
            EXPECT_EQ(qmhost::SetTime(s.seconds), s.accepted) << s.seconds;
        } else {
            qmhost::AdvanceTime(s.seconds);
        }
        EXPECT_DOUBLE_EQ(CTimer::GetCurTime() - base, s.expectedNow) << s.seconds;
    }
}

TEST(DebugOutputTest, IsCapturedAndNeverPrinted) {
    qmhost::TakeDebugOutput();
    testing::internal::CaptureStdout();
    Debug_Printf("%s=%d;", "key", 30);
    Debug_Printf("%.2f", 0.5);
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(printed, "");
    EXPECT_EQ(qmhost::TakeDebugOutput(), "key=30;0.50");
    EXPECT_EQ(qmhost::TakeDebugOutput(), "");
}

TEST(DebugOutputTest, KeepsLongTextWhole) {
    const std::string longText(5000, 'x');
    Debug_Printf("<%s>", longText.c_str());
    EXPECT_EQ(qmhost::TakeDebugOutput(), "<" + longText + ">");
}

TEST(MemoryTest, ZeroClearsExactlyTheGivenBytes) {
    unsigned char bytes[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    MEM_Zero(bytes + 2, 4);
    const unsigned char expected[8] = {1, 2, 0, 0, 0, 0, 7, 8};
    EXPECT_EQ(std::string(bytes, bytes + 8), std::string(expected, expected + 8));
}

TEST(StringTest, OwnsItsTextAndComparesByContent) {
    char buffer[] = "Display/HWND";
    CQmString key(buffer);
    buffer[0] = 'X';
    EXPECT_STREQ(key.GetBuffer(), "Display/HWND");
    EXPECT_EQ(key.GetLength(), 12u);

    CQmString copy(key);
    CQmString assigned("other");
    assigned = key;
    EXPECT_TRUE(copy == key);
    EXPECT_TRUE(assigned == key);
    EXPECT_TRUE(CQmString("Display/HWN") != key);
    EXPECT_STREQ(CQmString(nullptr).GetBuffer(), "");
}

TEST(ClassTypeTest, FrameworkTypesFollowTheirBases) {
    const struct {
        const CQmClassType& type;
        const char* name;
        const CQmClassType* parent;
    } types[] = {
        {CQmObject::_s_oType, "CQmObject", nullptr},
        {CQmInputObject::_s_oType, "CQmInputObject", &CQmObject::_s_oType},
        {CQmInputDevice::_s_oType, "CQmInputDevice", &CQmInputObject::_s_oType},
        {CQmKeyboard::_s_oType, "CQmKeyboard", &CQmInputDevice::_s_oType},
        {CQmMouse::_s_oType, "CQmMouse", &CQmInputDevice::_s_oType},
        {CQmJoystick::_s_oType, "CQmJoystick", &CQmInputDevice::_s_oType},
        {CQmInputServer::_s_oType, "CQmInputServer", &CQmObject::_s_oType},
    };
    for (const auto& t : types) {
        EXPECT_STREQ(t.type.GetName(), t.name);
        EXPECT_EQ(t.type.GetParent(), t.parent) << t.name;
    }
}

TEST(ClassTypeTest, IsDerivedFromWalksTheParentChain) {
    const struct {
        const CQmClassType& type;
        const CQmClassType& other;
        bool derived;
    } cases[] = {
        {CQmKeyboard::_s_oType, CQmKeyboard::_s_oType, true},
        {CQmKeyboard::_s_oType, CQmInputDevice::_s_oType, true},
        {CQmKeyboard::_s_oType, CQmObject::_s_oType, true},
        {CQmKeyboard::_s_oType, CQmMouse::_s_oType, false},
        {CQmInputDevice::_s_oType, CQmKeyboard::_s_oType, false},
        {CQmInputServer::_s_oType, CQmInputDevice::_s_oType, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.type.IsDerivedFrom(c.other), c.derived) << c.type.GetName() << " / " << c.other.GetName();
    }
    const CQmClassType sameName("CQmKeyboard", CQmInputDevice::_s_oType);
    EXPECT_FALSE(sameName.IsDerivedFrom(CQmKeyboard::_s_oType)) << "types are told apart by identity";
}

TEST(EnvironmentTest, VariablesCanBeSetReplacedAndRemoved) {
    CQmEnvironmentServer& env = *QmGetEnvironmentServer();
    const CQmString key("Test/Value");
    EXPECT_FALSE(env.HasVariable(key));
    EXPECT_EQ(env.GetVariable(key).m_nValue, 0u);
    EXPECT_EQ(env.GetVariable(key).m_pName, nullptr);

    env.SetVariable(key, 0x1234);
    env.SetVariable(key, 0xBEEF);
    EXPECT_TRUE(env.HasVariable(key));
    EXPECT_EQ(env.GetVariable(key).m_nValue, 0xBEEFu);
    EXPECT_STREQ(env.GetVariable(key).m_pName, "Test/Value");

    env.RemoveVariable(key);
    EXPECT_FALSE(env.HasVariable(key));
    EXPECT_EQ(env.GetVariable(key).m_nValue, 0u);
}

}  // namespace
