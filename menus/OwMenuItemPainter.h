#pragma once
#include "grid/GridSurface.h"
#include "menus/OwMenuColors.h"
#include "menus/OwMenuData.h"

class OwMenu;

/// Paints one menu item in the flat look: the tinted image column, the
/// selection fill framed in the highlight colour, the image or check box,
/// the label and accelerator columns and the sub-menu arrow.
class OwMenuItemPainter
{
public:
    OwMenuItemPainter(CGridSurface& surface, const SOwMenuColors& colors);

    /// Draws `item` of `menu` in `rect` (right and bottom outside) with the ODS_ `state`.
    void Draw(const OwMenu& menu, const OwMenuData& item, const SGridRect& rect, unsigned state);

    /// The colours of the flat look.
    TGridColor ColumnColor() const;
    TGridColor TextAreaColor() const;
    TGridColor SelectionColor() const;

    /// The tick of a checked item: seven strokes three pixels long from (x, y).
    void DrawTick(int x, int y, TGridColor color);
    /// An etched line along row `y` from `left` up to `right`.
    void DrawEtchedLine(int left, int right, int y);

private:
    void DrawImageItem(const OwMenuData& item, const SGridRect& box, SGridPoint at, bool selected,
                       bool disabled);
    void DrawCheckBox(const SGridRect& box, bool selected);
    void DrawTexts(const OwMenu& menu, const OwMenuData& item, int x, const SGridRect& rect,
                   TGridColor color);
    void DrawArrow(const SGridRect& rect, TGridColor color);

    CGridSurface& m_surface;
    const SOwMenuColors& m_colors;
};
