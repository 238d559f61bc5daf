// A game that pumps its window on a thread of its own, while the framework's
// thread creates and deletes the window devices: deleting a device waits until
// the window's thread has left it, the game's procedure still gets every
// message once, and a device freed from inside the game's procedure, or while
// the window's thread has stopped pumping, goes without a deadlock.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <future>
#include <mutex>
#include <thread>

#include "common/ModuleTestFixture.h"
#include "common/OtherProgram.h"
#include "common/QueuedEvents.h"
#include "server/QmInputDeviceRef.h"
#include "winmsg/QmWindowsKeyboard.h"

namespace {

using namespace std::chrono_literals;

struct sMessage {
    UINT m_nMessage;
    WPARAM m_nWParam;
    LPARAM m_nLParam;
};

// Each makes one event on the window keyboard or mouse.
const sMessage kInput[] = {
    {WM_KEYDOWN, 'A', 0x001E0001},
    {WM_CHAR, 'a', 0x001E0001},
    {WM_KEYUP, 'A', static_cast<LPARAM>(0xC01E0001)},
    {WM_MOUSEMOVE, 0, 0x00200010},
    {WM_LBUTTONDOWN, MK_LBUTTON, 0x00200010},
};

// The game's window thread: makes its window, then dispatches what it is given
// and takes the messages sent to it, until it is stopped; destroys the window
// last.
class GameWindowThread {
public:
    using Procedure = std::function<void(UINT message)>;

    explicit GameWindowThread(Procedure procedure = nullptr) : m_oProcedure(std::move(procedure))
    {
        s_pCurrent = this;
        std::promise<HWND> made;
        auto window = made.get_future();
        m_oThread = std::thread([this, &made] { Run(made); });
        m_hWindow = window.get();
    }

    ~GameWindowThread() { Stop(); }

    void Stop()
    {
        m_bStop = true;
        if (m_oThread.joinable())
            m_oThread.join();
    }

    HWND Window() const { return m_hWindow; }
    // Dispatch the input messages over and over.
    void KeepSendingInput(bool on) { m_bInput = on; }
    // Dispatch one message (from the window's thread, at its next turn).
    void Dispatch(sMessage message)
    {
        std::lock_guard<std::mutex> guard(m_oMutex);
        m_oOneOff.push_back(message);
    }
    // Stop taking sent messages (the thread keeps running; back once it has
    // stopped), or take them again.
    void PauseTakingSentMessages(bool paused)
    {
        m_bPauseWanted = paused;
        while (paused && !m_bPumpPaused)
            std::this_thread::yield();
    }
    // While paused: the thread takes the messages sent to it once, now; back
    // once it has.
    void TakeSentMessagesOnce()
    {
        m_bTakeOnce = true;
        while (m_bTakeOnce)
            std::this_thread::yield();
    }
    DWORD ThreadId() const { return m_nThreadId; }

    long MessagesDispatched() const { return m_nDispatched; }
    long MessagesTheGameGot() const { return m_nGameGot; }

private:
    static LRESULT CALLBACK GameProc(HWND, UINT message, WPARAM, LPARAM)
    {
        for (const sMessage& input : kInput)
            if (input.m_nMessage == message)
                ++s_pCurrent->m_nGameGot;
        if (s_pCurrent->m_oProcedure)
            s_pCurrent->m_oProcedure(message);
        return 0;
    }

    void Run(std::promise<HWND>& made)
    {
        const HWND window = qmsim::CreateTestWindow(&GameProc);
        m_nThreadId = GetCurrentThreadId();
        made.set_value(window);
        while (!m_bStop) {
            if (m_bInput)
                for (const sMessage& message : kInput)
                    DispatchOne(window, message);
            std::vector<sMessage> oneOff;
            {
                std::lock_guard<std::mutex> guard(m_oMutex);
                oneOff.swap(m_oOneOff);
            }
            for (const sMessage& message : oneOff)
                DispatchOne(window, message);
            m_bPumpPaused = m_bPauseWanted.load();
            if (!m_bPumpPaused || m_bTakeOnce)
                qmsim::PumpSentMessages();
            m_bTakeOnce = false;
            std::this_thread::yield();
        }
        qmsim::PumpSentMessages();
        qmsim::DestroyTestWindow(window);
    }

    void DispatchOne(HWND window, const sMessage& message)
    {
        ++m_nDispatched;
        qmsim::DeliverMessage(window, message.m_nMessage, message.m_nWParam, message.m_nLParam);
    }

    static inline GameWindowThread* s_pCurrent = nullptr;
    Procedure m_oProcedure;
    std::thread m_oThread;
    HWND m_hWindow = nullptr;
    std::atomic<bool> m_bStop{false};
    std::atomic<bool> m_bInput{false};
    std::atomic<bool> m_bPauseWanted{false};
    std::atomic<bool> m_bPumpPaused{false};
    std::atomic<bool> m_bTakeOnce{false};
    std::atomic<DWORD> m_nThreadId{0};
    std::atomic<long> m_nDispatched{0};
    std::atomic<long> m_nGameGot{0};
    std::mutex m_oMutex;
    std::vector<sMessage> m_oOneOff;
};

// Holds the thread that makes the next event inside NewEvent until released.
class EventGate {
public:
    EventGate() { qmhost::SetNewEventHook(&EventGate::Enter, this); }
    ~EventGate()
    {
        qmhost::SetNewEventHook(nullptr, nullptr);
        Release();
    }

