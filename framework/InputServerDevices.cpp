// The input server's device list operations.
#include <string>

#include "framework/ContractViolations.h"
#include "framework/InputServerImpl.h"
#include "host/QmInputDevice.h"
#include "host/QmInputServer.h"
#include "host/QmObjectDatabase.h"

namespace {

using qmhost::detail::sInputServerImpl;

sInputServerImpl& Impl(void* impl) { return *static_cast<sInputServerImpl*>(impl); }

// A device leaving the list while an event of it is still held: the holder
// would be filling or reading an event of a device that is gone. The events
// are guarded by the server's lock.
void ReportHeldEventsOf(CQmCriticalSection& eventLock, sInputServerImpl& impl, long deviceId,
                        const std::string& call) {
    CQmCriticalSectionLock guard(eventLock);
    const long eventId = impl.oEvents.HeldEventOf(deviceId);
    if (eventId != -1) {
        qmhost::detail::ReportContractViolation(call + " while event " + std::to_string(eventId) +
                                                " of the device is held");
    }
}

void RemoveListed(CQmCriticalSection& eventLock, sInputServerImpl& impl, long deviceId, const std::string& call) {
    ReportHeldEventsOf(eventLock, impl, deviceId, call);
    impl.oDevices.Remove(deviceId, call);
}

// Destroy, removal from the list, deletion: in that order, and with no lock
// held while the device's own code runs.
void DisposeDevice(CQmCriticalSection& eventLock, sInputServerImpl& impl, CQmObjectDatabase* database,
                   const qmhost::detail::sDeviceEntry& entry, const std::string& call) {
    entry.pDevice->Destroy();
    RemoveListed(eventLock, impl, entry.nDeviceId, call);
    if (database != nullptr) {
        database->DestroyObject(entry.nObjectId);
    }
}

}  // namespace

void CQmInputServer::AddDevice(long deviceId, long objectId) {
    const std::string call = "AddDevice(" + std::to_string(deviceId) + ", " + std::to_string(objectId) + ")";
    CQmObject* object = m_pObjectDatabase ? m_pObjectDatabase->FindObject(objectId) : nullptr;
    if (object == nullptr) {
        qmhost::detail::ReportContractViolation(call + ": no object of that id");
        return;
    }
    if (!object->IsOfType(CQmInputDevice::GetClassType())) {
        qmhost::detail::ReportContractViolation(call + ": the object is no input device");
        return;
    }
    auto* device = static_cast<CQmInputDevice*>(object);
    if (Impl(m_pImpl).oDevices.Add(deviceId, objectId, device, call)) {
        device->SetDeviceId(deviceId);
    }
}

void CQmInputServer::RemoveDevice(long deviceId) {
    RemoveListed(m_oLock, Impl(m_pImpl), deviceId, qmhost::detail::CallText("RemoveDevice", deviceId));
}

void CQmInputServer::FreeDevices() {
    long position = -1;
    long deviceId = -1;
    qmhost::detail::sDeviceEntry entry{};
    while (GetFirstDevice(position, deviceId) && Impl(m_pImpl).oDevices.Find(deviceId, entry)) {
        DisposeDevice(m_oLock, Impl(m_pImpl), m_pObjectDatabase, entry,
                      "FreeDevices deleting device " + std::to_string(deviceId));
    }
}

long CQmInputServer::GetNumDevices() const { return Impl(m_pImpl).oDevices.Count(); }

long CQmInputServer::GetNumDevicesOfType(const CQmClassType& type) const {
    return Impl(m_pImpl).oDevices.CountOfType(type);
}

CQmInputDevice* CQmInputServer::QueryDevice(long deviceId) { return Impl(m_pImpl).oDevices.Query(deviceId); }

void CQmInputServer::ReleaseDevice(long deviceId) {
    if (deviceId == -1) {
        return;
    }
    qmhost::detail::sDeviceEntry disposed{};
    if (Impl(m_pImpl).oDevices.Release(deviceId, disposed)) {
        DisposeDevice(m_oLock, Impl(m_pImpl), m_pObjectDatabase, disposed,
                      qmhost::detail::CallText("ReleaseDevice", deviceId) + " deleting the device");
    }
}

bool CQmInputServer::GetFirstDevice(long& position, long& deviceId) const {
    if (!Impl(m_pImpl).oDevices.At(0, deviceId)) {
        return false;
    }
    position = 0;
    return true;
}

bool CQmInputServer::GetNextDevice(long& position, long& deviceId) const {
    if (!Impl(m_pImpl).oDevices.At(position + 1, deviceId)) {
        return false;
    }
    ++position;
    return true;
}
