// The three type queries that every class of the module answers, bound to the
// class's own _s_oType. The statics themselves are defined, in registration
// order, in ModuleRegistration.cpp.
#pragma once

#include "host/QmClassType.h"

#define QM_DECLARE_CLASS_TYPE()                                        \
public:                                                                \
    static CQmClassType _s_oType;                                      \
    static const CQmClassType& GetClassType() { return _s_oType; }     \
    const CQmClassType& GetType() const override { return _s_oType; }  \
    bool IsOfType(const CQmClassType& type) const override             \
    {                                                                  \
        return _s_oType.IsDerivedFrom(type);                           \
    }
