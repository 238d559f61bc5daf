// The recording of a live session: a monitor script of what the module read
// from the platform, at the clock values it saw, so that running the script on
// the simulated platform prints the live session's events again.
//
// The recorder learns what the module read from the recording DirectInput
// interfaces and settings queries handed to it (RecordingImports.h) and from
// the game window's own procedure, which every message reaches after the
// module's hooks. DirectInput reads are kept per poll: a poll that read
// nothing and made no event changes nothing and is left out.
#pragma once

#include <deque>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "server/PlatformApi.h"
#include "tools/monitor/ScriptWriter.h"

namespace qmmonitor {

class CSessionRecorder {
public:
    explicit CSessionRecorder(std::ostream& out) : m_oScript(out) {}

    // Comments on when and how the recording was made, for `commandLine`.
    void WriteHeader(const std::string& commandLine);
    CScriptWriter& Script() { return m_oScript; }

    // The script's name for a device DirectInput reported; the first time, an
    // `attach` line.
    const std::string& NameDevice(const DIDEVICEINSTANCEA& instance);
    // Null for a device never reported.
    const std::string* FindDeviceName(const GUID& instance) const;

    void NoteSetting(const char* name, long value);
    // A message that went through the module's hooks, at the current clock.
    void NoteMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void BeginPoll();
    // One GetDeviceData of the module on device `name`: its result and the
    // records it removed from the buffer.
    void NoteRead(const std::string& name, HRESULT result, const DIDEVICEOBJECTDATA* records,
                  DWORD count);
    // Writes the poll when it read anything or made events.
    void EndPoll(bool madeEvents);

private:
    struct sDevice {
        GUID oInstance;
        std::string oName;
        eRecordFormat eFormat;
    };
    struct sRead {
        const sDevice* pDevice;
        HRESULT nResult;
        bool bHasRecord;
        sRecordedData oRecord;
        bool bFirstReadOfPoll;
    };

    const sDevice* FindDevice(const std::string& name) const;
    void WriteRead(const sRead& read);

    CScriptWriter m_oScript;
    std::deque<sDevice> m_oDevices;  // in the order DirectInput reported them
    std::map<std::string, int> m_oNamesByKind;
    std::vector<sRead> m_oPollReads;
    std::map<std::string, int> m_oPollReadCounts;
    double m_fPollTime = 0.0;
};

}  // namespace qmmonitor
