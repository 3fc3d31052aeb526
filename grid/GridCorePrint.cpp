// Printing of CGridCore: the page layout, the header, the heading row on
// every page, the body rows with their grid lines and the footer, all on a
// print surface that stretches the logical page over the paper.
#include <memory>
#include <string>

#include "grid/GridCore.h"
#include "grid/GridDrawText.h"
#include "grid/GridPrintTexts.h"

namespace
{

constexpr TGridColor kBlack = GridRgb(0, 0, 0);
constexpr unsigned kLineFormat = DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;

/// The bold font of the header and footer.
SGridFont Bold(SGridFont font)
{
    font.weight = 700;
    return font;
}

} // namespace

SGridFont CGridCore::PrinterFont() const
{
    return SGridFont{L"Arial", GetGridFont().height, 400};
}

std::tm CGridCore::GetPrintTime() const
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

void CGridCore::OnBeginPrinting(CGridPrintSurface& dc, SGridPrintInfo& info, bool selectionOnly)
{
    m_printLayout.Reset();
    if (!m_host || !m_host->HostIsWindow())
        return;
    // The page is laid out in screen pixels, which the surface stretches
    // over the paper: margins, rows and every cell's text then keep the
    // sizes they have on the screen, whatever the printer's resolution.
    std::unique_ptr<CGridSurface> screen = m_host->HostMeasureSurface();
    CGridSurface& measure = screen ? *screen : dc;
    measure.SaveState();
    measure.SetFont(PrinterFont());
    const SGridSize letters = measure.GetTextExtent(L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
    measure.RestoreState();
    const SGridSize charSize{letters.cx / 52, letters.cy};
    // The rows' cells measure themselves on the page, stretched as it is
    // printed: what they lay out there is what they print.
    const SGridSize paper = dc.GetPaperSize();
    dc.SaveState();
    dc.SetPageScale(CGridPrintLayout::LogicalPageSize(*this, charSize, paper), paper);
    const bool laidOut = m_printLayout.Compute(*this, charSize, paper, selectionOnly, &dc);
    dc.ResetPageScale();
    dc.RestoreState();
    if (!laidOut)
        return;
    info.maxPage = m_printLayout.GetPageCount();
    info.currentPage = 1;
}

void CGridCore::OnPrint(CGridPrintSurface& dc, SGridPrintInfo& info, const SGridPrintText* texts,
                        bool /*selectionOnly*/)
{
    // The rows of each page (and the selection filter) were settled by OnBeginPrinting.
    const CGridPrintLayout& layout = m_printLayout;
    if (!layout.IsValid())
        return;
    dc.SaveState();
    dc.SetFont(PrinterFont());
    dc.SetPageScale(layout.GetLogicalPageSize(), layout.GetPaperSize());
    const int leftMargin = layout.GetLeftMargin();

    dc.SetOrigin({-leftMargin, 0});
    info.drawRect = SGridRect{0, 0, layout.GetPrintWidth(), layout.GetHeaderHeight()};
    PrintHeader(dc, info, texts);

    // Logical y = 0 is the top of the body from here on.
    const int fixedHeight = GetFixedRowHeight();
    dc.SetOrigin({-leftMargin, -(layout.GetHeaderHeight() + layout.GetGap() + fixedHeight)});

    int headingRow = 0;
    bool first = true;
    SGridRect heading{0, -fixedHeight - 1, 0, 0};
    if (m_rows > 0)
        PrintFixedRowCells(0, m_cols, headingRow, heading, dc, first);

    // Body rows, each cell clipped to itself and to the page; a row taller
    // than the page is cut at its bottom.
    const int pageWidth = layout.GetPageWidth();
    const int pageHeight = layout.GetPageHeight();
    const SGridRect body{0, 0, pageWidth + 1, pageHeight};
    struct SPlacedRow
    {
        int row;
        int top;
        int bottom;
        std::vector<CGridPrintLayout::SColumn> columns;
    };
    std::vector<SPlacedRow> placed;
    int bottom = -1;
    for (const int row : layout.GetPageRows(info.currentPage))
    {
        const int top = bottom + 1;
        bottom += layout.GetRowHeight(row);
        placed.push_back({row, top, bottom,
                          CGridPrintLayout::FitColumns(*this, row, m_fixedCols, m_cols, pageWidth, true)});
    }
    for (const SPlacedRow& line : placed)
        for (const CGridPrintLayout::SColumn& column : line.columns)
            if (CGridCellBase* cell = GetCell(line.row, column.col))
            {
                const SGridRect rect{column.left, line.top, column.right, line.bottom};
                const SGridRect clip =
                    SGridRect{rect.left, rect.top, rect.right + 1, rect.bottom + 1}.Intersect(body);
                if (clip.IsEmpty())
                    continue;
                cell->SetCoords(line.row, column.col);
                UnderClip(dc, clip, [&] { return cell->PrintCell(&dc, line.row, column.col, rect); });
            }

    // Grid lines on the cells' edges, counted from 0.
    if (m_gridLines != GGL_NONE)
    {
        const bool horizontal = m_gridLines == GGL_HORZ || m_gridLines == GGL_BOTH;
        const bool vertical = m_gridLines == GGL_VERT || m_gridLines == GGL_BOTH;
        dc.SetClip(SGridRect{-1, -1, pageWidth + 2, pageHeight + 1});
        for (const SPlacedRow& line : placed)
            for (const CGridPrintLayout::SColumn& column : line.columns)
            {
                const int x0 = column.left;
                const int x1 = column.right + 1;
                const int y0 = line.top;
                const int y1 = line.bottom + 1;
                if (horizontal)
                {
                    dc.Line({x0, y1}, {x1 + 1, y1}, m_gridLineColor);
                    if (line.row == 0)
                        dc.Line({x0, y0}, {x1 + 1, y0}, m_gridLineColor);
                }
                if (vertical)
                {
                    dc.Line({x1, y0}, {x1, y1 + 1}, m_gridLineColor);
                    if (column.col == 0)
                        dc.Line({x0, y0}, {x0, y1 + 1}, m_gridLineColor);
                }
            }
        dc.ResetClip();
    }

    info.drawRect = SGridRect{0, 0, layout.GetPrintWidth(), layout.GetFooterHeight()};
    dc.SetOrigin({-leftMargin, layout.GetFooterHeight() - layout.GetLogicalPageSize().cy});
    PrintFooter(dc, info, texts);

    dc.SetOrigin({0, 0});
    dc.ResetPageScale();
    dc.RestoreState();
}

void CGridCore::OnEndPrinting(CGridPrintSurface&, SGridPrintInfo&)
{
    m_printLayout.Reset();
}

void CGridCore::PrintFixedRowCells(int startCol, int stopCol, int& row, SGridRect& rect, CGridSurface& dc,
                                   bool& first)
{
    const SGridRect saved = rect;
    rect.right -= 1;
    rect.bottom -= 1;
    // The columns are laid out from rect's right edge on, as far as the page is wide.
    const int offset = rect.right + 1;
    const std::vector<CGridPrintLayout::SColumn> columns = CGridPrintLayout::FitColumns(
        *this, row, startCol, stopCol, m_printLayout.GetPageWidth() - offset, false);
    for (const CGridPrintLayout::SColumn& column : columns)
        if (CGridCellBase* cell = GetCell(row, column.col))
        {
            const SGridRect cellRect{column.left + offset, rect.top, column.right + offset, rect.bottom};
            cell->SetCoords(row, column.col);
            UnderClip(dc, SGridRect{cellRect.left, cellRect.top, cellRect.right + 1, cellRect.bottom + 1},
                      [&] { return cell->PrintCell(&dc, row, column.col, cellRect); });
        }
    rect = saved;

    const bool horizontal = m_gridLines == GGL_HORZ || m_gridLines == GGL_BOTH;
    const bool vertical = m_gridLines == GGL_VERT || m_gridLines == GGL_BOTH;
    for (const CGridPrintLayout::SColumn& column : columns)
    {
        const int x0 = column.left + offset;
        const int x1 = column.right + offset + 1;
        if (horizontal)
        {
            dc.Line({x0, rect.bottom}, {x1 + 1, rect.bottom}, m_gridLineColor);
            if (row == 0)
                dc.Line({x0, rect.top}, {x1 + 1, rect.top}, m_gridLineColor);
        }
        if (vertical)
        {
            dc.Line({x1, rect.top}, {x1, rect.bottom + 1}, m_gridLineColor);
            if (first)
            {
                dc.Line({x0, rect.top}, {x0, rect.bottom + 1}, m_gridLineColor);
                first = false;
            }
        }
    }
}

void CGridCore::PrintHeader(CGridSurface& dc, const SGridPrintInfo& info, const SGridPrintText* texts)
{
    std::wstring left;
    std::wstring center;
    std::wstring right;
    if (texts)
    {
        left = texts->headerLeft;
        center = texts->headerCenter;
        right = texts->headerRight;
    }
    else if (m_host)
        center = m_host->HostParentCaption();
    if (right.empty())
        right = CGridPrintTexts::AppTitle();

    const SGridRect& rect = info.drawRect;
    dc.SaveState();
    dc.SetFont(Bold(PrinterFont()));
    dc.SetTextColor(kBlack);
    CGridDrawText::Draw(dc, center, rect, DT_CENTER | kLineFormat);
    CGridDrawText::Draw(dc, right, rect, DT_RIGHT | kLineFormat);
    CGridDrawText::Draw(dc, left, rect, DT_LEFT | kLineFormat);
    dc.RestoreState();
    dc.Line({rect.left, rect.bottom}, {rect.right, rect.bottom}, kBlack);
}

void CGridCore::PrintFooter(CGridSurface& dc, const SGridPrintInfo& info, const SGridPrintText* texts)
{
    const std::wstring page =
        CGridPrintTexts::PageText(texts, info.currentPage, m_printLayout.GetPageCount());
    const std::wstring when = CGridPrintTexts::DateTimeText(texts, GetPrintTime());
    const std::wstring center = texts ? texts->footerCenter : std::wstring();

    const SGridRect& rect = info.drawRect;
    dc.Line({rect.left, rect.top}, {rect.right, rect.top}, kBlack);
    dc.SaveState();
    dc.SetFont(Bold(PrinterFont()));
    dc.SetTextColor(kBlack);
    CGridDrawText::Draw(dc, page, rect, DT_LEFT | kLineFormat);
    CGridDrawText::Draw(dc, center, rect, DT_CENTER | kLineFormat);
    CGridDrawText::Draw(dc, when, rect, DT_RIGHT | kLineFormat);
    dc.RestoreState();
}
