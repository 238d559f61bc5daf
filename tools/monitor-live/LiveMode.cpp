#include "tools/monitor-live/LiveMode.h"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>

#include "framework/QmFrameworkControl.h"
#include "server/QmDi8InputServer.h"
#include "tools/monitor-live/DirectInputInstances.h"
#include "tools/monitor-live/RecordingImports.h"
#include "tools/monitor-live/SessionRecorder.h"
#include "tools/monitor-live/Win32GameWindow.h"
#include "tools/monitor/DeviceOpening.h"
#include "tools/monitor/InputHost.h"
#include "tools/monitor/ModuleLibrary.h"

namespace qmmonitor {
namespace {

const char* const kWindowTitle = "qminput monitor";
// How long the loop sleeps when no message is waiting: the polled devices'
// events are never older than this when printed.
const DWORD kIdleMilliseconds = 10;

// Set by the window's own procedure; there is one live window.
bool g_bStopRequested = false;
// The session's recording, when one is made.
CSessionRecorder* g_pRecorder = nullptr;

LRESULT CALLBACK LiveWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Every message reaches this procedure after the module's hooks, once;
    // while none is installed, the module saw nothing.
    const bool hooked = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC))
                        != LiveWindowProc;
    if (g_pRecorder && hooked)
        g_pRecorder->NoteMessage(message, wParam, lParam);
    switch (message) {
    case WM_CLOSE:
        // The window stays until the module's hooks are gone from it.
        g_bStopRequested = true;
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE)
            g_bStopRequested = true;
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The framework's clock follows the real one from the start of the run, so
// that events carry real times and held DirectInput keys repeat.
class CLiveClock {
public:
    CLiveClock() : m_nStart(GetTickCount64()) {}
    double Seconds() const { return static_cast<double>(GetTickCount64() - m_nStart) / 1000.0; }
    void Tick() const { qmhost::SetTime(Seconds()); }

private:
    ULONGLONG m_nStart;
};

void PrintLine(const std::string& line)
{
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// The number of events printed.
std::size_t PrintEvents(CInputHost& host)
{
    const std::vector<std::string> lines = host.TakeEventLines();
    for (const std::string& line : lines)
        PrintLine(line);
    return lines.size();
}

void RecordCommand(const std::string& command)
{
    if (g_pRecorder)
        g_pRecorder->Script().Command(command);
}

void PrintDevices(CInputHost& host)
{
    const std::vector<long> ids = host.DeviceIds();
    for (long id : ids) {
        CDeviceReference device(host.Server(), id);
        if (!device.Get())
            continue;
        PrintLine("device " + std::to_string(id) + " " + device->GetType().GetName()
                  + (device->IsActive() ? " active" : " inactive"));
    }
    PrintLine("devices " + std::to_string(ids.size()));
}

// Creates `className` by name and opens it on the first attached device of
// `deviceClass`, as "new ID CLASS true|false" says.
void OpenOnFirstInstance(CInputHost& host, const char* className, DWORD deviceClass)
{
    IDirectInput8A* directInput = static_cast<CQmDi8InputServer&>(host.Server()).GetDirectInput();
    const std::optional<GUID> instance =
        directInput ? FirstAttachedInstance(*directInput, deviceClass) : std::nullopt;
    long id = -1;
    bool opened = false;
    if (instance) {
        id = host.NewDevice(className);
        CDeviceReference device(host.Server(), id);
        opened = device.Get() && OpenDevice(*device.Get(), *FindDeviceClass(className), *instance);
    } else {
        std::fprintf(stderr, "qminput-monitor: DirectInput reports no device for %s\n", className);
    }
    PrintLine("new " + std::to_string(id) + " " + className + (opened ? " true" : " false"));
    const std::string* name =
        g_pRecorder && instance ? g_pRecorder->FindDeviceName(*instance) : nullptr;
    if (name)
        RecordCommand(std::string("new ") + className + " " + *name);
}

// Polls every device that needs it and prints the events made, after those
// the window's messages made before.
void PollDevices(CInputHost& host)
{
    PrintEvents(host);
    if (g_pRecorder)
        g_pRecorder->BeginPoll();
    for (long id : host.DeviceIds()) {
        CDeviceReference device(host.Server(), id);
        if (device.Get() && device->DoesDeviceNeedPolling())
            device->Poll();
    }
    const bool madeEvents = PrintEvents(host) > 0;
    if (g_pRecorder)
        g_pRecorder->EndPoll(madeEvents);
}

void DispatchWaitingMessages(const CLiveClock& clock)
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        clock.Tick();
        if (message.message == WM_QUIT)
            g_bStopRequested = true;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void RunMessageLoop(CInputHost& host, double seconds)
{
    const CLiveClock clock;
    const auto timeUp = [&] { return seconds > 0.0 && clock.Seconds() >= seconds; };
    while (!g_bStopRequested && !timeUp()) {
        DispatchWaitingMessages(clock);
        clock.Tick();
        PollDevices(host);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kIdleMilliseconds, QS_ALLINPUT);
    }
    PollDevices(host);
}

