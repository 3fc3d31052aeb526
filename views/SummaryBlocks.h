#pragma once
#include <string>
#include <vector>

#include "views/ReportText.h"
#include "views/ReportTextBlocks.h"
#include "views/SummaryFonts.h"
#include "views/SummaryInput.h"

class CGridSurface;

/// The text blocks of the summary page: the title, the values of the series
/// in columns, the statistics over them and the comment. Each is laid out at
/// a position into an SReportBlock; measuring is laying out and taking the
/// size. The surface measures the texts.
class CSummaryBlocks
{
public:
    /// The clickable area of the comment text.
    static constexpr int kCommentArea = 2;

    /// `dc`, `fonts` and `input` must outlive the object.
    CSummaryBlocks(CGridSurface& dc, const SSummaryFonts& fonts, const SSummaryInput& input, int margin);

    /// The title in the title font (its one text's font is not one of the four faces).
    SReportBlock Title(int x, int y);
    /// The series' mean values top-down in columns no taller than `height`.
    SReportBlock Values(int x, int y, int height);
    /// The height from which the values stand in one column.
    int ValuesOneColumnHeight();
    SReportBlock Statistics(int x, int y);
    /// The comment (or "[Add]") wrapped into `width`.
    SReportBlock Comment(int x, int y, int width);

private:
    void MeasureValues();

    CGridSurface& m_dc;
    const SSummaryFonts& m_fonts;
    const SSummaryInput& m_input;
    int m_p;
    CReportTextBlocks m_text;
    bool m_valuesMeasured = false;
    std::vector<std::wstring> m_valueTexts;
    std::vector<SGridSize> m_valueSizes;
};
