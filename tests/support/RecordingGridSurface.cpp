#include "tests/support/RecordingGridSurface.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "grid/GridGradient.h"
#include "grid/GridStrokes.h"
#include "grid/GridTextPlacement.h"

namespace
{

TGridColor HalfAndHalf(TGridColor a, TGridColor b)
{
    return GridRgb((GridRed(a) + GridRed(b) + 1) / 2, (GridGreen(a) + GridGreen(b) + 1) / 2,
                   (GridBlue(a) + GridBlue(b) + 1) / 2);
}

/// Calls `plot` for each pixel of the line from a to b; the end pixel only with `withEnd`.
template <class TPlot> void Bresenham(SGridPoint a, SGridPoint b, bool withEnd, TPlot plot)
{
    const int dx = std::abs(b.x - a.x);
    const int dy = -std::abs(b.y - a.y);
    const int sx = a.x < b.x ? 1 : -1;
    const int sy = a.y < b.y ? 1 : -1;
    int error = dx + dy;
    for (;;)
    {
        const bool end = a.x == b.x && a.y == b.y;
        if (end && !withEnd)
            return;
        plot(a.x, a.y);
        if (end)
            return;
        const int twice = 2 * error;
        if (twice >= dy)
        {
            error += dy;
            a.x += sx;
        }
        if (twice <= dx)
        {
            error += dx;
            a.y += sy;
        }
    }
}

} // namespace

CRecordingGridSurface::CRecordingGridSurface(SGridRect clipBox, bool printing)
    : CGridStateSurface(clipBox, printing)
{
}

void CRecordingGridSurface::KeepPixels(TGridColor background)
{
    const SGridRect area = GetPaintArea();
    if (area.IsEmpty() || static_cast<long long>(area.Width()) * area.Height() > 16'000'000)
        throw std::invalid_argument("too large an area to keep pixels of");
    m_background = background;
    m_pixels.assign(static_cast<std::size_t>(area.Width()) * static_cast<std::size_t>(area.Height()),
                    background);
}

TGridColor CRecordingGridSurface::Pixel(int x, int y) const
{
    const SGridRect area = GetPaintArea();
    if (m_pixels.empty() || !area.Contains({x, y}))
        return m_background;
    return m_pixels[static_cast<std::size_t>(y - area.top) * static_cast<std::size_t>(area.Width()) +
                    static_cast<std::size_t>(x - area.left)];
}

TGridColor& CRecordingGridSurface::At(int x, int y)
{
    const SGridRect area = GetPaintArea();
    return m_pixels[static_cast<std::size_t>(y - area.top) * static_cast<std::size_t>(area.Width()) +
                    static_cast<std::size_t>(x - area.left)];
}

std::vector<CRecordingGridSurface::SOp> CRecordingGridSurface::Of(NOp kind) const
{
    std::vector<SOp> out;
    for (const SOp& op : ops)
        if (op.op == kind)
            out.push_back(op);
    return out;
}

CRecordingGridSurface::SOp CRecordingGridSurface::Make(NOp kind, const SGridRect& rect,
                                                       TGridColor color) const
{
    const SValues& now = State();
    SOp op;
    op.op = kind;
    op.rect = rect;
    op.color = color;
    op.align = now.align;
    op.vAlign = now.vAlign;
    op.font = now.font;
    op.penWidth = now.penWidth;
    op.origin = now.origin;
    op.clip = now.clip;
    return op;
}

void CRecordingGridSurface::Paint(int left, int top, int right, int bottom, TGridColor color)
{
    if (m_pixels.empty())
        return;
    const SGridRect area = SGridRect{left, top, right, bottom}.Intersect(State().clip);
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            At(x, y) = color;
}

void CRecordingGridSurface::PaintLogical(const SGridRect& rect, TGridColor color)
{
    const SGridRect device = ToDevice(rect);
    Paint(device.left, device.top, device.right, device.bottom, color);
}

