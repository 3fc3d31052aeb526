#include "grid/GridCtrl.h"

#include <wx/dcbuffer.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/settings.h>

#include "grid/GridDcSurface.h"
#include "grid/GridDropTarget.h"
#include "grid/GridKeyMap.h"
#include "grid/GridTipWindow.h"
#include "grid/InPlaceEdit.h"

CGridCtrl::CGridCtrl(int rows, int cols, int fixedRows, int fixedCols)
    : CGridCore(rows, cols, fixedRows, fixedCols)
{
}

CGridCtrl::CGridCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style)
{
    Create(parent, id, pos, size, style);
}

CGridCtrl::~CGridCtrl()
{
    // An open edit is a child window: close it before the children go, unreported.
    CancelEditing();
    m_timer.Stop();
    delete m_tip;
    // A registered drop target belongs to the window, which deletes it.
    if (GetDropTarget() != m_dropTarget)
        delete m_dropTarget;
    AttachHost(nullptr, GetControlId());
}

bool CGridCtrl::Create(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    if (!wxWindow::Create(parent, id, pos, size, style | wxHSCROLL | wxVSCROLL | wxWANTS_CHARS, kWindowName))
        return false;
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
    SetScrollbar(wxHORIZONTAL, 0, 0, 0);
    SetScrollbar(wxVERTICAL, 0, 0, 0);
    m_timer.SetOwner(this);

    Bind(wxEVT_PAINT, &CGridCtrl::HandlePaint, this);
    Bind(wxEVT_SIZE, &CGridCtrl::HandleSize, this);
    Bind(wxEVT_MOUSEWHEEL, &CGridCtrl::HandleWheel, this);
    Bind(wxEVT_SYS_COLOUR_CHANGED, &CGridCtrl::HandleSysColour, this);
    for (const wxEventTypeTag<wxScrollWinEvent>& type :
         {wxEVT_SCROLLWIN_TOP, wxEVT_SCROLLWIN_BOTTOM, wxEVT_SCROLLWIN_LINEUP, wxEVT_SCROLLWIN_LINEDOWN,
          wxEVT_SCROLLWIN_PAGEUP, wxEVT_SCROLLWIN_PAGEDOWN, wxEVT_SCROLLWIN_THUMBTRACK,
          wxEVT_SCROLLWIN_THUMBRELEASE})
        Bind(type, &CGridCtrl::HandleScroll, this);
    for (const wxEventTypeTag<wxMouseEvent>& type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_LEFT_DCLICK,
                                                     wxEVT_RIGHT_UP, wxEVT_MOTION, wxEVT_LEAVE_WINDOW})
        Bind(type, &CGridCtrl::HandleMouse, this);
    Bind(wxEVT_SET_CURSOR, &CGridCtrl::HandleSetCursor, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CGridCtrl::HandleCaptureLost, this);
    Bind(wxEVT_MOUSE_CAPTURE_CHANGED, &CGridCtrl::HandleCaptureChanged, this);
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) { OnTimer(kGridAutoScrollTimer); });
    Bind(wxEVT_KEY_DOWN, &CGridCtrl::HandleKeyDown, this);
    Bind(wxEVT_CHAR, &CGridCtrl::HandleChar, this);
    BindTransfer();

    m_tip = new CGridTipWindow(this);
    m_dropTarget = new CGridDropTarget();
    AttachHost(this, id);
    OnCreate();
    return true;
}

bool CGridCtrl::HostIsWindow() const
{
    return GetHandle() != nullptr && !IsBeingDeleted();
}

SGridRect CGridCtrl::HostClientRect() const
{
    const wxSize size = GetClientSize();
    return SGridRect{0, 0, std::max(0, size.GetWidth()), std::max(0, size.GetHeight())};
}

void CGridCtrl::HostInvalidate(const SGridRect* rect)
{
    if (!rect)
        wxWindow::Refresh(false);
    else if (!rect->IsEmpty())
    {
        const wxRect area(rect->left, rect->top, rect->Width(), rect->Height());
        wxWindow::Refresh(false, &area);
    }
}

std::unique_ptr<CGridSurface> CGridCtrl::HostWindowSurface()
{
    // GTK draws only while painting: single cells are invalidated instead.
    return nullptr;
}

std::unique_ptr<CGridSurface> CGridCtrl::HostMeasureSurface()
{
    return CGridDcSurface::ForMeasuring();
}

