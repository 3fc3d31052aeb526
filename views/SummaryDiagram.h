#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "views/GraphGridSettings.h"
#include "views/ReportText.h"
#include "views/SummaryFonts.h"

class CGridSurface;

/// One series of the summary as the page shows it.
struct SSummaryBar
{
    std::uint16_t objectId = 0;
    std::wstring name;
    double mean = 0.0;
    int index = 0; ///< the series' index in the project data

    friend bool operator==(const SSummaryBar&, const SSummaryBar&) = default;
};

/// What the summary diagram is drawn from.
struct SSummaryDiagramInput
{
    std::vector<SSummaryBar> bars; ///< in drawing order
    int count = 0;                 ///< series in the summary
    double mean = 0.0;             ///< mean of their means
    double largest = 0.0;          ///< largest of their means
    int order = 0;                 ///< NSummaryOrder of the bars (picks the label)
    std::wstring unit;
    bool hovered = false; ///< the pointer is over the order label

    friend bool operator==(const SSummaryDiagramInput&, const SSummaryDiagramInput&) = default;
};

/// One bar of the summary diagram laid out.
struct SSummaryDiagramBar
{
    SGridRect rect; ///< right and bottom outside
    int index = 0;  ///< the series index
    std::wstring value;
    SGridPoint valueAt; ///< where the upward value starts
    std::wstring label; ///< the name (or object ID), shortened in the value font
    SGridPoint labelAt; ///< where the upward label ends, just under the axis
    SGridRect menuArea; ///< the bar with its value above it, for the context menu
};

/// The summary diagram laid out: what CSummaryDiagram::Draw paints.
struct SSummaryDiagramLayout
{
    SGridSize size;
    SReportText heading;
    SReportText orderLabel; ///< empty text: no label (fewer than two series)
    SGridRect orderRect;    ///< the order label's clickable area
    int barWidth = 0;
    int gap = 0;
    int barRun = 0;          ///< n bars and their gaps
    int axisRoom = 0;        ///< the room the value axis takes left of the plot
    int labelBand = 0;       ///< the room under the plot for the labels
    int valueFontHeight = 0; ///< 0 when no value font fits a bar
    bool values = false;     ///< values are written over the bars
    bool labels = false;     ///< labels are written under the bars
    SGridPoint unitAt;       ///< bottom-left corner of the unit
    std::wstring unit;
    SGraphGridSettings chart;
    SGridRect plot;
    int meanY = 0;
    std::vector<SSummaryDiagramBar> bars;
};

/// The bar diagram of the summary page: one bar per summary series, its
/// height the series' mean, over a value axis with a tick at the mean of
/// them all, the value above each bar and the name under it, and a
/// clickable order label in the heading.
class CSummaryDiagram
{
public:
    /// The clickable area of the order label.
    static constexpr int kOrderArea = 1;
    /// The widest bar and the room the axis keeps beside the bars.
    static constexpr int kWidestBar = 24;
    static constexpr int kAxisRoom = 30;
    /// Labels are cut to this width.
    static constexpr int kLabelWidth = 140;

    /// `dc` and `fonts` must outlive the object.
    CSummaryDiagram(CGridSurface& dc, const SSummaryFonts& fonts, int margin);

    /// The widest bars (`widest` down to 1) whose run n x width + (n + 2) x
    /// gap fits `avail`: the gap is 2 beside the widest bars, 1 below, 0 below 3.
    static void FitBars(int n, int avail, int* width, int* gap, int widest = kWidestBar);
    /// The widest bar for text whose line is `lineHeight` high: 24 pixels,
    /// or more when a larger font would crowd the labels off those.
    static int WidestBar(int lineHeight);
    /// The name, or the object ID when the series has none.
    static std::wstring Label(const SSummaryBar& bar);
    /// The order label of an order, empty for an unknown one.
    static std::wstring OrderLabel(int order);
    /// Sorts by object ID (0), value (1) or name (2); equal keys keep their
    /// order, and any other order leaves the bars as they are.
    static void SortBars(std::vector<SSummaryBar>& bars, int order);
    static bool CompareById(const SSummaryBar& a, const SSummaryBar& b);
    static bool CompareByValue(const SSummaryBar& a, const SSummaryBar& b);
    /// Unnamed series by object ID before the named ones, those by name.
    static bool CompareByName(const SSummaryBar& a, const SSummaryBar& b);

    /// `text` when it fits `maxWidth` in the current font, else as many of
    /// its first characters as fit together with "...".
    std::wstring FitTextWithEllipsis(const std::wstring& text, int maxWidth);

    /// Lays the diagram out at (x, y) into `width` x `height`.
    SSummaryDiagramLayout Layout(const SSummaryDiagramInput& in, int x, int y, int width, int height);
    /// Paints what of a layout meets the surface's clip box.
    void Draw(const SSummaryDiagramLayout& layout, TGridColor textColor);

private:
    SGridSize Extent(const SGridFont& font, const std::wstring& text);
    /// The axis settings both the trial and the real chart start from.
    static SGraphGridSettings AxisSettings(double yMax);

    CGridSurface& m_dc;
    const SSummaryFonts& m_fonts;
    int m_p;
};
