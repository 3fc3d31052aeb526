#include "views/SeriesDiagram.h"

#include <algorithm>
#include <cmath>

#include "data/NumberFormat.h"
#include "data/TerrionDoc.h"
#include "drawing/SensitiveArea.h"
#include "grid/GridCellBase.h"
#include "grid/GridSurface.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "resources/TextFormat.h"
#include "views/ColorScheme.h"
#include "views/DiagramFrame.h"
#include "views/GraphGrid.h"

namespace Ids = Resources::Ids;
using Resources::CStringTable;

namespace
{

constexpr TGridColor kBlack = GridRgb(0, 0, 0);
/// The widest bar and the room the axis keeps right of the bars.
constexpr int kWidestBar = 24;
constexpr int kAxisRoom = 30;

} // namespace

CSeriesDiagram::CSeriesDiagram(const CTerrionDoc& doc, int index, CGridSurface& dc,
                               const SSeriesReportFonts& fonts, int margin)
    : m_doc(doc), m_index(index), m_dc(dc), m_fonts(fonts), m_p(margin)
{
}

void CSeriesDiagram::FitBars(int n, int avail, int* width, int* gap)
{
    n = std::max(n, 0);
    for (int k = kWidestBar; k >= 0; --k)
    {
        const int g = k == kWidestBar ? 2 : 1;
        if (static_cast<long long>(n) * k + static_cast<long long>(n + 2) * g <= avail)
        {
            *width = k;
            *gap = g;
            return;
        }
    }
    *width = 0;
    *gap = 1;
}

int CSeriesDiagram::LabelSpacing(int numberWidth, int barWidth, int gap)
{
    return static_cast<int>(1.3 * numberWidth) / std::max(barWidth + gap, 1);
}

bool CSeriesDiagram::IsByValue(const CTerrionDoc& doc, int index)
{
    return doc.GetDiagramOrder(index) == DiagramOrderValue;
}

std::vector<CSeriesDiagram::SValueIndex> CSeriesDiagram::Readings(const CTerrionDoc& doc, int index,
                                                                  bool byValue)
{
    const int n = doc.GetReadingCount(index);
    std::vector<SValueIndex> readings;
    readings.reserve(static_cast<std::size_t>(std::max(n, 0)));
    for (int i = 0; i < n; ++i)
        readings.push_back(SValueIndex{doc.GetReading(index, i), doc.GetCurrent(index, i), i + 1});
    if (byValue)
        std::stable_sort(readings.begin(), readings.end(),
                         [](const SValueIndex& a, const SValueIndex& b) { return a.value < b.value; });
    return readings;
}

SGraphGridSettings CSeriesDiagram::AxisSettings()
{
    return CDiagramFrame::ValueAxis();
}

SSeriesDiagramLayout CSeriesDiagram::Layout(int x, int y, int width, int height, bool hovered, bool full)
{
    SSeriesDiagramLayout layout;
    m_dc.SaveState();
    const int n = std::max(m_doc.GetReadingCount(m_index), 0);
    const bool byValue = IsByValue(m_doc, m_index);

    // Title and order label.
    const SDiagramHeading h = CDiagramFrame::Heading(
        m_dc, m_fonts, SGridPoint{x + m_p, y + m_p}, CStringTable::Text(Ids::kDiagramTitle) + L" ",
        n > 1 ? CStringTable::Text(byValue ? Ids::kOrderedByValue : Ids::kMeasurementOrder) : std::wstring(),
        hovered, kOrderArea);
    layout.title = h.heading;
    layout.orderLabel = h.orderLabel;
    const int t = h.width;
    const int top = y + m_p + static_cast<int>(1.2 * h.height);

    // The value axis' room, then the bars in what it leaves.
    m_fonts.Select(m_dc, NReportFont::Plain);
    const int ch = m_dc.GetTextExtent(L"5").cy;
    SGraphGridSettings trial = AxisSettings();
    trial.rect = SGridRect{0, 0, 100, height - 2 * m_p - ch};
    trial.xMax = 10.0;
    trial.yMax = 90.0;
    CGraphGrid::AutoScale(trial, m_dc, true, true);
    trial.yMinorStep = trial.yStep;
    CGraphGrid trialChart;
    trialChart.SetSettings(trial, m_dc);
    layout.leftMargin = trialChart.GetPlotRect().left;
    // The axis' labels, as wide as the font makes them, take at least their room.
    FitBars(n, width - 2 * m_p - std::max(kAxisRoom, layout.leftMargin + 4), &layout.barWidth, &layout.gap);
    layout.barsWidth = n * layout.barWidth + (n + 2) * layout.gap;
    layout.size = SGridSize{2 * m_p + std::max(layout.leftMargin + layout.barsWidth + 4, t), height};
    if (!full)
    {
        m_dc.RestoreState();
        return layout;
    }

    // The value font: upward, shrunk until "55.5" fits a bar (or 1 pixel high).
    SGridFont valueFont = m_fonts.plain;
    valueFont.escapement = 900;
    int fontHeight = valueFont.height > 0 ? valueFont.height : std::max(m_dc.GetFontMetrics().ascent, 1);
    for (;;)
    {
        valueFont.height = fontHeight;
        m_dc.SetFont(valueFont);
        if (!(m_dc.GetTextExtent(L"55.5").cx > layout.barWidth && fontHeight - 1 >= 1))
            break;
        --fontHeight;
    }
    layout.valueFontHeight = fontHeight;
    m_fonts.Select(m_dc, NReportFont::Plain);

    // The chart.
    SGraphGridSettings& chart = layout.chart;
    chart = AxisSettings();
    const int plotLeft = x + m_p;
    chart.rect = SGridRect{plotLeft, top + m_p, plotLeft + layout.leftMargin + layout.barsWidth,
                           y + height - m_p - ch};
    chart.xMin = -0.5;
    chart.xMax = n + 0.5;
    const double largest = 1.2 * m_doc.GetMaximum(m_index);
    chart.yMax = std::isfinite(largest) && largest >= 1.0 ? largest : 1.0;
    CGraphGrid::AutoScale(chart, m_dc, true, true);
    chart.yMinorStep = chart.yStep;
    CGraphGrid grid;
    grid.SetSettings(chart, m_dc);
    const SGridRect plot = grid.GetPlotRect();
    layout.plot = plot;
    layout.unitAt = SGridPoint{x + m_p, top + m_p};

    double mean = 0.0, sd = 0.0, min = 0.0, max = 0.0;
    m_doc.GetStatistics(m_index, &mean, &sd, &min, &max);
    layout.meanY = grid.ValueToPixelY(mean);
    const int mark = m_doc.GetDiagramMarkLevel(m_index);
    layout.markY = grid.ValueToPixelY(mark * 0.5);

    layout.labelSpacing =
        LabelSpacing(m_dc.GetTextExtent(std::to_wstring(n - 1)).cx, layout.barWidth, layout.gap);
    int bx = plot.left + layout.gap + 4;
    const std::vector<SValueIndex> readings = Readings(m_doc, m_index, byValue);
    layout.bars.reserve(readings.size());
    for (std::size_t i = 0; i < readings.size(); ++i)
    {
        const SValueIndex& r = readings[i];
        SSeriesDiagramBar bar;
        bar.rect = SGridRect{bx, grid.ValueToPixelY(r.value), bx + layout.barWidth, plot.bottom};
        bar.value = r.value;
        bar.current = r.current;
        bar.number = r.number;
        bar.color = r.value == mark ? theColorScheme.BarColor : theColorScheme.BarDarkColor;
        bar.numbered = (static_cast<int>(i) + 1) % (layout.labelSpacing + 1) == 0;
        layout.bars.push_back(bar);
        bx += layout.barWidth + layout.gap;
    }
    m_dc.RestoreState();
    return layout;
}

