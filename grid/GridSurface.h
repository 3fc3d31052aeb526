#pragma once
#include <cstddef>
#include <string_view>

#include "grid/GridConstants.h"
#include "grid/GridFont.h"
#include "grid/GridImageList.h"
#include "grid/GridTypes.h"

/// Vertical anchor of TextOut's point.
enum class NGridTextVAlign
{
    Top,
    Bottom,
    Baseline,
};

/// What GetTextMetrics gives of the current font, in pixels.
struct SGridFontMetrics
{
    int height = 0; ///< ascent + descent
    int ascent = 0;
    int descent = 0;
    int aveCharWidth = 0;
    friend bool operator==(const SGridFontMetrics&, const SGridFontMetrics&) = default;
};

/// What the grid and its cells draw on: the screen, a bitmap or a printed page.
/// The rules are the Windows device-context rules the cells are written for:
/// - filled and framed rectangles leave out their right column and bottom row;
/// - a line leaves out its end pixel;
/// - TextOut's point is the text's top edge (bottom edge, baseline by the
///   vertical alignment) and, by the alignment, its left edge, centre or right
///   edge; for text turned by 900 (upward) or -900 (downward) the point is the
///   same corner of the turned text, as GDI places it;
/// - coordinates are logical: device = logical - origin;
/// - the clip lives in device units: it is fixed where it is set and stays
///   there when the origin moves afterwards;
/// - SetClip replaces the clip (within the area that needs drawing),
///   IntersectClip narrows it, ResetClip goes back to the area that needs
///   drawing;
/// - SaveState/RestoreState bracket changes of font, colours, alignment, pen
///   width, origin and clipping.
// The non-pure defaults below are stand-ins until every surface draws them.
class CGridSurface
{
public:
    virtual ~CGridSurface() = default;

    /// Printer surfaces draw no selection look and no animation.
    virtual bool IsPrinting() const = 0;

    virtual void SaveState() = 0;
    virtual void RestoreState() = 0;

    /// The current clip in logical units, right and bottom outside: the area
    /// that needs drawing narrowed by any clip set since. Empty when nothing
    /// can be drawn.
    virtual SGridRect GetClipBox() const = 0;
    /// Limits drawing to `rect` (logical, right and bottom outside) within
    /// the area that needs drawing, until ResetClip or RestoreState.
    virtual void SetClip(const SGridRect& rect) = 0;
    /// Narrows the current clip to its intersection with `rect` (logical).
    virtual void IntersectClip(const SGridRect& rect) { SetClip(GetClipBox().Intersect(rect)); }
    virtual void ResetClip() = 0;

    /// The logical point drawn at the device's (0, 0).
    virtual SGridPoint GetOrigin() const = 0;
    virtual void SetOrigin(SGridPoint origin) = 0;

    /// Width of lines and outlines in pixels (at least 1); 1 by default.
    virtual int GetPenWidth() const { return 1; }
    virtual void SetPenWidth(int /*width*/) {}

    virtual void FillSolidRect(const SGridRect& rect, TGridColor color) = 0;
    /// A one-pixel frame along the inside of `rect`.
    virtual void FrameRect(const SGridRect& rect, TGridColor color) = 0;
    /// An outline in the pen width around the inside of `rect` and its
    /// interior filled, right column and bottom row left out (GDI Rectangle).
    virtual void Rectangle(const SGridRect& rect, TGridColor outline, TGridColor fill)
    {
        FillSolidRect(rect, fill);
        FrameRect(rect, outline);
    }
    /// A line in the pen width from `from` up to, not including, `to`.
    virtual void Line(SGridPoint from, SGridPoint to, TGridColor color) = 0;
    /// A filled polygon with an outline in the pen width.
    virtual void Polygon(const SGridPoint* points, std::size_t count, TGridColor outline,
                         TGridColor fill) = 0;
    /// A two-colour gradient from the left (or top) edge to the right (or bottom) edge.
    virtual void GradientFill(const SGridRect& rect, TGridColor from, TGridColor to, bool vertical) = 0;
    /// A gradient between four corner colours: the triangles (top-left,
    /// top-right, bottom-right) and (top-left, bottom-right, bottom-left), each
    /// shaded between its vertices, as GRADIENT_FILL_TRIANGLE does.
    virtual void GradientFill4(const SGridRect& rect, TGridColor topLeft, TGridColor topRight,
                               TGridColor bottomLeft, TGridColor bottomRight)
    {
        (void)topRight;
        (void)bottomLeft;
        GradientFill(rect, topLeft, bottomRight, false);
    }

    /// Draws tile `index` of `images` with its top-left corner at (x, y),
    /// leaving its transparent colour out; `blend50` mixes it half and half
    /// with the selection colour (ILD_BLEND50). An index outside the list
    /// draws nothing.
    virtual void DrawImage(const CGridImageList& /*images*/, int /*index*/, int /*x*/, int /*y*/,
                           bool /*blend50*/)
    {
    }
    SGridSize GetImageSize(const CGridImageList& images) const { return images.GetTileSize(); }

    virtual void SetFont(const SGridFont& font) = 0;
    virtual SGridFont GetFont() const { return {}; }
    virtual SGridFontMetrics GetFontMetrics()
    {
        const SGridSize size = GetTextExtent(L"x");
        return SGridFontMetrics{size.cy, size.cy * 4 / 5, size.cy - size.cy * 4 / 5, size.cx};
    }
    virtual void SetTextColor(TGridColor color) = 0;
    virtual void SetTextAlign(NGridTextAlign align) = 0;
    virtual void SetTextVAlign(NGridTextVAlign /*align*/) {}
    virtual void TextOut(int x, int y, std::wstring_view text) = 0;
    /// Width and height of `text` on one line in the current font, unturned.
    virtual SGridSize GetTextExtent(std::wstring_view text) = 0;
};