int Fail(const std::string& reason)
{
    std::fprintf(stderr, "qminput-monitor: %s\n", reason.c_str());
    return 1;
}

int RunWithModule(const sLiveOptions& options, CModuleLibrary& module,
                  const CWin32GameWindow& window)
{
    CInputHost host(module);
    try {
        host.Server();
    } catch (const std::runtime_error& error) {
        return Fail(error.what());
    }
    RecordCommand("start");
    PrintLine(std::string("enumerate ") + (host.Server().EnumerateDevices() ? "true" : "false"));
    RecordCommand("enumerate");
    if (options.bDirectInput) {
        OpenOnFirstInstance(host, "CQmDi8Keyboard", DI8DEVCLASS_KEYBOARD);
        OpenOnFirstInstance(host, "CQmDi8Mouse", DI8DEVCLASS_POINTER);
    }
    PrintDevices(host);
    PrintLine("ready");
    RunMessageLoop(host, options.fSeconds);
    host.Shutdown();
    const bool ownProcedure = window.GetInstalledProcedure() == window.GetOwnProcedure();
    PrintLine(std::string("free: window procedure ") + (ownProcedure ? "restored" : "NOT restored"));
    return ownProcedure ? 0 : 1;
}

// The recording starts with the platform the module is loaded into: the game
// window is in "Display/HWND" already.
std::unique_ptr<CSessionRecorder> StartRecording(const sLiveOptions& options,
                                                 const std::string& modulePath,
                                                 std::ofstream& file, std::string& error)
{
    file.open(options.oRecordPath, std::ios::binary | std::ios::trunc);
    if (!file) {
        error = "cannot write " + options.oRecordPath;
        return nullptr;
    }
    auto recorder = std::make_unique<CSessionRecorder>(file);
    if (!RecordModuleImports(GetModuleHandleA(modulePath.c_str()), *recorder, error))
        return nullptr;
    recorder->WriteHeader(DescribeLiveCommand(options));
    recorder->Script().Command("window game");
    return recorder;
}

}  // namespace

int RunLiveMode(const sLiveOptions& options)
{
    g_bStopRequested = false;
    const CWin32GameWindow window(kWindowTitle, LiveWindowProc, true);
    if (!window.GetHandle())
        return Fail("cannot create the game window");
    CModuleLibrary module;
    std::string error;
    const std::string modulePath = CModuleLibrary::FindModulePath();
    if (!module.Load(modulePath, error))
        return Fail(error);
    std::ofstream file;
    std::unique_ptr<CSessionRecorder> recorder;
    if (!options.oRecordPath.empty()) {
        recorder = StartRecording(options, modulePath, file, error);
        if (!recorder) {
            module.Unload();
            return Fail(error);
        }
    }
    g_pRecorder = recorder.get();
    const int status = RunWithModule(options, module, window);
    g_pRecorder = nullptr;
    module.Unload();
    return status;
}

}  // namespace qmmonitor
