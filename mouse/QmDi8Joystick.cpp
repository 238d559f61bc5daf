// A game controller: opened, configured and acquired on its instance; it reads
// nothing and makes no events.
#include "mouse/QmDi8Joystick.h"

#include "host/Debug.h"
#include "server/Di8DeviceCreation.h"

namespace {

// DirectInput keeps this many records between two polls; the joystick reads none.
constexpr DWORD kBufferSize = 32;

}  // namespace

CQmDi8Joystick::CQmDi8Joystick()
{
    // Inactive until the framework activates it.
    SetActive(false);
}

// The interface is released by Destroy, which the server calls before deletion.
CQmDi8Joystick::~CQmDi8Joystick() = default;

bool CQmDi8Joystick::Create(const GUID& instance)
{
    if (!OpenBufferedDevice(*this, m_oDevice, instance, &c_dfDIJoystick2, kBufferSize))
        return false;
    m_oDevice.SetProperty(DIPROP_AXISMODE, DIPROPAXISMODE_ABS);
    // Dead zone and saturation in DirectInput's scale of 10 000: 20 % and 95 %.
    m_oDevice.SetProperty(DIPROP_DEADZONE, 2000);
    m_oDevice.SetProperty(DIPROP_SATURATION, 9500);
    m_oDevice.Acquire();
    return true;
}

void CQmDi8Joystick::Destroy()
{
    if (m_oDevice.IsOpen())
        m_oDevice.Close();
}

void CQmDi8Joystick::OutputDebugData(eCallbackType type, const DIDEVICEOBJECTDATA* data)
{
    if (!data || type == CALLBACK_TYPE_NONE)
        return;
    Debug_Printf("Object: %d at %d; ", static_cast<int>(data->dwSequence), static_cast<int>(data->dwTimeStamp));
}

bool CQmDi8Joystick::DoesDeviceNeedPolling() const
{
    return false;
}

bool CQmDi8Joystick::DoesDeviceNeedTrigger() const
{
    return false;
}
