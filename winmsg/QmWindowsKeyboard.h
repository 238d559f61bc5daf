// The keyboard that reads the game window's key and character messages, and
// tells the input server when the window gains or loses the focus.
#pragma once

#include "host/KeyTypes.h"
#include "host/QmInputEvent.h"
#include "host/QmKeyboard.h"
#include "server/PlatformApi.h"
#include "server/QmClassTypeDecl.h"
#include "server/QmInputApi.h"
#include "winmsg/QmWindowHook.h"

class CQmWindowsKeyboard;
// The hook's members, statics included, are built and exported by the module.
extern template class QM_INPUT_API CQmWindowHook<CQmWindowsKeyboard, CQmKeyboard>;

class QM_INPUT_API CQmWindowsKeyboard : public CQmWindowHook<CQmWindowsKeyboard, CQmKeyboard> {
    QM_DECLARE_CLASS_TYPE()

public:
    CQmWindowsKeyboard();
    ~CQmWindowsKeyboard() override;

    bool Create() override;
    void Destroy() override;
    bool DoesDeviceNeedPolling() const override;
    bool DoesDeviceNeedTrigger() const override;

    // Hands a message to the procedure the class's hook replaced, in the
    // window's kind; 0 while the class has no hook.
    static LRESULT CALLBACK CallWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // One event each; lParam (repeat count, scan code) is not read.
    void NewKeyDownEvent(int virtualKey, long lParam);
    void NewKeyUpEvent(int virtualKey, long lParam);
    void NewKeyCharEvent(int character, long lParam);

protected:
    eKeyType TranslateWindowsInputKey(int virtualKey) const;

    // The class's procedure in the game window's chain.
    static LRESULT CALLBACK WindowProcNew(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    friend class CQmWindowHook<CQmWindowsKeyboard, CQmKeyboard>;
    // The procedure installed before the class's hook; null while it has none.
    static WNDPROC m_pWndProc;
    void HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void NewCharacterEvents(WPARAM character, long lParam);
    void NewKeyEvent(eInputEventType type, int key);
};
