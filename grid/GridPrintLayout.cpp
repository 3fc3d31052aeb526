#include "grid/GridPrintLayout.h"

#include <algorithm>
#include <climits>

#include "grid/GridCellBase.h"
#include "grid/GridCore.h"

void CGridPrintLayout::Reset()
{
    *this = CGridPrintLayout();
}

bool CGridPrintLayout::IsRowPrinted(const CGridCore& grid, int row, bool selectionOnly)
{
    if (row < grid.GetFixedRowCount() || row >= grid.GetRowCount())
        return false;
    return !selectionOnly || grid.IsRowSelected(row);
}

namespace
{

/// The row's height on a page: what its tallest cell needs there.
int PrintedHeight(const CGridCore& grid, int row, int pageWidth, CGridSurface* measure)
{
    const int screen = std::max(0, grid.GetRowHeight(row));
    if (!measure || screen == 0)
        return screen;
    int height = screen;
    int left = 0;
    for (int col = grid.GetFixedColumnCount(); col < grid.GetColumnCount(); ++col)
    {
        const int width = grid.GetMergedColumnWidth(col, row);
        if (width <= 0)
            continue;
        // A cell that spans to the page's edge lays out in what the page leaves it.
        const int room = std::min(width, pageWidth - left);
        left += width;
        if (CGridCellBase* cell = grid.GetCell(row, col); cell && room > 0)
            height = std::max(height, cell->GetPrintHeight(*measure, room, screen));
    }
    return height;
}

} // namespace

SGridSize CGridPrintLayout::LogicalPageSize(const CGridCore& grid, SGridSize charSize, SGridSize paperSize)
{
    if (paperSize.cx <= 0 || paperSize.cy <= 0)
        return SGridSize{};
    // The grid's full width fits the paper's width; the height follows the paper's shape.
    const int margins = (kLeftMarginChars + kRightMarginChars) * charSize.cx;
    SGridSize page;
    page.cx = GridClampToInt(static_cast<long long>(grid.GetVirtualWidth()) + margins);
    page.cy = GridClampToInt(static_cast<long long>(page.cx) * paperSize.cy / paperSize.cx);
    return page;
}

bool CGridPrintLayout::Compute(const CGridCore& grid, SGridSize charSize, SGridSize paperSize,
                               bool selectionOnly, CGridSurface* measure)
{
    Reset();
    if (charSize.cx <= 0 || charSize.cy <= 0 || paperSize.cx <= 0 || paperSize.cy <= 0)
        return false;
    m_charSize = charSize;
    m_paperSize = paperSize;

    const int margins = (kLeftMarginChars + kRightMarginChars) * charSize.cx;
    m_logicalPage = LogicalPageSize(grid, charSize, paperSize);
    m_pageHeight = m_logicalPage.cy - (kHeaderLines + kFooterLines + 2 * kGapLines) * charSize.cy -
                   grid.GetFixedRowHeight();
    m_pageWidth = m_logicalPage.cx - grid.GetFixedColumnWidth() - margins;

    // A row that does not fit where it would fall starts the next page. A row
    // that starts a page stays on it even when taller than the page: it is
    // printed cut at the page's bottom rather than pushed on to a blank page.
    m_pages.assign(1, {});
    long long sum = 0;
    for (int row = grid.GetFixedRowCount(); row < grid.GetRowCount(); ++row)
    {
        if (!IsRowPrinted(grid, row, selectionOnly))
            continue;
        const int height = PrintedHeight(grid, row, m_pageWidth, measure);
        m_heights[row] = height;
        if (height > 0 && !m_pages.back().empty() && sum + height > m_pageHeight)
        {
            m_pages.emplace_back();
            sum = 0;
        }
        m_pages.back().push_back(row);
        sum += height;
    }
    m_valid = true;
    return true;
}

const std::vector<int>& CGridPrintLayout::GetPageRows(int page) const
{
    static const std::vector<int> none;
    if (page < 1 || page > GetPageCount())
        return none;
    return m_pages[static_cast<std::size_t>(page - 1)];
}

int CGridPrintLayout::GetRowHeight(int row) const
{
    const auto it = m_heights.find(row);
    return it == m_heights.end() ? 0 : it->second;
}

int CGridPrintLayout::GetFirstRow(int page) const
{
    const std::vector<int>& rows = GetPageRows(page);
    return rows.empty() ? -1 : rows.front();
}

std::vector<CGridPrintLayout::SColumn> CGridPrintLayout::FitColumns(const CGridCore& grid, int row,
                                                                    int firstCol, int stopCol, int pageWidth,
                                                                    bool mergedWidths)
{
    std::vector<SColumn> out;
    int right = -1;
    for (int col = std::max(0, firstCol); col < stopCol && col < grid.GetColumnCount(); ++col)
    {
        const int width = mergedWidths ? grid.GetMergedColumnWidth(col, row) : grid.GetColumnWidth(col);
        if (mergedWidths && width <= 0)
            continue;
        const int left = right + 1;
        right += std::max(0, width);
        if (right > pageWidth)
            break;
        out.push_back(SColumn{col, left, right});
    }
    return out;
}
