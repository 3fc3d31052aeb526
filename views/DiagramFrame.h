#pragma once
#include <string>

#include "views/GraphGridSettings.h"
#include "views/ReportText.h"
#include "views/SeriesReportFonts.h"

class CGridSurface;

/// A diagram's bold heading and the clickable order label after it.
struct SDiagramHeading
{
    SReportText heading;
    SReportText orderLabel; ///< empty text: no label
    SGridRect orderRect;    ///< the label's clickable area
    int width = 0;          ///< of the heading and the label together
    int height = 0;         ///< of the heading's line
};

/// What the reading diagram and the summary diagram lay out and draw alike:
/// the heading with its order label, a chart whose only axis is the value
/// axis on the left, and around the bars the base line and the unit above
/// the axis.
class CDiagramFrame
{
public:
    /// `heading` in bold at (x, y) and, unless `label` is empty, `label`
    /// after it (bold, underlined while `hovered`) as clickable area `area`.
    static SDiagramHeading Heading(CGridSurface& dc, const SSeriesReportFonts& fonts, SGridPoint at,
                                   const std::wstring& heading, const std::wstring& label, bool hovered,
                                   int area);
    /// Chart settings with the value axis alone: its line, outward minor
    /// ticks, labels and a turned title; no grid lines.
    static SGraphGridSettings ValueAxis();

    /// The heading, and the order label (when it has a text) in the link colour.
    static void DrawHeading(CGridSurface& dc, const SSeriesReportFonts& fonts, const SReportText& heading,
                            const SReportText& orderLabel, TGridColor textColor);
    /// The chart, the base line under `barRun` pixels of bars and the unit
    /// with its bottom-left corner at `unitAt`.
    static void DrawAxis(CGridSurface& dc, const SSeriesReportFonts& fonts, const SGraphGridSettings& chart,
                         const SGridRect& plot, int barRun, SGridPoint unitAt, const std::wstring& unit);
};
