// The platform names the module uses: the real Win32 and DirectInput 8 headers
// on Windows, the simulated platform's headers of the same names elsewhere.
// Hosts include it too, so it leaves <windows.h>'s configuration to them.
#pragma once

#if defined(_WIN32)
#  ifndef DIRECTINPUT_VERSION
#    define DIRECTINPUT_VERSION 0x0800
#  endif
#  include <windows.h>
#  include <dinput.h>
#else
#  include "qmsim/windows.h"
#  include "qmsim/dinput.h"
#endif
