#pragma once
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "grid/GridImageList.h"
#include "grid/GridSurface.h"
#include "menus/OwMenuColors.h"
#include "menus/OwMenuData.h"
#include "menus/OwMenuFlags.h"
#include "menus/OwMenuMetrics.h"

/// A popup menu whose items measure and draw themselves: a label and an
/// accelerator column, an image from an image list, a drawn check box,
/// separators, and the disabled and selected looks. This class is the menu
/// and its measuring and drawing; menus/wx shows it and lets the user choose.
///
/// A page builds one, appends its items and tracks it:
///
///     OwMenu menu;
///     menu.SetIconSize(20, 19);
///     menu.AppendMenu(L"&Expand all", MF_STRING, 1, &images, 0);
///     menu.AppendMenu(L"", MF_SEPARATOR, 0);
///     menu.AppendMenu(L"&Copy\tCtrl+C", MF_GRAYED, 2);
///     const unsigned id = OwMenuPopup::Track(menu, this, wxGetMousePosition());
class OwMenu
{
public:
    OwMenu() = default;
    /// Destroys the sub-menus this menu owns, and only those.
    virtual ~OwMenu();
    OwMenu(const OwMenu&) = delete;
    OwMenu& operator=(const OwMenu&) = delete;

    /// Each of red, green and blue moved by `factor` towards white; the
    /// colour unchanged unless 0 < factor <= 1.
    static TGridColor LightenColor(TGridColor color, double factor);
    /// Each of red, green and blue moved by `factor` towards black; the
    /// colour unchanged unless 0 < factor <= 1.
    static TGridColor DarkenColor(TGridColor color, double factor);
    /// The font the items are measured and drawn in (the desktop's menu font).
    static SGridFont GetMenuFont() { return SGridFont{}; }

    /// The image size of every item, for measuring and drawing.
    void SetIconSize(int cx, int cy);
    SGridSize GetIconSize() const { return m_iconSize; }

    /// Appends an item: `text` is "label" or "label\taccelerator" ("&x" makes
    /// x the mnemonic, "&&" shows one "&"); `flags` are MF_ flags; `id` is the
    /// command returned when the item is chosen, and 0 makes a separator
    /// whatever the text, flags or images. With `images` the item shows tile
    /// `index` of that list (copied: the list need not outlive the menu).
    bool AppendMenu(std::wstring_view text, unsigned flags, unsigned id,
                    const CGridImageList* images = nullptr, int index = 0);
    /// Appends a pop-up item opening `subMenu`, which this menu owns and
    /// destroys with itself.
    bool AppendMenu(std::wstring_view text, unsigned flags, std::unique_ptr<OwMenu> subMenu,
                    const CGridImageList* images = nullptr, int index = 0);
    /// Appends a pop-up item opening `subMenu`, which stays the caller's: it
    /// must outlive this menu's use and is not destroyed with it.
    bool AppendMenu(std::wstring_view text, unsigned flags, OwMenu& subMenu,
                    const CGridImageList* images = nullptr, int index = 0);
    /// Removes every item and destroys the owned sub-menus.
    void DestroyMenu();

    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    const OwMenuData& GetItem(int index) const { return *m_items[static_cast<std::size_t>(index)]; }

    /// Whether the flat look is in force (always, with the fixed answers of this desktop).
    bool IsFlatStyle() const;
    /// Room around the image: 7 pixels in the flat look with image variants, else 4.
    int GetGap() const;

    /// The size of one item, from the fixed parts and the widest label and
    /// accelerator; every item of a menu ends up as wide as the widest.
    static SGridSize ItemSize(bool separator, bool flat, int gap, SGridSize iconSize, int widestLabel,
                              int widestAccelerator, const SOwMenuMetrics& metrics);
    /// Measures `item` in the menu font on `measurer`; raises the widest
    /// label and accelerator seen so far, never lowers them.
    SGridSize MeasureItem(const OwMenuData& item, CGridSurface& measurer, const SOwMenuMetrics& metrics);
    int GetWidestLabel() const { return m_widestLabel; }
    int GetWidestAccelerator() const { return m_widestAccelerator; }

    /// Makes the faded, shadow and disabled variants of every item image in
    /// these colours, when the flat look uses them (again only when the
    /// colours changed).
    void BuildImageVariants(const SOwMenuColors& colors);
    /// Draws `item` in `rect` (right and bottom outside) with the ODS_ `state`.
    void DrawItem(CGridSurface& surface, const OwMenuData& item, const SGridRect& rect, unsigned state,
                  const SOwMenuColors& colors) const;

private:
    OwMenuData& AddItem(std::wstring_view text, unsigned flags, unsigned id, const CGridImageList* images,
                        int index);

    std::vector<std::unique_ptr<OwMenuData>> m_items;
    /// The sub-menus appended with their ownership; borrowed ones appear only in their items.
    std::vector<std::unique_ptr<OwMenu>> m_ownedSubMenus;
    SGridSize m_iconSize{16, 16};
    int m_widestLabel = 0;
    int m_widestAccelerator = 0;
    /// The style switches: flat on the themed look, 3D elsewhere.
    bool m_flatOutsideThemed = false;
    bool m_flatOnThemed = true;
    /// The flat look builds image variants, which also widen the image column.
    bool m_imageVariants = true;
    std::optional<SOwMenuColors> m_variantColors;
};
