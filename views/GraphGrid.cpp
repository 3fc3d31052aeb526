#include "views/GraphGrid.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cwctype>
#include <functional>

#include "data/NumberFormat.h"
#include "grid/GridSurface.h"

namespace
{

constexpr TGridColor kGridLineColor = GridRgb(168, 168, 168);
constexpr double kSmallestStep = 1e-11;
constexpr double kLargestStep = 5e11;
/// Pixel positions are kept within this, whatever values a caller maps.
constexpr double kPixelLimit = 1e7;

/// Calls visit(v) for v = from, from + step, ... up to to (plus a millionth
/// of a step); nothing for a step that cannot be walked within kMaxTicks.
template <class TVisit> void ForEachTick(double from, double to, double step, TVisit visit)
{
    if (!(step > 0.0) || !std::isfinite(step) || !std::isfinite(from) || !std::isfinite(to))
        return;
    if ((to - from) / step > CGraphGrid::kMaxTicks)
        return;
    const double limit = to + step / 1e6;
    for (int i = 0; i <= CGraphGrid::kMaxTicks; ++i)
    {
        const double v = from + i * step;
        if (v > limit)
            break;
        visit(v);
    }
}

/// The first of 1, 2, 5 and 10 times 10^e that is at least raw, within the step table.
double TableStep(double raw, int e)
{
    if (e < -11)
        return kSmallestStep;
    if (e > 11)
        return kLargestStep;
    const double base = std::pow(10.0, e);
    for (double m : {1.0, 2.0, 5.0})
        if (m * base >= raw * (1.0 - 1e-12))
            return m * base;
    return std::min(10.0 * base, kLargestStep);
}

/// "%<width>.<digits>lf" with one digit after the point (0 to 9).
std::wstring Pattern(const wchar_t* width, int digits)
{
    digits = std::clamp(digits, 0, 9);
    return std::wstring(L"%") + width + L"." + std::to_wstring(digits) + L"lf";
}

/// trunc(v / step) as a double, also for quotients beyond any integer type.
double TruncDiv(double v, double step)
{
    return std::trunc(v / step);
}

void WidenMin(double* min, double step, bool lowerForNegative)
{
    const double q = TruncDiv(*min, step);
    double m = (lowerForNegative && *min < 0.0 ? q - 1.0 : q) * step;
    if (m == *min)
        m = (q - 1.0) * step;
    if (m < 0.0 && *min >= 0.0)
        m = 0.0;
    *min = m;
}

double NiceStepWith(double* min, double* max, std::wstring& pattern, bool widenMin, bool widenMax, int n,
                    bool rawDigits)
{
    const double raw = (*max - *min) / (std::max(n, 2) - 1);
    if (!(raw > 0.0) || !std::isfinite(raw))
        return 0.0;
    const double exponent = std::floor(std::log10(raw));
    const int e = static_cast<int>(std::clamp(exponent, -100.0, 100.0));
    const double step = TableStep(raw, e);
    pattern = L"%0.0lf";
    if (e < 0)
        pattern = Pattern(L"0", rawDigits ? -e : -static_cast<int>(std::floor(std::log10(step))));
    if (widenMin)
        WidenMin(min, step, false);
    if (widenMax)
        *max = (TruncDiv(*max, step) + 1.0) * step;
    return step;
}

double InitialStep(double range, double& minor, std::wstring& pattern, const wchar_t* width)
{
    minor = 0.0;
    pattern = std::wstring(L"%") + width + L".0lf";
    if (!std::isfinite(range))
        return 0.0;
    if (range <= 0.0)
        return range;
    const double l = std::log10(range);
    double i = std::floor(l);
    double f = l - i;
    if (f < 0.69897)
    {
        i -= 1.0;
        f += 1.0;
    }
    if (i < -11.0 || i > 11.0)
        return 0.0;
    const int exponent = static_cast<int>(i);
    if (exponent < 0)
        pattern = Pattern(width, -exponent);
    const double mantissa = f < 1.02119 ? 1.0 : f < 1.32222 ? 2.0 : 5.0;
    const double step = mantissa * std::pow(10.0, exponent);
    minor = step * 0.5;
    return step;
}

/// How many whole steps the range holds, kept within int.
int WholeSteps(double min, double max, double step)
{
    const double k = std::trunc((max - min) / step);
    if (!std::isfinite(k))
        return 0;
    return static_cast<int>(std::clamp(k, 0.0, 1e9));
}

int ToPixel(double v)
{
    if (std::isnan(v))
        return 0;
    return static_cast<int>(std::clamp(v, -kPixelLimit, kPixelLimit));
}

} // namespace

