#include "menus/OwMenuItemPainter.h"

#include <algorithm>
#include <optional>

#include "menus/OwMenu.h"
#include "menus/OwMenuImages.h"
#include "menus/OwMenuLook.h"
#include "menus/OwMenuText.h"

OwMenuItemPainter::OwMenuItemPainter(CGridSurface& surface, const SOwMenuColors& colors)
    : m_surface(surface), m_colors(colors)
{
}

TGridColor OwMenuItemPainter::ColumnColor() const
{
    return IsMenuThemedXp() ? m_colors.btnFace : OwMenu::LightenColor(m_colors.btnFace, 0.25);
}

TGridColor OwMenuItemPainter::TextAreaColor() const
{
    return OwMenu::DarkenColor(m_colors.window, 0.02);
}

TGridColor OwMenuItemPainter::SelectionColor() const
{
    return OwMenu::LightenColor(m_colors.highlight, IsMenuThemedXp() ? 0.7 : 0.85);
}

void OwMenuItemPainter::DrawTick(int x, int y, TGridColor color)
{
    static constexpr int kRise[7] = {2, 3, 4, 3, 2, 1, 0};
    for (int i = 0; i < 7; ++i)
        m_surface.Line(SGridPoint{x + i, y + kRise[i]}, SGridPoint{x + i, y + kRise[i] + 3}, color);
}

void OwMenuItemPainter::DrawEtchedLine(int left, int right, int y)
{
    m_surface.FillSolidRect(SGridRect{left, y, right, y + 1}, m_colors.btnShadow);
    m_surface.FillSolidRect(SGridRect{left, y + 1, right, y + 2}, m_colors.btnHighlight);
}

void OwMenuItemPainter::Draw(const OwMenu& menu, const OwMenuData& item, const SGridRect& rect,
                             unsigned state)
{
    const SGridSize icon = menu.GetIconSize();
    const TGridColor column = ColumnColor();
    const TGridColor textArea = TextAreaColor();
    const TGridColor highlight = m_colors.highlight;
    const int columnWidth = icon.cx + menu.GetGap();
    const SGridRect columnRect{rect.left, rect.top, rect.left + columnWidth, rect.bottom};
    const bool disabled = (state & ODS_GRAYED) != 0;
    // A disabled item never shows the selection.
    const bool selected = (state & ODS_SELECTED) != 0 && !disabled;

    if (item.IsSeparator())
    {
        m_surface.FillSolidRect(rect, textArea);
        DrawEtchedLine(rect.left + columnWidth + menu.GetGap(), rect.right, rect.top + rect.Height() / 2);
        m_surface.FillSolidRect(columnRect, column);
        return;
    }
    if (selected)
    {
        m_surface.FillSolidRect(rect, SelectionColor());
        m_surface.FrameRect(rect, highlight);
    }
    else
    {
        m_surface.FillSolidRect(rect, textArea);
        m_surface.FillSolidRect(columnRect, column);
    }

    const int dx = std::max(0, static_cast<int>((columnWidth - icon.cx) * 0.5 + 0.5));
    const int dy = std::max(0, static_cast<int>((rect.Height() - icon.cy) * 0.5 + 0.5));
    const SGridPoint at{rect.left + dx, rect.top + dy};
    const SGridRect box{rect.left + 1, rect.top + 1, rect.left + columnWidth - 2, rect.bottom - 1};
    if (item.HasImage())
        DrawImageItem(item, box, at, selected, disabled);
    else if ((state & ODS_CHECKED) != 0)
        DrawCheckBox(box, selected);

    TGridColor text = m_colors.menuText;
    if (disabled)
        text =
            IsMenuThemedXp() || selected ? m_colors.grayText : OwMenu::LightenColor(m_colors.grayText, 0.4);
    DrawTexts(menu, item, rect.left + columnWidth + 8, rect, text);
    if (item.IsPopup())
        DrawArrow(rect, text);
}