void CGridCtrl::HostShowScrollBar(NGridScrollBar bar, bool show)
{
    if (!show)
    {
        m_bar[bar] = SBar{};
        SetScrollbar(bar == SB_HORZ ? wxHORIZONTAL : wxVERTICAL, 0, 0, 0);
    }
    m_barShown[bar] = show;
}

void CGridCtrl::HostSetScrollInfo(NGridScrollBar bar, int maximum, int page, int pos)
{
    SBar& state = m_bar[bar];
    if (state.inGtk && state.page == page)
    {
        // The bar shows already and its page stays, so the client area stays
        // too: a fill changes the range with every row, and GTK lays the
        // window out anew each time. The last range goes out once.
        state.pending = true;
        state.maximum = maximum;
        state.pos = pos;
        if (!m_flushQueued)
        {
            m_flushQueued = true;
            CallAfter([this] { FlushScrollBars(); });
        }
        return;
    }
    // A bar coming into view or a new page changes the client area: GTK hears of it at once.
    state = SBar{true, false, maximum, page, pos};
    // Windows' range 0..maximum with a page is wx's range maximum + 1 with a thumb.
    SetScrollbar(bar == SB_HORZ ? wxHORIZONTAL : wxVERTICAL, pos, page, maximum + 1);
    m_barShown[bar] = true;
}

void CGridCtrl::FlushScrollBars()
{
    m_flushQueued = false;
    for (NGridScrollBar bar : {SB_HORZ, SB_VERT})
        if (SBar& state = m_bar[bar]; state.pending)
        {
            state.pending = false;
            SetScrollbar(bar == SB_HORZ ? wxHORIZONTAL : wxVERTICAL, state.pos, state.page,
                         state.maximum + 1);
        }
}

int CGridCtrl::GetScrollPos(int orient) const
{
    // Asking is a reason to hand over what is pending (the bars belong to this window).
    const_cast<CGridCtrl*>(this)->FlushScrollBars();
    return wxWindow::GetScrollPos(orient);
}

int CGridCtrl::GetScrollThumb(int orient) const
{
    const_cast<CGridCtrl*>(this)->FlushScrollBars();
    return wxWindow::GetScrollThumb(orient);
}

int CGridCtrl::GetScrollRange(int orient) const
{
    const_cast<CGridCtrl*>(this)->FlushScrollBars();
    return wxWindow::GetScrollRange(orient);
}

int CGridCtrl::HostScrollBarSize(NGridScrollBar bar) const
{
    // Measured from the window while the bar shows; the system's figure before that.
    const wxSize outer = GetSize() - GetWindowBorderSize();
    const wxSize client = GetClientSize();
    const int measured =
        bar == SB_VERT ? outer.GetWidth() - client.GetWidth() : outer.GetHeight() - client.GetHeight();
    if (m_barShown[bar] && measured > 0)
        m_barSize[bar] = measured;
    if (m_barSize[bar] > 0)
        return m_barSize[bar];
    const int metric = wxSystemSettings::GetMetric(bar == SB_VERT ? wxSYS_VSCROLL_X : wxSYS_HSCROLL_Y, this);
    return metric > 0 ? metric : 15;
}

TGridColor CGridCtrl::HostSysColor(NGridSysColor which) const
{
    wxSystemColour colour = wxSYS_COLOUR_WINDOWTEXT;
    switch (which)
    {
    case NGridSysColor::WindowText:
        colour = wxSYS_COLOUR_WINDOWTEXT;
        break;
    case NGridSysColor::Window:
        colour = wxSYS_COLOUR_WINDOW;
        break;
    case NGridSysColor::BtnFace:
        colour = wxSYS_COLOUR_BTNFACE;
        break;
    case NGridSysColor::BtnShadow:
        colour = wxSYS_COLOUR_BTNSHADOW;
        break;
    case NGridSysColor::BtnHighlight:
        colour = wxSYS_COLOUR_BTNHIGHLIGHT;
        break;
    case NGridSysColor::DkShadow3D:
        colour = wxSYS_COLOUR_3DDKSHADOW;
        break;
    }
    return CGridDcSurface::FromColour(wxSystemSettings::GetColour(colour));
}

SGridFont CGridCtrl::HostDefaultFont() const
{
    return SGridFont{}; // the system's GUI font
}

