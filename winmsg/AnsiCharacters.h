// What a character message carries for an ANSI window procedure: on a Unicode
// window the platform converts each UTF-16 unit of WM_CHAR through the ANSI
// code page before an ANSI procedure sees it, one WM_CHAR per byte (a lead and
// a trail byte on a double-byte code page), '?' for a character the code page
// lacks.
#pragma once

#include "server/PlatformApi.h"

struct sAnsiCharacters {
    unsigned char m_aBytes[2];
    int m_nCount;
};

// The bytes an ANSI procedure would receive for the UTF-16 unit `unit`.
sAnsiCharacters ToAnsiCharacters(WPARAM unit);
