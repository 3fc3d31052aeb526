#include "views/SeriesReportBlocks.h"

#include <algorithm>

#include "data/NumberFormat.h"
#include "data/TerrionDoc.h"
#include "grid/GridSurface.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"

namespace Ids = Resources::Ids;
using Resources::CStringTable;

namespace
{

/// trunc(factor x value) as the layout rules have it.
int Scaled(double factor, int value)
{
    return static_cast<int>(factor * value);
}

std::wstring WithUnit(double value, const std::wstring& unit)
{
    return CNumberFormat::Fixed(value, 1) + L" " + unit;
}

} // namespace

CSeriesReportBlocks::CSeriesReportBlocks(const CTerrionDoc& doc, int index, CGridSurface& dc,
                                         const SSeriesReportFonts& fonts, int margin)
    : m_doc(doc), m_index(index), m_dc(dc), m_fonts(fonts), m_p(margin)
{
}

SGridSize CSeriesReportBlocks::Extent(NReportFont font, const std::wstring& text)
{
    m_fonts.Select(m_dc, font);
    return m_dc.GetTextExtent(text);
}

int CSeriesReportBlocks::LinesTop(SReportBlock& block, int x, int y, const std::wstring& title)
{
    const SGridSize size = Extent(NReportFont::Bold, title);
    block.texts.push_back(SReportText{{x + m_p, y + m_p}, title, NReportFont::Bold, 0});
    block.size.cx = std::max(block.size.cx, size.cx + 2 * m_p);
    return y + m_p + Scaled(1.2, size.cy);
}

SReportBlock CSeriesReportBlocks::Statistics(int x, int y)
{
    SReportBlock block;
    const int top = LinesTop(block, x, y, CStringTable::Text(Ids::kStatisticsTitle));
    const std::wstring unit = CTerrionDoc::GetResistivityUnit();
    const int n = m_doc.GetReadingCount(m_index);
    double mean = 0.0, sd = 0.0, min = 0.0, max = 0.0;
    m_doc.GetStatistics(m_index, &mean, &sd, &min, &max);
    const std::wstring none = L"= -- " + unit;

    const std::wstring labels[] = {
        CStringTable::Text(Ids::kStatMeasurements), CStringTable::Text(Ids::kStatMeanValue),
        CStringTable::Text(Ids::kStatStdDeviation), CStringTable::Text(Ids::kStatRange),
        CStringTable::Text(Ids::kStatMinimum),      CStringTable::Text(Ids::kStatMaximum),
    };
    const std::wstring symbols[] = {CStringTable::Text(Ids::kStatSymbolCount),
                                    CStringTable::Text(Ids::kStatSymbolMean),
                                    CStringTable::Text(Ids::kStatSymbolDeviation)};
    const std::wstring values[] = {
        L"= " + std::to_wstring(m_doc.GetValidReadingCount(m_index)),
        L"= " + WithUnit(mean, unit),
        n < 2 ? none : L"= " + WithUnit(sd, unit),
        n < 2 ? none : L"= " + WithUnit(max - min, unit),
        n < 1 ? none : L"= " + WithUnit(min, unit),
        n < 1 ? none : L"= " + WithUnit(max, unit),
    };

    int widestLabel = 0;
    for (const std::wstring& label : labels)
        widestLabel = std::max(widestLabel, Extent(NReportFont::Plain, label).cx);
    int widestSymbol = 0;
    for (const std::wstring& symbol : symbols)
        widestSymbol = std::max(widestSymbol, Extent(NReportFont::Plain, symbol).cx);
    const int symbolX = x + m_p + Scaled(1.1, widestLabel);
    const int valueX = symbolX + Scaled(1.1, widestSymbol);

    int lineY = top;
    int widestValue = 0;
    for (std::size_t i = 0; i < std::size(labels); ++i)
    {
        block.texts.push_back(SReportText{{x + m_p, lineY}, labels[i], NReportFont::Plain, 0});
        if (i < std::size(symbols))
            block.texts.push_back(SReportText{{symbolX, lineY}, symbols[i], NReportFont::Plain, 0});
        block.texts.push_back(SReportText{{valueX, lineY}, values[i], NReportFont::Plain, 0});
        const SGridSize value = Extent(NReportFont::Plain, values[i]);
        widestValue = std::max(widestValue, value.cx);
        lineY += value.cy;
    }
    block.size.cx = std::max(block.size.cx, valueX + widestValue + m_p - x);
    block.size.cy = lineY + m_p - y;
    return block;
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

std::wstring CSeriesReportBlocks::NextCommentWord(const std::wstring& text, std::size_t& pos)
{
    while (pos < text.size() && text[pos] == L'\r')
        ++pos;
    if (pos >= text.size())
        return std::wstring();
    auto delimiter = [](wchar_t c) { return c == L' ' || c == L'.' || c == L'\n'; };
    if (delimiter(text[pos]))
        return std::wstring(1, text[pos++]);
    std::wstring word;
    while (pos < text.size() && !delimiter(text[pos]))
    {
        if (text[pos] != L'\r')
            word += text[pos];
        ++pos;
    }
    return word;
}

SReportBlock CSeriesReportBlocks::Comment(int x, int y, int width, bool hovered)
{
    SReportBlock block;
    std::wstring text = m_doc.GetComment(m_index);
    const std::size_t first = text.find_first_not_of(L" \t\r\n");
    text.erase(0, first == std::wstring::npos ? text.size() : first);
    if (text.empty())
        text = CStringTable::Text(Ids::kCommentAdd);

    const int base = LinesTop(block, x, y, CStringTable::Text(Ids::kCommentTitle));
    const NReportFont font = hovered ? NReportFont::Underlined : NReportFont::Plain;
    const int avail = width - 2 * m_p;
    const int lineHeight = Extent(font, L"A").cy;
    int d = 0;
    int c = 0;
    auto place = [&](const std::wstring& piece, int at)
    {
        if (!piece.empty())
            block.texts.push_back(SReportText{{x + m_p + at, base + d}, piece, font, kCommentArea});
    };
    std::size_t pos = 0;
    for (std::wstring token = NextCommentWord(text, pos); !token.empty(); token = NextCommentWord(text, pos))
    {
        if (token == L"\n")
        {
            d += lineHeight;
            c = 0;
            continue;
        }
        const SGridSize size = Extent(font, token);
        if (c + size.cx < avail)
        {
            place(token, c);
            c += size.cx;
        }
        else if (size.cx < avail)
        {
            d += size.cy;
            c = 0;
            place(token, c);
            c = size.cx;
        }
        else
        {
            // A word wider than the line goes on character by character; a
            // line always takes its first character, so every one is drawn.
            std::wstring piece;
            int pieceWidth = 0;
            for (wchar_t ch : token)
            {
                const int chWidth = Extent(font, std::wstring(1, ch)).cx;
                if (c + pieceWidth + chWidth > avail && (c > 0 || !piece.empty()))
                {
                    place(piece, c);
                    d += size.cy;
                    c = 0;
                    piece.clear();
                    pieceWidth = 0;
                }
                piece += ch;
                pieceWidth += chWidth;
            }
            place(piece, c);
            c += pieceWidth;
        }
    }
    block.size.cx = width;
    block.size.cy = base - y + d + lineHeight + m_p;
    return block;
}
