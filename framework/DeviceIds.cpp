#include <atomic>

#include "framework/QmFrameworkControl.h"
#include "host/QmInputServer.h"

namespace {

std::atomic<long> g_nNextDeviceId{1};

}  // namespace

long CQmInputServer::GetUniqueDeviceId() { return g_nNextDeviceId++; }

namespace qmhost {

void ResetDeviceIds() { g_nNextDeviceId = 1; }

}  // namespace qmhost