    bool WaitUntilHeld()
    {
        std::unique_lock<std::mutex> lock(m_oMutex);
        return m_oChanged.wait_for(lock, 10s, [this] { return m_bHeld; });
    }

    void Release()
    {
        std::lock_guard<std::mutex> lock(m_oMutex);
        m_bOpen = true;
        m_oChanged.notify_all();
    }

private:
    static void Enter(void* context)
    {
        auto& gate = *static_cast<EventGate*>(context);
        std::unique_lock<std::mutex> lock(gate.m_oMutex);
        gate.m_bHeld = true;
        gate.m_oChanged.notify_all();
        gate.m_oChanged.wait(lock, [&] { return gate.m_bOpen; });
    }

    std::mutex m_oMutex;
    std::condition_variable m_oChanged;
    bool m_bHeld = false;
    bool m_bOpen = false;
};

class WindowThreadTest : public ModuleTest {
protected:
    void NameGameWindow(HWND window)
    {
        QmGetEnvironmentServer()->SetVariable(CQmString("Display/HWND"),
                                              static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(window)));
    }

    long NewWindowDevice(const char* className = "CQmWindowsKeyboard")
    {
        const long deviceId = Server().NewDevice(CQmString(className));
        CQmInputDeviceRef<CQmInputDevice> device(deviceId);
        EXPECT_TRUE(device.Get() && device->Create());
        return deviceId;
    }