void CGraphGrid::SetSettings(const SGraphGridSettings& settings, CGridSurface& dc)
{
    m_settings = settings;
    Layout(dc);
}

int CGraphGrid::ValueToPixelX(double v) const
{
    const double range = m_settings.xMax - m_settings.xMin;
    if (!(range != 0.0) || !std::isfinite(range))
        return m_plot.left;
    return ToPixel(
        std::trunc(m_plot.left + (m_plot.right - m_plot.left + 0.1) * (v - m_settings.xMin) / range + 0.5));
}

int CGraphGrid::ValueToPixelY(double v) const
{
    const double range = m_settings.yMax - m_settings.yMin;
    if (!(range != 0.0) || !std::isfinite(range))
        return m_plot.bottom;
    return ToPixel(
        std::trunc(m_plot.bottom - (m_plot.bottom - m_plot.top + 0.1) * (v - m_settings.yMin) / range + 0.5));
}

double CGraphGrid::CeilToStep(double v, double step)
{
    if (!(step > 0.0) || !std::isfinite(step) || !std::isfinite(v))
        return v;
    const double q = std::fabs(v) / step;
    if (q - std::trunc(q) < 1e-19)
        return v;
    if (v < 0.0)
        return -std::trunc(q) * step;
    return (std::trunc(v / step) + 1.0) * step;
}

double CGraphGrid::NiceStep(double* min, double* max, std::wstring& pattern, bool widenMin, bool widenMax,
                            int n)
{
    return NiceStepWith(min, max, pattern, widenMin, widenMax, n, false);
}

double CGraphGrid::NiceStepRaw(double* min, double* max, std::wstring& pattern, bool widenMin, bool widenMax,
                               int n)
{
    return NiceStepWith(min, max, pattern, widenMin, widenMax, n, true);
}

double CGraphGrid::InitialStepX(double range, double& minor, std::wstring& pattern)
{
    return InitialStep(range, minor, pattern, L"0");
}

double CGraphGrid::InitialStepY(double range, double& minor, std::wstring& pattern)
{
    return InitialStep(range, minor, pattern, L"5");
}

namespace
{

/// The search both fits share: from 100 ticks down, fewer ticks while the
/// labels (of the maximum, measured across the axis by `extent`) take more
/// than `share` of the pixels. Each round asks for fewer ticks than the last,
/// so the search ends. 0 for a range no step walks.
template <class TNice, class TExtent>
double FitTicks(double* min, double* max, std::wstring& pattern, int pixels, double share, TNice nice,
                TExtent extent)
{
    pixels = std::max(pixels, 1);
    double step = 0.0;
    for (int n = 100;;)
    {
        step = nice(min, max, pattern, n);
        if (!(step > 0.0))
            return 0.0;
        const int label = extent(CGraphGrid::FormatValue(pattern, *max));
        const int k = WholeSteps(*min, *max, step);
        if (!(static_cast<double>(k + 1) * label > share * pixels && k >= 2 && k < n))
            return step;
        n = k;
    }
}

} // namespace

