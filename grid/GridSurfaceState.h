#pragma once
#include <vector>

#include "grid/GridFont.h"
#include "grid/GridSurface.h"
#include "grid/GridTypes.h"

/// The drawing state every surface keeps alike: font, text colour and
/// alignment, pen width, origin, and the clip with its bound in device units,
/// with the stack of saved states. It carries out the clipping rules of
/// CGridSurface; a surface applies the resulting device clip to its device.
class CGridSurfaceState
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
        SGridRect clip;  ///< device units, right and bottom outside
        SGridRect bound; ///< what SetClip stays within and ResetClip returns to
    };

    /// `paintArea` is the area that needs drawing, in device units.
    explicit CGridSurfaceState(SGridRect paintArea);

    const SValues& Get() const { return m_now; }
    SValues& Edit() { return m_now; }
    int SaveDepth() const { return static_cast<int>(m_saved.size()); }

    /// A new area that needs drawing (the device's scale changed): clips and
    /// bounds that were the whole old area become the whole new one.
    void SetPaintArea(SGridRect paintArea);
    const SGridRect& GetPaintArea() const { return m_paintArea; }

    // Each of these answers whether the device clip changed.
    bool Save();
    bool Restore();
    bool SetClip(const SGridRect& logical);
    bool IntersectClip(const SGridRect& logical);
    bool ResetClip();

    /// The clip in logical units under the current origin.
    SGridRect GetClipBox() const { return Offset(m_now.clip, m_now.origin.x, m_now.origin.y); }
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
    bool StoreClip(const SGridRect& clip);

    SGridRect m_paintArea;
    SValues m_now;
    std::vector<SValues> m_saved;
};
