// The module's own window procedures on a window's chain of procedures. Each
// hook saves the procedure it replaced and calls it for every message; knowing
// every hook of the module lets one hook leave the chain in any order without
// cutting out the hooks installed after it or bringing back a dead one.
#pragma once

#include "server/PlatformApi.h"

// Makes `hook` the window's procedure and saves the one it replaced in `next`
// (null when the platform refused, in which case nothing changed).
void InstallWindowProc(HWND window, WNDPROC hook, WNDPROC& next);

// Takes `hook` out of its window's chain and clears `next`:
// - on top of the chain, the saved procedure becomes the window's procedure;
// - below another hook of the module, that hook calls the saved procedure now;
// - below a procedure of someone else, which would keep calling `hook`, it
//   stays in the chain with `next` kept, passing messages on.
// With nothing saved nothing happens: a null procedure is never installed.
void RemoveWindowProc(WNDPROC hook, WNDPROC& next);

// The window whose chain holds `hook`, or null.
HWND WindowHookedBy(WNDPROC hook);