void CRecordingGridSurface::PaintPixel(int x, int y, TGridColor color)
{
    Paint(x, y, x + 1, y + 1, color);
}

void CRecordingGridSurface::SetClip(const SGridRect& rect)
{
    CGridStateSurface::SetClip(rect);
    ops.push_back(Make(NOp::SetClip, rect));
}

void CRecordingGridSurface::IntersectClip(const SGridRect& rect)
{
    CGridStateSurface::IntersectClip(rect);
    ops.push_back(Make(NOp::IntersectClip, rect));
}

void CRecordingGridSurface::ResetClip()
{
    CGridStateSurface::ResetClip();
    ops.push_back(Make(NOp::ResetClip, {}));
}

void CRecordingGridSurface::FillSolidRect(const SGridRect& rect, TGridColor color)
{
    ops.push_back(Make(NOp::Fill, rect, color));
    PaintLogical(rect, color);
}

void CRecordingGridSurface::FrameRect(const SGridRect& rect, TGridColor color)
{
    ops.push_back(Make(NOp::Frame, rect, color));
    if (rect.IsEmpty())
        return;
    PaintLogical({rect.left, rect.top, rect.right, rect.top + 1}, color);
    PaintLogical({rect.left, rect.bottom - 1, rect.right, rect.bottom}, color);
    PaintLogical({rect.left, rect.top, rect.left + 1, rect.bottom}, color);
    PaintLogical({rect.right - 1, rect.top, rect.right, rect.bottom}, color);
}

void CRecordingGridSurface::Rectangle(const SGridRect& rect, TGridColor outline, TGridColor fill)
{
    ops.push_back(Make(NOp::Rectangle, rect, outline));
    const CGridStrokes::SRectangle shape = CGridStrokes::Rectangle(rect, GetPenWidth());
    PaintLogical(shape.interior, fill);
    for (int i = 0; i < shape.outlineCount; ++i)
        PaintLogical(shape.outline[static_cast<std::size_t>(i)], outline);
}

void CRecordingGridSurface::Line(SGridPoint from, SGridPoint to, TGridColor color)
{
    ops.push_back(Make(NOp::Line, {from.x, from.y, to.x, to.y}, color));
    if (SGridRect band; CGridStrokes::LineBand(from, to, GetPenWidth(), &band))
    {
        PaintLogical(band, color);
        return;
    }
    Bresenham(ToDevice(from), ToDevice(to), false, [&](int x, int y) { PaintPixel(x, y, color); });
}

void CRecordingGridSurface::Polygon(const SGridPoint* points, std::size_t count, TGridColor outline,
                                    TGridColor fill)
{
    if (count == 0)
        return;
    SGridRect bounds{points[0].x, points[0].y, points[0].x, points[0].y};
    for (std::size_t i = 1; i < count; ++i)
    {
        bounds.left = std::min(bounds.left, points[i].x);
        bounds.top = std::min(bounds.top, points[i].y);
        bounds.right = std::max(bounds.right, points[i].x);
        bounds.bottom = std::max(bounds.bottom, points[i].y);
    }
    SOp op = Make(NOp::Polygon, bounds, fill);
    ops.push_back(op);
    if (m_pixels.empty())
        return;
    // Inside: the pixel's centre lies inside the polygon (even-odd); then the outline over it.
    std::vector<SGridPoint> device;
    for (std::size_t i = 0; i < count; ++i)
        device.push_back(ToDevice(points[i]));
    const SGridRect box = ToDevice(bounds);
    for (int y = box.top; y <= box.bottom; ++y)
        for (int x = box.left; x <= box.right; ++x)
        {
            const double px = x + 0.5;
            const double py = y + 0.5;
            bool inside = false;
            for (std::size_t i = 0, j = count - 1; i < count; j = i++)
            {
                const SGridPoint& a = device[i];
                const SGridPoint& b = device[j];
                if ((a.y > py) != (b.y > py) && px < (b.x - a.x) * (py - a.y) / (b.y - a.y) + a.x)
                    inside = !inside;
            }
            if (inside)
                PaintPixel(x, y, fill);
        }
    for (std::size_t i = 0; i < count; ++i)
        Bresenham(device[i], device[(i + 1) % count], true, [&](int x, int y) { PaintPixel(x, y, outline); });
}

