#include "menus/OwMenu.h"

#include <algorithm>

#include "menus/OwMenuImages.h"
#include "menus/OwMenuItemPainter.h"
#include "menus/OwMenuLook.h"
#include "menus/OwMenuText.h"

namespace
{

TGridColor MapChannels(TGridColor color, double factor, bool lighten)
{
    if (!(factor > 0.0 && factor <= 1.0))
        return color;
    auto map = [&](unsigned c)
    {
        const double moved = lighten ? factor * (255.0 - c) + c : c - factor * c;
        return static_cast<unsigned>(moved);
    };
    return GridRgb(map(GridRed(color)), map(GridGreen(color)), map(GridBlue(color)));
}

} // namespace

OwMenu::~OwMenu()
{
    DestroyMenu();
}

TGridColor OwMenu::LightenColor(TGridColor color, double factor)
{
    return MapChannels(color, factor, true);
}

TGridColor OwMenu::DarkenColor(TGridColor color, double factor)
{
    return MapChannels(color, factor, false);
}

void OwMenu::SetIconSize(int cx, int cy)
{
    m_iconSize = SGridSize{cx, cy};
}

OwMenuData& OwMenu::AddItem(std::wstring_view text, unsigned flags, unsigned id, const CGridImageList* images,
                            int index)
{
    auto item = std::make_unique<OwMenuData>();
    item->text = text;
    item->owner = this;
    if (id == 0 && (flags & MF_POPUP) == 0)
    {
        item->flags = MF_SEPARATOR;
    }
    else
    {
        item->flags = flags;
        item->command = (flags & MF_POPUP) != 0 ? 0 : id;
        if (images != nullptr)
        {
            item->imageIndex = 0;
            item->images = OwMenuImages::CopyImage(*images, index);
        }
    }
    m_items.push_back(std::move(item));
    m_variantColors.reset();
    return *m_items.back();
}

bool OwMenu::AppendMenu(std::wstring_view text, unsigned flags, unsigned id, const CGridImageList* images,
                        int index)
{
    AddItem(text, flags & ~MF_POPUP, id, images, index);
    return true;
}

bool OwMenu::AppendMenu(std::wstring_view text, unsigned flags, std::unique_ptr<OwMenu> subMenu,
                        const CGridImageList* images, int index)
{
    if (!subMenu)
        return false;
    OwMenu& menu = *subMenu;
    m_ownedSubMenus.push_back(std::move(subMenu));
    AddItem(text, (flags | MF_POPUP) & ~MF_SEPARATOR, 1, images, index).subMenu = &menu;
    return true;
}

bool OwMenu::AppendMenu(std::wstring_view text, unsigned flags, OwMenu& subMenu, const CGridImageList* images,
                        int index)
{
    if (&subMenu == this)
        return false;
    AddItem(text, (flags | MF_POPUP) & ~MF_SEPARATOR, 1, images, index).subMenu = &subMenu;
    return true;
}

void OwMenu::DestroyMenu()
{
    // Items first: they point into the sub-menus.
    m_items.clear();
    m_ownedSubMenus.clear();
    m_variantColors.reset();
}

bool OwMenu::IsFlatStyle() const
{
    return IsMenuThemedXp() ? m_flatOnThemed : m_flatOutsideThemed;
}

int OwMenu::GetGap() const
{
    return IsFlatStyle() && m_imageVariants ? 7 : 4;
}

SGridSize OwMenu::ItemSize(bool separator, bool flat, int gap, SGridSize iconSize, int widestLabel,
                           int widestAccelerator, const SOwMenuMetrics& metrics)
{
    if (separator)
        return SGridSize{0, flat ? 3 : std::max((iconSize.cy + 4) / 2, metrics.menuHeight / 2)};
    int width = widestAccelerator + 10 + widestLabel;
    width += flat ? iconSize.cx + 8 + gap : 1 + 2 * iconSize.cx;
    return SGridSize{width, std::max(metrics.menuHeight, gap + iconSize.cy)};
}

SGridSize OwMenu::MeasureItem(const OwMenuData& item, CGridSurface& measurer, const SOwMenuMetrics& metrics)
{
    if (!item.IsSeparator())
    {
        const OwMenuText text(item.text);
        if (theMenuWinVersion > 1)
            measurer.SetFont(GetMenuFont());
        const int label = theMenuWinVersion != 0 ? measurer.GetTextExtent(text.GetShownLabel()).cx : 0;
        const int accelerator = measurer.GetTextExtent(text.GetAccelerator()).cx;
        m_widestLabel = std::max(m_widestLabel, label);
        m_widestAccelerator = std::max(m_widestAccelerator, accelerator);
    }
    return ItemSize(item.IsSeparator(), IsFlatStyle(), GetGap(), m_iconSize, m_widestLabel,
                    m_widestAccelerator, metrics);
}

void OwMenu::BuildImageVariants(const SOwMenuColors& colors)
{
    if (!IsFlatStyle() || !m_imageVariants || m_variantColors == colors)
        return;
    for (const auto& item : m_items)
        if (item->images)
            item->images = OwMenuImages::WithVariants(*item->images, colors);
    m_variantColors = colors;
}

void OwMenu::DrawItem(CGridSurface& surface, const OwMenuData& item, const SGridRect& rect, unsigned state,
                      const SOwMenuColors& colors) const
{
    OwMenuItemPainter(surface, colors).Draw(*this, item, rect, state);
}
