// The script that `qminput-monitor demo` runs: the module's main paths, with
// comments for someone who sees it for the first time.
#pragma once

namespace qmmonitor {

const char* DemoScript();

}  // namespace qmmonitor
