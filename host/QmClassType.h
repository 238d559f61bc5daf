// Run-time class type: a name and a parent, queried with IsDerivedFrom.
#pragma once

#include "QmHostApi.h"

class QM_HOST_API CQmClassType {
public:
    // A root type (the host's CQmObject).
    explicit CQmClassType(const char* name);
    CQmClassType(const char* name, const CQmClassType& parent);
    ~CQmClassType();

    CQmClassType(const CQmClassType&) = delete;
    CQmClassType& operator=(const CQmClassType&) = delete;

    const char* GetName() const { return m_pName; }
    const CQmClassType* GetParent() const { return m_pParent; }

    // True when this type is `other` or lies below it in the parent chain.
    bool IsDerivedFrom(const CQmClassType& other) const;

private:
    char* m_pName;
    const CQmClassType* m_pParent;
};
