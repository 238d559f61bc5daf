#include "winmsg/QmWindowsKeyboard.h"

#include "host/QmInputServer.h"
#include "keyboard/KeyTranslation.h"
#include "server/NewInputEvent.h"

// Exported as declared in the header.
template class CQmWindowHook<CQmWindowsKeyboard, CQmKeyboard>;

CQmWindowsKeyboard::CQmWindowsKeyboard() = default;

CQmWindowsKeyboard::~CQmWindowsKeyboard() = default;

void CQmWindowsKeyboard::NewKeyDownEvent(int virtualKey, long /*lParam*/)
{
    NewKeyEvent(INPUT_EVENT_KEY_DOWN, TranslateWindowsInputKey(virtualKey));
}

void CQmWindowsKeyboard::NewKeyUpEvent(int virtualKey, long /*lParam*/)
{
    NewKeyEvent(INPUT_EVENT_KEY_UP, TranslateWindowsInputKey(virtualKey));
}

// The character as the platform translated it for layout, Shift and Caps Lock.
void CQmWindowsKeyboard::NewKeyCharEvent(int character, long /*lParam*/)
{
    NewKeyEvent(INPUT_EVENT_KEY_CHAR, character);
}

eKeyType CQmWindowsKeyboard::TranslateWindowsInputKey(int virtualKey) const
{
    return TranslateWindowsVirtualKey(virtualKey);
}

void CQmWindowsKeyboard::NewKeyEvent(eInputEventType type, int key)
{
    NewInputEvent(*this, type, [key](CQmInputEvent& event) { event.m_nKey = key; });
}

// Focus messages go to whichever server is current at the time; without one
// they only pass on.
void CQmWindowsKeyboard::HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const int code = static_cast<int>(wParam);
    const long data = static_cast<long>(lParam);
    switch (message) {
    case WM_SETFOCUS:
        if (CQmInputServer* server = QmGetInputServer())
            server->ObtainFocus();
        break;
    case WM_KILLFOCUS:
        if (CQmInputServer* server = QmGetInputServer())
            server->LoseFocus();
        break;
    case WM_KEYDOWN:
        NewKeyDownEvent(code, data);
        break;
    case WM_KEYUP:
        NewKeyUpEvent(code, data);
        break;
    case WM_CHAR:
        NewKeyCharEvent(code, data);
        break;
    default:
        break;
    }
}
