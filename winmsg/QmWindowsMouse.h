// The mouse that reads the game window's client-area mouse messages: moves,
// buttons, the platform's double clicks and the wheel.
#pragma once

#include "host/KeyTypes.h"
#include "host/QmInputEvent.h"
#include "host/QmMouse.h"
#include "server/PlatformApi.h"
#include "server/QmClassTypeDecl.h"
#include "server/QmInputApi.h"
#include "winmsg/QmWindowHook.h"

class CQmWindowsMouse;
// The hook's members, statics included, are built and exported by the module.
extern template class QM_INPUT_API CQmWindowHook<CQmWindowsMouse, CQmMouse>;

// Positions reach the framework only inside the events: the framework mouse's
// own position, handedness and double-click time are left alone.
class QM_INPUT_API CQmWindowsMouse : public CQmWindowHook<CQmWindowsMouse, CQmMouse> {
    QM_DECLARE_CLASS_TYPE()

public:
    CQmWindowsMouse();
    ~CQmWindowsMouse() override;

    bool Create() override;
    void Destroy() override;
    bool DoesDeviceNeedPolling() const override;
    bool DoesDeviceNeedTrigger() const override;

    // Hands a message to the procedure the class's hook replaced, in the
    // window's kind; 0 while the class has no hook.
    static LRESULT CALLBACK CallWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // One event each, with the values as given.
    void NewMouseMoveEvent(long x, long y, int stateMask);
    void NewMouseButtonEvent(eInputEventType type, eKeyType button, long x, long y);
    void NewMouseWheelEvent(long x, long y, long delta);

protected:
    // The class's procedure in the game window's chain.
    static LRESULT CALLBACK WindowProcNew(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    friend class CQmWindowHook<CQmWindowsMouse, CQmMouse>;
    // The procedure installed before the class's hook; null while it has none.
    static WNDPROC m_pWndProc;
    void HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam);
};
