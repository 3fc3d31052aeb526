#include "views/wx/SummaryView.h"

#include <wx/dcclient.h>
#include <wx/print.h>
#include <wx/printdlg.h>
#include <wx/settings.h>
#include <wx/weakref.h>

#include "data/TerrionDoc.h"
#include "drawing/wx/MemDCExt.h"
#include "grid/GridDcSurface.h"
#include "menus/OwMenu.h"
#include "menus/wx/OwMenuPopup.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "views/SummaryMenu.h"
#include "views/wx/CommentDlg.h"
#include "views/wx/SummaryPrintout.h"

namespace
{

CSummaryView::TCommentEditor& CommentEditor()
{
    static CSummaryView::TCommentEditor editor;
    return editor;
}

CSummaryView::TMenuHook& SummaryMenuHook()
{
    static CSummaryView::TMenuHook hook;
    return hook;
}

/// The desktop's message font with its height in pixels, which the page's fonts are made from.
SGridFont MessageFont()
{
    const wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    int height = font.GetPixelSize().GetHeight();
    if (height <= 0)
        height = 13;
    return SGridFont{std::wstring(), height};
}

} // namespace

CSummaryView::CSummaryView(wxWindow* parent, CTerrionDoc& doc)
    : wxScrolledWindow(parent, kControlId, wxDefaultPosition, wxSize(500, 500),
                       wxBORDER_SIMPLE | wxHSCROLL | wxVSCROLL, L"CSummaryView"),
      m_doc(doc), m_page(doc), m_hand(wxCURSOR_HAND)
{
    m_page.SetMessageFont(MessageFont());
    // The paint covers every pixel it exposes: no erasing first.
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetBackgroundColour(*wxWHITE);
    SetScrollRate(10, 10);
    SetVirtualSize(1000, 1000);
    Bind(wxEVT_PAINT, &CSummaryView::OnPaint, this);
    Bind(wxEVT_SIZE, &CSummaryView::OnSize, this);
    Bind(wxEVT_MOTION, &CSummaryView::OnMotion, this);
    Bind(wxEVT_LEAVE_WINDOW, &CSummaryView::OnLeave, this);
    // GTK makes a second click in the same place soon after the first a
    // double click: here it is one more click.
    Bind(wxEVT_LEFT_DOWN, &CSummaryView::OnLeftDown, this);
    Bind(wxEVT_LEFT_DCLICK, &CSummaryView::OnLeftDown, this);
    Bind(wxEVT_RIGHT_DOWN, &CSummaryView::OnRightDown, this);
    Bind(wxEVT_RIGHT_DCLICK, &CSummaryView::OnRightDown, this);
}

void CSummaryView::SetCommentEditor(TCommentEditor editor)
{
    CommentEditor() = std::move(editor);
}

void CSummaryView::SetMenuTestHook(TMenuHook hook)
{
    SummaryMenuHook() = std::move(hook);
}

SGridPoint CSummaryView::ToPage(const wxPoint& client) const
{
    const wxPoint page = CalcUnscrolledPosition(client);
    return SGridPoint{page.x, page.y};
}

void CSummaryView::Render(wxDC& dc, const wxRect& box)
{
    DoPrepareDC(dc);
    const wxRect area(CalcUnscrolledPosition(box.GetTopLeft()), box.GetSize());
    if (area.IsEmpty())
        return;
    dc.SetBackground(wxBrush(GetBackgroundColour()));
    CMemDCExt offScreen(dc, &area);
    CGridDcSurface surface(offScreen.GetDC(),
                           SGridRect{area.x, area.y, area.x + area.width, area.y + area.height});
    m_page.Paint(surface, GetClientSize().GetWidth());
}

void CSummaryView::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    wxRect box = GetUpdateRegion().GetBox();
    if (box.IsEmpty())
        box = wxRect(GetClientSize());
    Render(dc, box);
    FollowExtent();
}

