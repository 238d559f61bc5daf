// A game controller found by enumeration: opened and acquired, makes no events.
#pragma once

#include "host/QmJoystick.h"
#include "server/QmClassTypeDecl.h"
#include "server/QmDi8Device.h"
#include "server/QmInputApi.h"

class QM_INPUT_API CQmDi8Joystick : public CQmJoystick {
    QM_DECLARE_CLASS_TYPE()

public:
    // Inactive until the framework activates it.
    CQmDi8Joystick();
    ~CQmDi8Joystick() override;

    void Destroy() override;
    bool DoesDeviceNeedPolling() const override;
    bool DoesDeviceNeedTrigger() const override;

    using CQmInputDevice::Create;
    virtual bool Create(const GUID& instance);

    static void OutputDebugData(eCallbackType type, const DIDEVICEOBJECTDATA* data);

private:
    CQmDi8Device m_oDevice;
};