void CSeriesDiagram::Draw(const SSeriesDiagramLayout& layout, CSensitiveArea& areas, CGridCellBase* cell,
                          TGridColor textColor)
{
    m_dc.SaveState();
    m_dc.SetTextAlign(NGridTextAlign::Left);
    m_dc.SetTextVAlign(NGridTextVAlign::Top);
    m_dc.SetTextColor(textColor);
    if (!layout.orderLabel.text.empty())
    {
        m_fonts.Select(m_dc, layout.orderLabel.font);
        areas.AddText(m_dc, layout.orderLabel.at.x, layout.orderLabel.at.y, layout.orderLabel.text, 0,
                      kOrderArea, 0);
    }
    CDiagramFrame::DrawHeading(m_dc, m_fonts, layout.title, layout.orderLabel, textColor);
    CDiagramFrame::DrawAxis(m_dc, m_fonts, layout.chart, layout.plot, layout.barsWidth, layout.unitAt,
                            CTerrionDoc::GetResistivityUnit());
    const SGridRect& plot = layout.plot;

    m_dc.Line({plot.left + 3, layout.markY}, {plot.right + 3, layout.markY}, theColorScheme.MarkLineColor);
    m_dc.Line({plot.left - 2, layout.meanY}, {plot.left + 4, layout.meanY}, kBlack);

    SGridFont valueFont = m_fonts.plain;
    valueFont.escapement = 900;
    valueFont.height = layout.valueFontHeight;
    const std::wstring resistivity = CTerrionDoc::GetResistivityUnit();
    const std::wstring currentUnit = CTerrionDoc::GetCurrentUnit();
    for (const SSeriesDiagramBar& bar : layout.bars)
    {
        m_dc.Rectangle(bar.rect, bar.color, bar.color);
        if (cell)
        {
            const std::wstring tipTitle =
                Resources::CTextFormat::Format(Ids::kMeasurementNumber, {std::to_wstring(bar.number)});
            const std::wstring tipText = CNumberFormat::Fixed(bar.value, 1) + L" " + resistivity + L"\n" +
                                         std::to_wstring(bar.current) + L" " + currentUnit;
            cell->AddHotSpot(&bar.rect, tipTitle, tipText);
        }
        const int middle = (bar.rect.left + bar.rect.right) / 2 + 1;
        m_dc.SetFont(valueFont);
        m_dc.SetTextAlign(NGridTextAlign::Left);
        m_dc.SetTextVAlign(NGridTextVAlign::Baseline);
        m_dc.TextOut(middle, bar.rect.top - 3, CNumberFormat::Fixed(bar.value, 1));
        if (bar.numbered)
        {
            m_fonts.Select(m_dc, NReportFont::Plain);
            m_dc.SetTextAlign(NGridTextAlign::Center);
            m_dc.SetTextVAlign(NGridTextVAlign::Top);
            m_dc.TextOut(middle, plot.bottom + 3, std::to_wstring(bar.number));
        }
    }
    m_dc.RestoreState();
}
