#include "views/SeriesReportBlocks.h"

#include <algorithm>

#include "data/TerrionDoc.h"
#include "grid/GridSurface.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"

namespace Ids = Resources::Ids;
using Resources::CStringTable;

namespace
{

int Scaled(double factor, int value)
{
    return CReportTextBlocks::Scaled(factor, value);
}

} // namespace

CSeriesReportBlocks::CSeriesReportBlocks(const CTerrionDoc& doc, int index, CGridSurface& dc,
                                         const SSeriesReportFonts& fonts, int margin)
    : m_doc(doc), m_index(index), m_p(margin), m_text(dc, fonts, margin)
{
}

SGridSize CSeriesReportBlocks::Extent(NReportFont font, const std::wstring& text)
{
    return m_text.Extent(font, text);
}

int CSeriesReportBlocks::LinesTop(SReportBlock& block, int x, int y, const std::wstring& title)
{
    return m_text.Heading(block, x, y, title);
}

SReportBlock CSeriesReportBlocks::Statistics(int x, int y)
{
    const std::wstring unit = CTerrionDoc::GetResistivityUnit();
    const int n = m_doc.GetReadingCount(m_index);
    double mean = 0.0, sd = 0.0, min = 0.0, max = 0.0;
    m_doc.GetStatistics(m_index, &mean, &sd, &min, &max);
    using B = CReportTextBlocks;
    const std::wstring none = B::NoValue(unit);
    B::SStatistics rows;
    rows.labels = B::StatisticsLabels();
    rows.symbols = {CStringTable::Text(Ids::kStatSymbolCount), CStringTable::Text(Ids::kStatSymbolMean),
                    CStringTable::Text(Ids::kStatSymbolDeviation)};
    rows.values = {
        L"= " + std::to_wstring(m_doc.GetValidReadingCount(m_index)),
        B::ValueWithUnit(mean, unit),
        n < 2 ? none : B::ValueWithUnit(sd, unit),
        n < 2 ? none : B::ValueWithUnit(max - min, unit),
        n < 1 ? none : B::ValueWithUnit(min, unit),
        n < 1 ? none : B::ValueWithUnit(max, unit),
    };
    return m_text.Statistics(x, y, CStringTable::Text(Ids::kStatisticsTitle), rows);
}

void CSeriesReportBlocks::MeasureReadings()
{
    if (m_readingsMeasured)
        return;
    const int n = m_doc.GetReadingCount(m_index);
    m_readingTexts.reserve(static_cast<std::size_t>(n));
    m_readingSizes.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
    {
        m_readingTexts.push_back(m_doc.FormatReading(m_index, i));
        m_readingSizes.push_back(Extent(NReportFont::Plain, m_readingTexts.back()));
    }
    m_readingsMeasured = true;
}

SReportBlock CSeriesReportBlocks::Readings(int x, int y, int height)
{
    MeasureReadings();
    SReportBlock block;
    const std::wstring title = CStringTable::Text(Ids::kReadingsTitle);
    const int titleWidth = Extent(NReportFont::Bold, title).cx;
    const int top = LinesTop(block, x, y, title);
    int columnX = x + m_p;
    int lineY = top;
    int widest = 0;
    int lowest = top;
    bool columnEmpty = true;
    for (std::size_t i = 0; i < m_readingTexts.size(); ++i)
    {
        const SGridSize size = m_readingSizes[i];
        // A line that would reach past the height opens the next column;
        // the first line of a column stays, however tall.
        if (!columnEmpty && lineY + size.cy + m_p > y + height)
        {
            columnX += Scaled(1.8, std::max(widest, size.cx));
            lineY = top;
            widest = 0;
        }
        widest = std::max(widest, size.cx);
        block.texts.push_back(SReportText{{columnX, lineY}, m_readingTexts[i], NReportFont::Plain, 0});
        lineY += size.cy;
        lowest = std::max(lowest, lineY);
        columnEmpty = false;
    }
    block.size.cx = std::max(titleWidth + 2 * m_p, m_p + widest + columnX - x);
    block.size.cy = lowest + m_p - y;
    return block;
}

