#include "views/SummaryDiagram.h"

#include <algorithm>
#include <cmath>

#include "data/NumberFormat.h"
#include "data/SummaryData.h"
#include "grid/GridSurface.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "views/ColorScheme.h"
#include "views/DiagramFrame.h"
#include "views/GraphGrid.h"
#include "views/ReportTextBlocks.h"

namespace Ids = Resources::Ids;
using Resources::CStringTable;

namespace
{

constexpr TGridColor kBlack = GridRgb(0, 0, 0);
/// The text the value font must fit into a bar with.
constexpr const wchar_t* kWidestValue = L"55.5555555555";
constexpr const wchar_t* kEllipsis = L"...";
constexpr int kSmallestValueLine = 6;

long long BarRun(int n, int width, int gap)
{
    return static_cast<long long>(n) * width + static_cast<long long>(n + 2) * gap;
}

/// Whether a horizontal span [left, right) and a vertical one [top, bottom) meet `clip`.
bool Meets(const SGridRect& clip, int left, int top, int right, int bottom)
{
    return left < clip.right && right > clip.left && top < clip.bottom && bottom > clip.top;
}

} // namespace

CSummaryDiagram::CSummaryDiagram(CGridSurface& dc, const SSummaryFonts& fonts, int margin)
    : m_dc(dc), m_fonts(fonts), m_p(margin)
{
}

void CSummaryDiagram::FitBars(int n, int avail, int* width, int* gap, int widest)
{
    n = std::max(n, 0);
    widest = std::max(widest, 1);
    int k = widest;
    int g = k < 3 ? 0 : 2;
    while (BarRun(n, k, g) > avail && k > 1)
    {
        --k;
        g = k < 3 ? 0 : k < widest ? 1 : 2;
    }
    *width = k;
    *gap = g;
}

int CSummaryDiagram::WidestBar(int lineHeight)
{
    // Labels are written only where a bar and its gap of 2 are wider than
    // 1.3 lines; the 24 pixels were made for a small font.
    return std::max(kWidestBar, CReportTextBlocks::Scaled(1.3, lineHeight) - 1);
}

std::wstring CSummaryDiagram::Label(const SSummaryBar& bar)
{
    return bar.name.empty() ? std::to_wstring(bar.objectId) : bar.name;
}

std::wstring CSummaryDiagram::OrderLabel(int order)
{
    switch (order)
    {
    case SummaryOrderObjectId:
        return CStringTable::Text(Ids::kOrderedByObjectId);
    case SummaryOrderValue:
        return CStringTable::Text(Ids::kOrderedByValue);
    case SummaryOrderName:
        return CStringTable::Text(Ids::kOrderedByName);
    default:
        return std::wstring();
    }
}

bool CSummaryDiagram::CompareById(const SSummaryBar& a, const SSummaryBar& b)
{
    return a.objectId < b.objectId;
}

bool CSummaryDiagram::CompareByValue(const SSummaryBar& a, const SSummaryBar& b)
{
    return a.mean < b.mean;
}

bool CSummaryDiagram::CompareByName(const SSummaryBar& a, const SSummaryBar& b)
{
    if (a.name.empty() && b.name.empty())
        return a.objectId < b.objectId;
    return a.name < b.name; // code unit by code unit; an empty name comes first
}

void CSummaryDiagram::SortBars(std::vector<SSummaryBar>& bars, int order)
{
    switch (order)
    {
    case SummaryOrderObjectId:
        std::stable_sort(bars.begin(), bars.end(), CompareById);
        break;
    case SummaryOrderValue:
        std::stable_sort(bars.begin(), bars.end(), CompareByValue);
        break;
    case SummaryOrderName:
        std::stable_sort(bars.begin(), bars.end(), CompareByName);
        break;
    default:
        break;
    }
}

std::wstring CSummaryDiagram::FitTextWithEllipsis(const std::wstring& text, int maxWidth)
{
    if (m_dc.GetTextExtent(text).cx <= maxWidth)
        return text;
    // The longest beginning that fits with "..." behind it; widths grow with
    // every character, so halving the range finds it in a few measurements.
    std::size_t fits = 0;
    std::size_t fails = text.size();
    while (fails - fits > 1)
    {
        const std::size_t middle = fits + (fails - fits) / 2;
        if (m_dc.GetTextExtent(text.substr(0, middle) + kEllipsis).cx <= maxWidth)
            fits = middle;
        else
            fails = middle;
    }
    return text.substr(0, fits) + kEllipsis;
}

