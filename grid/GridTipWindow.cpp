#include "grid/GridTipWindow.h"

#include <algorithm>

#include <wx/artprov.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/display.h>
#include <wx/settings.h>
#include <wx/tokenzr.h>

#include "grid/GridConstants.h"

namespace
{

constexpr int kPadding = 8;
constexpr int kIconSize = 16;
constexpr int kGap = 6;
/// How far below the pointer the tip opens, so it never lies under the pointer.
constexpr int kPointerOffset = 20;

wxFont TitleFont()
{
    return wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT).Bold();
}

wxFont TextFont()
{
    return wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
}

/// Breaks one paragraph into lines no wider than `width`, at blanks where it can.
void Wrap(wxDC& dc, const wxString& paragraph, int width, std::vector<wxString>* lines)
{
    wxString line;
    for (const wxString& word : wxSplit(paragraph, ' ', '\0'))
    {
        const wxString candidate = line.empty() ? word : line + ' ' + word;
        if (line.empty() || dc.GetTextExtent(candidate).GetWidth() <= width)
        {
            line = candidate;
            continue;
        }
        lines->push_back(line);
        line = word;
    }
    // A single word wider than the tip is cut by characters.
    while (dc.GetTextExtent(line).GetWidth() > width && line.length() > 1)
    {
        size_t fit = line.length() - 1;
        while (fit > 1 && dc.GetTextExtent(line.Left(fit)).GetWidth() > width)
            --fit;
        lines->push_back(line.Left(fit));
        line = line.Mid(fit);
    }
    lines->push_back(line);
}

} // namespace

CGridTipWindow::CGridTipWindow(wxWindow* owner) : wxPopupWindow(owner, wxBORDER_NONE), m_owner(owner)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    m_icon = wxArtProvider::GetBitmap(wxART_INFORMATION, wxART_MESSAGE_BOX, wxSize(kIconSize, kIconSize));
    m_initialTimer.SetOwner(this);
    m_autoPopTimer.SetOwner(this);
    Bind(wxEVT_PAINT, &CGridTipWindow::HandlePaint, this);
    Bind(
        wxEVT_TIMER, [this](wxTimerEvent&) { ShowTip(); }, m_initialTimer.GetId());
    Bind(
        wxEVT_TIMER,
        [this](wxTimerEvent&)
        {
            Pop();
            m_autoPopped = true;
        },
        m_autoPopTimer.GetId());
}

CGridTipWindow::~CGridTipWindow()
{
    m_initialTimer.Stop();
    m_autoPopTimer.Stop();
}

void CGridTipWindow::SetTool(const wxRect& rect, const wxString& title, const wxString& text)
{
    Pop();
    m_rect = rect;
    m_title = title;
    m_text = text;
    m_hasTool = true;
    m_autoPopped = false;
    Measure();
    if (m_rect.Contains(m_pointer))
        m_initialTimer.StartOnce(kGridTipInitialDelay);
}

void CGridTipWindow::RemoveTool()
{
    Pop();
    m_hasTool = false;
    m_autoPopped = false;
}

void CGridTipWindow::Pop()
{
    m_initialTimer.Stop();
    m_autoPopTimer.Stop();
    if (IsShown())
        Hide();
}

void CGridTipWindow::RelayMouseMove(const wxPoint& point)
{
    m_pointer = point;
    if (!m_hasTool)
        return;
    if (!m_rect.Contains(point))
    {
        Pop();
        m_autoPopped = false;
        return;
    }
    // The pointer has to rest: every move inside the tool starts the delay again.
    if (!IsShown() && !m_autoPopped)
        m_initialTimer.StartOnce(kGridTipInitialDelay);
}

void CGridTipWindow::ShowTip()
{
    if (!m_hasTool || !m_rect.Contains(m_pointer) || !m_owner)
        return;
    const wxSize size = GetSize();
    wxPoint at = m_owner->ClientToScreen(m_pointer) + wxPoint(0, kPointerOffset);
    const int display = wxDisplay::GetFromWindow(m_owner);
    const wxRect screen =
        wxDisplay(display == wxNOT_FOUND ? 0u : static_cast<unsigned>(display)).GetClientArea();
    if (at.x + size.GetWidth() > screen.GetRight())
        at.x = std::max(screen.GetLeft(), screen.GetRight() - size.GetWidth());
    if (at.y + size.GetHeight() > screen.GetBottom())
        at.y = std::max(screen.GetTop(), at.y - kPointerOffset * 2 - size.GetHeight()); // above the pointer
    Move(at);
    Show();
    Refresh();
    m_autoPopTimer.StartOnce(kGridTipAutoPop);
}

void CGridTipWindow::Measure()
{
    wxMemoryDC dc;
    wxBitmap scratch(1, 1);
    dc.SelectObject(scratch);
    const int textWidth = kGridTipMaxWidth - 2 * kPadding;
    m_lines.clear();
    dc.SetFont(TextFont());
    wxString text = m_text;
    text.Replace("\r\n", "\n");
    if (!text.empty())
        for (const wxString& paragraph : wxSplit(text, '\n', '\0'))
            Wrap(dc, paragraph, textWidth, &m_lines);
    int width = 0;
    for (const wxString& line : m_lines)
        width = std::max(width, dc.GetTextExtent(line).GetWidth());
    const int lineHeight = dc.GetCharHeight();
    dc.SetFont(TitleFont());
    const int titleWidth = m_title.empty() ? 0 : kIconSize + kGap + dc.GetTextExtent(m_title).GetWidth();
    const int titleHeight = m_title.empty() ? 0 : std::max(kIconSize, dc.GetCharHeight()) + kGap;
    width = std::min(std::max(width, titleWidth) + 2 * kPadding, kGridTipMaxWidth);
    const int height = 2 * kPadding + titleHeight + static_cast<int>(m_lines.size()) * lineHeight;
    dc.SelectObject(wxNullBitmap);
    SetSize(width, height);
}

void CGridTipWindow::PaintFace(wxDC& dc)
{
    const wxSize size = GetSize();
    const wxColour back = wxSystemSettings::GetColour(wxSYS_COLOUR_INFOBK);
    const wxColour fore = wxSystemSettings::GetColour(wxSYS_COLOUR_INFOTEXT);
    dc.SetPen(wxPen(fore));
    dc.SetBrush(wxBrush(back));
    dc.DrawRectangle(0, 0, size.GetWidth(), size.GetHeight());
    dc.SetTextForeground(fore);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    int y = kPadding;
    if (!m_title.empty())
    {
        dc.SetFont(TitleFont());
        const int titleHeight = std::max(kIconSize, dc.GetCharHeight());
        if (m_icon.IsOk())
            dc.DrawBitmap(m_icon, kPadding, y + (titleHeight - kIconSize) / 2, true);
        dc.DrawText(m_title, kPadding + kIconSize + kGap, y + (titleHeight - dc.GetCharHeight()) / 2);
        y += titleHeight + kGap;
    }
    dc.SetFont(TextFont());
    for (const wxString& line : m_lines)
    {
        dc.DrawText(line, kPadding, y);
        y += dc.GetCharHeight();
    }
}

void CGridTipWindow::HandlePaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    PaintFace(dc);
}
