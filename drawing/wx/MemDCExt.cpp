#include "drawing/wx/MemDCExt.h"

#include <algorithm>

#include <wx/dcprint.h>
#include <wx/dcps.h>

namespace
{

bool IsPrinter(const wxDC& dc)
{
#if wxUSE_PRINTING_ARCHITECTURE
    if (dc.IsKindOf(wxCLASSINFO(wxPrinterDC)))
        return true;
#endif
#if wxUSE_POSTSCRIPT
    if (dc.IsKindOf(wxCLASSINFO(wxPostScriptDC)))
        return true;
#endif
    return false;
}

void FillBackground(wxDC& dc, const wxRect& area, const wxBrush& background)
{
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(background.IsOk() ? background : *wxWHITE_BRUSH);
    dc.DrawRectangle(area);
    dc.SetBrush(wxNullBrush);
    dc.SetPen(wxNullPen);
}

} // namespace

CMemDCExt::CMemDCExt(wxDC& target, const wxRect* area) : m_target(target)
{
    if (area)
        m_area = *area;
    else
        target.GetClippingBox(m_area);
    const wxBrush background = target.GetBackground();
    if (!IsPrinter(target) && !m_area.IsEmpty())
    {
        const int width = std::max(1, target.LogicalToDeviceXRel(m_area.width));
        const int height = std::max(1, target.LogicalToDeviceYRel(m_area.height));
        m_bitmap = wxBitmap(width, height, 24);
        if (m_bitmap.IsOk())
        {
            m_memory = std::make_unique<wxMemoryDC>(m_bitmap);
            double sx = 1.0, sy = 1.0;
            target.GetUserScale(&sx, &sy);
            m_memory->SetUserScale(sx, sy);
            m_memory->SetLogicalOrigin(m_area.x, m_area.y);
            m_memory->SetFont(target.GetFont());
            m_memory->SetTextForeground(target.GetTextForeground());
            m_memory->SetBackground(background);
            if (!m_memory->IsOk())
                m_memory.reset();
        }
    }
    FillBackground(GetDC(), m_area, background);
}

CMemDCExt::~CMemDCExt()
{
    if (!m_memory)
        return;
    m_target.Blit(m_area.x, m_area.y, m_area.width, m_area.height, m_memory.get(), m_area.x, m_area.y);
    m_memory->SelectObject(wxNullBitmap);
}

wxDC& CMemDCExt::GetDC()
{
    return m_memory ? static_cast<wxDC&>(*m_memory) : m_target;
}
