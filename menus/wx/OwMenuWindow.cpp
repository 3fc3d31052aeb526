#include "menus/wx/OwMenuWindow.h"

#include <wx/dcbuffer.h>
#include <wx/dcmemory.h>

#include "menus/wx/OwMenuDcSurface.h"

OwMenuWindow::OwMenuWindow(wxWindow* parent, OwMenu& menu, const SOwMenuColors& colors,
                           const SOwMenuMetrics& metrics)
    : wxPopupWindow(parent, wxBORDER_NONE), m_menu(&menu), m_colors(colors), m_layout(Measure(menu, metrics))
{
    menu.BuildImageVariants(colors);
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetSize(m_layout.GetSize().cx, m_layout.GetSize().cy);
    Bind(wxEVT_PAINT, &OwMenuWindow::HandlePaint, this);
}

OwMenuLayout OwMenuWindow::Measure(OwMenu& menu, const SOwMenuMetrics& metrics)
{
    wxBitmap scratch(1, 1);
    wxMemoryDC dc(scratch);
    CGridDcSurface measurer(dc, SGridRect{0, 0, 1, 1});
    return OwMenuLayout(menu, measurer, metrics);
}

void OwMenuWindow::SetSelection(int item)
{
    if (item == m_selection)
        return;
    m_selection = item;
    Refresh(false);
}

void OwMenuWindow::Detach()
{
    m_menu = nullptr;
}

wxRect OwMenuWindow::GetItemScreenRect(int item) const
{
    const SGridRect rect = m_layout.GetItemRect(item);
    return wxRect(ClientToScreen(wxPoint(rect.left, rect.top)), wxSize(rect.Width(), rect.Height()));
}

void OwMenuWindow::PaintFace(wxDC& dc, const OwMenuLayout& layout, OwMenu& menu, int selected,
                             const SOwMenuColors& colors)
{
    OwMenuDcSurface surface(dc, SGridRect{0, 0, layout.GetSize().cx, layout.GetSize().cy});
    layout.Paint(surface, menu, selected, colors);
}

wxBitmap OwMenuWindow::Render(OwMenu& menu, int selected, const SOwMenuColors& colors,
                              const SOwMenuMetrics& metrics)
{
    menu.BuildImageVariants(colors);
    const OwMenuLayout layout = Measure(menu, metrics);
    wxBitmap face(layout.GetSize().cx, layout.GetSize().cy, 24);
    {
        wxMemoryDC dc(face);
        PaintFace(dc, layout, menu, selected, colors);
    }
    return face;
}

void OwMenuWindow::HandlePaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    if (m_menu != nullptr)
        PaintFace(dc, m_layout, *m_menu, m_selection, m_colors);
}
