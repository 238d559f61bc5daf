// System settings, the process functions and the call log.
#include <string>
#include <vector>

#include "PlatformTest.h"

namespace {

using SystemTest = PlatformTest;

TEST_F(SystemTest, SettingsQueriesReportTheConfiguredValues) {
    qmsim::Settings& settings = qmsim::GetSettings();
    settings.keyboardDelay = 3;
    settings.keyboardSpeed = 7;
    settings.doubleClickMs = 320;
    settings.swapButtons = 1;

    int value = -1;
    EXPECT_EQ(SystemParametersInfoA(SPI_GETKEYBOARDDELAY, 0, &value, 0), TRUE);
    EXPECT_EQ(value, 3);
    EXPECT_EQ(SystemParametersInfoA(SPI_GETKEYBOARDSPEED, 0, &value, 0), TRUE);
    EXPECT_EQ(value, 7);
    EXPECT_EQ(GetDoubleClickTime(), 320u);
    EXPECT_EQ(GetSystemMetrics(SM_SWAPBUTTON), 1);

    qmsim::Reset();
    EXPECT_EQ(GetDoubleClickTime(), 500u);
    EXPECT_EQ(GetSystemMetrics(SM_SWAPBUTTON), 0);
}

TEST_F(SystemTest, FailingSettingsQueriesWriteNothing) {
    qmsim::GetSettings().settingsQueriesFail = true;
    int value = -1;
    EXPECT_EQ(SystemParametersInfoA(SPI_GETKEYBOARDDELAY, 0, &value, 0), FALSE);
    EXPECT_EQ(SystemParametersInfoA(SPI_GETKEYBOARDSPEED, 0, &value, 0), FALSE);
    EXPECT_EQ(value, -1);

    qmsim::GetSettings().settingsQueriesFail = false;
    EXPECT_EQ(SystemParametersInfoA(0x9999, 0, &value, 0), FALSE);
    EXPECT_EQ(value, -1);
}

TEST_F(SystemTest, OnlyTheExecutableHandleIsKnown) {
    EXPECT_NE(GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(GetModuleHandleA("other.dll"), nullptr);
    qmsim::SetModuleHandleNull(true);
    EXPECT_EQ(GetModuleHandleA(nullptr), nullptr);
}

TEST_F(SystemTest, CallLogNamesEachCallItsSubjectAndResult) {
    const GUID instance = qmsim::AttachDevice("kbd1", DI8DEVTYPE_KEYBOARD);
    DirectInput()->CreateDevice(instance, &m_pDevice, nullptr);
    SetDwordProperty(m_pDevice, DIPROP_BUFFERSIZE, 256);
    OutputDebugStringA("hello");
    m_pDevice->Release();
    m_pDevice = nullptr;

    const std::vector<std::string> expected = {
        "GetModuleHandleA NULL -> 0x400000",
        "DirectInput8Create 0x800 -> DI_OK",
        "CreateDevice kbd1 -> DI_OK",
        "SetProperty kbd1 DIPROP_BUFFERSIZE 256 -> DI_OK",
        "OutputDebugStringA hello",
        "Release kbd1 -> 0",
    };
    EXPECT_EQ(qmsim::CallLog(), expected);
    qmsim::ClearCallLog();
    EXPECT_TRUE(qmsim::CallLog().empty());
}

TEST_F(SystemTest, CallsLeaveNoLineWhileLoggingIsOff) {
    qmsim::SetCallLogging(false);
    OutputDebugStringA("unseen");
    qmsim::SetCallLogging(true);
    OutputDebugStringA("seen");
    EXPECT_EQ(qmsim::CallLog(), std::vector<std::string>{"OutputDebugStringA seen"});
}

TEST_F(SystemTest, CallLogKeepsTheNewestLinesOfALongRun) {
    const size_t calls = qmsim::kLogCapacity + 10;
    for (size_t i = 0; i < calls; ++i) OutputDebugStringA(std::to_string(i).c_str());

    const std::vector<std::string> log = qmsim::CallLog();
    EXPECT_LE(log.size(), qmsim::kLogCapacity);
    EXPECT_GE(log.size(), qmsim::kLogCapacity / 2);
    EXPECT_EQ(log.back(), "OutputDebugStringA " + std::to_string(calls - 1));
}

}  // namespace
