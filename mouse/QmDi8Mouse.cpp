// The DirectInput mouse: opening the device with the system's mouse settings and
// reading its buffer group by group.
#include "mouse/QmDi8Mouse.h"

#include "mouse/MouseRecordOffsets.h"
#include "server/Di8DeviceCreation.h"
#include "server/Di8RecordGroups.h"

namespace {

// DirectInput keeps this many records between two polls.
constexpr DWORD kBufferSize = 32;

}  // namespace

CQmDi8Mouse::CQmDi8Mouse() : m_nLastSequence(-1), m_aButtonPress{} {}

// Releases nothing: Destroy has closed the device.
CQmDi8Mouse::~CQmDi8Mouse() = default;

bool CQmDi8Mouse::Create(const GUID& instance)
{
    if (!OpenBufferedDevice(*this, m_oDevice, instance, &c_dfDIMouse2, kBufferSize))
        return false;
    m_oDevice.SetProperty(DIPROP_AXISMODE, DIPROPAXISMODE_REL);
    m_oDevice.Acquire();
    SetLeftHanded(GetSystemMetrics(SM_SWAPBUTTON) == 1);
    SetDoubleClickTime(static_cast<float>(::GetDoubleClickTime() / 1000.0));
    return true;
}

// The press records and the mouse settings stay for a later Create.
void CQmDi8Mouse::Destroy()
{
    if (m_oDevice.IsOpen())
        m_oDevice.Close();
}

void CQmDi8Mouse::Poll()
{
    ReadRecordGroups(m_oDevice, m_nLastSequence, *this, &CQmDi8Mouse::IsDataSequenceNewer,
                     &CQmDi8Mouse::ParseObjectData);
}

bool CQmDi8Mouse::IsDataSequenceNewer(const DIDEVICEOBJECTDATA* data) const
{
    return data && IsSequenceAfter(m_nLastSequence, data->dwSequence);
}

bool CQmDi8Mouse::IsMouseButtonEvent(const DIDEVICEOBJECTDATA* data) const
{
    return data && data->dwOfs >= kMouseOffsetButton0 && data->dwOfs <= kMouseOffsetButton7;
}

bool CQmDi8Mouse::DoesDeviceNeedPolling() const
{
    return true;
}

bool CQmDi8Mouse::DoesDeviceNeedTrigger() const
{
    return false;
}
