// Names of the predefined data formats, for the call log.
#pragma once

#include "qmsim/dinput.h"

namespace qmsim::detail {

// "c_dfDIKeyboard", "c_dfDIMouse2", "c_dfDIJoystick2", or "custom".
const char* DataFormatName(const DIDATAFORMAT* format);

}  // namespace qmsim::detail
