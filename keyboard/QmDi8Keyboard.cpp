// The DirectInput keyboard: opening the device, reading its buffer group by
// group, and handing each record to the key steps.
#include "keyboard/QmDi8Keyboard.h"

#include "keyboard/KeyRepeatSettings.h"
#include "keyboard/KeyTranslation.h"
#include "server/Di8DeviceCreation.h"
#include "server/Di8PressRecord.h"
#include "server/Di8RecordGroups.h"

namespace {

// DirectInput keeps this many records between two polls.
constexpr DWORD kBufferSize = 256;

}  // namespace

CQmDi8Keyboard::CQmDi8Keyboard() : m_nLastSequence(-1) {}

// Releases nothing: Destroy has closed the device.
CQmDi8Keyboard::~CQmDi8Keyboard() = default;

bool CQmDi8Keyboard::Create(const GUID& instance)
{
    if (!OpenBufferedDevice(*this, m_oDevice, instance, &c_dfDIKeyboard, kBufferSize))
        return false;
    m_oDevice.Acquire();
    SetKeyRepeatDelay(KeyRepeatDelayFromSystem());
    SetKeyRepeatSpeed(KeyRepeatIntervalFromSystem());
    return true;
}

void CQmDi8Keyboard::Destroy()
{
    if (m_oDevice.IsOpen())
        m_oDevice.Close();
}

// Forgets the held keys without key-up events.
void CQmDi8Keyboard::Reset()
{
    ReleaseAllPressedKeys();
}

void CQmDi8Keyboard::Poll()
{
    if (!m_oDevice.IsOpen())
        return;
    ReadRecordGroups(m_oDevice, m_nLastSequence, *this, &CQmDi8Keyboard::IsDataSequenceNewer,
                     &CQmDi8Keyboard::ParseObjectData);
    ProcessKeyRepeats();
}

void CQmDi8Keyboard::ParseObjectData()
{
    const DIDEVICEOBJECTDATA* record = m_oDevice.ReadNext();
    if (!record)  // GCOVR_EXCL_LINE: entered with a record pushed back, never without
        return;   // GCOVR_EXCL_LINE
    m_oDevice.PushBack();
    if (IsPressRecord(*record))
        NewKeyDownEvent();
    else
        NewKeyUpEvent();
}

bool CQmDi8Keyboard::IsDataSequenceNewer(const DIDEVICEOBJECTDATA* data) const
{
    return data && IsSequenceAfter(m_nLastSequence, data->dwSequence);
}

eKeyType CQmDi8Keyboard::TranslateDirectInputKey(unsigned long scanCode) const
{
    return ::TranslateDirectInputKey(scanCode);
}

int CQmDi8Keyboard::TranslateKeyToChar(eKeyType key) const
{
    return ::TranslateKeyToChar(key);
}

bool CQmDi8Keyboard::DoesDeviceNeedPolling() const
{
    return true;
}

bool CQmDi8Keyboard::DoesDeviceNeedTrigger() const
{
    return false;
}
