#include "tools/monitor-live/RecordingImports.h"

#include "tools/monitor-live/ImportPatch.h"
#include "tools/monitor-live/RecordingDirectInput.h"

namespace qmmonitor {
namespace {

using DirectInput8CreateFunction = HRESULT(WINAPI*)(HINSTANCE, DWORD, REFIID, LPVOID*, LPUNKNOWN);
using SystemParametersInfoFunction = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT);
using GetSystemMetricsFunction = int(WINAPI*)(int);
using GetDoubleClickTimeFunction = UINT(WINAPI*)();

// The module's imports are plain functions: they find the recorder and the
// real functions here.
CSessionRecorder* g_pRecorder = nullptr;
DirectInput8CreateFunction g_pDirectInput8Create = nullptr;
SystemParametersInfoFunction g_pSystemParametersInfoA = nullptr;
GetSystemMetricsFunction g_pGetSystemMetrics = nullptr;
GetDoubleClickTimeFunction g_pGetDoubleClickTime = nullptr;

HRESULT WINAPI RecordingDirectInput8Create(HINSTANCE instance, DWORD version, REFIID interfaceId,
                                           LPVOID* created, LPUNKNOWN outer)
{
    const HRESULT result = g_pDirectInput8Create(instance, version, interfaceId, created, outer);
    if (SUCCEEDED(result) && created && *created && IsEqualIID(interfaceId, IID_IDirectInput8A))
        *created = WrapDirectInput(static_cast<IDirectInput8A*>(*created), *g_pRecorder);
    return result;
}

// The script's setting for each keyboard query.
struct sKeyboardSetting {
    UINT nAction;
    const char* pName;
};

constexpr sKeyboardSetting kKeyboardSettings[] = {
    {SPI_GETKEYBOARDDELAY, "keyboard-delay"},
    {SPI_GETKEYBOARDSPEED, "keyboard-speed"},
};

BOOL WINAPI RecordingSystemParametersInfoA(UINT action, UINT parameter, PVOID value, UINT flags)
{
    const BOOL answered = g_pSystemParametersInfoA(action, parameter, value, flags);
    for (const sKeyboardSetting& setting : kKeyboardSettings) {
        if (setting.nAction != action || !value)
            continue;
        if (answered)
            g_pRecorder->NoteSetting(setting.pName, static_cast<long>(*static_cast<int*>(value)));
        else
            g_pRecorder->Script().Comment(std::string("not replayed: the query of ") + setting.pName
                                          + " failed");
    }
    return answered;
}

int WINAPI RecordingGetSystemMetrics(int index)
{
    const int answer = g_pGetSystemMetrics(index);
    if (index == SM_SWAPBUTTON)
        g_pRecorder->NoteSetting("swap-buttons", answer);
    return answer;
}

UINT WINAPI RecordingGetDoubleClickTime()
{
    const UINT answer = g_pGetDoubleClickTime();
    g_pRecorder->NoteSetting("double-click-ms", static_cast<long>(answer));
    return answer;
}

// Patches one import and keeps the address it held in `original`; false when
// the module does not import the function.
template <class Function>
bool Redirect(HMODULE module, const char* library, const char* name, Function replacement,
              Function& original)
{
    original = reinterpret_cast<Function>(
        PatchImport(module, library, name, reinterpret_cast<void*>(replacement)));
    return original != nullptr;
}

}  // namespace

bool RecordModuleImports(HMODULE module, CSessionRecorder& recorder, std::string& error)
{
    g_pRecorder = &recorder;
    if (!Redirect(module, "dinput8.dll", "DirectInput8Create", &RecordingDirectInput8Create,
                  g_pDirectInput8Create)) {
        error = "cannot record: the module imports no DirectInput8Create from dinput8.dll";
        return false;
    }
    // A settings query the module does not import is one it never makes.
    Redirect(module, "user32.dll", "SystemParametersInfoA", &RecordingSystemParametersInfoA,
             g_pSystemParametersInfoA);
    Redirect(module, "user32.dll", "GetSystemMetrics", &RecordingGetSystemMetrics,
             g_pGetSystemMetrics);
    Redirect(module, "user32.dll", "GetDoubleClickTime", &RecordingGetDoubleClickTime,
             g_pGetDoubleClickTime);
    return true;
}

}  // namespace qmmonitor
