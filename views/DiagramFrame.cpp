#include "views/DiagramFrame.h"

#include "grid/GridSurface.h"
#include "views/ColorScheme.h"
#include "views/GraphGrid.h"

SDiagramHeading CDiagramFrame::Heading(CGridSurface& dc, const SSeriesReportFonts& fonts, SGridPoint at,
                                       const std::wstring& heading, const std::wstring& label, bool hovered,
                                       int area)
{
    SDiagramHeading h;
    fonts.Select(dc, NReportFont::Bold);
    const SGridSize size = dc.GetTextExtent(heading);
    h.heading = SReportText{at, heading, NReportFont::Bold, 0};
    h.width = size.cx;
    h.height = size.cy;
    if (!label.empty())
    {
        const NReportFont font = hovered ? NReportFont::BoldUnderlined : NReportFont::Bold;
        fonts.Select(dc, font);
        const SGridSize labelSize = dc.GetTextExtent(label);
        const SGridPoint labelAt{at.x + size.cx, at.y};
        h.orderLabel = SReportText{labelAt, label, font, area};
        h.orderRect = SGridRect{labelAt.x, labelAt.y, labelAt.x + labelSize.cx, labelAt.y + labelSize.cy};
        h.width += labelSize.cx;
    }
    return h;
}

SGraphGridSettings CDiagramFrame::ValueAxis()
{
    SGraphGridSettings s;
    s.topAxis = 0;
    s.bottomAxis = 0;
    s.rightAxis = 0;
    s.xZeroAxis = 0;
    s.yZeroAxis = 0;
    s.leftAxis = GA_LINE | GA_MINOR_OUT | GA_LABELS | GA_TITLE_ROTATED;
    s.hGridLines = false;
    s.vGridLines = false;
    return s;
}

void CDiagramFrame::DrawHeading(CGridSurface& dc, const SSeriesReportFonts& fonts, const SReportText& heading,
                                const SReportText& orderLabel, TGridColor textColor)
{
    dc.SetTextColor(textColor);
    fonts.Select(dc, heading.font);
    dc.TextOut(heading.at.x, heading.at.y, heading.text);
    if (!orderLabel.text.empty())
    {
        fonts.Select(dc, orderLabel.font);
        dc.SetTextColor(theColorScheme.LinkColor);
        dc.TextOut(orderLabel.at.x, orderLabel.at.y, orderLabel.text);
        dc.SetTextColor(textColor);
    }
}

void CDiagramFrame::DrawAxis(CGridSurface& dc, const SSeriesReportFonts& fonts,
                             const SGraphGridSettings& chart, const SGridRect& plot, int barRun,
                             SGridPoint unitAt, const std::wstring& unit)
{
    fonts.Select(dc, NReportFont::Plain);
    dc.SetPenWidth(1);
    CGraphGrid grid;
    grid.SetSettings(chart, dc);
    grid.Draw(dc);
    dc.Line({plot.left, plot.bottom}, {plot.left + barRun + 4, plot.bottom}, GridRgb(0, 0, 0));
    dc.SetTextVAlign(NGridTextVAlign::Bottom);
    dc.TextOut(unitAt.x, unitAt.y, unit);
    dc.SetTextVAlign(NGridTextVAlign::Top);
}
