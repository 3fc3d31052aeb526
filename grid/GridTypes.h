#pragma once
// Colours, points, sizes and rectangles of the grid, laid out as their
// Windows counterparts so the owner's colour values and pixel arithmetic
// carry over unchanged.
#include <algorithm>
#include <climits>
#include <cstdint>

/// A colour as 0x00BBGGRR (red in the lowest byte), as COLORREF holds it.
using TGridColor = std::uint32_t;

constexpr TGridColor GridRgb(unsigned r, unsigned g, unsigned b)
{
    return (r & 0xFFu) | ((g & 0xFFu) << 8) | ((b & 0xFFu) << 16);
}
constexpr unsigned GridRed(TGridColor c)
{
    return c & 0xFFu;
}
constexpr unsigned GridGreen(TGridColor c)
{
    return (c >> 8) & 0xFFu;
}
constexpr unsigned GridBlue(TGridColor c)
{
    return (c >> 16) & 0xFFu;
}

/// value held to int's range: sums of many rows or columns can pass it.
constexpr int GridClampToInt(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

/// White; also the marker of a cell without colours of its own.
inline constexpr TGridColor kGridWhite = 0xFFFFFF;

/// The inverted colour of a selected cell.
constexpr TGridColor GridInvert(TGridColor c)
{
    return 0xFFFFFFu - (c & 0xFFFFFFu);
}

struct SGridPoint
{
    int x = 0;
    int y = 0;
    friend bool operator==(const SGridPoint&, const SGridPoint&) = default;
};

struct SGridSize
{
    int cx = 0;
    int cy = 0;
    friend bool operator==(const SGridSize&, const SGridSize&) = default;
};

/// A rectangle by its edges. Whether right and bottom are the last pixel
/// (cell rectangles) or the first pixel outside (fills, clips) depends on use,
/// as with RECT.
struct SGridRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    /// Containment with right and bottom outside, as PtInRect.
    bool Contains(SGridPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    SGridRect Intersect(const SGridRect& o) const
    {
        SGridRect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
                    std::min(bottom, o.bottom)};
        if (r.IsEmpty())
            return SGridRect{};
        return r;
    }
    friend bool operator==(const SGridRect&, const SGridRect&) = default;
};
