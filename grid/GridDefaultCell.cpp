#include "grid/GridDefaultCell.h"

#include "grid/GridCore.h"
#include "grid/GridSurface.h"

CGridDefaultCell::CGridDefaultCell()
{
    SetTextColor(kGridWhite);
    SetBackColor(kGridWhite);
    SetFont(&m_ownFont);
}

void CGridDefaultCell::SetFont(const SGridFont* font)
{
    if (!font)
        return;
    if (font != &m_ownFont)
        m_ownFont = *font;
    ResetTextHeight();
    ResetTextCache();

    const CGridCore* grid = GetGrid();
    std::unique_ptr<CGridSurface> screen =
        grid && grid->GetHost() ? grid->GetHost()->HostMeasureSurface() : nullptr;
    if (!screen)
    {
        SetMargin(3);
        m_width = 40;
        m_height = 16;
        return;
    }
    screen->SetFont(m_ownFont);
    SetMargin(screen->GetTextExtent(L" ").cx);
    const SGridSize extent = screen->GetTextExtent(L" XXXXXXXXXXXX ");
    m_width = extent.cx;
    m_height = extent.cy * 3 / 2;
}
