// Keeps the module loaded for the rest of the process, whatever FreeLibrary
// calls follow: for code of ours that another program or thread may still call
// at any later time (a hook left in a window's chain, a thread message hook
// that stays until its thread pumps again). Thunks live outside the module's
// image, so the module is found by an address of its own, never by theirs.
#pragma once

void PinThisModule();
