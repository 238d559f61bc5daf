// The module's own window procedures on windows' chains of procedures. Each
// hook saves the procedure it replaced and calls it for every message; knowing
// every hook of the module lets one hook leave a chain in any order without
// cutting out the procedures installed after it or bringing back a dead one.
//
// A hook that cannot leave (another program's procedure sits above it and keeps
// calling it) lingers as a pure pass-on with its own saved procedure, and leaves
// at the first message it sees on top of the chain again, or when its window is
// destroyed. While one lingers the module is pinned in memory, so that no window
// ever calls code that FreeLibrary took away.
#pragma once

#include "server/PlatformApi.h"

// Makes `hook` the window's procedure and saves the one it replaced in `next`
// (null when the platform refused, in which case nothing changed). Where `hook`
// still lingers in that window's chain it takes its place there up again.
void InstallWindowProc(HWND window, WNDPROC hook, WNDPROC& next);

// Takes `hook` out of its window's chain and clears `next`:
// - on top of the chain, the saved procedure becomes the window's procedure;
// - below another hook of the module, that hook calls the saved procedure now;
// - on a window that is gone, there is nothing left to do;
// - below a procedure of someone else, `hook` lingers.
// With nothing saved nothing happens: a null procedure is never installed.
void RemoveWindowProc(WNDPROC hook, WNDPROC& next);

// The last message of the window `hook` serves (WM_NCDESTROY) has passed: the
// window is gone, and with it the hook; clears `next`.
void ForgetHookedWindow(WNDPROC hook, WNDPROC& next);

// A message that reached `hook` on a window where it only lingers: passed on to
// the procedure it saved there, unchanged, with that procedure's result.
LRESULT PassOnLingering(WNDPROC hook, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