double CGraphGrid::FitStepHorizontal(double* min, double* max, std::wstring& pattern, bool widenMin,
                                     bool widenMax, int pixels, CGridSurface& dc)
{
    const double step = FitTicks(
        min, max, pattern, pixels, 0.75,
        [](double* lo, double* hi, std::wstring& p, int n) { return NiceStep(lo, hi, p, false, false, n); },
        [&dc](const std::wstring& label) { return dc.GetTextExtent(label).cx; });
    if (!(step > 0.0))
        return step;
    if (widenMin)
        WidenMin(min, step, false);
    if (widenMax)
    {
        const double t = TruncDiv(*max, step);
        if (!(t * step >= *max && *max / ((t + 1.0) * step) < 0.9))
            *max = (t + 1.0) * step;
    }
    return step;
}

double CGraphGrid::FitStepVertical(double* min, double* max, std::wstring& pattern, bool widenMin,
                                   bool widenMax, int pixels, CGridSurface& dc)
{
    const double step = FitTicks(
        min, max, pattern, pixels, 0.7,
        [](double* lo, double* hi, std::wstring& p, int n)
        { return NiceStepRaw(lo, hi, p, false, false, n); },
        [&dc](const std::wstring& label) { return dc.GetTextExtent(label).cy; });
    if (!(step > 0.0))
        return step;
    if (widenMin)
        WidenMin(min, step, true);
    if (widenMax)
        *max = (TruncDiv(*max, step) + 1.0) * step;
    return step;
}

void CGraphGrid::AutoScale(SGraphGridSettings& s, CGridSurface& dc, bool widenX, bool widenY)
{
    s.xStep = InitialStepX(s.xMax - s.xMin, s.xMinorStep, s.xFormat);
    s.yStep = InitialStepY(s.yMax - s.yMin, s.yMinorStep, s.yFormat);
    CGraphGrid trial;
    trial.SetSettings(s, dc);
    const int xPixels = trial.ValueToPixelX(s.xMax) - trial.ValueToPixelX(s.xMin);
    const int yPixels = std::abs(trial.ValueToPixelY(s.yMax) - trial.ValueToPixelY(s.yMin));
    s.xStep = FitStepHorizontal(&s.xMin, &s.xMax, s.xFormat, widenX, widenX, xPixels, dc);
    s.xMinorStep = s.xStep * 0.5;
    s.yStep = FitStepVertical(&s.yMin, &s.yMax, s.yFormat, widenY, widenY, yPixels, dc);
    s.yMinorStep = s.yStep * 0.5;
}

std::wstring CGraphGrid::FormatValue(const std::wstring& pattern, double value)
{
    const std::size_t percent = pattern.find(L'%');
    if (percent == std::wstring::npos)
        return pattern;
    std::size_t at = percent + 1;
    int width = 0;
    while (at < pattern.size() && std::iswdigit(pattern[at]))
        width = std::min(width * 10 + (pattern[at++] - L'0'), 64);
    int digits = 6;
    if (at < pattern.size() && pattern[at] == L'.')
    {
        digits = 0;
        ++at;
        while (at < pattern.size() && std::iswdigit(pattern[at]))
            digits = std::min(digits * 10 + (pattern[at++] - L'0'), 17);
    }
    while (at < pattern.size() && pattern[at] == L'l')
        ++at;
    if (at < pattern.size() && pattern[at] == L'f')
        ++at;
    // A label at zero never reads "-0".
    std::wstring number = CNumberFormat::Fixed(value == 0.0 ? 0.0 : value, digits);
    if (static_cast<int>(number.size()) < width)
        number.insert(0, static_cast<std::size_t>(width) - number.size(), L' ');
    return pattern.substr(0, percent) + number + pattern.substr(at);
}

unsigned CGraphGrid::AxisFlags(NSide side) const
{
    switch (side)
    {
    case SideBottom:
        return m_settings.bottomAxis;
    case SideTop:
        return m_settings.topAxis;
    case SideLeft:
        return m_settings.leftAxis;
    case SideRight:
        return m_settings.rightAxis;
    }
    return 0;
}

