// Recording what the loaded module asks of the platform: its imports of
// DirectInput8Create and of the settings queries are redirected, in this
// process only, to functions that call the real ones and tell the recorder
// what they answered. The DirectInput it creates comes wrapped in the
// recording interfaces (RecordingDirectInput.h). The module itself is not
// changed and cannot tell.
#pragma once

#include <string>

#include <windows.h>

#include "tools/monitor-live/SessionRecorder.h"

namespace qmmonitor {

// Before the module's first call of any of them. False with a reason when the
// module does not import DirectInput8Create. One recorder per process.
bool RecordModuleImports(HMODULE module, CSessionRecorder& recorder, std::string& error);

}  // namespace qmmonitor
