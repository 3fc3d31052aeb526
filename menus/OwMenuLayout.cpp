#include "menus/OwMenuLayout.h"

#include <algorithm>

#include "menus/OwMenu.h"
#include "menus/OwMenuItemPainter.h"

OwMenuLayout::OwMenuLayout(OwMenu& menu, CGridSurface& measurer, const SOwMenuMetrics& metrics)
{
    // All items are measured before any is placed: the widest label and
    // accelerator only settle once every item has been seen.
    std::vector<SGridSize> sizes;
    int width = 0;
    for (int i = 0; i < menu.GetItemCount(); ++i)
    {
        sizes.push_back(menu.MeasureItem(menu.GetItem(i), measurer, metrics));
        width = std::max(width, sizes.back().cx);
    }
    int y = kFrame + kPadding;
    for (const SGridSize& size : sizes)
    {
        m_items.push_back(SGridRect{kFrame, y, kFrame + width + kArrowRoom, y + size.cy});
        y += size.cy;
    }
    m_size = SGridSize{2 * kFrame + width + kArrowRoom, y + kPadding + kFrame};
}

int OwMenuLayout::HitTest(SGridPoint point) const
{
    for (std::size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].Contains(point))
            return static_cast<int>(i);
    return -1;
}

void OwMenuLayout::Paint(CGridSurface& surface, const OwMenu& menu, int selected,
                         const SOwMenuColors& colors) const
{
    OwMenuItemPainter painter(surface, colors);
    const SGridRect whole{0, 0, m_size.cx, m_size.cy};
    // The room above and below the items continues the image column.
    surface.FillSolidRect(whole, painter.TextAreaColor());
    surface.FillSolidRect(
        SGridRect{kFrame, kFrame, kFrame + menu.GetIconSize().cx + menu.GetGap(), m_size.cy - kFrame},
        painter.ColumnColor());
    surface.FrameRect(whole, colors.btnShadow);
    for (int i = 0; i < GetItemCount() && i < menu.GetItemCount(); ++i)
    {
        const OwMenuData& item = menu.GetItem(i);
        unsigned state = 0;
        if (i == selected)
            state |= ODS_SELECTED;
        if (item.IsDisabled())
            state |= ODS_GRAYED;
        if (item.IsChecked())
            state |= ODS_CHECKED;
        menu.DrawItem(surface, item, GetItemRect(i), state, colors);
    }
}
