// The root object. Serialization and distribution are not part of this
// stand-in: those hooks report "nothing done".
#include "host/QmObject.h"

#include <atomic>

CQmObject::CQmObject()
    : m_nId(-1), m_nRefCount(0), m_nAssociatedResourceId(-1), m_bDistributedDataDirty(false) {}

CQmObject::~CQmObject() = default;

bool CQmObject::BeginPack() { return false; }
bool CQmObject::Pack() { return false; }
bool CQmObject::EndPack() { return false; }
bool CQmObject::BeginUnpack() { return false; }
bool CQmObject::Unpack() { return false; }
bool CQmObject::EndUnpack() { return false; }
long CQmObject::GetLocalId() const { return m_nId; }
long CQmObject::GetNetworkId() const { return -1; }
void CQmObject::OnDistributedObjectConnect() {}
void CQmObject::OnDistributedObjectDisconnect() {}
void CQmObject::OnDispatchMethodInvocation(long) {}
void CQmObject::OnDispatchMethodResult(long) {}
void CQmObject::OnConstruct() {}
void CQmObject::OnDestruct() {}
const CQmClassType& CQmObject::GetType() const { return _s_oType; }
bool CQmObject::IsOfType(const CQmClassType& type) const { return _s_oType.IsDerivedFrom(type); }
long CQmObject::_GetDataFormatVersion() const { return 0; }
bool CQmObject::CanSerialize() const { return false; }
void CQmObject::InitData() {}

// Counting only: objects are deleted by the object database, never by Release.
// The count is a plain long of the host's layout, so it is changed with the
// compiler's atomic builtins (libc++ 14 has no std::atomic_ref).
long CQmObject::AddRef() { return __atomic_add_fetch(&m_nRefCount, 1, __ATOMIC_SEQ_CST); }
long CQmObject::Release() { return __atomic_sub_fetch(&m_nRefCount, 1, __ATOMIC_SEQ_CST); }

long CQmObject::GetId() const { return m_nId; }
long CQmObject::GetAssociatedResourceId() const { return m_nAssociatedResourceId; }
void CQmObject::DispatchEvent(long) {}
void CQmObject::DispatchSimulation(double) {}
long CQmObject::GetSerializationMode() const { return 0; }
bool CQmObject::Serialize() { return false; }
void CQmObject::SetDistributedDataDirty(bool dirty) { m_bDistributedDataDirty = dirty; }
void CQmObject::SetId(long id) { m_nId = id; }
void CQmObject::SetAssociatedResourceId(long id) { m_nAssociatedResourceId = id; }
