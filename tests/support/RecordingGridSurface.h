#pragma once
#include <string>
#include <vector>

#include "grid/GridStateSurface.h"

/// A drawing surface for headless tests. It records every drawing call with
/// the state it was made under and, once asked to keep pixels, paints them
/// by the rules the wx surface follows: clip in device units, origin,
/// pen width, turned and aligned text, image tiles with their transparent
/// colour and the half blend, and the grid's gradients. Its font has a
/// fixed pitch: every character 7 pixels wide, lines 13 pixels high with
/// 10 above the baseline; a text's pixels are the part of its box above the
/// baseline, as capitals would cover it.
class CRecordingGridSurface : public CGridStateSurface
{
public:
    enum class NOp
    {
        Fill,
        Frame,
        Line,
        Polygon,
        Gradient,
        Text,
        SetClip,
        ResetClip,
        IntersectClip,
        Rectangle,
        Gradient4,
        Image,
    };
    struct SOp
    {
        NOp op = NOp::Fill;
        /// As passed, in logical units: the rectangle of a fill, frame, rectangle,
        /// gradient or clip; a line's from (left, top) and to (right, bottom); a
        /// text's or image's point (left, top); a polygon's bounds.
        SGridRect rect;
        /// A fill's, frame's or line's colour; a text's colour; an outline; a gradient's first colour.
        TGridColor color = 0;
        std::wstring text;
        NGridTextAlign align = NGridTextAlign::Left;
        NGridTextVAlign vAlign = NGridTextVAlign::Top;
        SGridFont font;
        int penWidth = 1;
        SGridPoint origin;
        /// The device clip the call was made under (after it, for clip calls).
        SGridRect clip;
        /// Pixels a text covers or a tile reaches, in device units.
        SGridRect box;
        int image = -1;
        bool blend50 = false;
    };

    static constexpr int kCharWidth = 7;
    static constexpr int kLineHeight = 13;
    static constexpr int kAscent = 10;

    /// `clipBox` is the area that needs drawing, in device units.
    explicit CRecordingGridSurface(SGridRect clipBox = {0, 0, 100000, 100000}, bool printing = false);

    /// Keeps the pixels of the area that needs drawing from now on, starting
    /// as `background` (for areas a test can afford: a few million pixels).
    void KeepPixels(TGridColor background);
    /// A kept pixel in device units; the background outside the area.
    TGridColor Pixel(int x, int y) const;

    void SetClip(const SGridRect& rect) override;
    void IntersectClip(const SGridRect& rect) override;
    void ResetClip() override;

    void FillSolidRect(const SGridRect& rect, TGridColor color) override;
    void FrameRect(const SGridRect& rect, TGridColor color) override;
    void Rectangle(const SGridRect& rect, TGridColor outline, TGridColor fill) override;
    void Line(SGridPoint from, SGridPoint to, TGridColor color) override;
    void Polygon(const SGridPoint* points, std::size_t count, TGridColor outline, TGridColor fill) override;
    void GradientFill(const SGridRect& rect, TGridColor from, TGridColor to, bool vertical) override;
    void GradientFill4(const SGridRect& rect, TGridColor topLeft, TGridColor topRight, TGridColor bottomLeft,
                       TGridColor bottomRight) override;
    void DrawImage(const CGridImageList& images, int index, int x, int y, bool blend50) override;

    SGridFontMetrics GetFontMetrics() override;
    void TextOut(int x, int y, std::wstring_view text) override;
    SGridSize GetTextExtent(std::wstring_view text) override;

    std::vector<SOp> ops;
    int saveDepth() const { return SaveDepth(); }
    /// The recorded calls of one kind, in order.
    std::vector<SOp> Of(NOp kind) const;

private:
    SOp Make(NOp kind, const SGridRect& rect, TGridColor color = 0) const;
    /// Paints device pixels (left, top, right, bottom) within the clip.
    void Paint(int left, int top, int right, int bottom, TGridColor color);
    void PaintLogical(const SGridRect& rect, TGridColor color);
    void PaintPixel(int x, int y, TGridColor color);
    TGridColor& At(int x, int y);

    TGridColor m_background = 0;
    std::vector<TGridColor> m_pixels;
};
