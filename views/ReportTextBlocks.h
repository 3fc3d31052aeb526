#pragma once
#include <array>
#include <string>

#include "views/ReportText.h"
#include "views/SeriesReportFonts.h"

class CGridSurface;

/// The text blocks that the series report and the summary page lay out
/// alike: a bold heading with lines under it, the statistics table and the
/// wrapped, clickable comment. Each is laid out at a position into an
/// SReportBlock; the surface measures the texts.
class CReportTextBlocks
{
public:
    /// The rows of a statistics table: six labels, the symbols of the first
    /// three rows and six values.
    struct SStatistics
    {
        std::array<std::wstring, 6> labels;
        std::array<std::wstring, 3> symbols;
        std::array<std::wstring, 6> values;
    };

    /// `dc` and `fonts` must outlive the object.
    CReportTextBlocks(CGridSurface& dc, const SSeriesReportFonts& fonts, int margin);

    SGridSize Extent(NReportFont font, const std::wstring& text);
    /// Puts `title` in bold at (x + margin, y + margin), widens the block to
    /// it and returns the top of the first line under it.
    int Heading(SReportBlock& block, int x, int y, const std::wstring& title);
    /// The table under `title`: labels, symbols and values in three columns.
    SReportBlock Statistics(int x, int y, const std::wstring& title, const SStatistics& rows);
    /// `text` (or "[Add]" when empty) under the comment heading, wrapped into
    /// `width`, underlined while `hovered`; every piece belongs to `area`.
    SReportBlock Comment(int x, int y, int width, const std::wstring& text, bool hovered, int area);

    /// The six labels of every statistics table: measurements, mean value,
    /// standard deviation, range, minimum, maximum.
    static std::array<std::wstring, 6> StatisticsLabels();
    /// "= 12.3 unit".
    static std::wstring ValueWithUnit(double value, const std::wstring& unit);
    /// "= -- unit": a value that cannot be given.
    static std::wstring NoValue(const std::wstring& unit) { return L"= -- " + unit; }
    /// The next token of a comment from `pos` on: a word up to the next
    /// blank, full stop or line feed, or one such delimiter by itself.
    /// Carriage returns are skipped. Empty at the end.
    static std::wstring NextCommentWord(const std::wstring& text, std::size_t& pos);
    /// trunc(factor x value) as the layout rules have it.
    static int Scaled(double factor, int value) { return static_cast<int>(factor * value); }

private:
    CGridSurface& m_dc;
    const SSeriesReportFonts& m_fonts;
    int m_p;
};
