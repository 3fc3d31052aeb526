#pragma once
#include <string>

#include "grid/GridFont.h"
#include "views/GraphGridSettings.h"

class CGridSurface;

/// The frame of a bar chart: from an outer rectangle, value ranges, steps,
/// label patterns and titles it works out the plot rectangle that leaves room
/// for four axes' titles, labels and ticks, maps values to pixels and draws
/// grid lines, axes, ticks, labels and titles. Callers draw their bars inside
/// the plot rectangle. Its step functions choose steps of 1, 2 or 5 times a
/// power of ten from 1e-11 to 5e11 so that labels do not collide.
///
/// Steps that are zero, not finite or would give more than kMaxTicks ticks
/// draw no ticks, labels or grid lines on their axis: a chart of a range
/// nobody can step through still gets its frame.
class CGraphGrid
{
public:
    /// The most ticks an axis draws.
    static constexpr int kMaxTicks = 2000;

    /// Copies the settings and lays the chart out on `dc`.
    void SetSettings(const SGraphGridSettings& settings, CGridSurface& dc);
    const SGraphGridSettings& GetSettings() const { return m_settings; }
    /// Computes the plot rectangle from the settings and the surface's font.
    void Layout(CGridSurface& dc);
    /// The plot rectangle (right and bottom its edges).
    SGridRect GetPlotRect() const { return m_plot; }
    /// Lays out again and draws. Axis lines and ticks take the line colour;
    /// labels and titles the surface's text colour. The surface's state
    /// comes back as it was.
    void Draw(CGridSurface& dc);
    /// The colour of axis lines and ticks (black unless set).
    void SetLineColor(TGridColor color) { m_lineColor = color; }

    int ValueToPixelX(double v) const;
    int ValueToPixelY(double v) const;

    /// The smallest multiple of step not below v.
    static double CeilToStep(double v, double step);
    /// A step for about n ticks over min..max; may widen the limits to whole steps.
    static double NiceStep(double* min, double* max, std::wstring& pattern, bool widenMin, bool widenMax,
                           int n);
    /// NiceStep whose pattern follows the raw step's exponent.
    static double NiceStepRaw(double* min, double* max, std::wstring& pattern, bool widenMin, bool widenMax,
                              int n);
    /// A first step for a range (about 4 to 10.5 steps), its minor step and
    /// pattern; 0 for a range outside about 5e-11 to 5e12 or not finite, the
    /// range itself when it is not positive.
    static double InitialStepX(double range, double& minor, std::wstring& pattern);
    static double InitialStepY(double range, double& minor, std::wstring& pattern);
    /// The smallest step whose labels fit side by side into `pixels`.
    static double FitStepHorizontal(double* min, double* max, std::wstring& pattern, bool widenMin,
                                    bool widenMax, int pixels, CGridSurface& dc);
    /// The smallest step whose labels fit one over the other into `pixels`.
    static double FitStepVertical(double* min, double* max, std::wstring& pattern, bool widenMin,
                                  bool widenMax, int pixels, CGridSurface& dc);
    /// Fills the steps, minor steps and patterns (and may widen the limits)
    /// of a settings record for its rectangle on `dc`.
    static void AutoScale(SGraphGridSettings& s, CGridSurface& dc, bool widenX, bool widenY);

    /// A value in a label pattern ("%W.Plf"), always with a decimal point.
    static std::wstring FormatValue(const std::wstring& pattern, double value);

private:
    enum NSide
    {
        SideBottom,
        SideTop,
        SideLeft,
        SideRight,
    };
    struct SAxisSpace
    {
        int title = 0;
        int labels = 0;
        int ticks = 0;
    };

    unsigned AxisFlags(NSide side) const;
    void DrawAxis(CGridSurface& dc, NSide side, int w);
    void DrawZeroAxis(CGridSurface& dc, bool horizontal, int w);

    SGraphGridSettings m_settings;
    SGridRect m_plot;
    bool m_fontsMade = false;
    SGridFont m_font;
    SGridFont m_rotatedFont;
    int m_gridPenWidth = 1;
    TGridColor m_lineColor = 0;
    SAxisSpace m_space[4];
};
