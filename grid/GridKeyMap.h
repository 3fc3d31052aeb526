#pragma once
#include <wx/event.h>

/// Turns wx key events into the grid's key numbers (NGridKey, the Windows
/// virtual-key numbers) and held keys (NGridModifier) at the window boundary.
class CGridKeyMap
{
public:
    /// The key number of a wx key code; 0 for keys the grid has no number for.
    static unsigned ToGridKey(int wxKeyCode);
    /// The grid's key number of a key-down event.
    static unsigned ToGridKey(const wxKeyEvent& event) { return ToGridKey(event.GetKeyCode()); }
    /// The held Shift, Ctrl and Alt keys.
    static unsigned Modifiers(const wxKeyboardState& state);
    /// Whether a character typed with these held keys belongs to the frame's
    /// menus (their mnemonics): Alt without Ctrl. GTK's AltGr is not Alt, and
    /// Ctrl+Alt stands for AltGr on Windows; those characters type.
    static bool IsMenuChar(const wxKeyboardState& state)
    {
        return state.AltDown() && !state.RawControlDown();
    }
    /// The character of a char event as the grid takes it, or 0 when the
    /// event carries none (function and navigation keys, Delete, other controls).
    static unsigned ToGridChar(const wxKeyEvent& event);
};
