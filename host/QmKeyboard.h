// The framework's keyboard base: key repeat delay and interval in seconds.
#pragma once

#include "QmInputDevice.h"

class QM_HOST_API CQmKeyboard : public CQmInputDevice {
public:
    static CQmClassType _s_oType;
    static const CQmClassType& GetClassType() { return _s_oType; }

    CQmKeyboard();
    const CQmClassType& GetType() const override;
    bool IsOfType(const CQmClassType& type) const override;
    ~CQmKeyboard() override;

    // Time from a press to its first repeat.
    virtual float GetKeyRepeatDelay() const;
    virtual void SetKeyRepeatDelay(float seconds);
    // Time between two repeats.
    virtual float GetKeyRepeatSpeed() const;
    virtual void SetKeyRepeatSpeed(float seconds);

private:
    float m_fKeyRepeatDelay;
    float m_fKeyRepeatSpeed;
};
