// The two virtual type queries every framework class answers from its own
// class type.
#pragma once

#define QM_DEFINE_TYPE_QUERIES(ClassName)                                      \
    const CQmClassType& ClassName::GetType() const { return _s_oType; }        \
    bool ClassName::IsOfType(const CQmClassType& type) const {                 \
        return _s_oType.IsDerivedFrom(type);                                    \
    }
