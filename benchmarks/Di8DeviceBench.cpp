// The polled DirectInput devices draining their buffers, against the cost of
// only reading the same records through the device wrapper.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "benchmarks/BenchHost.h"
#include "keyboard/QmDi8Keyboard.h"
#include "mouse/MouseRecordOffsets.h"
#include "mouse/QmDi8Mouse.h"

namespace {

struct sRecord {
    DWORD m_nOffset;
    DWORD m_nData;
    DWORD m_nSequence;
};

// A full keyboard buffer: 128 presses, each followed by its release.
std::vector<sRecord> KeyboardRecords()
{
    constexpr DWORD kRecords = 256;
    std::vector<sRecord> records;
    for (DWORD i = 0; i < kRecords; i += 2) {
        const DWORD scanCode = DIK_Q + (i / 2) % (DIK_M - DIK_Q + 1);
        records.push_back({scanCode, 0x80, i});
        records.push_back({scanCode, 0x00, i + 1});
    }
    return records;
}

// A full mouse buffer: 8 groups of a move on both axes, then a wheel turn and a
// press or release of the left button one sequence number later.
std::vector<sRecord> MouseRecords()
{
    constexpr DWORD kGroups = 8;
    std::vector<sRecord> records;
    for (DWORD group = 0; group < kGroups; ++group) {
        const DWORD sequence = 2 * group;
        records.push_back({kMouseOffsetX, 3, sequence});
        records.push_back({kMouseOffsetY, static_cast<DWORD>(-2), sequence});
        records.push_back({kMouseOffsetWheel, 120, sequence + 1});
        records.push_back({kMouseOffsetButton0, group % 2 == 0 ? 0x80u : 0x00u, sequence + 1});
    }
    return records;
}

void Queue(const std::string& name, const std::vector<sRecord>& records)
{
    for (const sRecord& record : records)
        qmsim::QueueRecord(name, record.m_nOffset, record.m_nData, record.m_nSequence);
}

// A bare wrapper on a device of its own, configured as the device class does.
class CRecordReader {
public:
    CRecordReader(const std::string& name, BYTE deviceType, const DIDATAFORMAT* format, DWORD bufferSize)
        : m_oName(name)
    {
        if (!m_oDevice.Open(qmsim::AttachDevice(name, deviceType)) || !m_oDevice.SetDataFormat(format))
            throw std::runtime_error("cannot open " + name);
        m_oDevice.SetProperty(DIPROP_BUFFERSIZE, bufferSize);
        m_oDevice.Acquire();
    }
    ~CRecordReader() { m_oDevice.Close(); }

    const std::string& Name() const { return m_oName; }

    void ReadAll()
    {
        while (const DIDEVICEOBJECTDATA* record = m_oDevice.ReadNext())
            benchmark::DoNotOptimize(record->dwData);
    }

private:
    std::string m_oName;
    CQmDi8Device m_oDevice;
};

// Events waiting in the server's queue.
int QueuedEventCount(CQmInputServer& server)
{
    int count = 0;
    long position = 0;
    long eventId = -1;
    for (bool more = server.GetFirstEventInQueue(position, eventId); more;
         more = server.GetNextEventInQueue(position, eventId))
        ++count;
    return count;
}

// One Poll of a device of class Device draining `records`, against reading
// them with a bare wrapper on a twin device ("read_only"), and against reading
// them plus the framework's own cost of the events the poll makes
// ("read_and_events"), which leaves the module's own share.
template <class Device>
void BenchPoll(benchmark::State& state, const std::string& name, BYTE deviceType, const DIDATAFORMAT* format,
               DWORD bufferSize, const std::vector<sRecord>& records)
{
    CBenchHost host;
    auto& device = host.NewOpenDevice<Device>(name, deviceType);
    CRecordReader reader(name + "-read", deviceType, format, bufferSize);

    Queue(name, records);
    device.Poll();
    const int eventsPerPoll = QueuedEventCount(host.Server());
    host.Drain();

    CRatioTimer timer({"read_only", "read_and_events"});
    for (auto _ : state) {
        Queue(name, records);
        state.SetIterationTime(timer.Measure([&] { device.Poll(); }));
        Queue(reader.Name(), records);
        timer.Baseline(0, [&] { reader.ReadAll(); });
        host.Drain();
        Queue(reader.Name(), records);
        timer.Baseline(1, [&] {
            reader.ReadAll();
            MakeHostEvents(host.Server(), eventsPerPoll);
        });
        host.Drain();
    }
    timer.Report(state, static_cast<double>(records.size()), "record");
    state.counters["events_per_poll"] = eventsPerPoll;
    device.Destroy();
}

void BM_Di8KeyboardPoll256(benchmark::State& state)
{
    BenchPoll<CQmDi8Keyboard>(state, "kbd", DI8DEVTYPE_KEYBOARD, &c_dfDIKeyboard, 256, KeyboardRecords());
}

void BM_Di8MousePoll32(benchmark::State& state)
{
    BenchPoll<CQmDi8Mouse>(state, "mouse", DI8DEVTYPE_MOUSE, &c_dfDIMouse2, 32, MouseRecords());
}

BENCHMARK(BM_Di8KeyboardPoll256)->UseManualTime();
BENCHMARK(BM_Di8MousePoll32)->UseManualTime();

}  // namespace
