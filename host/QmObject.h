// The root of every framework object. The virtual operations are declared in the
// framework's slot order; derived classes append theirs after these.
#pragma once

#include "QmClassType.h"
#include "QmHostApi.h"

class QM_HOST_API CQmObject {
public:
    static CQmClassType _s_oType;
    static const CQmClassType& GetClassType() { return _s_oType; }

    CQmObject();

    // Serialization and distribution hooks; the input classes use none of them.
    virtual bool BeginPack();
    virtual bool Pack();
    virtual bool EndPack();
    virtual bool BeginUnpack();
    virtual bool Unpack();
    virtual bool EndUnpack();
    virtual long GetLocalId() const;
    virtual long GetNetworkId() const;
    virtual void OnDistributedObjectConnect();
    virtual void OnDistributedObjectDisconnect();
    virtual void OnDispatchMethodInvocation(long methodId);
    virtual void OnDispatchMethodResult(long methodId);
    virtual void OnConstruct();
    virtual void OnDestruct();
    virtual const CQmClassType& GetType() const;
    virtual bool IsOfType(const CQmClassType& type) const;
    virtual long _GetDataFormatVersion() const;
    virtual bool CanSerialize() const;
    virtual ~CQmObject();
    virtual void InitData();
    virtual long AddRef();
    virtual long Release();
    virtual long GetId() const;
    virtual long GetAssociatedResourceId() const;
    virtual void DispatchEvent(long eventId);
    virtual void DispatchSimulation(double time);
    virtual long GetSerializationMode() const;
    virtual bool Serialize();
    virtual void SetDistributedDataDirty(bool dirty);
    virtual void SetId(long id);
    virtual void SetAssociatedResourceId(long id);

    CQmObject(const CQmObject&) = delete;
    CQmObject& operator=(const CQmObject&) = delete;

private:
    long m_nId;
    long m_nRefCount;
    long m_nAssociatedResourceId;
    bool m_bDistributedDataDirty;
};