int CGridCtrl::HostWheelScrollLines() const
{
    return 3; // GTK has no such setting; three lines a notch is the common default
}

long CGridCtrl::HostNotify(const SGridNotify& notify)
{
    CGridNotifyEvent event(GRID_EVT_NOTIFY, GetId());
    event.SetNotify(notify);
    DeliverNotify(event);
    return event.GetResult();
}

void CGridCtrl::DeliverNotify(CGridNotifyEvent& event)
{
    if (wxWindow* owner = GetParent())
    {
        event.SetEventObject(this);
        owner->GetEventHandler()->ProcessEvent(event);
    }
}

void CGridCtrl::HostPostCommand()
{
    if (wxWindow* owner = GetParent())
    {
        auto* event = new wxCommandEvent(GRID_EVT_COMMAND, GetId());
        event->SetEventObject(this);
        wxQueueEvent(owner->GetEventHandler(), event);
    }
}

void CGridCtrl::HostSetTimer(int, int milliseconds)
{
    m_timer.Start(milliseconds);
}

void CGridCtrl::HostKillTimer(int)
{
    m_timer.Stop();
}

void CGridCtrl::HostCaptureMouse()
{
    if (!HasCapture())
        CaptureMouse();
}

void CGridCtrl::HostReleaseMouse()
{
    if (HasCapture())
        ReleaseMouse();
}

bool CGridCtrl::HostHasCapture() const
{
    return HasCapture();
}

void CGridCtrl::HostSetCursor(NGridCursor cursor)
{
    wxStockCursor stock = wxCURSOR_ARROW;
    switch (cursor)
    {
    case NGridCursor::Arrow:
        stock = wxCURSOR_ARROW;
        break;
    case NGridCursor::Hand:
        stock = wxCURSOR_HAND;
        break;
    case NGridCursor::SizeWE:
        stock = wxCURSOR_SIZEWE;
        break;
    case NGridCursor::SizeNS:
        stock = wxCURSOR_SIZENS;
        break;
    case NGridCursor::Wait:
        stock = wxCURSOR_WAIT;
        break;
    }
    SetCursor(wxCursor(stock));
}

void CGridCtrl::Refresh(bool eraseBackground, const wxRect* rect)
{
    wxWindow::Refresh(eraseBackground, rect);
}

bool CGridCtrl::SetFont(const wxFont& font)
{
    const bool changed = wxWindow::SetFont(font);
    if (font.IsOk())
    {
        SGridFont described;
        described.face = font.GetFaceName().ToStdWstring();
        described.height = font.GetPixelSize().GetHeight();
        described.weight = font.GetNumericWeight();
        described.italic = font.GetStyle() == wxFONTSTYLE_ITALIC;
        described.underline = font.GetUnderlined();
        SetGridFont(described);
    }
    return changed;
}

void CGridCtrl::Render(wxDC& target, const wxRect& box)
{
    const wxSize client = GetClientSize();
    if (client.GetWidth() <= 0 || client.GetHeight() <= 0 || box.IsEmpty())
        return;
    const bool bufferFits = m_buffer.IsOk() && m_buffer.GetWidth() >= client.GetWidth() &&
                            m_buffer.GetHeight() >= client.GetHeight();
    if (!GetRedraw() && bufferFits)
    {
        // While the owner rebuilds the rows with drawing off, the window keeps
        // its last picture rather than going blank.
        wxMemoryDC last(m_buffer);
        target.Blit(box.GetLeft(), box.GetTop(), box.GetWidth(), box.GetHeight(), &last, box.GetLeft(),
                    box.GetTop());
        return;
    }
    if (!bufferFits)
        m_buffer = wxBitmap(client.GetWidth(), client.GetHeight());
    wxMemoryDC memory(m_buffer);
    memory.SetPen(*wxTRANSPARENT_PEN);
    memory.SetBrush(wxBrush(GetBackgroundColour()));
    memory.DrawRectangle(box);
    {
        CGridDcSurface surface(
            memory, SGridRect{box.GetLeft(), box.GetTop(), box.GetRight() + 1, box.GetBottom() + 1});
        OnDraw(surface, false);
    }
    target.Blit(box.GetLeft(), box.GetTop(), box.GetWidth(), box.GetHeight(), &memory, box.GetLeft(),
                box.GetTop());
    memory.SelectObject(wxNullBitmap);
}

