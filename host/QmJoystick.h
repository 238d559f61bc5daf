// The framework's joystick base; it adds no virtual operations.
#pragma once

#include "QmInputDevice.h"

class QM_HOST_API CQmJoystick : public CQmInputDevice {
public:
    static CQmClassType _s_oType;
    static const CQmClassType& GetClassType() { return _s_oType; }

    CQmJoystick();
    const CQmClassType& GetType() const override;
    bool IsOfType(const CQmClassType& type) const override;
    ~CQmJoystick() override;
};
