#pragma once
// A small modeless window with a progress bar (0 to 1000) and one line of
// text, shown while a long operation runs on the user-interface thread. The
// message loop does not run meanwhile, so every change redraws at once.

#include <wx/dialog.h>

class wxGauge;
class wxStaticText;

class CProgressDlg : public wxDialog
{
public:
    /// Created hidden; the caller shows and hides it.
    explicit CProgressDlg(wxWindow* parent);

    /// Moves the bar to position (0 to 1000).
    void SetPos(int position);
    /// Replaces the text line; an equal text changes nothing.
    void SetText(const wxString& text);

    int GetPos() const;
    wxString GetText() const { return m_text; }
    /// How often the bar was set, for the redraw rules (1000 sets it twice).
    int BarSets() const { return m_barSets; }

private:
    void SetBar(int value);

    wxGauge* m_gauge = nullptr;
    wxStaticText* m_label = nullptr;
    int m_lastPos = -1;
    wxString m_text;
    int m_barSets = 0;
};
