// Included before every C++ source of the Microsoft-ABI build: the msvcrt
// functions that libc++'s headers call for that target but mingw-w64's headers,
// written for an older msvcrt, do not declare. Declared only: code that reaches
// them is not linked (runtime/ has no locale library; see QmRuntime.h).
#pragma once

#include <stdlib.h>

#ifdef __cplusplus
extern "C" {
#endif
float __cdecl _strtof_l(const char* text, char** end, _locale_t locale);
long double __cdecl _strtold_l(const char* text, char** end, _locale_t locale);
#ifdef __cplusplus
}
#endif
