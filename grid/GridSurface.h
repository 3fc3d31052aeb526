#pragma once
#include <cstddef>
#include <string_view>

#include "grid/GridConstants.h"
#include "grid/GridFont.h"
#include "grid/GridTypes.h"

/// What the grid and its cells draw on: the screen, a bitmap or a printed page.
/// The rules are the Windows device-context rules the cells are written for:
/// - filled and framed rectangles leave out their right column and bottom row;
/// - a line leaves out its end pixel;
/// - TextOut's point is the text's top edge and, by the alignment, its left
///   edge, centre or right edge;
/// - SaveState/RestoreState bracket changes of font, colours, alignment,
///   origin and clipping.
/// Coordinates are logical: device = logical - origin.
class CGridSurface
{
public:
    virtual ~CGridSurface() = default;

    /// Printer surfaces draw no selection look and no animation.
    virtual bool IsPrinting() const = 0;

    virtual void SaveState() = 0;
    virtual void RestoreState() = 0;

    /// The area that needs drawing, right and bottom outside; empty when unknown.
    virtual SGridRect GetClipBox() const = 0;
    /// Limits drawing to `rect` (right and bottom outside) until ResetClip.
    virtual void SetClip(const SGridRect& rect) = 0;
    virtual void ResetClip() = 0;

    /// The logical point drawn at the device's (0, 0).
    virtual SGridPoint GetOrigin() const = 0;
    virtual void SetOrigin(SGridPoint origin) = 0;

    virtual void FillSolidRect(const SGridRect& rect, TGridColor color) = 0;
    /// A one-pixel frame along the inside of `rect`.
    virtual void FrameRect(const SGridRect& rect, TGridColor color) = 0;
    /// A one-pixel line from `from` up to, not including, `to`.
    virtual void Line(SGridPoint from, SGridPoint to, TGridColor color) = 0;
    /// A filled polygon with a one-pixel outline.
    virtual void Polygon(const SGridPoint* points, std::size_t count, TGridColor outline,
                         TGridColor fill) = 0;
    /// A two-colour gradient from the left (or top) edge to the right (or bottom) edge.
    virtual void GradientFill(const SGridRect& rect, TGridColor from, TGridColor to, bool vertical) = 0;

    virtual void SetFont(const SGridFont& font) = 0;
    virtual void SetTextColor(TGridColor color) = 0;
    virtual void SetTextAlign(NGridTextAlign align) = 0;
    virtual void TextOut(int x, int y, std::wstring_view text) = 0;
    /// Width and height of `text` on one line in the current font.
    virtual SGridSize GetTextExtent(std::wstring_view text) = 0;
};
