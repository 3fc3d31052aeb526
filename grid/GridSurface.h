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
///   same corner of the turned text, as GDI places it: upward text with left
///   and top alignment runs up from the point with its top edge on the left;
/// - coordinates are logical: device = logical - origin;
/// - the clip lives in device units: it is fixed where it is set and stays
///   there when the origin moves afterwards;
/// - SaveState fixes the clip in force as the bound of what follows: until
///   the matching RestoreState, SetClip replaces the clip within that bound,
///   IntersectClip narrows it and ResetClip goes back to the bound. Without
///   a saved state the bound is the area that needs drawing. So a cell, which
///   draws under a state the grid saved over the cell's own clip, can narrow
///   that clip but never reach past it;
/// - SaveState/RestoreState bracket changes of font, colours, alignment, pen
///   width, origin and clipping.
class CGridSurface
{
public:
    virtual ~CGridSurface() = default;

    /// Printer surfaces draw no selection look and no animation.
    virtual bool IsPrinting() const = 0;

    virtual void SaveState() = 0;
    virtual void RestoreState() = 0;

    /// The current clip in logical units (under the current origin), right and
    /// bottom outside. Empty when nothing can be drawn.
    virtual SGridRect GetClipBox() const = 0;
    /// Makes `rect` (logical, right and bottom outside) the clip, within the bound.
    virtual void SetClip(const SGridRect& rect) = 0;
    /// Narrows the current clip to its intersection with `rect` (logical).
    virtual void IntersectClip(const SGridRect& rect) = 0;
    /// Back to the bound: the clip in force at the last SaveState.
    virtual void ResetClip() = 0;

    /// The logical point drawn at the device's (0, 0).
    virtual SGridPoint GetOrigin() const = 0;
    virtual void SetOrigin(SGridPoint origin) = 0;

    /// Width of lines and outlines in pixels (at least 1); 1 at the start.
    virtual int GetPenWidth() const = 0;
    virtual void SetPenWidth(int width) = 0;

    virtual void FillSolidRect(const SGridRect& rect, TGridColor color) = 0;
    /// A one-pixel frame along the inside of `rect`.
    virtual void FrameRect(const SGridRect& rect, TGridColor color) = 0;
    /// An outline in the pen width along the inside of `rect` and its interior
    /// filled, right column and bottom row left out (GDI Rectangle). A
    /// rectangle without width (or height) is its outline alone: a line of
    /// the pen width down its left edge (along its top edge), so a bar that
    /// has shrunk to nothing still shows.
    virtual void Rectangle(const SGridRect& rect, TGridColor outline, TGridColor fill) = 0;
    /// A line in the pen width from `from` up to, not including, `to`; a wide
    /// line lies centred on the points.
    virtual void Line(SGridPoint from, SGridPoint to, TGridColor color) = 0;
    /// A filled polygon with an outline in the pen width.
    virtual void Polygon(const SGridPoint* points, std::size_t count, TGridColor outline,
                         TGridColor fill) = 0;
    /// A two-colour gradient from the left (or top) edge to the right (or bottom) edge.
    virtual void GradientFill(const SGridRect& rect, TGridColor from, TGridColor to, bool vertical) = 0;
    /// A gradient between four corner colours: the triangles (top-left,
    /// top-right, bottom-right) and (top-left, bottom-right, bottom-left), each
    /// shaded between its vertices, as GRADIENT_FILL_TRIANGLE does; the
    /// vertices are the corner pixels (CGridGradient gives each pixel).
    virtual void GradientFill4(const SGridRect& rect, TGridColor topLeft, TGridColor topRight,
                               TGridColor bottomLeft, TGridColor bottomRight) = 0;

    /// Draws tile `index` of `images` with its top-left corner at (x, y),
    /// leaving its transparent colour out; `blend50` draws it half and half
    /// with what lies underneath (ILD_BLEND50 without a blend colour). An
    /// index outside the list draws nothing. A printed page cannot be read
    /// back, so printing surfaces draw the tile plainly.
    virtual void DrawImage(const CGridImageList& images, int index, int x, int y, bool blend50) = 0;
    SGridSize GetImageSize(const CGridImageList& images) const { return images.GetTileSize(); }

    virtual void SetFont(const SGridFont& font) = 0;
    /// The current font, as last set (the grid's description, escapement included).
    virtual SGridFont GetFont() const = 0;
    virtual SGridFontMetrics GetFontMetrics() = 0;
    virtual void SetTextColor(TGridColor color) = 0;
    virtual void SetTextAlign(NGridTextAlign align) = 0;
    virtual void SetTextVAlign(NGridTextVAlign align) = 0;
    /// Draws `text` at the reference point (x, y), turned by the font's escapement.
    virtual void TextOut(int x, int y, std::wstring_view text) = 0;
    /// Width and height of `text` on one line in the current font, unturned.
    virtual SGridSize GetTextExtent(std::wstring_view text) = 0;
};
