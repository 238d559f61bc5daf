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

    // One event each; lParam (repeat count, scan code) is not read.
    void NewKeyDownEvent(int virtualKey, long lParam);
    void NewKeyUpEvent(int virtualKey, long lParam);
    void NewKeyCharEvent(int character, long lParam);

protected:
    eKeyType TranslateWindowsInputKey(int virtualKey) const;

private:
    friend class CQmWindowHook<CQmWindowsKeyboard, CQmKeyboard>;
    void HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void NewKeyEvent(eInputEventType type, int key);
};