void OwMenuItemPainter::DrawImageItem(const OwMenuData& item, const SGridRect& box, SGridPoint at,
                                      bool selected, bool disabled)
{
    const TGridColor highlight = m_colors.highlight;
    // Images appended after the variants were made are converted here.
    std::optional<CGridImageList> converted;
    if (!item.HasVariants())
        converted = OwMenuImages::WithVariants(*item.images, m_colors);
    const CGridImageList& images = converted ? *converted : *item.images;
    const bool checked = (item.flags & MF_CHECKED) != 0;
    if (disabled)
    {
        m_surface.DrawImage(images, OwMenuImages::kDisabled, at.x, at.y, false);
        return;
    }
    if (checked)
    {
        m_surface.FillSolidRect(box, OwMenu::LightenColor(highlight, selected ? 0.55 : 0.85));
        m_surface.FrameRect(box, highlight);
        m_surface.DrawImage(images, OwMenuImages::kImage, at.x - 1, at.y - 1, false);
    }
    else if (selected)
    {
        m_surface.FillSolidRect(box, SelectionColor());
        // Raised under the pointer: a shadow below right, the image above left.
        m_surface.DrawImage(images, OwMenuImages::kShadow, at.x + 1, at.y + 1, false);
        m_surface.DrawImage(images, OwMenuImages::kImage, at.x - 1, at.y - 1, false);
    }
    else
    {
        m_surface.FillSolidRect(box, ColumnColor());
        m_surface.DrawImage(images, OwMenuImages::kFaded, at.x, at.y, false);
    }
}

void OwMenuItemPainter::DrawCheckBox(const SGridRect& box, bool selected)
{
    m_surface.FillSolidRect(box, OwMenu::LightenColor(m_colors.highlight, selected ? 0.55 : 0.85));
    m_surface.FrameRect(box, m_colors.highlight);
    const int ox = box.Width() < 6 ? 0 : box.Width() / 2 - 3;
    const int oy = box.Height() < 6 ? 0 : box.Height() / 2 - 3;
    DrawTick(box.left + ox, box.top + oy, m_colors.menuText);
}

void OwMenuItemPainter::DrawTexts(const OwMenu& menu, const OwMenuData& item, int x, const SGridRect& rect,
                                  TGridColor color)
{
    if (item.text.empty())
        return;
    const OwMenuText text(item.text);
    m_surface.SaveState();
    m_surface.SetFont(OwMenu::GetMenuFont());
    m_surface.SetTextColor(color);
    m_surface.SetTextAlign(NGridTextAlign::Left);
    m_surface.SetTextVAlign(NGridTextVAlign::Top);
    const SGridFontMetrics metrics = m_surface.GetFontMetrics();
    // Centred in the item raised by one pixel, as single-line text centres.
    const int top = (rect.top - 1 + rect.bottom - 1 - metrics.height) / 2;
    m_surface.TextOut(x, top, text.GetShownLabel());
    if (text.GetMnemonicIndex() >= 0)
    {
        const std::wstring_view shown = text.GetShownLabel();
        const auto index = static_cast<std::size_t>(text.GetMnemonicIndex());
        const int from = x + m_surface.GetTextExtent(shown.substr(0, index)).cx;
        const int width = m_surface.GetTextExtent(shown.substr(index, 1)).cx;
        const int y = top + metrics.ascent + 1;
        m_surface.FillSolidRect(SGridRect{from, y, from + width, y + 1}, color);
    }
    m_surface.TextOut(x + menu.GetWidestLabel() + 10, top, text.GetAccelerator());
    m_surface.RestoreState();
}

void OwMenuItemPainter::DrawArrow(const SGridRect& rect, TGridColor color)
{
    // A small solid triangle pointing right, in vertical strokes so it stays crisp.
    const int middle = rect.top + rect.Height() / 2;
    const int left = rect.right - 12;
    for (int i = 0; i < 4; ++i)
        m_surface.FillSolidRect(SGridRect{left + i, middle - 3 + i, left + i + 1, middle + 4 - i}, color);
}
