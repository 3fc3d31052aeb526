#include "app/shell/Logo.h"

#include "app/shell/AppEvents.h"
#include "app/shell/CommandIds.h"
#include "app/shell/ToolBarImages.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"

#include <wx/app.h>
#include <wx/dcbuffer.h>
#include <wx/frame.h>

namespace
{

wxString LogoText()
{
    return wxString(Resources::CStringTable::Text(Resources::Ids::kAppLogo));
}

wxFrame* MainFrame()
{
    return wxTheApp ? dynamic_cast<wxFrame*>(wxTheApp->GetTopWindow()) : nullptr;
}

} // namespace

CLogo::CLogo(wxWindow* parent)
    : wxControl(parent, AppIds::kLogo, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE),
      m_normal(CToolBarImages::Logo(false)), m_pressed(CToolBarImages::Logo(true))
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetCursor(wxCursor(wxCURSOR_HAND));
    SetInitialSize(m_normal.GetSize());
    UpdateTexts();
    Bind(wxEVT_PAINT, &CLogo::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &CLogo::OnLeftDown, this);
    Bind(wxEVT_LEFT_UP, &CLogo::OnLeftUp, this);
    Bind(wxEVT_ENTER_WINDOW, &CLogo::OnEnter, this);
    Bind(wxEVT_LEAVE_WINDOW, &CLogo::OnLeave, this);
}

wxString CLogo::ToolTipText()
{
    const wxString text = LogoText();
    return text.Contains(L"\n") ? text.AfterFirst(L'\n') : text;
}

void CLogo::UpdateTexts()
{
    SetToolTip(ToolTipText());
}

wxSize CLogo::DoGetBestSize() const
{
    return m_normal.GetSize();
}

void CLogo::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(GetParent()->GetBackgroundColour()));
    dc.Clear();
    dc.DrawBitmap(m_down ? m_pressed : m_normal, 0, 0, true);
}

void CLogo::OnLeftDown(wxMouseEvent&)
{
    m_down = true;
    Refresh();
    if (wxFrame* frame = MainFrame())
    {
        wxCommandEvent click(EVT_ON_LOGO_CLICK, GetId());
        click.SetEventObject(this);
        frame->GetEventHandler()->ProcessEvent(click);
    }
}

void CLogo::OnLeftUp(wxMouseEvent&)
{
    m_down = false;
    Refresh();
}

void CLogo::OnEnter(wxMouseEvent& event)
{
    event.Skip();
    if (wxFrame* frame = MainFrame(); frame && frame->GetStatusBar())
        frame->SetStatusText(LogoText().BeforeFirst(L'\n'), 0);
}

void CLogo::OnLeave(wxMouseEvent& event)
{
    event.Skip();
    m_down = false;
    Refresh();
    if (wxFrame* frame = MainFrame(); frame && frame->GetStatusBar())
        frame->SetStatusText(wxEmptyString, 0);
}
