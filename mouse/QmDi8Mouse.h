// The buffered DirectInput mouse: moves grouped by sequence number, its own
// double-click rule, wheel events.
#pragma once

#include "host/KeyTypes.h"
#include "host/QmInputEvent.h"
#include "host/QmMouse.h"
#include "server/QmClassTypeDecl.h"
#include "server/QmDi8Device.h"
#include "server/QmInputApi.h"

// The last press of one physical button.
struct sButtonPress {
    double m_fPressTime;
    int m_nPressX;
    int m_nPressY;
};

class QM_INPUT_API CQmDi8Mouse : public CQmMouse {
    QM_DECLARE_CLASS_TYPE()

public:
    // Left, right and middle: the physical buttons with keys of their own and
    // press records for double clicks.
    static constexpr int kMainButtons = 3;

    CQmDi8Mouse();
    ~CQmDi8Mouse() override;

    void Destroy() override;
    void Poll() override;
    bool DoesDeviceNeedPolling() const override;
    bool DoesDeviceNeedTrigger() const override;

    using CQmInputDevice::Create;
    virtual bool Create(const GUID& instance);

    static void OutputDebugData(eCallbackType type, const DIDEVICEOBJECTDATA* data);

private:
    void ParseObjectData();
    void ParseXMouseEvent();
    void ParseYMouseEvent();
    void ParseMouseWheelEvent();
    void ParseMouseButtonEvent();
    bool IsDataSequenceNewer(const DIDEVICEOBJECTDATA* data) const;
    bool IsMouseButtonEvent(const DIDEVICEOBJECTDATA* data) const;
    void CreateMouseMoveEventOnDemand();
    void NewMouseMoveEvent();
    void NewMouseButtonEvent();
    void NewMouseWheelEvent();
    // Down or double click for a press of physical button `button` at `now`;
    // updates that button's press record.
    eInputEventType ButtonPressType(int button, double now);

    int m_nLastSequence;
    CQmDi8Device m_oDevice;
    sButtonPress m_aButtonPress[kMainButtons];
};
