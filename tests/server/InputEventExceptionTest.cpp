// An exception that leaves the making of an event, while its record is filled
// or while the device queues it, still gives the event's reference back: the
// framework's event pool must not run dry because one event failed.
#include <stdexcept>

#include "common/ModuleTestFixture.h"
#include "common/QueuedEvents.h"
#include "framework/QmFrameworkControl.h"
#include "server/NewInputEvent.h"

namespace {

// A device whose framework refuses to queue its events by throwing.
class CRefusingQueueDevice : public CQmInputDevice {
public:
    void QueueEvent(long) override { throw std::runtime_error("queue refused"); }
};

struct sThrowingStep {
    const char* pWhat;
    bool bThrowWhileFilling;
};

const sThrowingStep kThrowingSteps[] = {
    {"the record is filled", true},
    {"the device queues the event", false},
};

class InputEventExceptionTest : public ModuleTest {};

TEST_F(InputEventExceptionTest, ExceptionWhileFillingOrQueueingGivesTheReferenceBack)
{
    Server();
    for (const sThrowingStep& step : kThrowingSteps) {
        SCOPED_TRACE(step.pWhat);
        CRefusingQueueDevice device;
        device.SetDeviceId(7);
        bool filled = false;
        auto fill = [&](CQmInputEvent&) {
            filled = true;
            if (step.bThrowWhileFilling)
                throw std::runtime_error("fill failed");
        };

        EXPECT_THROW(NewInputEvent(device, INPUT_EVENT_KEY_DOWN, fill), std::runtime_error);

        EXPECT_TRUE(filled);
        EXPECT_EQ(qmhost::OutstandingEventRefs(), 0) << "the event's reference is still held";
        EXPECT_EQ(qmhost::LiveEventRecords(), 0) << "the unqueued event's record is still alive";
        EXPECT_TRUE(TakeQueuedEvents().empty());
    }
}

}  // namespace