int CSeriesReportBlocks::ReadingsOneColumnHeight()
{
    MeasureReadings();
    const int titleHeight = Extent(NReportFont::Bold, CStringTable::Text(Ids::kReadingsTitle)).cy;
    int height = 2 * m_p + Scaled(1.2, titleHeight);
    for (const SGridSize& size : m_readingSizes)
        height += size.cy;
    return height;
}

SReportBlock CSeriesReportBlocks::Settings(int x, int y)
{
    SReportBlock block;
    const int top = LinesTop(block, x, y, CStringTable::Text(Ids::kSettingsTitle));
    const Device::NMeasurementMode mode = m_doc.GetMeasurementMode(m_index);
    const Device::NCorrectionKind kind = m_doc.GetCorrectionKind(m_index);
    const Device::NSpecimenShape shape = m_doc.GetSpecimenShape(m_index);
    const bool geometric = kind == Device::NCorrectionKind::Geometric;
    const bool flat = shape == Device::NSpecimenShape::Flat;

    std::vector<std::pair<std::wstring, std::wstring>> rows;
    rows.emplace_back(CStringTable::Text(Ids::kSettingSerialNumber), m_doc.GetSerialNumber(m_index));
    rows.emplace_back(CStringTable::Text(Ids::kSettingMode), m_doc.FormatMeasurementMode(m_index));
    if (mode == Device::NMeasurementMode::Surface)
    {
        std::wstring spacing = m_doc.FormatContactSpacing(m_index);
        if (m_doc.IsDefaultContactSpacing(m_index))
            spacing += L" " + CStringTable::Text(Ids::kSettingDefault);
        rows.emplace_back(CStringTable::Text(Ids::kSettingSpacing), spacing);
    }
    if (geometric)
        rows.emplace_back(CStringTable::Text(Ids::kSettingShape), m_doc.FormatSpecimenShape(m_index));
    if (geometric && !flat)
    {
        rows.emplace_back(CStringTable::Text(Ids::kSettingLength), m_doc.FormatLength(m_index));
        const bool cylinder = shape == Device::NSpecimenShape::Cylinder;
        rows.emplace_back(CStringTable::Text(cylinder ? Ids::kSettingDiameter : Ids::kSettingWidth),
                          m_doc.FormatDiameter(m_index));
    }
    if (geometric && shape == Device::NSpecimenShape::Prism)
        rows.emplace_back(CStringTable::Text(Ids::kSettingDepth), m_doc.FormatDepth(m_index));
    rows.emplace_back(CStringTable::Text(Ids::kSettingCorrection), m_doc.FormatCorrection(m_index));

    int widestLabel = 0;
    for (const auto& row : rows)
        widestLabel = std::max(widestLabel, Extent(NReportFont::Plain, row.first).cx);
    const int valueX = x + m_p + Scaled(1.4, widestLabel);
    int lineY = top;
    int widestValue = 0;
    for (const auto& [label, value] : rows)
    {
        const SGridSize labelSize = Extent(NReportFont::Plain, label);
        block.texts.push_back(SReportText{{x + m_p, lineY}, label, NReportFont::Plain, 0});
        int advance = labelSize.cy;
        if (!value.empty())
        {
            const SGridSize valueSize = Extent(NReportFont::Plain, value);
            block.texts.push_back(SReportText{{valueX, lineY}, value, NReportFont::Plain, 0});
            widestValue = std::max(widestValue, valueSize.cx);
            advance = valueSize.cy;
        }
        lineY += advance;
    }
    block.size.cx = std::max(block.size.cx, valueX + widestValue + m_p - x);
    block.size.cy = lineY + m_p - y;
    return block;
}

SReportBlock CSeriesReportBlocks::Comment(int x, int y, int width, bool hovered)
{
    std::wstring text = m_doc.GetComment(m_index);
    const std::size_t first = text.find_first_not_of(L" \t\r\n");
    text.erase(0, first == std::wstring::npos ? text.size() : first);
    return m_text.Comment(x, y, width, text, hovered, kCommentArea);
}
