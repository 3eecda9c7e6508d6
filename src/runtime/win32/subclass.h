#pragma once
// Our chain of window subclasses, with comctl32's rules: the newest procedure sees a message
// first and passes it on with DefSubclass, procedures come off in any order, and the window's
// own procedure ends the chain. Ours keeps the chain in the thread's memory and swaps the
// window procedure once, until the window goes: comctl32's chain keeps its state in a window
// property, which under Wine is a round trip to the server for every message and every step
// down the chain. A window someone else subclassed first gets ours as one entry of comctl32's
// chain instead. Subclass a window on the thread that owns it, as with comctl32.

#include <windows.h>

namespace tw::win {

using SubclassProcedure = LRESULT(CALLBACK*)(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR id, DWORD_PTR data);

// Adds the procedure on top of the window's chain; for a procedure and id already there, only
// its data changes. False for a window of another thread or one that has gone.
bool SetSubclass(HWND window, SubclassProcedure procedure, UINT_PTR id, DWORD_PTR data);
// Takes the procedure out of the chain, also while it runs.
bool RemoveSubclass(HWND window, SubclassProcedure procedure, UINT_PTR id);
// The data a procedure was added with; false when it is not in the window's chain.
bool GetSubclassData(HWND window, SubclassProcedure procedure, UINT_PTR id, DWORD_PTR* data);
// Passes the message to the next procedure down the chain, and at its end to the window's own.
LRESULT DefSubclass(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

} // namespace tw::win
