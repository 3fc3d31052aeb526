#include "grid/GridDcPrintSurface.h"

namespace
{

SGridSize PaperOf(wxDC& dc, SGridSize paper)
{
    if (paper.cx > 0 && paper.cy > 0)
        return paper;
    const wxSize size = dc.GetSize();
    return SGridSize{size.GetWidth(), size.GetHeight()};
}

} // namespace

CGridDcPrintSurface::CGridDcPrintSurface(wxDC& dc, SGridSize paper)
    : m_dc(dc), m_paper(PaperOf(dc, paper)), m_surface(dc, SGridRect{0, 0, m_paper.cx, m_paper.cy}, true)
{
    m_dc.GetUserScale(&m_scaleX, &m_scaleY);
}

CGridDcPrintSurface::~CGridDcPrintSurface()
{
    m_dc.SetUserScale(m_scaleX, m_scaleY);
}

void CGridDcPrintSurface::SetPageScale(SGridSize logical, SGridSize paper)
{
    if (logical.cx <= 0 || logical.cy <= 0 || paper.cx <= 0 || paper.cy <= 0)
        return;
    m_dc.SetUserScale(static_cast<double>(paper.cx) / logical.cx, static_cast<double>(paper.cy) / logical.cy);
    // The page is drawn in logical units now: the whole logical page needs drawing.
    m_surface.SetPaintArea(SGridRect{0, 0, logical.cx, logical.cy});
}

void CGridDcPrintSurface::ResetPageScale()
{
    m_dc.SetUserScale(m_scaleX, m_scaleY);
    m_surface.SetPaintArea(SGridRect{0, 0, m_paper.cx, m_paper.cy});
}
