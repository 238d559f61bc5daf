// KEY_CHAR carries what an ANSI window procedure receives: on an ANSI window the
// byte of WM_CHAR as it is; on a Unicode window the UTF-16 unit converted
// through the ANSI code page (Windows-1252 here), '?' for what the page lacks,
// while the game's own procedure gets the unit unaltered.
#include "WindowMessageTest.h"

namespace {

struct sCharacterCase {
    bool bUnicodeWindow;
    WPARAM nSent;
    int nKey;
};

// Windows-1252: é is 0xE9, € is 0x80; it has no ж and no half of 😀.
constexpr sCharacterCase kCases[] = {
    {false, 0x61, 0x61}, {false, 0xE9, 0xE9}, {false, 0x80, 0x80},
    {true, 0x0061, 0x61}, {true, 0x00E9, 0xE9}, {true, 0x20AC, 0x80},
    {true, 0x0436, '?'}, {true, 0xD83D, '?'}, {true, 0xDE00, '?'},
};

using WindowCharacterTest = WindowMessageTest;

TEST_F(WindowCharacterTest, KeyCharCarriesWhatAnAnsiProcedureReceives)
{
    Server();
    for (const sCharacterCase& c : kCases) {
        SCOPED_TRACE(std::string(c.bUnicodeWindow ? "Unicode" : "ANSI") + " window, character " +
                     std::to_string(c.nSent));
        m_hWindow = DefineGameWindow(&GameProc, c.bUnicodeWindow);
        CQmWindowsKeyboard keyboard;
        keyboard.SetDeviceId(1);
        ASSERT_TRUE(keyboard.Create());
        SendAndExpectPassedOn(WM_CHAR, c.nSent, 0x00120001);
        const auto events = TakeQueuedEvents();
        ASSERT_EQ(events.size(), 1u);
        EXPECT_EQ(events[0].m_eType, INPUT_EVENT_KEY_CHAR);
        EXPECT_EQ(events[0].m_nKey, c.nKey);
        keyboard.Destroy();
        qmsim::DestroyTestWindow(m_hWindow);
    }
}

}  // namespace
