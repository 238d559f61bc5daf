// The module's own window procedures in windows' chains of procedures.
//
// A class of window devices hooks a window with a link: an identity in the
// window's chain (a procedure address) and the procedure it passes messages
// to. The first link of a class on a window is the class's WindowProcNew; a
// later one on the same window gets a thunk of its own (ProcThunk.h). Another
// program that subclassed above a link keeps the link's address and may call
// it, or put it back as the window's procedure, at any later time, so an
// identity is never handed out again while its window lives: a link stays with
// its window until the window's last message (or until it is found gone).
//
// A link serves its class's devices, or stands aside:
// - serving: it makes the events of the messages it sees and passes every
//   message on to the procedure it replaced (the class's saved procedure),
//   exactly once, unaltered;
// - aside: its devices are gone, or a newer link serves them. It passes every
//   message on to the procedure it last replaced, and steps out of the chain
//   whenever it can (it is on top, or another of the module's links calls it).
//   One that could not step out when it stopped serving pins the module in
//   memory, so that no window ever calls code that FreeLibrary took away.
// A link keeps the kind of the window it was installed on: on a Unicode window
// it is installed, called through and removed with the W forms, so the window
// stays Unicode and its characters reach the game unconverted.
//
// These functions change links; they run on the window's thread (see
// WindowThreadCall.h) or where none of the module's procedures can be running.
#pragma once

#include "server/PlatformApi.h"
#include "winmsg/ProcThunk.h"

struct sHookLink {
    WNDPROC m_pHook;          // its identity: the class's WindowProcNew or a thunk
    HWND m_hWnd;              // the window it was installed on
    WNDPROC* m_pNext;         // where the procedure it passes to is kept
    WNDPROC m_pOwnNext;       // that place while it stands aside
    bool m_bUnicode;          // installed, and passing on, with the W forms
    sHookLink* m_pNextLink;   // the class's next link
};

// One class's links. The class's statics hold it; nothing here is allocated
// until a link is made.
struct sHookClass {
    WNDPROC m_pFirstProc;      // the class's WindowProcNew
    ThunkTarget m_pThunkTarget;
    WNDPROC* m_pSavedProc;     // the class's m_pWndProc: the serving link's next
    sHookLink* m_pLinks;       // every link the class keeps, newest first
    sHookLink* m_pServing;     // the link serving the class's devices, or null
};

// Makes the class known to the others' links (idempotent): a link stepping out
// of a chain tells the module's link above it where to pass messages now.
void RegisterHookClass(sHookClass& hookClass);

// A new link of the class for `window`, not installed yet: the class's
// WindowProcNew when the class keeps no link on that window, a thunk
// otherwise. Links whose windows are gone are deleted first. Null when no
// thunk can be made.
sHookLink* NewLink(sHookClass& hookClass, HWND window);

// Puts the link on top of its window's chain, standing aside; false when the
// platform refuses (the link is then in no chain).
bool InstallLink(sHookLink& link);

// The link serves the class's devices: its next procedure becomes the class's
// saved procedure.
void Serve(sHookClass& hookClass, sHookLink& link);

// The serving link stops serving and stands aside where it is.
void StandAside(sHookClass& hookClass);

// Whether messages reach `link` from the top of its window's chain through the
// module's own procedures alone.
bool IsReachableFromTop(const sHookLink& link);

// The link is gone from the class; its identity may be handed out again.
void DeleteLink(sHookClass& hookClass, sHookLink& link);

// Deletes every link of every class (the module is being unloaded).
void DeleteAllLinks();

// The class's link whose identity is `procedure` on `window`, or null.
sHookLink* FindLink(const sHookClass& hookClass, WNDPROC procedure, HWND window);

// Hands a message to the link's next procedure, in the link's kind.
LRESULT PassOn(const sHookLink& link, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A message that reached a link standing aside: passed on (the link steps out
// first where it can); the link is deleted after its window's last message. 0
// for a window the link was never installed on.
LRESULT PassOnAside(sHookClass& hookClass, sHookLink& link, HWND window, UINT message, WPARAM wParam,
                    LPARAM lParam);
