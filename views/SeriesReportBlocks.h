#pragma once
#include <string>
#include <vector>

#include "views/ReportText.h"
#include "views/ReportTextBlocks.h"
#include "views/SeriesReportFonts.h"

class CGridSurface;
class CTerrionDoc;

/// The text blocks of a series report: statistics, the numbered readings in
/// columns, the measurement settings and the comment. Each is laid out at a
/// position into an SReportBlock (its size and its texts); measuring is
/// laying out and taking the size. The surface measures the texts.
class CSeriesReportBlocks
{
public:
    /// The clickable area of the comment text.
    static constexpr int kCommentArea = 2;

    /// `doc` and `dc` must outlive the object; `index` names an existing series.
    CSeriesReportBlocks(const CTerrionDoc& doc, int index, CGridSurface& dc, const SSeriesReportFonts& fonts,
                        int margin);

    SReportBlock Statistics(int x, int y);
    /// The readings top-down in columns no taller than `height`.
    SReportBlock Readings(int x, int y, int height);
    SReportBlock Settings(int x, int y);
    /// The comment (or "[Add]") wrapped into `width`, in the link colour and
    /// underlined while `hovered`; every piece belongs to kCommentArea.
    SReportBlock Comment(int x, int y, int width, bool hovered);
    /// The height the readings need in one column: from it on no taller
    /// column changes their layout.
    int ReadingsOneColumnHeight();

    /// The next token of a comment from `pos` on: a word up to the next
    /// blank, full stop or line feed, or one such delimiter by itself.
    /// Carriage returns are skipped. Empty at the end.
    static std::wstring NextCommentWord(const std::wstring& text, std::size_t& pos)
    {
        return CReportTextBlocks::NextCommentWord(text, pos);
    }

private:
    SGridSize Extent(NReportFont font, const std::wstring& text);
    /// The top of the lines under a block's bold title at (x + p, y + p).
    int LinesTop(SReportBlock& block, int x, int y, const std::wstring& title);
    void MeasureReadings();

    const CTerrionDoc& m_doc;
    int m_index;
    int m_p;
    bool m_readingsMeasured = false;
    std::vector<std::wstring> m_readingTexts;
    std::vector<SGridSize> m_readingSizes;
    CReportTextBlocks m_text;
};
