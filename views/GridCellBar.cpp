#include "views/GridCellBar.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "grid/GridDefaultCell.h"
#include "grid/GridDrawText.h"
#include "grid/GridSurface.h"
#include "views/CellExtent.h"

namespace
{

/// Beyond this many cell widths a bar is drawn no longer: the grid clips it
/// anyway, and the pixel arithmetic stays within int.
constexpr double kLongestBar = 64.0;

} // namespace

double CGridCellBar::SetValue(double value)
{
    return std::exchange(m_value, value);
}

double CGridCellBar::SetMin(double minimum)
{
    return std::exchange(m_min, minimum);
}

double CGridCellBar::SetMax(double maximum)
{
    return std::exchange(m_max, maximum);
}

TGridColor CGridCellBar::SetBarColor(TGridColor color)
{
    return std::exchange(m_barColor, color);
}

TGridColor CGridCellBar::SetSelectedBarColor(TGridColor color)
{
    return std::exchange(m_selectedBarColor, color);
}

int CGridCellBar::ValueX(double value, const SGridRect& rect) const
{
    const double width = rect.right - rect.left;
    const double range = m_max - m_min;
    double length = 0.0;
    // One series, or every mean 0, leave no range: the bar is full when the
    // value lies above the minimum, else empty.
    if (!(range > 0.0) || !std::isfinite(range))
        length = value > m_min ? width : 0.0;
    else if (std::isfinite(value))
        length = std::max(value, m_min) * width / range;
    length = std::clamp(length, -kLongestBar * width, kLongestBar * width);
    return rect.left + static_cast<int>(length);
}

SGridRect CGridCellBar::BarRect(const SGridRect& rect, bool focused) const
{
    SGridRect bar = rect;
    bar.right = ValueX(m_value, rect);
    if (focused)
    {
        bar = SGridRect{bar.left + 1, bar.top + 1, bar.right - 1, bar.bottom - 1};
        if (bar.right != rect.right - 1)
            ++bar.right;
    }
    return bar;
}

bool CGridCellBar::Draw(CGridSurface* dc, int row, int col, SGridRect rect, bool, bool forPrinting)
{
    if (!dc)
        return true;
    if (rect.right - rect.left <= 0 || rect.bottom - rect.top <= 0)
        return false;
    const CGridDefaultCell* def = GetDefaultCell();
    if (!def)
        return false;

    dc->SaveState();
    const bool selectedLook = IsSelected() && !forPrinting;
    TGridColor textColor = IsFixed() ? def->GetTextColor() : GetTextColor();
    if (selectedLook)
        textColor = GridInvert(textColor);
    DrawBackground(dc, row, col, rect, forPrinting);
    DrawBorder(dc, row, col, rect, forPrinting);
    if (!dc->IsPrinting())
        if (const SGridFont* font = GetFontObject())
            dc->SetFont(*font);
    dc->SetTextColor(textColor);

    const TGridColor barColor = selectedLook ? m_selectedBarColor : m_barColor;
    dc->FillSolidRect(BarRect(rect, IsFocused() && !forPrinting), barColor);

    if (!dc->IsPrinting())
        dc->SetTextColor(GridInvert(barColor));
    const int margin = GetMargin();
    const SGridRect textRect{rect.left + margin, rect.top, rect.right - margin + 1, rect.bottom + 1};
    CGridDrawText::Draw(*dc, GetText(), textRect, GetFormat());

    for (int i = 0; i < 2; ++i)
    {
        if (m_markerHidden[i])
            continue;
        const int x = ValueX(m_markers[i], rect);
        for (int dx = -1; dx <= 1; ++dx)
            dc->Line({x + dx, rect.top + 2}, {x + dx, rect.bottom - 2}, textColor);
    }
    dc->RestoreState();
    return true;
}

bool CGridCellBar::PrintCell(CGridSurface* dc, int row, int col, SGridRect rect)
{
    Draw(dc, row, col, rect, true, true);
    return true;
}

SGridSize CGridCellBar::GetCellExtent(CGridSurface* dc)
{
    return CCellExtent::WithScrollBars(*this, CGridCell::GetCellExtent(dc), 1);
}
