#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "views/GraphGridSettings.h"
#include "views/ReportText.h"
#include "views/SeriesReportFonts.h"

class CGridCellBase;
class CGridSurface;
class CSensitiveArea;
class CTerrionDoc;

/// One bar of the reading diagram.
struct SSeriesDiagramBar
{
    SGridRect rect; ///< right and bottom outside
    double value = 0.0;
    std::uint16_t current = 0;
    int number = 0; ///< the reading's 1-based number
    TGridColor color = 0;
    bool numbered = false; ///< the number is written under the bar
};

/// The reading diagram laid out: what CSeriesDiagram::Draw paints.
struct SSeriesDiagramLayout
{
    SGridSize size;
    SReportText title;
    SReportText orderLabel; ///< empty text: no label (fewer than two readings)
    int barWidth = 0;
    int gap = 1;
    int barsWidth = 0;    ///< the area all bars take, gaps included
    int leftMargin = 0;   ///< room of the value axis left of the plot
    int labelSpacing = 0; ///< bars without a number between two numbered ones
    int valueFontHeight = 0;
    SGridPoint unitAt; ///< bottom-left corner of the unit
    SGraphGridSettings chart;
    SGridRect plot;
    int meanY = 0;
    int markY = 0;
    std::vector<SSeriesDiagramBar> bars;
};

/// The first block of the series report: one bar per reading in measurement
/// order or by value, a value axis, the value over every bar, the number
/// under some, a tick at the mean and a tip per bar. The title carries the
/// clickable order label that switches the order.
class CSeriesDiagram
{
public:
    /// The clickable area of the order label.
    static constexpr int kOrderArea = 1;

    /// One reading of the diagram.
    struct SValueIndex
    {
        double value = 0.0;
        std::uint16_t current = 0;
        int number = 0;
    };

    CSeriesDiagram(const CTerrionDoc& doc, int index, CGridSurface& dc, const SSeriesReportFonts& fonts,
                   int margin);

    /// The bar width (24 down to 0) and gap (2 beside 24-pixel bars, else 1)
    /// of the widest bars whose area n x width + (n + 2) x gap fits `avail`.
    static void FitBars(int n, int avail, int* width, int* gap);
    /// How many bars go without a number between two numbered ones.
    static int LabelSpacing(int numberWidth, int barWidth, int gap);
    /// The readings in drawing order: measurement order, or by value
    /// (lowest first, equal values in measurement order).
    static std::vector<SValueIndex> Readings(const CTerrionDoc& doc, int index, bool byValue);
    /// Whether the series' bars are ordered by value (an unset order is measurement order).
    static bool IsByValue(const CTerrionDoc& doc, int index);

    /// Lays the diagram out at (x, y) in width x height; without `full` only
    /// the title and the size.
    SSeriesDiagramLayout Layout(int x, int y, int width, int height, bool hovered, bool full);
    /// Paints a full layout in `textColor`, registers the order label in
    /// `areas` and a tip per bar with `cell` (when given).
    void Draw(const SSeriesDiagramLayout& layout, CSensitiveArea& areas, CGridCellBase* cell,
              TGridColor textColor);

private:
    /// The axis settings both the trial and the real chart start from.
    static SGraphGridSettings AxisSettings();

    const CTerrionDoc& m_doc;
    int m_index;
    CGridSurface& m_dc;
    const SSeriesReportFonts& m_fonts;
    int m_p;
};
