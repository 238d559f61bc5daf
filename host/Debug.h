// The core library's debug output and memory helper.
#pragma once

#include <cstddef>

#include "QmHostApi.h"

QM_HOST_API void QM_CDECL Debug_Printf(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

QM_HOST_API void QM_CDECL MEM_Zero(void* p, std::size_t size);
