// The three type queries that every class of the module answers, bound to the
// class's own _s_oType. The statics themselves are defined, in registration
// order, in ModuleRegistration.cpp. The queries are defined out of line there
// too, so that the DLL exports them under every compiler: a host compiled from
// the plain declarations binds them by name.
#pragma once

#include "host/QmClassType.h"

#define QM_DECLARE_CLASS_TYPE()                                \
public:                                                        \
    static CQmClassType _s_oType;                              \
    static const CQmClassType& GetClassType();                 \
    const CQmClassType& GetType() const override;              \
    bool IsOfType(const CQmClassType& type) const override;

#define QM_DEFINE_CLASS_TYPE_QUERIES(Class)                                             \
    const CQmClassType& Class::GetClassType() { return _s_oType; }                      \
    const CQmClassType& Class::GetType() const { return _s_oType; }                     \
    bool Class::IsOfType(const CQmClassType& type) const { return _s_oType.IsDerivedFrom(type); }
