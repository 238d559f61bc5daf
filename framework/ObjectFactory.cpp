#include "host/QmObjectFactory.h"

#include "host/QmObjectDatabase.h"

CQmObjectFactory::CQmObjectFactory(const CQmString& className) : m_oName(className) {
    CQmObjectDatabase::RegisterFactory(this);
}

CQmObjectFactory::~CQmObjectFactory() { CQmObjectDatabase::UnregisterFactory(this); }
