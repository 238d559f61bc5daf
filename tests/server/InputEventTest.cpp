// The order in which the scoped event and device references take and give
// back what they hold, also when the framework has no event or a step throws.
// What an event carries is in every golden script's event lines.
#include <stdexcept>
#include <string>
#include <vector>

#include "common/ModuleTestFixture.h"
#include "host/KeyTypes.h"
#include "server/NewInputEvent.h"
#include "server/QmInputDeviceRef.h"
#include "server/Recording.h"

namespace {

class InputEventTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        m_pServer = &StartServer<CRecordingServer>();
        m_oDevice.SetDeviceId(7);
    }

    std::vector<long> QueuedEvents() const { return ModuleTest::QueuedEvents(*m_pServer); }

    CRecordingServer* m_pServer = nullptr;
    CQmInputDevice m_oDevice;
};

TEST_F(InputEventTest, NestedEventIsQueuedSecondAndReleasedFirst)
{
    NewInputEvent(
        m_oDevice, INPUT_EVENT_KEY_DOWN, [](CQmInputEvent& event) { event.m_nKey = KEY_A; },
        [this] { NewInputEvent(m_oDevice, INPUT_EVENT_KEY_CHAR, [](CQmInputEvent& event) { event.m_nKey = 'a'; }); });

    const std::vector<long> queued = QueuedEvents();
    ASSERT_EQ(queued.size(), 2u);
    const std::string outer = std::to_string(queued[0]);
    const std::string inner = std::to_string(queued[1]);
    EXPECT_EQ(g_oCalls, (std::vector<std::string>{"query event " + outer, "queue event " + outer,
                                                  "query event " + inner, "queue event " + inner,
                                                  "release event " + inner, "release event " + outer}));
    EXPECT_EQ(m_pServer->QueryEvent(queued[0])->m_eType, INPUT_EVENT_KEY_DOWN);
    EXPECT_EQ(m_pServer->QueryEvent(queued[1])->m_eType, INPUT_EVENT_KEY_CHAR);
    m_pServer->ReleaseEvent(queued[0]);
    m_pServer->ReleaseEvent(queued[1]);
    m_pServer->FlushEventQueue();
}

TEST_F(InputEventTest, ExceptionWhileFillingStillReleasesAndQueuesNothing)
{
    EXPECT_THROW(NewInputEvent(m_oDevice, INPUT_EVENT_KEY_UP,
                               [](CQmInputEvent&) { throw std::runtime_error("fill failed"); }),
                 std::runtime_error);

    EXPECT_TRUE(QueuedEvents().empty());
    EXPECT_EQ(qmhost::OutstandingEventRefs(), 0);
    EXPECT_EQ(qmhost::LiveEventRecords(), 0);
}

TEST_F(InputEventTest, ExceptionAfterQueueingStillReleasesTheQueuedEvent)
{
    EXPECT_THROW(NewInputEvent(
                     m_oDevice, INPUT_EVENT_KEY_DOWN, [](CQmInputEvent&) {},
                     [] { throw std::runtime_error("after failed"); }),
                 std::runtime_error);

    EXPECT_EQ(QueuedEvents().size(), 1u);
    EXPECT_EQ(qmhost::OutstandingEventRefs(), 0);
    m_pServer->FlushEventQueue();
}

TEST_F(InputEventTest, NoEventFromTheFrameworkFillsAndQueuesNothingButStillEnds)
{
    qmhost::FailNextNewEvents(1);
    bool filled = false;
    bool afterRan = false;

    NewInputEvent(
        m_oDevice, INPUT_EVENT_KEY_DOWN, [&](CQmInputEvent&) { filled = true; }, [&] { afterRan = true; });

    EXPECT_FALSE(filled);
    EXPECT_TRUE(afterRan);
    EXPECT_TRUE(QueuedEvents().empty());
    EXPECT_EQ(g_oCalls, std::vector<std::string>{"release event -1"});
}

class InputDeviceRefTest : public InputEventTest {
protected:
    void SetUp() override
    {
        InputEventTest::SetUp();
        m_nFirst = m_pServer->NewDevice(CQmString("CRecordingDevice"));
        m_nSecond = m_pServer->NewDevice(CQmString("CRecordingDevice"));
        g_oCalls.clear();
    }

    CTestFactory<CRecordingDevice> m_oFactory{"CRecordingDevice"};
    long m_nFirst = -1;
    long m_nSecond = -1;
};

TEST_F(InputDeviceRefTest, ReassigningGivesTheOldReferenceBackBeforeTakingTheNew)
{
    {
        CQmInputDeviceRef<CQmInputDevice> device(m_nFirst);
        EXPECT_EQ(device->GetDeviceId(), m_nFirst);
        device = m_nSecond;
        EXPECT_EQ(device->GetDeviceId(), m_nSecond);
        EXPECT_EQ(qmhost::OutstandingDeviceRefs(), 1);
    }
    const std::string first = std::to_string(m_nFirst);
    const std::string second = std::to_string(m_nSecond);
    EXPECT_EQ(g_oCalls, (std::vector<std::string>{"query " + first, "release " + first, "query " + second,
                                                  "release " + second}));
}

TEST_F(InputDeviceRefTest, RefOfNoDeviceQueriesNothingAndReleasesMinusOne)
{
    {
        CQmInputDeviceRef<CQmInputDevice> device(-1);
        EXPECT_EQ(device.Get(), nullptr);
        device = -1;
    }
    EXPECT_EQ(g_oCalls, std::vector<std::string>{"release -1"});
}

TEST_F(InputDeviceRefTest, RefOfAnUnknownIdHoldsNoDevice)
{
    {
        CQmInputDeviceRef<CQmInputDevice> device(42);
        EXPECT_EQ(device.Get(), nullptr);
    }
    EXPECT_EQ(qmhost::OutstandingDeviceRefs(), 0);
    // It still gives the id back, as it does every id but -1.
    EXPECT_EQ(TakeContractViolations(), std::vector<std::string>{"ReleaseDevice(42): no device of that id"});
    EXPECT_EQ(m_pServer->GetNumDevices(), 2);
}

}  // namespace
