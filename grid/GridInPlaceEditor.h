#pragma once

/// An open in-place edit as the grid core sees it. The window layer makes
/// one through CGridHost::HostCreateInPlaceEdit; it reports its text back
/// through CGridCore::OnEndInPlaceEdit and then goes away by itself.
class CGridInPlaceEditor
{
public:
    /// How an edit begins for its first character.
    struct SStart
    {
        bool selectAll = false; ///< otherwise the caret goes after the last character
        unsigned typedChar = 0; ///< typed into the edit after that (0: none)
    };

    /// Caret, selection and typed character for `firstChar`, an NGridKey
    /// number or a character marked with kGridTypedChar.
    static SStart StartFor(unsigned firstChar);

    /// Reports the text (and the key that ended the edit) to the grid and closes.
    virtual void EndEdit() = 0;
    /// Closes without reporting anything (the cell is going away).
    virtual void Cancel() = 0;
    /// Types a character into the open edit.
    virtual void SendChar(unsigned ch) = 0;
    /// Pastes the clipboard into the edit; false when the edit cannot (it is no text edit).
    virtual bool PasteClipboard() { return false; }

protected:
    ~CGridInPlaceEditor() = default;
};