void CSummaryView::UpdateLayout()
{
    std::unique_ptr<CGridDcSurface> measuring = CGridDcSurface::ForMeasuring();
    if (measuring)
        m_page.Update(*measuring, GetClientSize().GetWidth());
    FollowExtent();
}

void CSummaryView::FollowExtent()
{
    const SGridSize extent = m_page.GetExtent();
    if (GetVirtualSize() == wxSize(extent.cx, extent.cy))
        return;
    // Scroll bars that come or go resize the window: not from inside its paint.
    CallAfter(
        [this, extent]
        {
            if (GetVirtualSize() != wxSize(extent.cx, extent.cy))
                SetVirtualSize(extent.cx, extent.cy);
        });
}

void CSummaryView::OnSize(wxSizeEvent& event)
{
    // The page's width follows the window's: all of it is laid out again.
    Refresh(false);
    event.Skip();
}

void CSummaryView::Hover(int link)
{
    SetCursor(link != CSummaryPage::LinkNone ? m_hand : wxNullCursor);
    if (m_page.SetHovered(link))
        Refresh(false);
}

void CSummaryView::OnMotion(wxMouseEvent& event)
{
    Hover(m_page.HitLink(ToPage(event.GetPosition())));
    event.Skip();
}

void CSummaryView::OnLeave(wxMouseEvent& event)
{
    Hover(CSummaryPage::LinkNone);
    event.Skip();
}

void CSummaryView::OnLeftDown(wxMouseEvent& event)
{
    event.Skip();
    if (m_doc.GetSummaryCount() == 0)
        return;
    const int link = m_page.HitLink(ToPage(event.GetPosition()));
    if (link == CSummaryPage::LinkOrder)
    {
        m_page.CycleOrder();
    }
    else if (link == CSummaryPage::LinkComment)
    {
        std::wstring text = m_doc.GetSummaryComment();
        if (EditComment(text))
            m_doc.SetSummaryComment(text);
    }
    else
    {
        return;
    }
    m_page.SetHovered(CSummaryPage::LinkNone);
    SetCursor(wxNullCursor);
    Refresh(false);
}

void CSummaryView::OnRightDown(wxMouseEvent& event)
{
    int index = -1;
    std::wstring label;
    if (!m_page.HitBar(ToPage(event.GetPosition()), &index, &label))
    {
        index = -1;
        label.clear();
    }
    OwMenu menu;
    CSummaryMenu::Build(menu, label);
    const wxWeakRef<wxWindow> alive(this);
    const unsigned choice = TrackMenu(menu, event.GetPosition());
    if (!alive)
        return; // closed while the menu was open
    CSummaryMenu::Apply(m_doc, choice, index);
    Refresh(false);
}

unsigned CSummaryView::TrackMenu(OwMenu& menu, const wxPoint& client)
{
    if (SummaryMenuHook())
        return SummaryMenuHook()(menu);
    return OwMenuPopup::Track(menu, this, ClientToScreen(client), NOwMenuAlign::Center);
}

bool CSummaryView::EditComment(std::wstring& text)
{
    if (CommentEditor())
        return CommentEditor()(this, text);
    CCommentDlg dialog(this);
    dialog.SetComment(text);
    if (dialog.ShowModal() != wxID_OK)
        return false;
    text = dialog.GetComment();
    return true;
}

bool CSummaryView::PrintSummary()
{
    if (m_doc.GetSummaryCount() == 0)
        return false;
    // The printout is scaled by the page's width: lay it out first if it was never shown.
    UpdateLayout();
    wxPrintDialogData data;
    data.SetAllPages(true);
    data.EnablePageNumbers(false);
    data.EnablePrintToFile(false);
    data.EnableSelection(false);
    data.SetMinPage(1);
    data.SetMaxPage(1);
    CSummaryPrintout printout(m_page, GetClientSize().GetWidth());
    wxPrinter printer(&data);
    return printer.Print(wxGetTopLevelParent(this), &printout, true);
}
