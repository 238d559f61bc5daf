// The framework's mouse base: position, handedness and double-click time.
#pragma once

#include "QmInputDevice.h"

class QM_HOST_API CQmMouse : public CQmInputDevice {
public:
    static CQmClassType _s_oType;
    static const CQmClassType& GetClassType() { return _s_oType; }

    // Position (0, 0), right-handed.
    CQmMouse();
    const CQmClassType& GetType() const override;
    bool IsOfType(const CQmClassType& type) const override;
    ~CQmMouse() override;

    virtual bool IsLeftHanded() const;
    virtual bool IsRightHanded() const;
    virtual int GetXPos() const;
    virtual void SetXPos(int x);
    virtual int GetYPos() const;
    virtual void SetYPos(int y);
    virtual float GetDoubleClickTime() const;
    virtual void SetDoubleClickTime(float seconds);
    virtual void SetLeftHanded(bool leftHanded);

    // Moves the position by a relative amount; the position is not limited.
    void UpdateMousePosition(int dx, int dy);

private:
    int m_nXPos;
    int m_nYPos;
    float m_fDoubleClickTime;
    bool m_bLeftHanded;
};
