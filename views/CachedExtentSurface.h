#pragma once
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "grid/GridSurface.h"

/// A surface that draws on another and remembers the text extents it
/// measured, by font and text, for as long as it lives: a report measures
/// the same values, labels and titles many times over while it lays itself
/// out, and shaping text is what laying out costs.
class CCachedExtentSurface : public CGridSurface
{
public:
    /// `target` must outlive this surface and change its font only through it.
    explicit CCachedExtentSurface(CGridSurface& target);

    bool IsPrinting() const override { return m_target.IsPrinting(); }
    void SaveState() override;
    void RestoreState() override;
    SGridRect GetClipBox() const override { return m_target.GetClipBox(); }
    void SetClip(const SGridRect& rect) override { m_target.SetClip(rect); }
    void IntersectClip(const SGridRect& rect) override { m_target.IntersectClip(rect); }
    void ResetClip() override { m_target.ResetClip(); }
    SGridPoint GetOrigin() const override { return m_target.GetOrigin(); }
    void SetOrigin(SGridPoint origin) override { m_target.SetOrigin(origin); }
    int GetPenWidth() const override { return m_target.GetPenWidth(); }
    void SetPenWidth(int width) override { m_target.SetPenWidth(width); }

    void FillSolidRect(const SGridRect& rect, TGridColor color) override
    {
        m_target.FillSolidRect(rect, color);
    }
    void FrameRect(const SGridRect& rect, TGridColor color) override { m_target.FrameRect(rect, color); }
    void Rectangle(const SGridRect& rect, TGridColor outline, TGridColor fill) override
    {
        m_target.Rectangle(rect, outline, fill);
    }
    void Line(SGridPoint from, SGridPoint to, TGridColor color) override { m_target.Line(from, to, color); }
    void Polygon(const SGridPoint* points, std::size_t count, TGridColor outline, TGridColor fill) override
    {
        m_target.Polygon(points, count, outline, fill);
    }
    void GradientFill(const SGridRect& rect, TGridColor from, TGridColor to, bool vertical) override
    {
        m_target.GradientFill(rect, from, to, vertical);
    }
    void GradientFill4(const SGridRect& rect, TGridColor topLeft, TGridColor topRight, TGridColor bottomLeft,
                       TGridColor bottomRight) override
    {
        m_target.GradientFill4(rect, topLeft, topRight, bottomLeft, bottomRight);
    }
    void DrawImage(const CGridImageList& images, int index, int x, int y, bool blend50) override
    {
        m_target.DrawImage(images, index, x, y, blend50);
    }

    void SetFont(const SGridFont& font) override;
    SGridFont GetFont() const override { return m_font; }
    SGridFontMetrics GetFontMetrics() override { return m_target.GetFontMetrics(); }
    void SetTextColor(TGridColor color) override { m_target.SetTextColor(color); }
    void SetTextAlign(NGridTextAlign align) override { m_target.SetTextAlign(align); }
    void SetTextVAlign(NGridTextVAlign align) override { m_target.SetTextVAlign(align); }
    void TextOut(int x, int y, std::wstring_view text) override { m_target.TextOut(x, y, text); }
    /// The target's answer, measured once per font and text.
    SGridSize GetTextExtent(std::wstring_view text) override;

    /// How many extents the target was asked for.
    int GetMeasured() const { return m_measured; }

private:
    using TExtents = std::unordered_map<std::wstring, SGridSize>;

    CGridSurface& m_target;
    SGridFont m_font;
    std::vector<SGridFont> m_savedFonts;
    /// Per font (few of them) the extents of its texts.
    std::vector<std::pair<SGridFont, TExtents>> m_cache;
    TExtents* m_current = nullptr;
    int m_measured = 0;
};