void CGridCtrl::RenderClient(wxDC& dc)
{
    Render(dc, wxRect(GetClientSize()));
}

void CGridCtrl::HandlePaint(wxPaintEvent&)
{
    FlushScrollBars();
    wxPaintDC dc(this);
    wxRect box = GetUpdateRegion().GetBox();
    if (box.IsEmpty())
        box = wxRect(GetClientSize());
    Render(dc, box);
}

void CGridCtrl::HandleSize(wxSizeEvent& event)
{
    // GTK also sends one when only a scroll bar came or went; that must not end an edit.
    const wxSize size = GetSize();
    if (m_dropTarget)
        m_dropTarget->Register(this);
    OnSize(size != m_lastSize);
    m_lastSize = size;
    wxWindow::Refresh(false);
    event.Skip();
}

void CGridCtrl::HandleScroll(wxScrollWinEvent& event)
{
    const wxEventType type = event.GetEventType();
    int code = SB_ENDSCROLL;
    if (type == wxEVT_SCROLLWIN_LINEUP)
        code = SB_LINEUP;
    else if (type == wxEVT_SCROLLWIN_LINEDOWN)
        code = SB_LINEDOWN;
    else if (type == wxEVT_SCROLLWIN_PAGEUP)
        code = SB_PAGEUP;
    else if (type == wxEVT_SCROLLWIN_PAGEDOWN)
        code = SB_PAGEDOWN;
    else if (type == wxEVT_SCROLLWIN_THUMBTRACK)
        code = SB_THUMBTRACK;
    else if (type == wxEVT_SCROLLWIN_THUMBRELEASE)
        code = SB_THUMBPOSITION;
    else if (type == wxEVT_SCROLLWIN_TOP)
        code = SB_TOP;
    else if (type == wxEVT_SCROLLWIN_BOTTOM)
        code = SB_BOTTOM;
    if (event.GetOrientation() == wxHORIZONTAL)
        OnHScroll(code, event.GetPosition());
    else
        OnVScroll(code, event.GetPosition());
}

void CGridCtrl::HandleWheel(wxMouseEvent& event)
{
    if (event.GetWheelAxis() == wxMOUSE_WHEEL_VERTICAL)
        OnMouseWheel(event.GetWheelRotation());
    else
        event.Skip();
}

void CGridCtrl::HandleSysColour(wxSysColourChangedEvent& event)
{
    OnSysColorChange();
    wxWindow::Refresh(false);
    event.Skip();
}

bool CGridCtrl::DrawToBitmap(wxBitmap* bitmap)
{
    if (!bitmap)
        return false;
    const SGridSize size = GetWholeGridSize();
    if (size.cx <= 0 || size.cy <= 0 || size.cx > kMaxBitmapSide || size.cy > kMaxBitmapSide)
        return false;
    wxBitmap rendered(size.cx, size.cy, 24);
    if (!rendered.IsOk())
        return false;
    {
        wxMemoryDC memory(rendered);
        if (!memory.IsOk())
            return false;
        memory.SetPen(*wxTRANSPARENT_PEN);
        memory.SetBrush(wxBrush(GetBackgroundColour()));
        memory.DrawRectangle(0, 0, size.cx, size.cy);
        {
            CGridDcSurface surface(memory, SGridRect{0, 0, size.cx, size.cy});
            OnDraw(surface, true);
        }
        memory.SelectObject(wxNullBitmap);
    }
    *bitmap = rendered;
    return true;
}

// ---------------------------------------------------------------- mouse

namespace
{

unsigned MouseModifiers(const wxMouseEvent& event)
{
    unsigned keys = 0;
    if (event.ShiftDown())
        keys |= GRID_MK_SHIFT;
    if (event.ControlDown())
        keys |= GRID_MK_CONTROL;
    if (event.AltDown())
        keys |= GRID_MK_ALT;
    return keys;
}

} // namespace

