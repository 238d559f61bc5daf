// Key-code translations shared by the keyboards: pure table lookups.
#pragma once

#include "host/KeyTypes.h"
#include "server/QmInputApi.h"

// A DirectInput scan code (DIK_*) to its key code; KEY_NONE when it has none.
QM_INPUT_API eKeyType TranslateDirectInputKey(unsigned long scanCode);
// A key code to the character a key-character event carries; 0 when it has none.
QM_INPUT_API int TranslateKeyToChar(eKeyType key);
// A Windows virtual-key code to its key code; KEY_NONE when it has none.
QM_INPUT_API eKeyType TranslateWindowsVirtualKey(int virtualKey);
