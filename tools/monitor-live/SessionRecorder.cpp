#include "tools/monitor-live/SessionRecorder.h"

#include <cstdio>

#include "host/Timer.h"
#include "tools/monitor/MessageNames.h"

namespace qmmonitor {
namespace {

struct sDeviceKind {
    BYTE nType;  // DI8DEVTYPE_*
    const char* pName;
    eRecordFormat eFormat;
};

constexpr sDeviceKind kDeviceKinds[] = {
    {DI8DEVTYPE_KEYBOARD, "keyboard", eRecordFormat::Keyboard},
    {DI8DEVTYPE_MOUSE, "mouse", eRecordFormat::Mouse},
    {DI8DEVTYPE_JOYSTICK, "joystick", eRecordFormat::Other},
    {DI8DEVTYPE_GAMEPAD, "gamepad", eRecordFormat::Other},
};

constexpr sDeviceKind kOtherDevice = {0, "device", eRecordFormat::Other};

const sDeviceKind& KindOf(const DIDEVICEINSTANCEA& instance)
{
    const BYTE type = static_cast<BYTE>(instance.dwDevType & 0xFF);
    for (const sDeviceKind& kind : kDeviceKinds) {
        if (kind.nType == type)
            return kind;
    }
    return kOtherDevice;
}

struct sResultName {
    HRESULT nResult;
    const char* pName;
};

// The headers define some results as signed and some as unsigned numbers.
constexpr sResultName Named(long long result, const char* name)
{
    return {static_cast<HRESULT>(result), name};
}

// What GetDeviceData answers besides DI_OK, named in the recording's comments.
constexpr sResultName kReadResults[] = {
    Named(DI_BUFFEROVERFLOW, "DI_BUFFEROVERFLOW"),
    Named(DIERR_INPUTLOST, "DIERR_INPUTLOST"),
    Named(DIERR_NOTACQUIRED, "DIERR_NOTACQUIRED"),
    Named(DIERR_NOTBUFFERED, "DIERR_NOTBUFFERED"),
    Named(DIERR_INVALIDPARAM, "DIERR_INVALIDPARAM"),
    Named(DIERR_NOTINITIALIZED, "DIERR_NOTINITIALIZED"),
};

const char* ReadResultName(HRESULT result)
{
    for (const sResultName& entry : kReadResults) {
        if (entry.nResult == result)
            return entry.pName;
    }
    return nullptr;
}

// The mouse messages' range, WM_MOUSEMOVE to WM_MOUSEHWHEEL.
constexpr UINT kFirstMouseMessage = 0x0200;
constexpr UINT kLastMouseMessage = 0x020E;

// Focus, key and mouse messages: the only ones the module's hooks act on.
bool IsInputMessage(UINT message)
{
    return FindMessageName(message)
           || (message >= kFirstMouseMessage && message <= kLastMouseMessage);
}

std::string UtcNow()
{
    SYSTEMTIME now;
    GetSystemTime(&now);
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u UTC", now.wYear, now.wMonth,
                  now.wDay, now.wHour, now.wMinute, now.wSecond);
    return text;
}

// "Wine 8.0" under Wine, else "Windows".
std::string PlatformName()
{
    using WineVersion = const char*(CDECL*)();
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    const auto wineVersion =
        ntdll ? reinterpret_cast<WineVersion>(
                    reinterpret_cast<void*>(GetProcAddress(ntdll, "wine_get_version")))
              : nullptr;
    return wineVersion ? std::string("Wine ") + wineVersion() : std::string("Windows");
}

}  // namespace