void CGraphGrid::Layout(CGridSurface& dc)
{
    const int w = std::max(dc.GetPenWidth(), 1);
    if (!m_fontsMade)
    {
        m_font = dc.GetFont();
        m_rotatedFont = m_font;
        m_rotatedFont.escapement = 900;
        m_gridPenWidth = std::max(dc.GetPenWidth(), 1);
        m_fontsMade = true;
    }
    dc.SaveState();
    dc.SetFont(m_font);
    int firstOverhang[4] = {};
    int lastOverhang[4] = {};
    for (NSide side : {SideBottom, SideTop, SideLeft, SideRight})
    {
        const unsigned flags = AxisFlags(side);
        const bool horizontal = side == SideBottom || side == SideTop;
        SAxisSpace& space = m_space[side];
        space = SAxisSpace{};

        const std::wstring& title = horizontal ? m_settings.xTitle : m_settings.yTitle;
        if ((flags & (GA_TITLE | GA_TITLE_ROTATED)) && !title.empty())
        {
            const SGridSize e = dc.GetTextExtent(title);
            const bool rotated = (flags & GA_TITLE_ROTATED) != 0;
            space.title = horizontal ? (rotated ? e.cx : e.cy) : (rotated ? e.cy : e.cx);
        }

        if (flags & (GA_LABELS | GA_LABELS_ROTATED))
        {
            const bool rotated = (flags & GA_LABELS_ROTATED) != 0;
            const double min = horizontal ? m_settings.xMin : m_settings.yMin;
            const double max = horizontal ? m_settings.xMax : m_settings.yMax;
            const double step = horizontal ? m_settings.xStep : m_settings.yStep;
            const std::wstring& pattern = horizontal ? m_settings.xFormat : m_settings.yFormat;
            auto across = [&](const SGridSize& e) { return horizontal != rotated ? e.cy : e.cx; };
            auto along = [&](const SGridSize& e) { return horizontal != rotated ? e.cx : e.cy; };
            bool any = false;
            double last = min;
            ForEachTick(CeilToStep(min, step), max, step,
                        [&](double v)
                        {
                            space.labels =
                                std::max(space.labels, across(dc.GetTextExtent(FormatValue(pattern, v))));
                            last = v;
                            any = true;
                        });
            if (any)
            {
                firstOverhang[side] = along(dc.GetTextExtent(FormatValue(pattern, min))) / 2;
                lastOverhang[side] = along(dc.GetTextExtent(FormatValue(pattern, last))) / 2;
            }
        }

        if (flags & GA_MAJOR_OUT)
            space.ticks = 5 * w;
        else if (flags & GA_MINOR_OUT)
            space.ticks = 3 * w;
    }
    auto total = [this](NSide side)
    { return m_space[side].title + m_space[side].labels + m_space[side].ticks; };
    const int left = std::max({total(SideLeft), firstOverhang[SideBottom], firstOverhang[SideTop]});
    const int right = std::max({total(SideRight), lastOverhang[SideBottom], lastOverhang[SideTop]});
    const int top = std::max({total(SideTop), lastOverhang[SideLeft], lastOverhang[SideRight]});
    const int bottom = std::max({total(SideBottom), firstOverhang[SideLeft], firstOverhang[SideRight]});
    const SGridRect& r = m_settings.rect;
    m_plot = SGridRect{r.left + left, r.top + top, r.right - right, r.bottom - bottom};
    dc.RestoreState();
}

