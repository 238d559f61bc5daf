// Scoped holder of one device reference of the current input server: every
// QueryDevice it makes is balanced by one ReleaseDevice.
#pragma once

#include "host/QmInputDevice.h"
#include "host/QmInputServer.h"

template <class Device>
class CQmInputDeviceRef {
public:
    explicit CQmInputDeviceRef(long deviceId)
        : m_pServer(QmGetInputServer()), m_nDeviceId(deviceId), m_pDevice(Query(deviceId))
    {
    }
    virtual ~CQmInputDeviceRef()
    {
        if (m_pServer)
            m_pServer->ReleaseDevice(m_nDeviceId);
        m_pDevice = nullptr;
    }

    CQmInputDeviceRef(const CQmInputDeviceRef&) = delete;
    CQmInputDeviceRef& operator=(const CQmInputDeviceRef&) = delete;

    // Gives back the reference held (if any) and takes one on `deviceId`.
    CQmInputDeviceRef& operator=(long deviceId)
    {
        if (m_nDeviceId != -1 && m_pServer)
            m_pServer->ReleaseDevice(m_nDeviceId);
        m_nDeviceId = deviceId;
        m_pDevice = Query(deviceId);
        return *this;
    }

    Device* operator->() const { return m_pDevice; }
    Device* Get() const { return m_pDevice; }
    long GetDeviceId() const { return m_nDeviceId; }

private:
    Device* Query(long deviceId) const
    {
        if (deviceId == -1 || !m_pServer)
            return nullptr;
        return static_cast<Device*>(m_pServer->QueryDevice(deviceId));
    }

    CQmInputServer* m_pServer;
    long m_nDeviceId;
    Device* m_pDevice;
};
