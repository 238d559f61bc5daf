#include "winmsg/QmWindowsKeyboard.h"

#include "host/QmInputServer.h"
#include "keyboard/KeyTranslation.h"
#include "server/NewInputEvent.h"
#include "winmsg/AnsiCharacters.h"

// Exported as declared in the header.
template class CQmWindowHook<CQmWindowsKeyboard, CQmKeyboard>;

QM_DEFINE_WINDOW_HOOK_MEMBERS(CQmWindowsKeyboard)

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

// The event carries what an ANSI procedure would receive: on a Unicode window,
// the character's bytes in the ANSI code page, one event each.
void CQmWindowsKeyboard::NewCharacterEvents(WPARAM character, long lParam)
{
    if (!IsServingUnicode()) {
        NewKeyCharEvent(static_cast<int>(character), lParam);
        return;
    }
    const sAnsiCharacters ansi = ToAnsiCharacters(character);
    for (int index = 0; index < ansi.m_nCount; ++index)
        NewKeyCharEvent(ansi.m_aBytes[index], lParam);
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
        NewCharacterEvents(wParam, data);
        break;
    default:
        break;
    }
}
