#pragma once
// The maker's logo at the right end of the toolbar: a bitmap button with a
// hand cursor and a tool tip. A click asks the main window to open the
// maker's home page; leaving it empties the status bar's message pane.

#include <wx/bitmap.h>
#include <wx/control.h>

class CLogo : public wxControl
{
public:
    explicit CLogo(wxWindow* parent);

    /// The tool tip and status text of the current language.
    void UpdateTexts();
    /// The tool tip: the part of the logo's text after its "\n".
    static wxString ToolTipText();

protected:
    wxSize DoGetBestSize() const override;

private:
    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnEnter(wxMouseEvent& event);
    void OnLeave(wxMouseEvent& event);

    wxBitmap m_normal;
    wxBitmap m_pressed;
    bool m_down = false;
};
