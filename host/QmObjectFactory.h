// A factory makes its class known to the object database under a name from
// construction until destruction.
#pragma once

#include "QmHostApi.h"
#include "QmString.h"

class CQmObject;

class QM_HOST_API CQmObjectFactory {
public:
    explicit CQmObjectFactory(const CQmString& className);
    virtual ~CQmObjectFactory();
    // A new object of the factory's class, or null when it cannot be made.
    virtual CQmObject* CreateInstance() = 0;

    const CQmString& GetName() const { return m_oName; }

    CQmObjectFactory(const CQmObjectFactory&) = delete;
    CQmObjectFactory& operator=(const CQmObjectFactory&) = delete;

private:
    CQmString m_oName;
};
