// One auto-repeat pass over 16 held keys, every one of them due: a key-down and
// a key-character event each. Timed against the framework's own cost of those
// 32 events, and against a pass in which no key is due.
#include <benchmark/benchmark.h>

#include "benchmarks/BenchHost.h"
#include "framework/QmFrameworkControl.h"
#include "keyboard/QmDi8Keyboard.h"

namespace {

constexpr int kHeldKeys = 16;

void BM_KeyRepeatPass16(benchmark::State& state)
{
    CBenchHost host;
    auto& keyboard = host.NewOpenDevice<CQmDi8Keyboard>("kbd", DI8DEVTYPE_KEYBOARD);
    for (DWORD i = 0; i < kHeldKeys; ++i)
        qmsim::QueueRecord("kbd", DIK_Q + i, 0x80, i);
    keyboard.Poll();
    if (keyboard.GetPressedKeys().size() != kHeldKeys)
        state.SkipWithError("the keys are not held");

    CRatioTimer timer({"host_events", "idle_pass"});
    for (auto _ : state) {
        // Past both the delay and the interval: every key repeats once.
        qmhost::AdvanceTime(1.0);
        state.SetIterationTime(timer.Measure([&] { keyboard.Poll(); }));
        timer.Baseline(0, [&] { MakeHostEvents(keyboard, 2 * kHeldKeys); });
        timer.Baseline(1, [&] { keyboard.Poll(); });
        host.Drain();
    }
    timer.Report(state, kHeldKeys, "key");
    keyboard.Destroy();
}

BENCHMARK(BM_KeyRepeatPass16)->UseManualTime();

}  // namespace
