// The polled DirectInput devices draining their buffers, against the cost of
// only reading the same records through the device wrapper.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "benchmarks/BenchHost.h"
#include "common/QueuedEvents.h"
#include "benchmarks/RecordReader.h"
#include "common/RecordStreams.h"
#include "keyboard/QmDi8Keyboard.h"
#include "mouse/QmDi8Mouse.h"

namespace {

// One Poll of a device of class Device draining `records`, against reading
// them with a bare wrapper on a twin device ("read_only"), and against reading
// them plus the framework's own cost of the events the poll makes
// ("read_and_events"), which leaves the module's own share.
template <class Device>
void BenchPoll(benchmark::State& state, const std::string& name, BYTE deviceType, const DIDATAFORMAT* format,
               DWORD bufferSize, const std::vector<sStreamRecord>& records)
{
    CBenchHost host;
    auto& device = host.NewOpenDevice<Device>(name, deviceType);
    CRecordReader reader(name + "-read", deviceType, format, bufferSize);

    QueueRecords(name, records);
    device.Poll();
    const int eventsPerPoll = static_cast<int>(TakeQueuedEvents().size());
    host.Drain();

    CRatioTimer timer({"read_only", "read_and_events"});
    for (auto _ : state) {
        QueueRecords(name, records);
        state.SetIterationTime(timer.Measure([&] { device.Poll(); }));
        QueueRecords(reader.Name(), records);
        timer.Baseline(0, [&] { benchmark::DoNotOptimize(reader.ReadAll()); });
        host.Drain();
        QueueRecords(reader.Name(), records);
        timer.Baseline(1, [&] {
            benchmark::DoNotOptimize(reader.ReadAll());
            MakeHostEvents(device, eventsPerPoll);
        });
        host.Drain();
    }
    timer.Report(state, static_cast<double>(records.size()), "record");
    state.counters["events_per_poll"] = eventsPerPoll;
    device.Destroy();
}

void BM_Di8KeyboardPoll256(benchmark::State& state)
{
    // Whole pairs, so that no key stays held from one iteration to the next.
    BenchPoll<CQmDi8Keyboard>(state, "kbd", DI8DEVTYPE_KEYBOARD, &c_dfDIKeyboard, 256,
                              KeyPressReleaseRecords(kKeyboardBufferHolds - 1));
}

void BM_Di8MousePoll32(benchmark::State& state)
{
    BenchPoll<CQmDi8Mouse>(state, "mouse", DI8DEVTYPE_MOUSE, &c_dfDIMouse2, 32,
                           MixedMouseRecords(kMouseBufferHolds));
}

BENCHMARK(BM_Di8KeyboardPoll256)->UseManualTime();
BENCHMARK(BM_Di8MousePoll32)->UseManualTime();

}  // namespace