void CGraphGrid::Draw(CGridSurface& dc)
{
    dc.SaveState();
    const int w = std::max(dc.GetPenWidth(), 1);
    Layout(dc);
    const SGraphGridSettings& s = m_settings;
    const int left = ValueToPixelX(s.xMin);
    const int right = ValueToPixelX(s.xMax);
    const int top = ValueToPixelY(s.yMax);
    const int bottom = ValueToPixelY(s.yMin);

    dc.SetPenWidth(m_gridPenWidth);
    if (s.hGridLines)
        ForEachTick(CeilToStep(s.yMin, s.yStep), s.yMax, s.yStep,
                    [&](double v)
                    {
                        const int y = ValueToPixelY(v);
                        dc.Line({left, y}, {right, y}, kGridLineColor);
                    });
    if (s.vGridLines)
        ForEachTick(CeilToStep(s.xMin, s.xStep), s.xMax, s.xStep,
                    [&](double v)
                    {
                        const int x = ValueToPixelX(v);
                        dc.Line({x, bottom}, {x, top}, kGridLineColor);
                    });
    dc.SetPenWidth(w);

    DrawAxis(dc, SideTop, w);
    DrawAxis(dc, SideBottom, w);
    if (s.yMin < 0.0 && 0.0 < s.yMax)
        DrawZeroAxis(dc, true, w);
    DrawAxis(dc, SideLeft, w);
    DrawAxis(dc, SideRight, w);
    if (s.xMin <= 0.0 && 0.0 <= s.xMax)
        DrawZeroAxis(dc, false, w);
    dc.RestoreState();
}

namespace
{

/// An axis line or zero axis with its ticks: `position` across the axis,
/// `from`..`to` along it, `outward` +1 or -1 across it.
struct SAxisLine
{
    bool horizontal;
    int position;
    int from;
    int to;
    int outward;
};

void DrawLineAndTicks(CGridSurface& dc, const SAxisLine& axis, unsigned flags, int w, TGridColor lineColor,
                      int gridPenWidth, double min, double max, double step, double minorStep,
                      const std::function<int(double)>& toPixel)
{
    auto line = [&](int along1, int across1, int along2, int across2, TGridColor color)
    {
        if (axis.horizontal)
            dc.Line({along1, across1}, {along2, across2}, color);
        else
            dc.Line({across1, along1}, {across2, along2}, color);
    };
    if (flags & GA_LINE_GRIDPEN)
    {
        dc.SetPenWidth(gridPenWidth);
        line(axis.from, axis.position, axis.to, axis.position, kGridLineColor);
        dc.SetPenWidth(w);
    }
    else if (flags & GA_LINE)
        line(axis.from, axis.position, axis.to, axis.position, lineColor);

    auto ticks = [&](unsigned in, unsigned out, int length, double tickStep)
    {
        if (!(flags & (in | out)))
            return;
        const int outer = axis.position + ((flags & out) ? axis.outward * length : 0);
        const int inner = axis.position - ((flags & in) ? axis.outward * length : 0);
        ForEachTick(CGraphGrid::CeilToStep(min, tickStep), max, tickStep,
                    [&](double v)
                    {
                        const int at = toPixel(v);
                        line(at, outer, at, inner, lineColor);
                    });
    };
    ticks(GA_MAJOR_IN, GA_MAJOR_OUT, 5 * w, step);
    ticks(GA_MINOR_IN, GA_MINOR_OUT, 3 * w, minorStep);
}

} // namespace

void CGraphGrid::DrawZeroAxis(CGridSurface& dc, bool horizontal, int w)
{
    const SGraphGridSettings& s = m_settings;
    if (horizontal)
    {
        const SAxisLine axis{true, ValueToPixelY(0.0), ValueToPixelX(s.xMin), ValueToPixelX(s.xMax), 1};
        DrawLineAndTicks(dc, axis, s.xZeroAxis, w, m_lineColor, m_gridPenWidth, s.xMin, s.xMax, s.xStep,
                         s.xMinorStep, [this](double v) { return ValueToPixelX(v); });
    }
    else
    {
        const SAxisLine axis{false, ValueToPixelX(0.0), ValueToPixelY(s.yMin), ValueToPixelY(s.yMax), -1};
        DrawLineAndTicks(dc, axis, s.yZeroAxis, w, m_lineColor, m_gridPenWidth, s.yMin, s.yMax, s.yStep,
                         s.yMinorStep, [this](double v) { return ValueToPixelY(v); });
    }
}

