#pragma once
#include <optional>
#include <string>

#include "grid/GridImageList.h"
#include "menus/OwMenuFlags.h"

class OwMenu;

/// The record of one menu item.
struct OwMenuData
{
    /// The item text: label, optionally a tab and the accelerator.
    std::wstring text;
    /// 0 when the item has an image, else -1.
    int imageIndex = -1;
    /// The MF_ flags the item was appended with.
    unsigned flags = 0;
    /// The command id; 0 for separators and sub-menu items.
    unsigned command = 0;
    /// The sub-menu a pop-up item opens.
    OwMenu* subMenu = nullptr;
    /// The item's own images: the image at 0 and, once made, the faded,
    /// shadow and disabled variants at 1, 2 and 3.
    std::optional<CGridImageList> images;
    /// The menu that holds the record.
    OwMenu* owner = nullptr;

    bool IsSeparator() const { return (flags & MF_SEPARATOR) != 0; }
    bool IsDisabled() const { return (flags & (MF_GRAYED | MF_DISABLED)) != 0; }
    bool IsChecked() const { return (flags & MF_CHECKED) != 0; }
    bool IsPopup() const { return subMenu != nullptr; }
    /// Separators and disabled items cannot be selected or chosen.
    bool IsSelectable() const { return !IsSeparator() && !IsDisabled(); }
    bool HasImage() const { return imageIndex == 0 && images.has_value(); }
    bool HasVariants() const { return images.has_value() && images->GetImageCount() > 2; }
};
