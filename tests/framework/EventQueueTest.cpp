// The event pool and queue: record lifetime, queue order, stable records and
// events made from two threads at once.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <thread>
#include <vector>

#include "common/ContractViolations.h"
#include "framework/QmFrameworkControl.h"
#include "host/QmHost.h"

namespace {

class EventQueueTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_nBaseRecords = qmhost::LiveEventRecords();
        m_nBaseRefs = qmhost::OutstandingEventRefs();
        qmhost::ClearContractViolations();
    }
    void TearDown() override { ExpectNoContractViolations(); }

    // The device's way of making one event.
    long MakeEvent(eInputEventType type, int key) {
        const long id = m_oServer.NewEvent();
        CQmInputEvent* event = m_oServer.QueryEvent(id);
        if (event != nullptr) {
            event->m_eType = type;
            event->m_nKey = key;
            m_oServer.QueueEvent(id);
        }
        m_oServer.ReleaseEvent(id);
        return id;
    }

    // Visits the queue in order, each record held while it is visited.
    template <typename Visit>
    void WalkQueue(Visit visit) {
        long position = -1;
        long id = -1;
        for (bool more = m_oServer.GetFirstEventInQueue(position, id); more;
             more = m_oServer.GetNextEventInQueue(position, id)) {
            visit(id, *m_oServer.QueryEvent(id));
            m_oServer.ReleaseEvent(id);
        }
    }

    std::vector<int> QueuedKeys() {
        std::vector<int> keys;
        WalkQueue([&](long, const CQmInputEvent& event) { keys.push_back(event.m_nKey); });
        return keys;
    }

    CQmInputServer m_oServer;
    long m_nBaseRecords = 0;
    long m_nBaseRefs = 0;
};

TEST_F(EventQueueTest, NewRecordsAreAllZeroWithIncreasingIds) {
    const long first = m_oServer.NewEvent();
    const long second = m_oServer.NewEvent();
    EXPECT_GT(second, first);
    CQmInputEvent* event = m_oServer.QueryEvent(second);
    ASSERT_NE(event, nullptr);
    const CQmInputEvent zero{};
    EXPECT_EQ(std::memcmp(event, &zero, sizeof zero), 0);
    m_oServer.ReleaseEvent(second);
    // The first, never queried nor queued, is nobody's to give back; it goes with the server.
    EXPECT_EQ(qmhost::LiveEventRecords(), m_nBaseRecords + 1);
}

TEST_F(EventQueueTest, QueueKeepsTheOrderOfQueueCallsNotOfCreation) {
    const long ids[] = {m_oServer.NewEvent(), m_oServer.NewEvent(), m_oServer.NewEvent()};
    for (int pick : {2, 0, 1}) {
        m_oServer.QueryEvent(ids[pick])->m_nKey = pick;
        m_oServer.QueueEvent(ids[pick]);
        m_oServer.ReleaseEvent(ids[pick]);
    }
    EXPECT_EQ(QueuedKeys(), (std::vector<int>{2, 0, 1}));
    EXPECT_EQ(qmhost::OutstandingEventRefs(), m_nBaseRefs);
}

TEST_F(EventQueueTest, RecordLivesWhileReferencedOrQueued) {
    const long id = m_oServer.NewEvent();
    // Unreferenced but fresh: other traffic must not free it before it is queried.
    MakeEvent(INPUT_EVENT_KEY_UP, 1);
    m_oServer.FlushEventQueue();
    ASSERT_NE(m_oServer.QueryEvent(id), nullptr);
    m_oServer.QueueEvent(id);
    m_oServer.ReleaseEvent(id);
    EXPECT_EQ(qmhost::LiveEventRecords(), m_nBaseRecords + 1);

    m_oServer.RemoveEventFromQueue(id);
    EXPECT_EQ(qmhost::LiveEventRecords(), m_nBaseRecords);
    EXPECT_EQ(m_oServer.QueryEvent(id), nullptr);
}

TEST_F(EventQueueTest, NestedEventRecordsStayPutWhileReferenced) {
    const long outer = m_oServer.NewEvent();
    CQmInputEvent* outerRecord = m_oServer.QueryEvent(outer);
    outerRecord->m_nKey = KEY_A;
    for (int n = 0; n < 500; ++n) {  // enough to make any growing array move
        MakeEvent(INPUT_EVENT_KEY_CHAR, n);
    }
    EXPECT_EQ(m_oServer.QueryEvent(outer), outerRecord);
    EXPECT_EQ(outerRecord->m_nKey, KEY_A);
    m_oServer.ReleaseEvent(outer);
    m_oServer.ReleaseEvent(outer);
    m_oServer.FlushEventQueue();
    EXPECT_EQ(qmhost::LiveEventRecords(), m_nBaseRecords);
    EXPECT_EQ(qmhost::OutstandingEventRefs(), m_nBaseRefs);
}