SGridSize CSummaryDiagram::Extent(const SGridFont& font, const std::wstring& text)
{
    m_dc.SetFont(font);
    return m_dc.GetTextExtent(text);
}

SGraphGridSettings CSummaryDiagram::AxisSettings(double yMax)
{
    SGraphGridSettings s = CDiagramFrame::ValueAxis();
    s.yMin = 0.0;
    s.yMax = yMax;
    return s;
}

SSummaryDiagramLayout CSummaryDiagram::Layout(const SSummaryDiagramInput& in, int x, int y, int width,
                                              int height)
{
    SSummaryDiagramLayout l;
    m_dc.SaveState();
    const SSeriesReportFonts& faces = m_fonts.faces;
    const int n = static_cast<int>(in.bars.size());

    // Heading and order label.
    const SDiagramHeading head = CDiagramFrame::Heading(
        m_dc, faces, SGridPoint{x + m_p, y + m_p}, CStringTable::Text(Ids::kSummaryDiagramTitle) + L" ",
        in.count >= 2 ? OrderLabel(in.order) : std::wstring(), in.hovered, kOrderArea);
    l.heading = head.heading;
    l.orderLabel = head.orderLabel;
    l.orderRect = head.orderRect;
    const int headingWidth = head.width;
    const int lineA = Extent(faces.plain, L"A").cy;
    const int plotTop = y + m_p + CReportTextBlocks::Scaled(1.2, head.height) + lineA + m_p;

    // Bars, and the value font that fits them.
    FitBars(n, width - 2 * m_p - kAxisRoom, &l.barWidth, &l.gap, WidestBar(lineA));
    l.barRun = static_cast<int>(std::min<long long>(BarRun(n, l.barWidth, l.gap), 1 << 30));
    SGridFont valueFont = m_fonts.vertical;
    const int start = valueFont.height > 0 ? valueFont.height : lineA;
    // Each try one pixel smaller; the loop ends at the latest with nothing left.
    int h = start - 1;
    for (; h > 0; --h)
    {
        valueFont.height = h;
        if (Extent(valueFont, kWidestValue).cy <= l.barWidth + 4)
            break;
    }
    l.valueFontHeight = std::max(h, 0);
    valueFont.height = l.valueFontHeight;
    // Values are written in a font of 5 pixels or more; a font's height here
    // is its line's, and the line of a 5-pixel font is 6 pixels high.
    l.values = l.valueFontHeight > 0 && Extent(valueFont, kWidestValue).cy >= kSmallestValueLine;
    const int density = CReportTextBlocks::Scaled(1.3, lineA) / std::max(l.barWidth + l.gap, 1);
    l.labels = density == 0 && l.valueFontHeight > 0;

    // The label band: the widest label cut to its width, and no narrower
    // than the labels as written in the value font, which may be wider.
    for (const SSummaryBar& bar : in.bars)
    {
        m_dc.SetFont(faces.plain);
        l.labelBand =
            std::max(l.labelBand, m_dc.GetTextExtent(FitTextWithEllipsis(Label(bar), kLabelWidth)).cx);
        if (l.labels)
        {
            m_dc.SetFont(valueFont);
            l.labelBand =
                std::max(l.labelBand, m_dc.GetTextExtent(FitTextWithEllipsis(Label(bar), kLabelWidth)).cx);
        }
    }

    // A trial chart tells the room of the value axis, and with it the width.
    const double largest = 1.1 * in.largest;
    const double yMax = std::isfinite(largest) && largest > 1.0 ? largest : 1.0;
    SGraphGridSettings trial = AxisSettings(yMax);
    trial.xMax = 10.0;
    trial.rect = SGridRect{0, 0, 100, height - 2 * m_p - lineA - l.labelBand};
    m_dc.SetFont(faces.plain);
    CGraphGrid::AutoScale(trial, m_dc, true, true);
    CGraphGrid trialChart;
    trialChart.SetSettings(trial, m_dc);
    l.axisRoom = trialChart.GetPlotRect().left;
    l.size = SGridSize{std::max(2 * m_p + headingWidth, 2 * m_p + l.axisRoom + l.barRun + 4), height};

    // The real chart.
    l.chart = AxisSettings(yMax);
    l.chart.xMin = -0.5;
    l.chart.xMax = n + 0.5;
    l.chart.rect =
        SGridRect{x + m_p, plotTop, x + m_p + l.axisRoom + l.barRun, y + height - m_p - l.labelBand};
    CGraphGrid::AutoScale(l.chart, m_dc, true, true);
    CGraphGrid chart;
    chart.SetSettings(l.chart, m_dc);
    const SGridRect plot = chart.GetPlotRect();
    l.plot = plot;
    l.unitAt = SGridPoint{x + m_p, l.chart.rect.top};
    l.unit = in.unit;
    l.meanY = std::clamp(chart.ValueToPixelY(in.mean), plot.top, plot.bottom);

    // The bars, left to right.
    const int valueHeight = Extent(valueFont, kWidestValue).cy;
    l.bars.reserve(in.bars.size());
    int bx = plot.left + l.gap + 4;
    for (const SSummaryBar& bar : in.bars)
    {
        SSummaryDiagramBar b;
        // A mean at or below 0 (or one no axis holds) stands as no bar on the base line.
        const int top = std::clamp(chart.ValueToPixelY(bar.mean), plot.top, plot.bottom);
        b.rect = SGridRect{bx, top, bx + l.barWidth, plot.bottom};
        b.index = bar.index;
        b.value = CNumberFormat::Fixed(bar.mean, 1);
        const int middle = (b.rect.left + b.rect.right) / 2;
        b.valueAt = SGridPoint{middle - valueHeight / 2, top - 3};
        m_dc.SetFont(valueFont);
        b.label = FitTextWithEllipsis(Label(bar), kLabelWidth);
        const int valueLength = m_dc.GetTextExtent(b.value).cx;
        const int labelHeight = m_dc.GetTextExtent(b.label).cy;
        b.labelAt = SGridPoint{middle - labelHeight / 2, plot.bottom + 3};
        b.menuArea = SGridRect{b.rect.left, top - valueLength, b.rect.right, b.rect.bottom};
        l.bars.push_back(std::move(b));
        bx += l.barWidth + l.gap;
    }
    m_dc.RestoreState();
    return l;
}

