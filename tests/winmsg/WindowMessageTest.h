// A game window whose own procedure records every message it receives, for the
// window-message devices to hook.
#pragma once

#include <cstddef>
#include <vector>

#include "common/ModuleTestFixture.h"
#include "common/QueuedEvents.h"
#include "host/KeyTypes.h"
#include "host/QmInputServer.h"
#include "winmsg/QmWindowsKeyboard.h"
#include "winmsg/QmWindowsMouse.h"

// One message as the game's own procedure saw it.
struct sGameCall {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::size_t queuedEvents;  // events in the framework's queue when it arrived
};

inline std::size_t CountQueuedEvents()
{
    CQmInputServer* server = QmGetInputServer();
    if (!server)
        return 0;
    std::size_t count = 0;
    long position = 0;
    long eventId = -1;
    server->LockEventQueue();
    for (bool more = server->GetFirstEventInQueue(position, eventId); more;
         more = server->GetNextEventInQueue(position, eventId))
        ++count;
    server->UnlockEventQueue();
    return count;
}

inline LPARAM MakePosition(int x, int y)
{
    return static_cast<LPARAM>((static_cast<unsigned>(y) & 0xFFFF) << 16 |
                               (static_cast<unsigned>(x) & 0xFFFF));
}

class WindowMessageTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        GameCalls().clear();
        m_hWindow = DefineGameWindow(&GameProc);
    }

    // What the game's procedure answers, different for every message.
    static LRESULT GameResult(UINT message) { return 5000 + static_cast<LRESULT>(message); }

    static LRESULT CALLBACK GameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        GameCalls().push_back({window, message, wParam, lParam, CountQueuedEvents()});
        return GameResult(message);
    }

    static std::vector<sGameCall>& GameCalls()
    {
        static std::vector<sGameCall> calls;
        return calls;
    }

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return qmsim::DeliverMessage(m_hWindow, message, wParam, lParam);
    }

    // Sends a message and checks that the game's procedure got it once, as sent,
    // and that its answer came back.
    void SendAndExpectPassedOn(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        GameCalls().clear();
        EXPECT_EQ(Send(message, wParam, lParam), GameResult(message));
        ASSERT_EQ(GameCalls().size(), 1u) << "message 0x" << std::hex << message;
        EXPECT_EQ(GameCalls()[0].window, m_hWindow);
        EXPECT_EQ(GameCalls()[0].message, message);
        EXPECT_EQ(GameCalls()[0].wParam, wParam);
        EXPECT_EQ(GameCalls()[0].lParam, lParam);
    }

    // Sends a key, a character, a button and an unhandled message: each reaches
    // the game once, unaltered, with its answer, the first three after one event
    // from `keyboardId` and `mouseId` (none for -1) was queued.
    void ExpectRouting(long keyboardId, long mouseId)
    {
        SendAndExpectPassedOn(WM_KEYDOWN, 'A', 0x001E0001);
        ExpectOneEventFrom(keyboardId, INPUT_EVENT_KEY_DOWN);
        SendAndExpectPassedOn(WM_CHAR, m_nCharacter, 0x001E0001);
        ExpectOneEventFrom(keyboardId, INPUT_EVENT_KEY_CHAR, m_nCharacterKey);
        SendAndExpectPassedOn(WM_LBUTTONDOWN, MK_LBUTTON, MakePosition(3, 4));
        ExpectOneEventFrom(mouseId, INPUT_EVENT_MOUSE_BUTTON_DOWN);
        SendAndExpectPassedOn(WM_PAINT);
        EXPECT_TRUE(TakeQueuedEvents().empty());
    }

    HWND m_hWindow = nullptr;
    // The character ExpectRouting types, in the game window's own kind, and
    // the key its event carries: what an ANSI procedure would receive.
    WPARAM m_nCharacter = 'a';
    int m_nCharacterKey = 'a';

private:
    void ExpectOneEventFrom(long deviceId, eInputEventType type, int key = -1)
    {
        const auto events = TakeQueuedEvents();
        ASSERT_EQ(events.size(), deviceId == -1 ? 0u : 1u) << "event type " << type;
        ASSERT_EQ(GameCalls().size(), 1u);
        EXPECT_EQ(GameCalls()[0].queuedEvents, events.size());
        if (deviceId != -1) {
            EXPECT_EQ(events[0].m_eType, type);
            EXPECT_EQ(events[0].m_nDeviceId, deviceId);
            if (key != -1) {
                EXPECT_EQ(events[0].m_nKey, key);
            }
        }
    }
};
