// The module's own window procedures in windows' chains of procedures.
//
// Every class of window device owns a small fixed set of procedures, one per
// chain position (sHookLink), so that the class can go on top of a chain in
// which one of its procedures still sits further down: each position is a
// procedure of its own, with its own saved procedure, and the chain never holds
// the same procedure twice. A link serves its class's devices, lingers, or is
// free:
// - serving: it makes the events of the messages it sees and passes every
//   message on to the procedure it replaced, exactly once, unaltered;
// - lingering: its devices are gone but it could not leave (another program's
//   procedure sits above it and keeps calling it, or cut it out and may call it
//   again); it passes messages on, leaves at the first message it sees on top of
//   the chain, and is freed with its window. While one lingers the module is
//   pinned in memory, so that no window ever calls code that FreeLibrary took
//   away.
// A link keeps the kind of the window it was installed on: on a Unicode window
// it is installed, called through and removed with the W forms, so the window
// stays Unicode and its characters reach the game unconverted.
//
// These functions change links; they run on the window's thread (see
// WindowThreadCall.h) or where none of the module's procedures can be running.
#pragma once

#include "server/PlatformApi.h"

struct sHookLink {
    WNDPROC m_pHook;      // this position's procedure: a fixed identity
    HWND m_hWnd;          // the window whose chain it is in; null: free
    WNDPROC* m_pNext;     // where the procedure it passes messages to is kept
    WNDPROC m_pOwnNext;   // that place while it lingers
    bool m_bUnicode;      // installed, and passing on, with the W forms

    bool IsFree() const { return !m_hWnd; }
    bool IsLingering() const { return m_hWnd && m_pNext == &m_pOwnNext; }
};

// Makes a class's links known to the others' (idempotent): a link leaving a
// chain tells the module's procedure above it where to pass messages now.
void RegisterHookLinks(sHookLink* links, int count);

// A free link of the class, after freeing those that lingered on windows that
// are gone; null when every position still lingers somewhere.
sHookLink* TakeFreeLink(sHookLink* links, int count);

// Puts `link` on top of the window's chain, serving, with `next` as the place
// of its saved procedure. The saved procedure is known before the window can
// call the link. False, with the link free again, when the platform refuses.
bool InstallLink(sHookLink& link, HWND window, WNDPROC& next);

// Whether messages reach `link` from the top of its window's chain through the
// module's own procedures alone (another program's procedure in between may or
// may not pass them on).
bool IsReachableFromTop(const sHookLink& link);

// Takes the serving `link` out of its chain, or makes it linger where it
// cannot leave; either way its class's saved procedure is cleared.
void RemoveLink(sHookLink& link);

// Makes the serving `link` linger where it is, passing messages on.
void LingerLink(sHookLink& link);

// The link's window is gone (its last message has passed): the link is free.
void FreeLink(sHookLink& link);

// Hands a message to the link's saved procedure, in the link's kind.
LRESULT PassOn(const sHookLink& link, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A message that reached a link serving no device: passed on where it lingers
// (which it may leave now), 0 for a window it is not in.
LRESULT PassOnLingering(sHookLink& link, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
