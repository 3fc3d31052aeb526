#include "grid/GridPrintout.h"

#include "grid/GridDcPrintSurface.h"

CGridPrintout::CGridPrintout(CGridCore& grid, const wxString& title, const SGridPrintText* texts,
                             bool selectionOnly)
    : wxPrintout(title), m_grid(grid), m_texts(texts), m_selectionOnly(selectionOnly)
{
}

SGridSize CGridPrintout::Paper()
{
    int width = 0;
    int height = 0;
    GetPageSizePixels(&width, &height);
    return SGridSize{width, height};
}

void CGridPrintout::OnPreparePrinting()
{
    m_pages = 0;
    m_info = SGridPrintInfo();
    wxDC* dc = GetDC();
    if (!dc || !dc->IsOk())
        return;
    CGridDcPrintSurface surface(*dc, Paper());
    m_grid.OnBeginPrinting(surface, m_info, m_selectionOnly);
    // Without a layout (no window) there is nothing to print, not a page count from before.
    m_pages = m_grid.GetPrintLayout().IsValid() ? m_info.maxPage : 0;
}

void CGridPrintout::GetPageInfo(int* minPage, int* maxPage, int* selPageFrom, int* selPageTo)
{
    *minPage = m_pages > 0 ? 1 : 0;
    *maxPage = m_pages;
    *selPageFrom = *minPage;
    *selPageTo = m_pages;
}

bool CGridPrintout::HasPage(int page)
{
    return page >= 1 && page <= m_pages;
}

bool CGridPrintout::OnPrintPage(int page)
{
    wxDC* dc = GetDC();
    if (!dc || !dc->IsOk() || !HasPage(page))
        return false;
    m_info.currentPage = page;
    CGridDcPrintSurface surface(*dc, Paper());
    m_grid.OnPrint(surface, m_info, m_texts, m_selectionOnly);
    return true;
}

void CGridPrintout::OnEndPrinting()
{
    if (wxDC* dc = GetDC(); dc && dc->IsOk())
    {
        CGridDcPrintSurface surface(*dc, Paper());
        m_grid.OnEndPrinting(surface, m_info);
    }
}
