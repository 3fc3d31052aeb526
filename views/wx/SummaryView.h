#pragma once
#include <functional>
#include <string>

#include <wx/cursor.h>
#include <wx/scrolwin.h>

#include "views/SummaryPage.h"

class CTerrionDoc;
class OwMenu;

/// The scrolling window of the summary page. It paints the whole page off
/// screen once per paint (only what the paint exposes reaches the screen),
/// shows a hand over the clickable texts, switches the diagram's order and
/// edits the summary comment on a click, offers the context menu on a right
/// click and prints the page on one sheet. What it shows and where comes
/// from CSummaryPage; the window only draws and hit-tests.
class CSummaryView : public wxScrolledWindow
{
public:
    /// The control id of the view in its page.
    static constexpr int kControlId = 666;

    CSummaryView(wxWindow* parent, CTerrionDoc& doc);

    CSummaryPage& GetPage() { return m_page; }
    /// The page's position of a point of the window (its scroll position added).
    SGridPoint ToPage(const wxPoint& client) const;
    /// Lays the page out now, as a paint would, without drawing; the scroll
    /// size follows the page.
    void UpdateLayout();
    /// Paints the part `box` (client coordinates) of the window at its
    /// scroll position into `dc`, as a paint does: off screen, then at once.
    void Render(wxDC& dc, const wxRect& box);
    /// Render of the whole client area (screenshots, benchmarks).
    void RenderClient(wxDC& dc) { Render(dc, wxRect(GetClientSize())); }

    /// Asks for the printer and prints the page on one sheet, scaled to the
    /// paper's width; false when the summary is empty or nothing was printed.
    bool PrintSummary();

    /// Edits `text` as the summary comment; true when the user confirmed it.
    using TCommentEditor = std::function<bool(wxWindow* parent, std::wstring& text)>;
    /// Puts an editor in place of the built-in one (null: the built-in one again).
    static void SetCommentEditor(TCommentEditor editor);
    /// Answers the context menu in place of the user while set (tests):
    /// called with the menu as it would open, returns the chosen command.
    using TMenuHook = std::function<unsigned(const OwMenu& menu)>;
    static void SetMenuTestHook(TMenuHook hook);

private:
    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnLeave(wxMouseEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnRightDown(wxMouseEvent& event);
    /// Shows the hand over a link and repaints when the hovered link changed.
    void Hover(int link);
    /// The scroll size follows the page's extent (after the paint, not inside it).
    void FollowExtent();
    bool EditComment(std::wstring& text);
    unsigned TrackMenu(OwMenu& menu, const wxPoint& client);

    CTerrionDoc& m_doc;
    CSummaryPage m_page;
    wxCursor m_hand;
};