void CGridCtrl::HandleMouse(wxMouseEvent& event)
{
    const wxEventType type = event.GetEventType();
    const SGridPoint point{event.GetX(), event.GetY()};
    m_modifiers = MouseModifiers(event);
    if (type == wxEVT_LEFT_DOWN)
        OnLButtonDown(point);
    else if (type == wxEVT_LEFT_UP)
    {
        const bool held = HasCapture();
        OnLButtonUp(point);
        // Windows follows the end of a capture with a mouse move, which puts a
        // divider mode back before a double-click arrives; GTK sends none.
        if (held)
            OnMouseMove(point);
    }
    else if (type == wxEVT_LEFT_DCLICK)
        OnLButtonDblClk(point);
    else if (type == wxEVT_RIGHT_UP)
        OnRButtonUp(point);
    else if (type == wxEVT_MOTION)
    {
        if (m_tip)
            m_tip->RelayMouseMove(wxPoint(point.x, point.y));
        OnMouseMove(point);
    }
    else if (type == wxEVT_LEAVE_WINDOW)
        OnMouseLeaveWindow();
    event.Skip();
}

void CGridCtrl::HandleSetCursor(wxSetCursorEvent& event)
{
    // While the grid holds the mouse the cursor stays as the press set it.
    if (!HasCapture())
        OnSetCursor(SGridPoint{event.GetX(), event.GetY()});
    event.SetCursor(GetCursor());
}

void CGridCtrl::HandleCaptureLost(wxMouseCaptureLostEvent&)
{
    OnCaptureChanged(false);
}

void CGridCtrl::HandleCaptureChanged(wxMouseCaptureChangedEvent& event)
{
    OnCaptureChanged(event.GetCapturedWindow() == this);
}

void CGridCtrl::EndEditing()
{
    const wxWindow* focus = FindFocus();
    if (focus && focus != this && focus->GetParent() == this && HasOpenEdit() && !IsBeingDeleted())
        SetFocus();
    CGridCore::EndEditing();
}

void CGridCtrl::HostSetFocus()
{
    SetFocus();
}

bool CGridCtrl::HostCursorPos(SGridPoint* point) const
{
    const wxPoint at = ScreenToClient(wxGetMousePosition());
    *point = SGridPoint{at.x, at.y};
    return true;
}

void CGridCtrl::HostSetTipTool(const SGridRect& rect, const std::wstring& title, const std::wstring& text)
{
    if (m_tip)
        m_tip->SetTool(wxRect(rect.left, rect.top, rect.Width(), rect.Height()), wxString(title),
                       wxString(text));
}

void CGridCtrl::HostRemoveTipTool()
{
    if (m_tip)
        m_tip->RemoveTool();
}

void CGridCtrl::HostPopTip()
{
    if (m_tip)
        m_tip->Pop();
}

// ---------------------------------------------------------------- keyboard and in-place editing

CGridInPlaceEditor* CGridCtrl::HostCreateInPlaceEdit(CGridCore&, SGridRect rect, NGridTextAlign align,
                                                     unsigned id, int row, int col, const std::wstring& text,
                                                     unsigned firstChar)
{
    const long style = align == NGridTextAlign::Right    ? wxTE_RIGHT
                       : align == NGridTextAlign::Center ? wxTE_CENTRE
                                                         : wxTE_LEFT;
    return new CInPlaceEdit(this, rect, style, static_cast<wxWindowID>(id), row, col, wxString(text),
                            firstChar);
}

void CGridCtrl::HandleKeyDown(wxKeyEvent& event)
{
    m_modifiers = CGridKeyMap::Modifiers(event);
    const unsigned key = CGridKeyMap::ToGridKey(event);
    // Ctrl+Tab (and Tab when the grid leaves it alone) moves on to the next control.
    if (key == VK_TAB && (!GetHandleTabKey() || (m_modifiers & GRID_MK_CONTROL) != 0))
    {
        event.Skip();
        return;
    }
    if (key != 0)
        OnKeyDown(key);
    // The moving keys are used up: GTK must not move the focus with them. The
    // character of any other key follows, as on Windows (a space or Enter may start an edit).
    if (!IsGridNavigationKey(key) && key != VK_DELETE && key != VK_F2)
        event.Skip();
}

void CGridCtrl::HandleChar(wxKeyEvent& event)
{
    m_modifiers = CGridKeyMap::Modifiers(event);
    const unsigned ch = CGridKeyMap::ToGridChar(event);
    // On Windows Alt+letter never reaches a control: it goes on to the menu bar here too.
    if (ch == 0 || CGridKeyMap::IsMenuChar(event) ||
        (ch == VK_TAB && (!GetHandleTabKey() || (m_modifiers & GRID_MK_CONTROL) != 0)))
    {
        event.Skip();
        return;
    }
    OnChar(ch);
}
