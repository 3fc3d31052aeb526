#pragma once
#include <vector>

#include "grid/GridFont.h"
#include "grid/GridSurface.h"
#include "grid/GridTypes.h"

/// The part of a drawing surface that is state alone, kept alike by every
/// surface: font, text colour and alignment, pen width, origin, and the clip
/// with its bound in device units, with the stack of saved states. It carries
/// out the clipping rules of CGridSurface; a derived surface draws, applying
/// the device clip it finds here.
class CGridStateSurface : public CGridSurface
{
public:
    struct SValues
    {
        SGridFont font;
        TGridColor textColor = 0;
        NGridTextAlign align = NGridTextAlign::Left;
        NGridTextVAlign vAlign = NGridTextVAlign::Top;
        int penWidth = 1;
        SGridPoint origin;
        SGridRect clip;  ///< device units, right and bottom outside; empty when nothing can be drawn
        SGridRect bound; ///< what SetClip stays within and ResetClip returns to
    };

    bool IsPrinting() const override { return m_printing; }
    void SaveState() override;
    void RestoreState() override;
    SGridRect GetClipBox() const override { return Offset(m_now.clip, m_now.origin.x, m_now.origin.y); }
    void SetClip(const SGridRect& rect) override;
    void IntersectClip(const SGridRect& rect) override;
    void ResetClip() override;
    SGridPoint GetOrigin() const override { return m_now.origin; }
    void SetOrigin(SGridPoint origin) override { m_now.origin = origin; }
    int GetPenWidth() const override { return m_now.penWidth; }
    void SetPenWidth(int width) override { m_now.penWidth = width < 1 ? 1 : width; }
    void SetFont(const SGridFont& font) override { m_now.font = font; }
    SGridFont GetFont() const override { return m_now.font; }
    void SetTextColor(TGridColor color) override { m_now.textColor = color; }
    void SetTextAlign(NGridTextAlign align) override { m_now.align = align; }
    void SetTextVAlign(NGridTextVAlign align) override { m_now.vAlign = align; }

    int SaveDepth() const { return static_cast<int>(m_saved.size()); }
    const SGridRect& GetPaintArea() const { return m_paintArea; }
    /// A new area that needs drawing (the device's scale changed): clips and
    /// bounds that were the whole old area become the whole new one.
    void SetPaintArea(const SGridRect& paintArea);

protected:
    /// `paintArea` is the area that needs drawing, in device units.
    CGridStateSurface(SGridRect paintArea, bool printing);

    const SValues& State() const { return m_now; }
    SGridRect ToDevice(const SGridRect& logical) const
    {
        return Offset(logical, -m_now.origin.x, -m_now.origin.y);
    }
    SGridPoint ToDevice(SGridPoint logical) const
    {
        return SGridPoint{logical.x - m_now.origin.x, logical.y - m_now.origin.y};
    }
    static SGridRect Offset(const SGridRect& rect, int dx, int dy)
    {
        return SGridRect{rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
    }

private:
    void StoreClip(const SGridRect& clip);

    SGridRect m_paintArea;
    bool m_printing;
    SValues m_now;
    std::vector<SValues> m_saved;
};