void CRecordingGridSurface::GradientFill(const SGridRect& rect, TGridColor from, TGridColor to, bool vertical)
{
    ops.push_back(Make(NOp::Gradient, rect, from));
    if (rect.IsEmpty())
        return;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
        {
            const TGridColor color = vertical ? CGridGradient::Linear(from, to, y - rect.top, rect.Height())
                                              : CGridGradient::Linear(from, to, x - rect.left, rect.Width());
            const SGridPoint p = ToDevice(SGridPoint{x, y});
            PaintPixel(p.x, p.y, color);
        }
}

void CRecordingGridSurface::GradientFill4(const SGridRect& rect, TGridColor topLeft, TGridColor topRight,
                                          TGridColor bottomLeft, TGridColor bottomRight)
{
    ops.push_back(Make(NOp::Gradient4, rect, topLeft));
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
        {
            const SGridPoint p = ToDevice(SGridPoint{x, y});
            PaintPixel(p.x, p.y,
                       CGridGradient::Corner4(rect, topLeft, topRight, bottomLeft, bottomRight, x, y));
        }
}

void CRecordingGridSurface::DrawImage(const CGridImageList& images, int index, int x, int y, bool blend50)
{
    SOp op = Make(NOp::Image, {x, y, x, y});
    op.image = index;
    op.blend50 = blend50;
    const SGridSize size = images.GetTileSize();
    const SGridPoint at = ToDevice(SGridPoint{x, y});
    op.box = SGridRect{at.x, at.y, at.x + size.cx, at.y + size.cy};
    ops.push_back(op);
    if (index < 0 || index >= images.GetImageCount() || m_pixels.empty())
        return;
    const bool blend = blend50 && !IsPrinting();
    for (int row = 0; row < size.cy; ++row)
        for (int col = 0; col < size.cx; ++col)
        {
            if (images.IsTransparent(index, col, row))
                continue;
            const int px = at.x + col;
            const int py = at.y + row;
            if (!State().clip.Contains({px, py}))
                continue;
            const TGridColor color = images.GetPixel(index, col, row);
            PaintPixel(px, py, blend ? HalfAndHalf(color, At(px, py)) : color);
        }
}

SGridFontMetrics CRecordingGridSurface::GetFontMetrics()
{
    return SGridFontMetrics{kLineHeight, kAscent, kLineHeight - kAscent, kCharWidth};
}

void CRecordingGridSurface::TextOut(int x, int y, std::wstring_view text)
{
    const SValues& now = State();
    SOp op = Make(NOp::Text, {x, y, x, y}, now.textColor);
    op.text = std::wstring(text);
    const int turns = CGridTextPlacement::QuarterTurns(now.font.escapement);
    const SGridSize extent = GetTextExtent(text);
    const SGridPoint corner =
        CGridTextPlacement::Corner(ToDevice(SGridPoint{x, y}), now.align, now.vAlign, turns, extent, kAscent);
    op.box = CGridTextPlacement::Box(corner, turns, extent);
    ops.push_back(op);
    // The ink of capitals: the part of the box above the baseline.
    const SGridRect ink = CGridTextPlacement::Box(corner, turns, SGridSize{extent.cx, kAscent});
    if (!text.empty())
        Paint(ink.left, ink.top, ink.right, ink.bottom, now.textColor);
}

SGridSize CRecordingGridSurface::GetTextExtent(std::wstring_view text)
{
    return SGridSize{static_cast<int>(text.size()) * kCharWidth, kLineHeight};
}
