// The input server's device list operations.
#include "framework/InputServerImpl.h"
#include "host/QmInputDevice.h"
#include "host/QmInputServer.h"
#include "host/QmObjectDatabase.h"

namespace {

qmhost::detail::CDeviceList& Devices(void* impl) {
    return static_cast<qmhost::detail::sInputServerImpl*>(impl)->oDevices;
}

// Destroy, removal from the list, deletion: in that order, and with no lock
// held while the device's own code runs.
void DisposeDevice(qmhost::detail::CDeviceList& devices, CQmObjectDatabase* database,
                   const qmhost::detail::sDeviceEntry& entry) {
    entry.pDevice->Destroy();
    devices.Erase(entry.nDeviceId);
    if (database != nullptr) {
        database->DestroyObject(entry.nObjectId);
    }
}

}  // namespace

void CQmInputServer::AddDevice(long deviceId, long objectId) {
    CQmObject* object = m_pObjectDatabase ? m_pObjectDatabase->FindObject(objectId) : nullptr;
    if (object == nullptr || !object->IsOfType(CQmInputDevice::GetClassType())) {
        return;
    }
    auto* device = static_cast<CQmInputDevice*>(object);
    if (Devices(m_pImpl).Add(deviceId, objectId, device)) {
        device->SetDeviceId(deviceId);
    }
}

void CQmInputServer::RemoveDevice(long deviceId) { Devices(m_pImpl).Remove(deviceId); }

void CQmInputServer::FreeDevices() {
    long position = -1;
    long deviceId = -1;
    qmhost::detail::sDeviceEntry entry{};
    while (GetFirstDevice(position, deviceId) && Devices(m_pImpl).Find(deviceId, entry)) {
        DisposeDevice(Devices(m_pImpl), m_pObjectDatabase, entry);
    }
}

long CQmInputServer::GetNumDevices() const { return Devices(m_pImpl).Count(); }

long CQmInputServer::GetNumDevicesOfType(const CQmClassType& type) const {
    return Devices(m_pImpl).CountOfType(type);
}

CQmInputDevice* CQmInputServer::QueryDevice(long deviceId) { return Devices(m_pImpl).Query(deviceId); }

void CQmInputServer::ReleaseDevice(long deviceId) {
    qmhost::detail::sDeviceEntry disposed{};
    if (Devices(m_pImpl).Release(deviceId, disposed)) {
        DisposeDevice(Devices(m_pImpl), m_pObjectDatabase, disposed);
    }
}

bool CQmInputServer::GetFirstDevice(long& position, long& deviceId) const {
    if (!Devices(m_pImpl).At(0, deviceId)) {
        return false;
    }
    position = 0;
    return true;
}

bool CQmInputServer::GetNextDevice(long& position, long& deviceId) const {
    if (!Devices(m_pImpl).At(position + 1, deviceId)) {
        return false;
    }
    ++position;
    return true;
}
