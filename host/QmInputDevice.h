// The framework's input device bases.
#pragma once

#include "QmObject.h"

class QM_HOST_API CQmInputObject : public CQmObject {
public:
    static CQmClassType _s_oType;
    static const CQmClassType& GetClassType() { return _s_oType; }

    CQmInputObject();
    const CQmClassType& GetType() const override;
    bool IsOfType(const CQmClassType& type) const override;
    ~CQmInputObject() override;
};

class QM_HOST_API CQmInputDevice : public CQmInputObject {
public:
    static CQmClassType _s_oType;
    static const CQmClassType& GetClassType() { return _s_oType; }

    // A device starts active, with no device id.
    CQmInputDevice();
    const CQmClassType& GetType() const override;
    bool IsOfType(const CQmClassType& type) const override;
    ~CQmInputDevice() override;

    // True, leaving the active flag alone; false stops the device's own Create.
    virtual bool Create();
    virtual void Destroy();
    virtual void Reset();
    virtual void Poll();
    virtual void Trigger();
    virtual void SetActive(bool active);
    virtual void Activate();
    virtual void Deactivate();
    virtual bool DoesDeviceNeedPolling() const;
    virtual bool DoesDeviceNeedTrigger() const;
    virtual long GetDeviceId() const;
    virtual bool IsActive() const;
    virtual void SetDeviceId(long deviceId);
    // Event services of the current input server.
    virtual long NewEvent();
    virtual void ReleaseEvent(long eventId);
    virtual void QueueEvent(long eventId);
    virtual void PreQueue();
    virtual void Queue();
    virtual void PostQueue();

private:
    long m_nDeviceId;
    bool m_bActive;
};
