#include <cstring>

#include "host/Debug.h"

void QM_CDECL MEM_Zero(void* p, std::size_t size) {
    if (p != nullptr && size != 0) {
        std::memset(p, 0, size);
    }
}
