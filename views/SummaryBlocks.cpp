#include "views/SummaryBlocks.h"

#include <algorithm>

#include "data/NumberFormat.h"
#include "grid/GridSurface.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"

namespace Ids = Resources::Ids;
using Resources::CStringTable;

CSummaryBlocks::CSummaryBlocks(CGridSurface& dc, const SSummaryFonts& fonts, const SSummaryInput& input,
                               int margin)
    : m_dc(dc), m_fonts(fonts), m_input(input), m_p(margin), m_text(dc, fonts.faces, margin)
{
}

SReportBlock CSummaryBlocks::Title(int x, int y)
{
    SReportBlock block;
    const std::wstring title = CStringTable::Text(Ids::kSummaryTitle);
    m_dc.SetFont(m_fonts.title);
    block.size = m_dc.GetTextExtent(title);
    block.texts.push_back(SReportText{{x, y}, title, NReportFont::Bold, 0});
    return block;
}

void CSummaryBlocks::MeasureValues()
{
    if (m_valuesMeasured)
        return;
    m_valueTexts.reserve(m_input.diagram.bars.size());
    m_valueSizes.reserve(m_input.diagram.bars.size());
    for (const SSummaryBar& bar : m_input.diagram.bars)
    {
        m_valueTexts.push_back(CNumberFormat::Fixed(bar.mean, 1) + L" " + m_input.diagram.unit);
        m_valueSizes.push_back(m_text.Extent(NReportFont::Plain, m_valueTexts.back()));
    }
    m_valuesMeasured = true;
}

SReportBlock CSummaryBlocks::Values(int x, int y, int height)
{
    MeasureValues();
    SReportBlock block;
    const int top = m_text.Heading(block, x, y, CStringTable::Text(Ids::kSummaryValuesTitle));
    int columnX = x + m_p;
    int lineY = top;
    int widest = 0;
    int lowest = top;
    bool columnEmpty = true;
    for (std::size_t i = 0; i < m_valueTexts.size(); ++i)
    {
        const SGridSize size = m_valueSizes[i];
        // A line that would reach past the column opens the next one; the
        // first line of a column stays, however tall.
        if (!columnEmpty && lineY + size.cy + m_p > y + height)
        {
            columnX += CReportTextBlocks::Scaled(1.8, widest);
            lineY = top;
            widest = 0;
        }
        widest = std::max(widest, size.cx);
        block.texts.push_back(SReportText{{columnX, lineY}, m_valueTexts[i], NReportFont::Plain, 0});
        lineY += size.cy;
        lowest = std::max(lowest, lineY);
        columnEmpty = false;
    }
    block.size.cx = std::max(block.size.cx, m_p + widest + columnX - x);
    block.size.cy = lowest + m_p - y;
    return block;
}

int CSummaryBlocks::ValuesOneColumnHeight()
{
    MeasureValues();
    SReportBlock heading;
    int height = m_text.Heading(heading, 0, 0, CStringTable::Text(Ids::kSummaryValuesTitle)) + m_p;
    for (const SGridSize& size : m_valueSizes)
        height += size.cy;
    return height;
}

SReportBlock CSummaryBlocks::Statistics(int x, int y)
{
    const std::wstring& unit = m_input.diagram.unit;
    const int n = m_input.diagram.count;
    using B = CReportTextBlocks;
    const std::wstring none = B::NoValue(unit);
    B::SStatistics rows;
    rows.labels = B::StatisticsLabels();
    rows.symbols = {CStringTable::Text(Ids::kSummarySymbolCount), CStringTable::Text(Ids::kSummarySymbolMean),
                    CStringTable::Text(Ids::kSummarySymbolDeviation)};
    rows.values = {
        L"= " + std::to_wstring(n),
        B::ValueWithUnit(m_input.diagram.mean, unit),
        n < 2 ? none : B::ValueWithUnit(m_input.sd, unit),
        n < 2 ? none : B::ValueWithUnit(m_input.max - m_input.min, unit),
        n < 1 ? none : B::ValueWithUnit(m_input.min, unit),
        n < 1 ? none : B::ValueWithUnit(m_input.max, unit),
    };
    return m_text.Statistics(x, y, CStringTable::Text(Ids::kSummaryStatisticsTitle), rows);
}

SReportBlock CSummaryBlocks::Comment(int x, int y, int width)
{
    return m_text.Comment(x, y, width, m_input.comment, m_input.hovered == kCommentArea, kCommentArea);
}