    // Waits for `done`, or until only a hang would take longer.
    template <class Condition>
    static bool Eventually(Condition done)
    {
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (!done() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::yield();
        return done();
    }

    // The hand-offs the last calls sent, each with its time limit.
    static std::vector<std::string> HandOffs() { return PlatformCalls("SendMessageTimeoutA"); }
};

// Another program above the module's hooks that answers the messages it does
// not know itself.
using sAnsweringProgram = sOtherProgram<0, true>;

TEST_F(WindowThreadTest, DeletingADeviceWaitsUntilTheWindowThreadHasMadeItsEvent)
{
    GameWindowThread game;
    NameGameWindow(game.Window());
    const long keyboard = NewWindowDevice();
    EventGate gate;
    game.Dispatch({WM_KEYDOWN, 'A', 0x001E0001});
    ASSERT_TRUE(gate.WaitUntilHeld());

    auto deleted = std::async(std::launch::async, [&] { Server().DeleteDevice(keyboard); });
    const auto isDeleted = [&] { return deleted.wait_for(0s) == std::future_status::ready; };
    ASSERT_TRUE(Eventually([&] { return isDeleted() || qmsim::SentMessagesWaiting(game.Window()) > 0; }));
    EXPECT_FALSE(isDeleted()) << "the device went while the window's thread was making its event";
    gate.Release();
    ASSERT_EQ(deleted.wait_for(10s), std::future_status::ready);
    const auto queued = TakeQueuedEvents();
    ASSERT_EQ(queued.size(), 1u);
    EXPECT_EQ(queued[0].m_nDeviceId, keyboard);
    EXPECT_EQ(queued[0].m_eType, INPUT_EVENT_KEY_DOWN);
}

TEST_F(WindowThreadTest, FreeDevicesFromInsideTheGameProcedureReturns)
{
    std::atomic<bool> freed{false};
    GameWindowThread game([&](UINT message) {
        if (message == WM_CLOSE) {
            Server().FreeDevices();
            freed = true;
        }
    });
    NameGameWindow(game.Window());
    NewWindowDevice();
    game.Dispatch({WM_CLOSE, 0, 0});
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (!freed && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(1ms);
    ASSERT_TRUE(freed) << "FreeDevices inside the window's procedure did not return";
    EXPECT_TRUE(ListedDevices(Server()).empty());
    EXPECT_NE(qmsim::GetWindowProc(game.Window()), nullptr);
}

// A window thread that has stopped taking sent messages costs one wait (of the
// documented 2 s), not one per device; the request it missed changes nothing
// when it takes it late, and the next change is handed to it again.
TEST_F(WindowThreadTest, AWindowThreadThatStoppedPumpingCostsOneWait)
{
    GameWindowThread game;
    NameGameWindow(game.Window());
    NewWindowDevice("CQmWindowsKeyboard");
    NewWindowDevice("CQmWindowsMouse");
    game.PauseTakingSentMessages(true);
    qmsim::ClearCallLog();
    qmsim::SetSendTimeoutHandler([] {});
    Server().FreeDevices();
    NewWindowDevice();
    qmsim::SetSendTimeoutHandler(nullptr);
    EXPECT_EQ(ListedDevices(Server()).size(), 1u);
    const auto sent = HandOffs();
    ASSERT_EQ(sent.size(), 1u) << "waited again for a thread that had not taken the last request";
    EXPECT_EQ(sent[0].substr(sent[0].rfind(' ') + 1), "2000");
    EXPECT_EQ(qmsim::LastWindowProcChanger(game.Window()), GetCurrentThreadId());

    game.PauseTakingSentMessages(false);
    ASSERT_TRUE(Eventually([&] { return qmsim::SentMessagesWaiting(game.Window()) == 0; }));
    game.Dispatch({WM_KEYDOWN, 'A', 0x001E0001});
    ASSERT_TRUE(Eventually([&] { return game.MessagesTheGameGot() == 1; }));
    EXPECT_EQ(TakeQueuedEvents().size(), 1u) << "the keyboard made after the free hears it once";
    qmsim::ClearCallLog();
    Server().FreeDevices();
    EXPECT_EQ(HandOffs().size(), 1u);
    EXPECT_EQ(qmsim::LastWindowProcChanger(game.Window()), game.ThreadId());
}

// A request given up on one window's thread does not hold up the next one to
// another window's thread, and the first thread, pumping again, finds nothing
// of the module's left to run.
TEST_F(WindowThreadTest, ARequestGivenUpOnOneThreadDoesNotHoldUpAnother)
{
    GameWindowThread stalled;
    NameGameWindow(stalled.Window());
    const long first = NewWindowDevice();
    stalled.PauseTakingSentMessages(true);
    qmsim::SetSendTimeoutHandler([] {});
    Server().DeleteDevice(first);
    qmsim::SetSendTimeoutHandler(nullptr);

    GameWindowThread other;
    NameGameWindow(other.Window());
    qmsim::ClearCallLog();
    NewWindowDevice();
    EXPECT_EQ(HandOffs().size(), 1u);
    EXPECT_EQ(qmsim::LastWindowProcChanger(other.Window()), other.ThreadId());
    stalled.PauseTakingSentMessages(false);
    ASSERT_TRUE(Eventually([&] { return qmsim::SentMessagesWaiting(stalled.Window()) == 0; }));
    EXPECT_EQ(qmsim::LastWindowProcChanger(stalled.Window()), GetCurrentThreadId());
    Server().FreeDevices();
    EXPECT_EQ(qmsim::LastWindowProcChanger(other.Window()), other.ThreadId());
}

// The window's thread takes the request at the very moment its sender gives up
// waiting: the change is made once, there, and the sender returns after it.
TEST_F(WindowThreadTest, TheWindowThreadTakesTheRequestAsItsSenderGivesUp)
{
    GameWindowThread game;
    NameGameWindow(game.Window());
    const long keyboard = NewWindowDevice();
    game.PauseTakingSentMessages(true);
    qmsim::SetSendTimeoutHandler([&] { game.TakeSentMessagesOnce(); });
    Server().DeleteDevice(keyboard);
    qmsim::SetSendTimeoutHandler(nullptr);
    EXPECT_EQ(qmsim::LastWindowProcChanger(game.Window()), game.ThreadId());
    EXPECT_TRUE(ListedDevices(Server()).empty());

    // Nothing was given up on: the next change is handed off and waited for.
    game.PauseTakingSentMessages(false);
    qmsim::ClearCallLog();
    NewWindowDevice();
    EXPECT_EQ(HandOffs().size(), 1u);
    EXPECT_EQ(qmsim::LastWindowProcChanger(game.Window()), game.ThreadId());
}

// Another program above the hooks answers every message it does not know: the
// module's changes are still made on the window's thread, and thousands of
// enumerate/free rounds while the window's thread dispatches input end with
// every message delivered to the game once.
TEST_F(WindowThreadTest, AProgramThatAnswersMessagesItselfCannotDivertTheHandOff)
{
    qmsim::AttachDevice("kbd", DI8DEVTYPE_KEYBOARD);
    qmsim::AttachDevice("mouse", DI8DEVTYPE_MOUSE);
    GameWindowThread game;
    NameGameWindow(game.Window());
    NewWindowDevice();
    sAnsweringProgram::Subclass(game.Window());
    NewWindowDevice();
    EXPECT_EQ(qmsim::LastWindowProcChanger(game.Window()), game.ThreadId())
        << "the new hook above the other program was not put there by the window's thread";
    Server().FreeDevices();

    game.KeepSendingInput(true);
    long events = 0;
    for (int round = 0; round < 2000 && !HasFailure(); ++round) {
        ASSERT_TRUE(Server().EnumerateDevices());
        EXPECT_EQ(ListedDevices(Server()).size(), 2u);
        Server().FreeDevices();
        EXPECT_NE(qmsim::LastWindowProcChanger(game.Window()), GetCurrentThreadId());
        if (round % 100 == 0)
            events += static_cast<long>(TakeQueuedEvents().size());
    }
    game.Stop();
    events += static_cast<long>(TakeQueuedEvents().size());
    EXPECT_GT(events, 0) << "no round saw a message while its devices were hooked";
    EXPECT_EQ(game.MessagesTheGameGot(), game.MessagesDispatched());
    EXPECT_EQ(qmsim::GetWindowProc(game.Window()), nullptr) << "the window is gone";
}

}  // namespace
