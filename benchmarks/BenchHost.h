// What every benchmark runs in: a fresh simulated platform, a game window named
// by "Display/HWND", the module's input server, and a pair of timers that time
// the measured work and its baseline side by side.
#pragma once

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "benchmarks/HostEvents.h"
#include "host/QmEnvironmentServer.h"
#include "host/QmString.h"
#include "qmsim/Simulation.h"
#include "server/QmDi8InputServer.h"
#include "server/QmInputDeviceRef.h"

// The game's own window procedure: as little as a procedure can do.
inline LRESULT CALLBACK BenchGameProc(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    return static_cast<LRESULT>(message) + static_cast<LRESULT>(wParam) + lParam;
}

class CBenchHost {
public:
    CBenchHost()
    {
        qmsim::Reset();
        // The log's lines would be timed with every platform call, dwarfing the module.
        qmsim::SetCallLogging(false);
        m_hWindow = qmsim::CreateTestWindow(&BenchGameProc);
        QmGetEnvironmentServer()->SetVariable(
            CQmString("Display/HWND"), static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(m_hWindow)));
        m_pServer = std::make_unique<CQmDi8InputServer>();
    }

    ~CBenchHost()
    {
        m_pServer->FreeDevices();
        m_pServer.reset();
        QmGetEnvironmentServer()->RemoveVariable(CQmString("Display/HWND"));
        qmsim::SetCallLogging(true);
    }

    CBenchHost(const CBenchHost&) = delete;
    CBenchHost& operator=(const CBenchHost&) = delete;

    HWND Window() const { return m_hWindow; }
    CQmDi8InputServer& Server() { return *m_pServer; }

    // A device made by class name in the server's list; the list keeps it alive.
    template <class Device>
    Device& NewDevice()
    {
        const long deviceId = m_pServer->NewDevice(CQmString(Device::GetClassType().GetName()));
        CQmInputDeviceRef<Device> device(deviceId);
        return *device.Get();
    }

    // A polled DirectInput device opened on a simulated device of its own.
    template <class Device>
    Device& NewOpenDevice(const std::string& name, BYTE deviceType)
    {
        const GUID instance = qmsim::AttachDevice(name, deviceType);
        Device& device = NewDevice<Device>();
        if (!device.Create(instance))
            throw std::runtime_error("cannot open " + name);
        return device;
    }

    // Empties the event queue and the platform's call log, untimed, so that
    // memory stays flat however many iterations run.
    void Drain()
    {
        m_pServer->FlushEventQueue();
        qmsim::ClearCallLog();
    }

private:
    HWND m_hWindow = nullptr;
    std::unique_ptr<CQmDi8InputServer> m_pServer;
};

// Seconds taken by `work`.
template <class Work>
double TimeSeconds(Work&& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The totals of the measured work and of its baselines over a whole run. The
// benchmark's own time is the measured work's (manual time); the counters give
// the measured work and each baseline per item, and the ratio to each baseline.
class CRatioTimer {
public:
    explicit CRatioTimer(std::vector<std::string> baselines)
        : m_oBaselineNames(std::move(baselines)), m_oBaselines(m_oBaselineNames.size(), 0.0)
    {
    }

    template <class Work>
    double Measure(Work&& work)
    {
        const double seconds = TimeSeconds(work);
        m_fMeasured += seconds;
        return seconds;
    }

    template <class Work>
    void Baseline(std::size_t index, Work&& work)
    {
        m_oBaselines.at(index) += TimeSeconds(work);
    }

    // `items`: items per iteration (messages, records, keys); `unit` names them.
    void Report(benchmark::State& state, double items, const std::string& unit) const
    {
        const double count = static_cast<double>(state.iterations()) * items;
        state.counters["ns_per_" + unit] = m_fMeasured * 1e9 / count;
        for (std::size_t i = 0; i < m_oBaselines.size(); ++i) {
            state.counters[m_oBaselineNames[i] + "_ns"] = m_oBaselines[i] * 1e9 / count;
            state.counters["x_" + m_oBaselineNames[i]] = m_fMeasured / m_oBaselines[i];
        }
    }

private:
    std::vector<std::string> m_oBaselineNames;
    std::vector<double> m_oBaselines;
    double m_fMeasured = 0.0;
};
