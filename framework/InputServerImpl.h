// The private state behind CQmInputServer.
#pragma once

#include <atomic>

#include "framework/DeviceList.h"
#include "framework/EventPool.h"

namespace qmhost::detail {

struct sInputServerImpl {
    CDeviceList oDevices;
    CEventPool oEvents;  // guarded by the server's m_oLock
    std::atomic<bool> bFocus{false};
};

}  // namespace qmhost::detail
