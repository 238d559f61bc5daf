// The TLS directory: the loader finds it through the symbol _tls_used, sizes
// each thread's block from .tls$ (between the two markers) and stores the
// image's slot in _tls_index. thread_local code reads the thread's block array
// at fs:[__tls_array].
#include <windows.h>

extern "C" {

ULONG _tls_index = 0;

#pragma section(".tls", read, write)
#pragma section(".tls$ZZZ", read, write)
__declspec(allocate(".tls")) char _tls_start = 0;
__declspec(allocate(".tls$ZZZ")) char _tls_end = 0;

// No TLS callbacks: the list holds only its terminator.
#pragma section(".CRT$XLA", read)
#pragma section(".CRT$XLZ", read)
__declspec(allocate(".CRT$XLA")) PIMAGE_TLS_CALLBACK __xl_a = nullptr;
__declspec(allocate(".CRT$XLZ")) PIMAGE_TLS_CALLBACK __xl_z = nullptr;

extern const IMAGE_TLS_DIRECTORY32 _tls_used = {
    reinterpret_cast<DWORD>(&_tls_start),
    reinterpret_cast<DWORD>(&_tls_end),
    reinterpret_cast<DWORD>(&_tls_index),
    reinterpret_cast<DWORD>(&__xl_a + 1),
    0,
    {0},
};

}  // extern "C"

// The offset of the thread's TLS array in its thread information block.
asm(".globl __tls_array\n.set __tls_array, 44\n");
