// Objects by id: made through the registered factories, deleted through their
// virtual destructor.
#include "host/QmObjectDatabase.h"

#include <map>
#include <string>

#include "framework/ContractViolations.h"
#include "framework/ObjectHolds.h"
#include "host/QmCriticalSection.h"
#include "host/QmObject.h"
#include "host/QmObjectFactory.h"

namespace {

struct sObjectTable {
    mutable CQmCriticalSection oLock;
    std::map<long, CQmObject*> oObjects;
    long nNextId = 1;
};

sObjectTable& Table(void* impl) { return *static_cast<sObjectTable*>(impl); }

}  // namespace

CQmObjectDatabase::CQmObjectDatabase() : m_pImpl(new sObjectTable) {}

CQmObjectDatabase::~CQmObjectDatabase() {
    for (auto& [id, object] : Table(m_pImpl).oObjects) {
        delete object;
    }
    delete static_cast<sObjectTable*>(m_pImpl);
}

long CQmObjectDatabase::CreateObject(const CQmString& className) {
    CQmObjectFactory* factory = FindFactory(className);
    CQmObject* object = factory ? factory->CreateInstance() : nullptr;
    if (object == nullptr) {
        return -1;
    }
    sObjectTable& table = Table(m_pImpl);
    CQmCriticalSectionLock guard(table.oLock);
    const long id = table.nNextId++;
    object->SetId(id);
    table.oObjects.emplace(id, object);
    return id;
}

// An object still referenced is reported and kept: deleting it would leave
// its holders (a device list entry, a query) pointing at freed memory.
bool CQmObjectDatabase::DestroyObject(long objectId) {
    const std::string call = qmhost::detail::CallText("DestroyObject", objectId);
    CQmObject* object = nullptr;
    {
        sObjectTable& table = Table(m_pImpl);
        CQmCriticalSectionLock guard(table.oLock);
        auto found = table.oObjects.find(objectId);
        if (found == table.oObjects.end()) {
            qmhost::detail::ReportContractViolation(call + ": no object of that id");
            return false;
        }
        if (const long held = qmhost::detail::ObjectHolds(objectId); held > 0) {
            qmhost::detail::ReportContractViolation(call + " while " +
                                                    qmhost::detail::HeldCount(held, "reference"));
            return false;
        }
        object = found->second;
        table.oObjects.erase(found);
    }
    // Outside the lock: a destructor may reach back into the database.
    delete object;
    return true;
}

CQmObject* CQmObjectDatabase::FindObject(long objectId) const {
    sObjectTable& table = Table(m_pImpl);
    CQmCriticalSectionLock guard(table.oLock);
    auto found = table.oObjects.find(objectId);
    return found == table.oObjects.end() ? nullptr : found->second;
}

long CQmObjectDatabase::GetNumObjects() const {
    sObjectTable& table = Table(m_pImpl);
    CQmCriticalSectionLock guard(table.oLock);
    return static_cast<long>(table.oObjects.size());
}

CQmObjectDatabase* QmGetObjectDatabase() {
    // Never destroyed: objects still held at exit belong to modules whose
    // code may already be unloaded.
    static CQmObjectDatabase* database = new CQmObjectDatabase;
    return database;
}
