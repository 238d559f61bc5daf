// The core library's monotonic clock, in seconds.
#pragma once

#include "QmHostApi.h"

class QM_HOST_API CTimer {
public:
    static double GetCurTime();
};