void CSessionRecorder::WriteHeader(const std::string& commandLine)
{
    const char* const lines[] = {
        "What the input module read from the platform, at the clock values it saw: the",
        "settings it queried, the devices DirectInput reported, every focus, key and mouse",
        "message that went through its window hooks, and the buffered DirectInput reads",
        "of its polls (records with their sequence numbers and time stamps, results other",
        "than DI_OK). Other window messages, and polls that read nothing and made no",
        "event, are left out: they change nothing.",
        "Running this script with qminput-monitor run prints the live session's events.",
    };
    m_oScript.Comment("Recorded by: " + commandLine);
    m_oScript.Comment("On " + PlatformName() + ", " + UtcNow() + ".");
    for (const char* line : lines)
        m_oScript.Comment(line);
}

const std::string& CSessionRecorder::NameDevice(const DIDEVICEINSTANCEA& instance)
{
    for (const sDevice& device : m_oDevices) {
        if (IsEqualGUID(device.oInstance, instance.guidInstance))
            return device.oName;
    }
    const sDeviceKind& kind = KindOf(instance);
    const std::string name = kind.pName + std::to_string(++m_oNamesByKind[kind.pName]);
    m_oDevices.push_back({instance.guidInstance, name, kind.eFormat});
    m_oScript.Attach(name, instance.dwDevType & 0xFF, instance.tszInstanceName);
    return m_oDevices.back().oName;
}

const std::string* CSessionRecorder::FindDeviceName(const GUID& instance) const
{
    for (const sDevice& device : m_oDevices) {
        if (IsEqualGUID(device.oInstance, instance))
            return &device.oName;
    }
    return nullptr;
}

const CSessionRecorder::sDevice* CSessionRecorder::FindDevice(const std::string& name) const
{
    for (const sDevice& device : m_oDevices) {
        if (device.oName == name)
            return &device;
    }
    return nullptr;
}

void CSessionRecorder::NoteSetting(const char* name, long value)
{
    m_oScript.Setting(name, value);
}

void CSessionRecorder::NoteMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!IsInputMessage(message))
        return;
    m_oScript.Time(CTimer::GetCurTime());
    m_oScript.Message(message, static_cast<std::uint32_t>(wParam),
                      static_cast<std::uint32_t>(lParam));
}

void CSessionRecorder::BeginPoll()
{
    m_fPollTime = CTimer::GetCurTime();
    m_oPollReads.clear();
    m_oPollReadCounts.clear();
}

void CSessionRecorder::NoteRead(const std::string& name, HRESULT result,
                                const DIDEVICEOBJECTDATA* records, DWORD count)
{
    const sDevice* device = FindDevice(name);
    if (!device)
        return;
    const bool first = m_oPollReadCounts[name]++ == 0;
    if (result != DI_OK)
        m_oPollReads.push_back({device, result, false, {}, first});
    for (DWORD i = 0; records && i < count; ++i) {
        const DIDEVICEOBJECTDATA& record = records[i];
        const sRecordedData data{record.dwOfs, record.dwData, record.dwSequence,
                                 record.dwTimeStamp};
        m_oPollReads.push_back({device, DI_OK, true, data, false});
    }
}

void CSessionRecorder::EndPoll(bool madeEvents)
{
    if (m_oPollReads.empty() && !madeEvents)
        return;
    m_oScript.Time(m_fPollTime);
    for (const sRead& read : m_oPollReads)
        WriteRead(read);
    m_oScript.Command("poll");
    m_oPollReads.clear();
}

void CSessionRecorder::WriteRead(const sRead& read)
{
    const std::string& name = read.pDevice->oName;
    if (read.bHasRecord) {
        m_oScript.Record(name, read.pDevice->eFormat, read.oRecord);
    } else if (read.bFirstReadOfPoll) {
        m_oScript.ReadResult(name, static_cast<std::uint32_t>(read.nResult),
                             ReadResultName(read.nResult));
    } else {
        // A result injected now would meet the poll's first read instead.
        char result[16];
        std::snprintf(result, sizeof result, "0x%lX", static_cast<unsigned long>(read.nResult));
        m_oScript.Comment("not replayed: GetDeviceData on " + name + " returned " + result
                          + " after other reads of the same poll");
    }
}

}  // namespace qmmonitor
