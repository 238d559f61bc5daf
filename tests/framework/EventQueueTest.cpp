// The event pool's lifetime rules and its counters, which the module's tests
// read at their end, and events made from two threads at once (the TSan stage
// runs the latter).
#include <gtest/gtest.h>

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

    CQmInputServer m_oServer;
    long m_nBaseRecords = 0;
    long m_nBaseRefs = 0;
};

TEST_F(EventQueueTest, ARecordLivesWhileReferencedOrQueued) {
    const long fresh = m_oServer.NewEvent();  // nobody's yet: must outlive other traffic
    const long queued = m_oServer.NewEvent();
    m_oServer.QueueEvent(queued);
    const long held = m_oServer.NewEvent();
    m_oServer.QueryEvent(held);
    m_oServer.QueueEvent(held);
    EXPECT_EQ(qmhost::OutstandingEventRefs(), m_nBaseRefs + 1);

    m_oServer.FlushEventQueue();
    EXPECT_EQ(qmhost::LiveEventRecords(), m_nBaseRecords + 2) << "the fresh record and the held one";
    ASSERT_NE(m_oServer.QueryEvent(fresh), nullptr);
    m_oServer.QueueEvent(fresh);
    m_oServer.ReleaseEvent(fresh);
    m_oServer.ReleaseEvent(held);
    EXPECT_EQ(qmhost::LiveEventRecords(), m_nBaseRecords + 1) << "the queued one";

    m_oServer.RemoveEventFromQueue(fresh);
    EXPECT_EQ(qmhost::LiveEventRecords(), m_nBaseRecords);
    EXPECT_EQ(m_oServer.QueryEvent(fresh), nullptr);
    EXPECT_EQ(qmhost::OutstandingEventRefs(), m_nBaseRefs);
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
    long position = -1;
    long id = -1;
    for (bool more = m_oServer.GetFirstEventInQueue(position, id); more;
         more = m_oServer.GetNextEventInQueue(position, id)) {
        const CQmInputEvent& event = *m_oServer.QueryEvent(id);
        keysByDevice[event.m_nDeviceId].push_back(event.m_nKey);
        m_oServer.ReleaseEvent(id);
    }
    std::vector<int> expected(kPerThread);
    for (int n = 0; n < kPerThread; ++n) {
        expected[static_cast<std::size_t>(n)] = n;
    }
    EXPECT_EQ(keysByDevice[1], expected);
    EXPECT_EQ(keysByDevice[2], expected);
    EXPECT_EQ(qmhost::LiveEventRecords(), m_nBaseRecords + 2 * kPerThread);
    EXPECT_EQ(qmhost::OutstandingEventRefs(), m_nBaseRefs);
}

}  // namespace
