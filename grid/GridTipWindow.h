#pragma once
#include <vector>

#include <wx/bitmap.h>
#include <wx/popupwin.h>
#include <wx/timer.h>

/// The balloon tip of the grid's hot spots: a popup of our own, since a
/// native tool tip can be neither hidden nor replaced on demand. It holds at
/// most one tool, a rectangle of the owner with a title and a text; the tip
/// shows once the pointer has rested in the rectangle for the initial delay,
/// hides itself after the auto-pop time and whenever the pointer leaves the
/// rectangle.
class CGridTipWindow : public wxPopupWindow
{
public:
    explicit CGridTipWindow(wxWindow* owner);
    ~CGridTipWindow() override;

    /// Puts the tool over `rect` (the owner's client coordinates), replacing any other.
    void SetTool(const wxRect& rect, const wxString& title, const wxString& text);
    void RemoveTool();
    bool HasTool() const { return m_hasTool; }
    /// Hides the tip and cancels a pending one; the tool stays.
    void Pop();
    /// Every pointer move over the owner passes through here first.
    void RelayMouseMove(const wxPoint& point);

    bool IsTipShown() const { return IsShown(); }
    const wxString& GetTitle() const { return m_title; }
    const wxString& GetText() const { return m_text; }
    /// Draws the tip's face at (0, 0) in its current size (painting and screenshots).
    void PaintFace(wxDC& dc);

private:
    void ShowTip();
    /// Wraps the text to the widest tip and sizes the window to it.
    void Measure();
    void HandlePaint(wxPaintEvent& event);

    wxWindow* m_owner;
    wxRect m_rect;
    wxString m_title;
    wxString m_text;
    bool m_hasTool = false;
    /// The tip hid by its own time: it returns only after the pointer leaves the tool.
    bool m_autoPopped = false;
    wxPoint m_pointer{-1, -1};
    std::vector<wxString> m_lines;
    wxBitmap m_icon;
    wxTimer m_initialTimer;
    wxTimer m_autoPopTimer;
};
