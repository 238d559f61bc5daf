// The platform names the module uses: the real Win32 and DirectInput 8 headers
// on Windows, the simulated platform's headers of the same names elsewhere.
#pragma once

#if defined(_WIN32)
#  ifndef DIRECTINPUT_VERSION
#    define DIRECTINPUT_VERSION 0x0800
#  endif
#  ifndef WIN32_LEAN_AND_MEAN
#    define WIN32_LEAN_AND_MEAN
#  endif
#  include <windows.h>
#  include <dinput.h>
#else
#  include "qmsim/windows.h"
#  include "qmsim/dinput.h"
#endif
