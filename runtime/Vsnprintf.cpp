// vsnprintf with the standard's result. mingw's headers route it to
// __ms_vsnprintf, which msvcrt.dll lacks; its own _vsnprintf returns -1 when
// the text does not fit, where the standard returns the length needed.
#include <cstdarg>
#include <cstddef>
#include <cstdio>

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
