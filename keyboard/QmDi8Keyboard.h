// The buffered DirectInput keyboard with its own auto-repeat and characters.
#pragma once

#include <vector>

#include "host/KeyTypes.h"
#include "host/QmKeyboard.h"
#include "server/QmClassTypeDecl.h"
#include "server/QmDi8Device.h"
#include "server/QmInputApi.h"

// One held key.
struct sPressedKey {
    double m_fPressTime;
    double m_fLastRepeatTime;
    eKeyType m_eKey;
};

class QM_INPUT_API CQmDi8Keyboard : public CQmKeyboard {
    QM_DECLARE_CLASS_TYPE()

public:
    CQmDi8Keyboard();
    ~CQmDi8Keyboard() override;

    void Destroy() override;
    void Reset() override;
    void Poll() override;
    bool DoesDeviceNeedPolling() const override;
    bool DoesDeviceNeedTrigger() const override;

    using CQmInputDevice::Create;
    virtual bool Create(const GUID& instance);

    static void OutputDebugData(eCallbackType type, const DIDEVICEOBJECTDATA* data);

    // The keys held now, for tests and diagnostics.
    const std::vector<sPressedKey>& GetPressedKeys() const { return m_oPressedKeys; }

private:
    eKeyType TranslateDirectInputKey(unsigned long scanCode) const;
    int TranslateKeyToChar(eKeyType key) const;
    void ParseObjectData();
    bool IsDataSequenceNewer(const DIDEVICEOBJECTDATA* data) const;
    void NewKeyDownEvent();
    void NewKeyCharEvent();
    void NewKeyUpEvent();
    void KeyPressed(eKeyType key, double time);
    void KeyReleased(eKeyType key);
    void ReleaseAllPressedKeys();
    void ProcessKeyRepeats();

    int m_nLastSequence;
    CQmDi8Device m_oDevice;
    std::vector<sPressedKey> m_oPressedKeys;
};