TEST_F(EventQueueTest, ReleaseOfMinusOneIsIgnored) {
    MakeEvent(INPUT_EVENT_KEY_DOWN, 7);
    const long held = m_oServer.NewEvent();
    m_oServer.QueryEvent(held);
    m_oServer.ReleaseEvent(-1);
    EXPECT_EQ(m_oServer.QueryEvent(-1), nullptr);
    EXPECT_EQ(qmhost::OutstandingEventRefs(), m_nBaseRefs + 1);
    EXPECT_EQ(QueuedKeys(), (std::vector<int>{7}));
    m_oServer.ReleaseEvent(held);
}

TEST_F(EventQueueTest, FailedNewEventsReturnMinusOneThenRecover) {
    qmhost::FailNextNewEvents(2);
    EXPECT_EQ(MakeEvent(INPUT_EVENT_KEY_DOWN, 1), -1);
    EXPECT_EQ(MakeEvent(INPUT_EVENT_KEY_DOWN, 2), -1);
    EXPECT_NE(MakeEvent(INPUT_EVENT_KEY_DOWN, 3), -1);
    EXPECT_EQ(QueuedKeys(), (std::vector<int>{3}));
}

TEST_F(EventQueueTest, RemovingTheCurrentEventWhileWalkingSkipsNothing) {
    for (int key : {1, 2, 3, 4}) {
        MakeEvent(INPUT_EVENT_KEY_DOWN, key);
    }
    std::vector<int> seen;
    m_oServer.LockEventQueue();
    WalkQueue([&](long id, const CQmInputEvent& event) {
        seen.push_back(event.m_nKey);
        m_oServer.RemoveEventFromQueue(id);
    });
    m_oServer.UnlockEventQueue();
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(qmhost::LiveEventRecords(), m_nBaseRecords);
}

TEST_F(EventQueueTest, FlushFreesQueuedRecordsButNotHeldOnes) {
    MakeEvent(INPUT_EVENT_KEY_DOWN, 1);
    const long held = m_oServer.NewEvent();
    m_oServer.QueryEvent(held);
    m_oServer.QueueEvent(held);
    m_oServer.FlushEventQueue();
    EXPECT_TRUE(QueuedKeys().empty());
    EXPECT_EQ(qmhost::LiveEventRecords(), m_nBaseRecords + 1);
    m_oServer.ReleaseEvent(held);
    EXPECT_EQ(qmhost::LiveEventRecords(), m_nBaseRecords);
}

TEST_F(EventQueueTest, EventsMadeOnTwoThreadsAtOnceAllArriveInTheirOrder) {
    constexpr int kPerThread = 2000;
    auto produce = [this](int deviceId) {
        for (int n = 0; n < kPerThread; ++n) {
            const long id = m_oServer.NewEvent();
            CQmInputEvent* event = m_oServer.QueryEvent(id);
            event->m_nDeviceId = deviceId;
            event->m_nKey = n;
            m_oServer.QueueEvent(id);
            m_oServer.ReleaseEvent(id);
        }
    };
    std::thread window(produce, 1);
    std::thread framework(produce, 2);
    window.join();
    framework.join();

    std::map<int, std::vector<int>> keysByDevice;
    WalkQueue([&](long, const CQmInputEvent& event) { keysByDevice[event.m_nDeviceId].push_back(event.m_nKey); });
    std::vector<int> expected(kPerThread);
    for (int n = 0; n < kPerThread; ++n) {
        expected[static_cast<std::size_t>(n)] = n;
    }
    EXPECT_EQ(keysByDevice[1], expected);
    EXPECT_EQ(keysByDevice[2], expected);
    EXPECT_EQ(qmhost::LiveEventRecords(), m_nBaseRecords + 2 * kPerThread);
    EXPECT_EQ(qmhost::OutstandingEventRefs(), m_nBaseRefs);
}

TEST(EventPoolLifetimeTest, DestroyingTheServerFreesItsRecords) {
    const long baseRecords = qmhost::LiveEventRecords();
    {
        CQmInputServer server;
        server.QueueEvent(server.NewEvent());
        server.NewEvent();
        EXPECT_EQ(qmhost::LiveEventRecords(), baseRecords + 2);
    }
    EXPECT_EQ(qmhost::LiveEventRecords(), baseRecords);
}

}  // namespace
