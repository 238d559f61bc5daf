// Window procedures made at run time: each thunk is a procedure of its own (an
// address no other procedure has) that calls one function of the module with a
// context pointer in front of the window procedure's four arguments. A window
// library gives each of its windows an identity this way; the hook gives each
// installation after a window's first one its own.
#pragma once

#include "server/PlatformApi.h"

using ThunkTarget = LRESULT(CALLBACK*)(void* context, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A new procedure that calls `target(context, ...)`; null when no memory for
// code can be had.
WNDPROC MakeProcThunk(ThunkTarget target, void* context);

// The thunk may be handed out again. Its code must not be running any more
// beyond its jump into the target (which it never returns through).
void FreeProcThunk(WNDPROC thunk);

// Gives every page of thunks back; only when none of them can be called any
// more (the module is being unloaded).
void ReleaseProcThunks();
