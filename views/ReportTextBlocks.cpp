#include "views/ReportTextBlocks.h"

#include <algorithm>

#include "data/NumberFormat.h"
#include "grid/GridSurface.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"

namespace Ids = Resources::Ids;
using Resources::CStringTable;

CReportTextBlocks::CReportTextBlocks(CGridSurface& dc, const SSeriesReportFonts& fonts, int margin)
    : m_dc(dc), m_fonts(fonts), m_p(margin)
{
}

SGridSize CReportTextBlocks::Extent(NReportFont font, const std::wstring& text)
{
    m_fonts.Select(m_dc, font);
    return m_dc.GetTextExtent(text);
}

int CReportTextBlocks::Heading(SReportBlock& block, int x, int y, const std::wstring& title)
{
    const SGridSize size = Extent(NReportFont::Bold, title);
    block.texts.push_back(SReportText{{x + m_p, y + m_p}, title, NReportFont::Bold, 0});
    block.size.cx = std::max(block.size.cx, size.cx + 2 * m_p);
    return y + m_p + Scaled(1.2, size.cy);
}

std::array<std::wstring, 6> CReportTextBlocks::StatisticsLabels()
{
    return {CStringTable::Text(Ids::kStatMeasurements), CStringTable::Text(Ids::kStatMeanValue),
            CStringTable::Text(Ids::kStatStdDeviation), CStringTable::Text(Ids::kStatRange),
            CStringTable::Text(Ids::kStatMinimum),      CStringTable::Text(Ids::kStatMaximum)};
}

std::wstring CReportTextBlocks::ValueWithUnit(double value, const std::wstring& unit)
{
    return L"= " + CNumberFormat::Fixed(value, 1) + L" " + unit;
}

SReportBlock CReportTextBlocks::Statistics(int x, int y, const std::wstring& title, const SStatistics& rows)
{
    SReportBlock block;
    const int top = Heading(block, x, y, title);
    int widestLabel = 0;
    for (const std::wstring& label : rows.labels)
        widestLabel = std::max(widestLabel, Extent(NReportFont::Plain, label).cx);
    int widestSymbol = 0;
    for (const std::wstring& symbol : rows.symbols)
        widestSymbol = std::max(widestSymbol, Extent(NReportFont::Plain, symbol).cx);
    const int symbolX = x + m_p + Scaled(1.1, widestLabel);
    const int valueX = symbolX + Scaled(1.1, widestSymbol);

    int lineY = top;
    int widestValue = 0;
    for (std::size_t i = 0; i < rows.labels.size(); ++i)
    {
        block.texts.push_back(SReportText{{x + m_p, lineY}, rows.labels[i], NReportFont::Plain, 0});
        if (i < rows.symbols.size())
            block.texts.push_back(SReportText{{symbolX, lineY}, rows.symbols[i], NReportFont::Plain, 0});
        block.texts.push_back(SReportText{{valueX, lineY}, rows.values[i], NReportFont::Plain, 0});
        const SGridSize value = Extent(NReportFont::Plain, rows.values[i]);
        widestValue = std::max(widestValue, value.cx);
        lineY += value.cy;
    }
    block.size.cx = std::max(block.size.cx, valueX + widestValue + m_p - x);
    block.size.cy = lineY + m_p - y;
    return block;
}

std::wstring CReportTextBlocks::NextCommentWord(const std::wstring& text, std::size_t& pos)
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

SReportBlock CReportTextBlocks::Comment(int x, int y, int width, const std::wstring& comment, bool hovered,
                                        int area)
{
    SReportBlock block;
    const std::wstring text = comment.empty() ? CStringTable::Text(Ids::kCommentAdd) : comment;
    const int base = Heading(block, x, y, CStringTable::Text(Ids::kCommentTitle));
    const NReportFont font = hovered ? NReportFont::Underlined : NReportFont::Plain;
    const int avail = width - 2 * m_p;
    const int lineHeight = Extent(font, L"A").cy;
    int d = 0;
    int c = 0;
    auto place = [&](const std::wstring& piece, int at)
    {
        if (!piece.empty())
            block.texts.push_back(SReportText{{x + m_p + at, base + d}, piece, font, area});
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