void CGraphGrid::DrawAxis(CGridSurface& dc, NSide side, int w)
{
    const SGraphGridSettings& s = m_settings;
    const unsigned flags = AxisFlags(side);
    const bool horizontal = side == SideBottom || side == SideTop;
    const int outward = side == SideBottom || side == SideRight ? 1 : -1;
    const int left = ValueToPixelX(s.xMin);
    const int right = ValueToPixelX(s.xMax);
    const int top = ValueToPixelY(s.yMax);
    const int bottom = ValueToPixelY(s.yMin);
    const int position = side == SideBottom ? bottom
                         : side == SideTop  ? top
                         : side == SideLeft ? left
                                            : right;
    const SAxisLine axis{horizontal, position, horizontal ? left : bottom, horizontal ? right : top, outward};
    const double min = horizontal ? s.xMin : s.yMin;
    const double max = horizontal ? s.xMax : s.yMax;
    const double step = horizontal ? s.xStep : s.yStep;
    auto toPixel = [this, horizontal](double v) { return horizontal ? ValueToPixelX(v) : ValueToPixelY(v); };
    DrawLineAndTicks(dc, axis, flags, w, m_lineColor, m_gridPenWidth, min, max, step,
                     horizontal ? s.xMinorStep : s.yMinorStep, toPixel);

    // Texts: the anchor corner by axis and turn (the labels' and the title's agree).
    auto align = [&](bool rotated)
    {
        NGridTextAlign h = NGridTextAlign::Left;
        NGridTextVAlign v = NGridTextVAlign::Top;
        switch (side)
        {
        case SideTop:
            v = rotated ? NGridTextVAlign::Top : NGridTextVAlign::Bottom;
            break;
        case SideBottom:
        case SideRight:
            h = rotated ? NGridTextAlign::Right : NGridTextAlign::Left;
            break;
        case SideLeft:
            h = NGridTextAlign::Right;
            v = rotated ? NGridTextVAlign::Bottom : NGridTextVAlign::Top;
            break;
        }
        dc.SetTextAlign(h);
        dc.SetTextVAlign(v);
    };
    auto text = [&](const std::wstring& shown, bool rotated, int across, int alongCentre)
    {
        const SGridSize e = dc.GetTextExtent(shown);
        const int along = horizontal != rotated ? e.cx : e.cy;
        if (horizontal)
            dc.TextOut(alongCentre - along / 2, across, shown);
        else
            dc.TextOut(across, alongCentre - along / 2, shown);
    };
    const SAxisSpace& space = m_space[side];
    if (flags & (GA_LABELS | GA_LABELS_ROTATED))
    {
        const bool rotated = (flags & GA_LABELS_ROTATED) != 0;
        dc.SetFont(rotated ? m_rotatedFont : m_font);
        align(rotated);
        const std::wstring& pattern = horizontal ? s.xFormat : s.yFormat;
        ForEachTick(CeilToStep(min, step), max, step,
                    [&](double v) {
                        text(FormatValue(pattern, v), rotated, position + outward * space.ticks, toPixel(v));
                    });
    }
    const std::wstring& title = horizontal ? s.xTitle : s.yTitle;
    if ((flags & (GA_TITLE | GA_TITLE_ROTATED)) && !title.empty())
    {
        const bool rotated = (flags & GA_TITLE_ROTATED) != 0;
        dc.SetFont(rotated ? m_rotatedFont : m_font);
        align(rotated);
        const int middle = horizontal ? (left + right) / 2 : (bottom + top) / 2;
        text(title, rotated, position + outward * (space.ticks + space.labels), middle);
    }
}
