#pragma once
#include <unordered_map>
#include <vector>

#include "grid/GridTypes.h"

class CGridCore;
class CGridSurface;

/// How a grid falls onto printed pages: the logical page (the grid's full
/// width plus the margins, as tall as the paper's shape gives), the room left
/// for the body, and the body rows of each page. Sizes are in the grid's own
/// pixels, which the print surface stretches over the paper.
class CGridPrintLayout
{
public:
    static constexpr int kHeaderLines = 2;
    static constexpr int kFooterLines = 2;
    static constexpr int kGapLines = 1;
    static constexpr int kLeftMarginChars = 4;
    static constexpr int kRightMarginChars = 4;

    /// A column laid out on a page; left and right are its first and last pixel.
    struct SColumn
    {
        int col = 0;
        int left = 0;
        int right = 0;
        friend bool operator==(const SColumn&, const SColumn&) = default;
    };

    /// Lays `grid` out for paper of `paperSize` device units with text of
    /// `charSize` (average character width, line height). With selectionOnly
    /// only rows whose cell in column 1 is selected are printed. With a
    /// `measure` surface (the page, stretched as printed) each row is as tall
    /// as its cells need there, else as on the screen. False (and an empty
    /// layout) when the paper or the character size is empty.
    bool Compute(const CGridCore& grid, SGridSize charSize, SGridSize paperSize, bool selectionOnly,
                 CGridSurface* measure = nullptr);
    void Reset();
    bool IsValid() const { return m_valid; }
    /// The logical page: the grid's full width and the margins, in the
    /// paper's shape; empty for empty paper.
    static SGridSize LogicalPageSize(const CGridCore& grid, SGridSize charSize, SGridSize paperSize);

    /// Whether the row is a body row that the selection filter lets through.
    static bool IsRowPrinted(const CGridCore& grid, int row, bool selectionOnly);
    /// The columns from firstCol up to stopCol - 1 that fit `pageWidth`, laid
    /// out from 0; with mergedWidths spans count at their first column and
    /// hidden columns and a span's other columns are left out.
    static std::vector<SColumn> FitColumns(const CGridCore& grid, int row, int firstCol, int stopCol,
                                           int pageWidth, bool mergedWidths);

    SGridSize GetCharSize() const { return m_charSize; }
    SGridSize GetPaperSize() const { return m_paperSize; }
    SGridSize GetLogicalPageSize() const { return m_logicalPage; }
    /// Room for the body rows below the heading, and for the body columns.
    int GetPageHeight() const { return m_pageHeight; }
    int GetPageWidth() const { return m_pageWidth; }
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    int GetPagesAcross() const { return 1; }
    int GetLeftMargin() const { return kLeftMarginChars * m_charSize.cx; }
    int GetHeaderHeight() const { return kHeaderLines * m_charSize.cy; }
    int GetFooterHeight() const { return kFooterLines * m_charSize.cy; }
    int GetGap() const { return kGapLines * m_charSize.cy; }
    /// The width the header and footer span.
    int GetPrintWidth() const
    {
        return m_logicalPage.cx - (kLeftMarginChars + kRightMarginChars) * m_charSize.cx;
    }

    /// The body rows of a page (from 1) in order; empty for none.
    const std::vector<int>& GetPageRows(int page) const;
    /// The first body row of a page, or -1 when it has none.
    int GetFirstRow(int page) const;
    /// The height a printed row takes on its page (0 for a row not printed).
    int GetRowHeight(int row) const;

private:
    bool m_valid = false;
    SGridSize m_charSize;
    SGridSize m_paperSize;
    SGridSize m_logicalPage;
    int m_pageHeight = 0;
    int m_pageWidth = 0;
    std::vector<std::vector<int>> m_pages;
    /// Heights of the printed rows, by row.
    std::unordered_map<int, int> m_heights;
};
