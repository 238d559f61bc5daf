// Functions that mingw-w64's headers send to mingw's own library (libmingwex,
// not linked here) instead of msvcrt.dll: supplied on msvcrt's own.
#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <cstdlib>

// vsnprintf with the standard's result. msvcrt's _vsnprintf returns -1 when
// the text does not fit, where the standard returns the length needed.
extern "C" int __cdecl __ms_vsnprintf(char* buffer, std::size_t size, const char* format, va_list arguments)
{
    va_list counted;
    va_copy(counted, arguments);
    int written = size == 0 ? -1 : _vsnprintf(buffer, size, format, arguments);
    if (written < 0 || static_cast<std::size_t>(written) >= size) {
        if (size > 0)
            buffer[size - 1] = '\0';
        written = _vscprintf(format, counted);
    }
    va_end(counted);
    return written;
}

// stdin, stdout and stderr: mingw's headers reach them through the newer
// runtime's __acrt_iob_func, imported; msvcrt.dll has __iob_func, the array.
// (Named through its symbol: mingw's headers turn __iob_func into a macro.)
extern "C" FILE* __cdecl MsvcrtStandardStreams() asm("___iob_func");

namespace {

FILE* __cdecl StandardStream(unsigned index)
{
    return &MsvcrtStandardStreams()[index];
}

}  // namespace

extern "C" FILE* (__cdecl* const qmrt_acrt_iob_func)(unsigned) asm("__imp____acrt_iob_func") = StandardStream;

// strtod: mingw's headers rename it __strtod; msvcrt's own is the function.
#undef strtod
extern "C" double __cdecl __strtod(const char* text, char** end)
{
    return strtod(text, end);
}
