#pragma once
#include <vector>

#include "grid/GridSurface.h"
#include "menus/OwMenuColors.h"
#include "menus/OwMenuMetrics.h"

class OwMenu;

/// Where the items of one open menu lie in its window: a one-pixel frame,
/// a little room above and below, the items stacked at the width of the
/// widest, and room on the right for the sub-menu arrow.
class OwMenuLayout
{
public:
    static constexpr int kFrame = 1;
    static constexpr int kPadding = 2;
    static constexpr int kArrowRoom = 16;

    /// Measures every item of `menu` in the menu font on `measurer`.
    OwMenuLayout(OwMenu& menu, CGridSurface& measurer, const SOwMenuMetrics& metrics);

    /// The whole window.
    SGridSize GetSize() const { return m_size; }
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    /// Item `index` in window coordinates, right and bottom outside.
    SGridRect GetItemRect(int index) const { return m_items[static_cast<std::size_t>(index)]; }
    /// The item under `point` (window coordinates), -1 for none.
    int HitTest(SGridPoint point) const;

    /// Draws the frame and every item; `selected` is the selected item, -1 none.
    void Paint(CGridSurface& surface, const OwMenu& menu, int selected, const SOwMenuColors& colors) const;

private:
    std::vector<SGridRect> m_items;
    SGridSize m_size;
};
