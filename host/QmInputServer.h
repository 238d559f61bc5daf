// The framework's input server base: device list, event pool and queue, focus.
// Event operations may be called from the window thread and the framework thread
// at once; they are guarded by the server's critical section.
#pragma once

#include "QmCriticalSection.h"
#include "QmInputEvent.h"
#include "QmObject.h"

class CQmInputDevice;
class CQmObjectDatabase;

class QM_HOST_API CQmInputServer : public CQmObject {
public:
    static CQmClassType _s_oType;
    static const CQmClassType& GetClassType() { return _s_oType; }

    CQmInputServer();

    const CQmClassType& GetType() const override;
    bool IsOfType(const CQmClassType& type) const override;
    ~CQmInputServer() override;

    virtual bool EnumerateDevices();
    virtual void FreeDevices();
    virtual long GetNumDevices() const;
    // Devices whose class type derives from `type`.
    virtual long GetNumDevicesOfType(const CQmClassType& type) const;
    // The device with a new reference, or null for an unknown id (-1 included).
    virtual CQmInputDevice* QueryDevice(long deviceId);
    // Gives a reference back; -1 is accepted and ignored. Dropping a device's last
    // reference disposes of it: Destroy, removal from the list, deletion.
    virtual void ReleaseDevice(long deviceId);
    virtual bool GetFirstDevice(long& position, long& deviceId) const;
    virtual bool GetNextDevice(long& position, long& deviceId) const;
    virtual void ObtainFocus();
    virtual void LoseFocus();
    virtual bool HasFocus() const;
    // A new, all-zero event record's id, or -1.
    virtual long NewEvent();
    virtual void QueueEvent(long eventId);
    virtual void LockEventQueue();
    virtual void UnlockEventQueue();
    virtual bool GetFirstEventInQueue(long& position, long& eventId);
    virtual bool GetNextEventInQueue(long& position, long& eventId);
    virtual void RemoveEventFromQueue(long eventId);
    virtual void FlushEventQueue();
    virtual CQmInputEvent* QueryEvent(long eventId);
    // -1 is accepted and ignored.
    virtual void ReleaseEvent(long eventId);
    virtual void Trigger();
    virtual void PreQueue();
    virtual void Queue();
    virtual void PostQueue();

    // Ids are handed out 1, 2, 3, ... in order.
    static long GetUniqueDeviceId();
    // The list entry holds one reference on the device, and the device gets the id.
    void AddDevice(long deviceId, long objectId);
    // Drops the entry (and its reference) without deleting the object.
    void RemoveDevice(long deviceId);
    CQmObjectDatabase* GetObjectDatabase() const { return m_pObjectDatabase; }

protected:
    CQmObjectDatabase* m_pObjectDatabase;
    CQmCriticalSection m_oLock;

private:
    void* m_pImpl;
};

// The current input server: the one most recently constructed and not yet destroyed.
QM_HOST_API CQmInputServer* QmGetInputServer();
