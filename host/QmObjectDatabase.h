// The framework's object database: creates objects by class name through the
// registered factories and deletes them through their virtual destructor.
#pragma once

#include "QmHostApi.h"
#include "QmString.h"

class CQmObject;
class CQmObjectFactory;

class QM_HOST_API CQmObjectDatabase {
public:
    CQmObjectDatabase();
    ~CQmObjectDatabase();

    CQmObjectDatabase(const CQmObjectDatabase&) = delete;
    CQmObjectDatabase& operator=(const CQmObjectDatabase&) = delete;

    // Id of a new object made by the factory registered under className; -1 on failure.
    long CreateObject(const CQmString& className);
    // Deletes the object through its virtual destructor; false for an unknown id
    // and for an object still referenced (listed as a device or queried).
    bool DestroyObject(long objectId);
    // The object of that id, or null.
    CQmObject* FindObject(long objectId) const;
    long GetNumObjects() const;

    // The factory registered under className, or null.
    static CQmObjectFactory* FindFactory(const CQmString& className);
    static long GetNumFactories();
    // Called by CQmObjectFactory's constructor and destructor.
    static void RegisterFactory(CQmObjectFactory* factory);
    static void UnregisterFactory(CQmObjectFactory* factory);

private:
    void* m_pImpl;
};

// The process's object database, which input servers use.
QM_HOST_API CQmObjectDatabase* QmGetObjectDatabase();
