#pragma once
#include <wx/textctrl.h>

#include "grid/GridInPlaceEditor.h"
#include "grid/GridTypes.h"

class CGridCtrl;

/// The in-place edit of a grid cell: a text control over the cell that
/// reports its text to the grid when it loses the focus or a key ends it
/// (Tab, Enter, Esc, and the navigation keys unless a click started it),
/// then closes and destroys itself.
class CInPlaceEdit : public wxTextCtrl, public CGridInPlaceEditor
{
public:
    /// Opens over `rect` (grid client pixels, right and bottom the last pixel)
    /// and takes the keyboard focus; firstChar as CGridInPlaceEditor::StartFor takes it.
    CInPlaceEdit(CGridCtrl* grid, const SGridRect& rect, long style, wxWindowID id, int row, int col,
                 const wxString& initialText, unsigned firstChar);

    void EndEdit() override;
    void Cancel() override;
    void SendChar(unsigned ch) override;
    bool PasteClipboard() override;

    unsigned GetLastChar() const { return m_lastChar; }
    int GetRow() const { return m_row; }
    int GetColumn() const { return m_col; }

private:
    void HandleKeyDown(wxKeyEvent& event);
    void HandleKillFocus(wxFocusEvent& event);
    void HandleText(wxCommandEvent& event);
    /// Stores the key, hands the focus back to the grid and reports.
    void EndByKey(unsigned key, const wxKeyboardState& state);
    /// Hides the window and destroys it once its handlers have returned.
    void Close();

    CGridCtrl* m_grid;
    int m_row;
    int m_col;
    wxString m_initialText;
    unsigned m_lastChar = 0;
    bool m_exitOnArrows;
    bool m_ended = false;
    bool m_closing = false;

    /// One edit reports at a time: focus changes while reporting must not end it twice.
    static bool s_ending;
};
