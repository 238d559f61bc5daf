// The input object and input device bases. A device's event services go to
// the current input server.
#include "framework/EventPool.h"
#include "framework/FailureCountdown.h"
#include "framework/QmFrameworkControl.h"
#include "framework/TypeQueries.h"
#include "host/QmInputDevice.h"
#include "host/QmInputServer.h"

namespace {

qmhost::detail::CFailureCountdown g_oCreateFailures;

}  // namespace

namespace qmhost {

void FailNextDeviceCreates(int n) { g_oCreateFailures.Set(n); }

}  // namespace qmhost

CQmInputObject::CQmInputObject() = default;
CQmInputObject::~CQmInputObject() = default;
QM_DEFINE_TYPE_QUERIES(CQmInputObject)

CQmInputDevice::CQmInputDevice() : m_nDeviceId(-1), m_bActive(true) {}
CQmInputDevice::~CQmInputDevice() = default;
QM_DEFINE_TYPE_QUERIES(CQmInputDevice)

bool CQmInputDevice::Create() { return !g_oCreateFailures.TakeOne(); }
void CQmInputDevice::Destroy() {}
void CQmInputDevice::Reset() {}
void CQmInputDevice::Poll() {}
void CQmInputDevice::Trigger() {}
void CQmInputDevice::SetActive(bool active) { m_bActive = active; }
void CQmInputDevice::Activate() { SetActive(true); }
void CQmInputDevice::Deactivate() { SetActive(false); }
bool CQmInputDevice::DoesDeviceNeedPolling() const { return false; }
bool CQmInputDevice::DoesDeviceNeedTrigger() const { return false; }
long CQmInputDevice::GetDeviceId() const { return m_nDeviceId; }
bool CQmInputDevice::IsActive() const { return m_bActive; }
void CQmInputDevice::SetDeviceId(long deviceId) { m_nDeviceId = deviceId; }

long CQmInputDevice::NewEvent() {
    CQmInputServer* server = QmGetInputServer();
    const qmhost::detail::CEventOwnerScope owner(m_nDeviceId);
    return server ? server->NewEvent() : -1;
}

void CQmInputDevice::ReleaseEvent(long eventId) {
    if (CQmInputServer* server = QmGetInputServer()) {
        server->ReleaseEvent(eventId);
    }
}

void CQmInputDevice::QueueEvent(long eventId) {
    if (CQmInputServer* server = QmGetInputServer()) {
        server->QueueEvent(eventId);
    }
}

void CQmInputDevice::PreQueue() {}
void CQmInputDevice::Queue() {}
void CQmInputDevice::PostQueue() {}
