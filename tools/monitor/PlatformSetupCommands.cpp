#include "tools/monitor/PlatformSetupCommands.h"

#include <cmath>
#include <cstdint>

#include "framework/QmFrameworkControl.h"
#include "host/Timer.h"
#include "qmsim/Simulation.h"
#include "tools/monitor/Numbers.h"
#include "tools/monitor/ScriptError.h"

namespace qmmonitor {
namespace {

// Calls made once per DirectInput or per process, not per device.
bool IsDeviceCall(qmsim::Call call)
{
    return call != qmsim::Call::GetModuleHandleA && call != qmsim::Call::DirectInput8Create
           && call != qmsim::Call::EnumDevices;
}

void ThrowClockBackwards(double target)
{
    throw CScriptError("clock going backwards: " + FormatSeconds(target) + " is before "
                       + FormatSeconds(CTimer::GetCurTime()));
}

}  // namespace

void RunSetting(sMonitor&, const std::vector<sArgument>& arguments)
{
    qmsim::Settings& settings = qmsim::GetSettings();
    const std::uint32_t word = arguments[1].nValue;
    switch (static_cast<eSetting>(arguments[0].nValue)) {
    case eSetting::KeyboardDelay:
        settings.keyboardDelay = static_cast<std::int32_t>(word);
        break;
    case eSetting::KeyboardSpeed:
        settings.keyboardSpeed = static_cast<std::int32_t>(word);
        break;
    case eSetting::DoubleClickMs:
        settings.doubleClickMs = word;
        break;
    case eSetting::SwapButtons:
        settings.swapButtons = static_cast<std::int32_t>(word);
        break;
    }
}

void RunAttach(sMonitor&, const std::vector<sArgument>& arguments)
{
    qmsim::AttachDevice(arguments[0].oText, static_cast<BYTE>(arguments[1].nValue));
}

void RunDetach(sMonitor&, const std::vector<sArgument>& arguments)
{
    qmsim::DetachDevice(arguments[0].oText);
}

void RunWindow(sMonitor& monitor, const std::vector<sArgument>& arguments)
{
    monitor.oWindow.Bind(static_cast<eWindowBinding>(arguments[0].nValue));
}

void RunDestroyWindow(sMonitor& monitor, const std::vector<sArgument>&)
{
    if (!monitor.oWindow.Destroy())
        throw CScriptError("the game window is destroyed already");
    monitor.oOut << "ok\n";
}

// The program an optional argument names; a when none is named.
int ProgramOf(const std::vector<sArgument>& arguments)
{
    return arguments.empty() ? 0 : static_cast<int>(arguments[0].nValue);
}

void RunSubclass(sMonitor& monitor, const std::vector<sArgument>& arguments)
{
    if (!monitor.oWindow.IsAlive())
        throw CScriptError("the game window is destroyed");
    if (!monitor.oWindow.Subclass(ProgramOf(arguments)))
        throw CScriptError("that program has subclassed the game window already");
    monitor.oOut << "ok\n";
}

void RunUnsubclass(sMonitor& monitor, const std::vector<sArgument>& arguments)
{
    if (!monitor.oWindow.Unsubclass(ProgramOf(arguments)))
        throw CScriptError("that program has not subclassed the game window");
    monitor.oOut << "ok\n";
}

void RunFail(sMonitor&, const std::vector<sArgument>& arguments)
{
    const auto call = static_cast<qmsim::Call>(arguments[0].nValue);
    const bool named = arguments.size() > 2;
    if (named && !IsDeviceCall(call))
        throw CScriptError(arguments[0].oText + " is not made on a device: no NAME");
    // GetModuleHandleA has no result code: whatever RESULT says, it returns null.
    const HRESULT result = call == qmsim::Call::GetModuleHandleA
                               ? E_FAIL
                               : static_cast<HRESULT>(arguments[1].nValue);
    qmsim::InjectResult(call, result, named ? arguments[2].oText : std::string());
}

void RunTime(sMonitor&, const std::vector<sArgument>& arguments)
{
    const double target = arguments[0].fSeconds;
    if (!qmhost::SetTime(target))
        ThrowClockBackwards(target);
    SyncTickClock();
}

void RunAdvance(sMonitor&, const std::vector<sArgument>& arguments)
{
    const double step = arguments[0].fSeconds;
    if (step < 0.0)
        ThrowClockBackwards(CTimer::GetCurTime() + step);
    qmhost::AdvanceTime(step);
    SyncTickClock();
}

void SyncTickClock()
{
    // The tick count wraps at 2^32 milliseconds, as GetTickCount does.
    const auto milliseconds = static_cast<std::uint64_t>(std::llround(CTimer::GetCurTime() * 1000.0));
    qmsim::SetTickCount(static_cast<DWORD>(milliseconds));
}

}  // namespace qmmonitor
