// Window messages through the keyboard's and the mouse's hooks, against the
// game's own procedure called directly and against the same message delivered
// to a window with no hook.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "benchmarks/BenchHost.h"
#include "winmsg/QmWindowsKeyboard.h"
#include "winmsg/QmWindowsMouse.h"

namespace {

constexpr int kMessagesPerIteration = 64;

// The game's procedure behind a pointer the compiler cannot see through, as a
// dispatcher calls it.
WNDPROC volatile g_pGameProc = &BenchGameProc;

// Two hooks of someone else's that do nothing but pass every message on: what
// subclassing a window twice costs on this platform, without the module.
WNDPROC g_pPlainNext[2] = {nullptr, nullptr};

template <int Index>
LRESULT CALLBACK PlainHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::CallWindowProcA(g_pPlainNext[Index], window, message, wParam, lParam);
}

HWND PlainlyHookedWindow()
{
    const HWND window = qmsim::CreateTestWindow(&BenchGameProc);
    g_pPlainNext[0] = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PlainHook<0>)));
    g_pPlainNext[1] = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PlainHook<1>)));
    return window;
}

void Deliver(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    for (int i = 0; i < kMessagesPerIteration; ++i)
        benchmark::DoNotOptimize(qmsim::DeliverMessage(window, message, wParam, lParam));
}

void CallGameDirectly(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    for (int i = 0; i < kMessagesPerIteration; ++i)
        benchmark::DoNotOptimize(g_pGameProc(window, message, wParam, lParam));
}

// One message through both hooks, timed against: the game's procedure called
// directly ("direct"), the platform's delivery to a window without hooks
// ("delivery"), and delivery through two plain pass-on hooks ("plain_hooks");
// for a message that makes an event, also against plain hooks plus the
// framework's own cost of one event ("plain_hooks_event"), which leaves the
// module's own share.
void BenchMessage(benchmark::State& state, UINT message, WPARAM wParam, LPARAM lParam, bool makesEvent)
{
    CBenchHost host;
    auto& keyboard = host.NewDevice<CQmWindowsKeyboard>();
    keyboard.Create();
    host.NewDevice<CQmWindowsMouse>().Create();
    const HWND unhooked = qmsim::CreateTestWindow(&BenchGameProc);
    const HWND plainlyHooked = PlainlyHookedWindow();

    std::vector<std::string> baselines = {"direct", "delivery", "plain_hooks"};
    if (makesEvent)
        baselines.push_back("plain_hooks_event");
    CRatioTimer timer(baselines);
    for (auto _ : state) {
        state.SetIterationTime(timer.Measure([&] { Deliver(host.Window(), message, wParam, lParam); }));
        timer.Baseline(0, [&] { CallGameDirectly(host.Window(), message, wParam, lParam); });
        timer.Baseline(1, [&] { Deliver(unhooked, message, wParam, lParam); });
        timer.Baseline(2, [&] { Deliver(plainlyHooked, message, wParam, lParam); });
        if (makesEvent) {
            timer.Baseline(3, [&] {
                for (int i = 0; i < kMessagesPerIteration; ++i) {
                    benchmark::DoNotOptimize(qmsim::DeliverMessage(plainlyHooked, message, wParam, lParam));
                    MakeHostEvents(keyboard, 1);
                }
            });
        }
        host.Drain();
    }
    timer.Report(state, kMessagesPerIteration, "msg");
}

void BM_UnhandledMessage(benchmark::State& state)
{
    BenchMessage(state, WM_TIMER, 1, 0, false);
}

void BM_HandledKeyDown(benchmark::State& state)
{
    BenchMessage(state, WM_KEYDOWN, 'A', 0x001E0001, true);
}

void BM_HandledMouseMove(benchmark::State& state)
{
    BenchMessage(state, WM_MOUSEMOVE, MK_LBUTTON, 0x00640032, true);
}

// The framework's own cost of the event a handled message makes, for scale.
void BM_HostEventOnly(benchmark::State& state)
{
    CBenchHost host;
    // A device that asks for the events; it hooks nothing, since it is not created.
    auto& asking = host.NewDevice<CQmWindowsKeyboard>();
    CRatioTimer timer({"direct"});
    for (auto _ : state) {
        state.SetIterationTime(timer.Measure([&] { MakeHostEvents(asking, kMessagesPerIteration); }));
        timer.Baseline(0, [&] { CallGameDirectly(host.Window(), WM_KEYDOWN, 'A', 0); });
        host.Drain();
    }
    timer.Report(state, kMessagesPerIteration, "event");
}

BENCHMARK(BM_UnhandledMessage)->UseManualTime();
BENCHMARK(BM_HandledKeyDown)->UseManualTime();
BENCHMARK(BM_HandledMouseMove)->UseManualTime();
BENCHMARK(BM_HostEventOnly)->UseManualTime();

}  // namespace