void CSummaryDiagram::Draw(const SSummaryDiagramLayout& l, TGridColor textColor)
{
    const SGridRect clip = m_dc.GetClipBox();
    // Nothing of the diagram reaches past its size, but its values and
    // labels may stand a label's width beyond the bars.
    if (!Meets(clip, l.heading.at.x - m_p, l.heading.at.y - m_p - kLabelWidth,
               l.heading.at.x - m_p + l.size.cx + kLabelWidth,
               l.heading.at.y - m_p + l.size.cy + kLabelWidth))
        return;
    m_dc.SaveState();
    const SSeriesReportFonts& faces = m_fonts.faces;
    m_dc.SetTextAlign(NGridTextAlign::Left);
    m_dc.SetTextVAlign(NGridTextVAlign::Top);
    CDiagramFrame::DrawHeading(m_dc, faces, l.heading, l.orderLabel, textColor);
    CDiagramFrame::DrawAxis(m_dc, faces, l.chart, l.plot, l.barRun, l.unitAt, l.unit);
    const SGridRect& plot = l.plot;
    m_dc.Line({plot.left - 2, l.meanY}, {plot.left + 4, l.meanY}, kBlack);

    SGridFont valueFont = m_fonts.vertical;
    valueFont.height = l.valueFontHeight;
    m_dc.SetFont(valueFont);
    for (const SSummaryDiagramBar& bar : l.bars)
    {
        // Bars left or right of the clip, with what is written over and under them, are passed over.
        if (bar.rect.right + l.valueFontHeight < clip.left || bar.rect.left - l.valueFontHeight > clip.right)
            continue;
        // Outline and fill share the bar colour: one fill draws the same pixels.
        m_dc.FillSolidRect(bar.rect, theColorScheme.BarColor);
        if (l.values)
        {
            m_dc.SetTextAlign(NGridTextAlign::Left);
            m_dc.TextOut(bar.valueAt.x, bar.valueAt.y, bar.value);
        }
        if (l.labels)
        {
            m_dc.SetTextAlign(NGridTextAlign::Right);
            m_dc.TextOut(bar.labelAt.x, bar.labelAt.y, bar.label);
        }
    }
    m_dc.RestoreState();
}
