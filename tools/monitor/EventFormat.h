// One framework event as a line of monitor output:
//   event TYPE dev=ID key=K value=V x=X y=Y time=T
// Used by the simulated monitor and by the Windows live mode alike, so it
// knows nothing but the framework's event record.
#pragma once

#include <string>

#include "host/QmInputEvent.h"

namespace qmmonitor {

// KEY_DOWN, MOUSE_MOVE, ...; null for a type the input module never makes.
const char* EventTypeName(eInputEventType type);

// The type by name (unknown types as their number), the signed fields as
// decimals, the value with %g and the time with %.6f.
std::string FormatEvent(const CQmInputEvent& event);

}  // namespace qmmonitor
