#pragma once
// The menu the window tests open: images from one strip, a mnemonic and an
// accelerator, a separator, a checked, a disabled and a sub-menu item.
#include <memory>
#include <vector>

#include "grid/GridImageList.h"
#include "menus/OwMenu.h"

namespace menu_sample
{

inline constexpr TGridColor kClear = GridRgb(255, 0, 0);
inline constexpr TGridColor kBlue = GridRgb(20, 60, 200);
inline constexpr TGridColor kGreen = GridRgb(30, 150, 40);
inline constexpr TGridColor kBlack = GridRgb(0, 0, 0);

/// Three 20 x 19 tiles, each a filled square (blue, green, black) with a
/// two-pixel transparent border.
inline CGridImageList Images()
{
    const int w = 20;
    const int h = 19;
    const TGridColor fills[3] = {kBlue, kGreen, kBlack};
    std::vector<TGridColor> pixels(static_cast<std::size_t>(3 * w * h), kClear);
    for (int tile = 0; tile < 3; ++tile)
        for (int y = 2; y < h - 2; ++y)
            for (int x = 2; x < w - 2; ++x)
                pixels[static_cast<std::size_t>(y * 3 * w + tile * w + x)] = fills[tile];
    return CGridImageList(std::move(pixels), 3 * w, SGridSize{w, h}, kClear);
}

enum NItem : int
{
    kExpand,
    kCollapse,
    kSeparator,
    kChecked,
    kDisabled,
    kMore,
    kItemCount
};

/// 0 "&Expand all\tCtrl+E" (1, image 0), 1 "&Collapse all" (2, image 1),
/// 2 separator, 3 "Show &details" checked (3), 4 "&Remove" disabled (4,
/// image 2), 5 "&More" opening [0 "&First" (51), 1 "&Second" (52)].
inline void Fill(OwMenu& menu, const CGridImageList& images)
{
    menu.SetIconSize(20, 19);
    menu.AppendMenu(L"&Expand all\tCtrl+E", MF_STRING, 1, &images, 0);
    menu.AppendMenu(L"&Collapse all", MF_STRING, 2, &images, 1);
    menu.AppendMenu(L"", MF_SEPARATOR, 0);
    menu.AppendMenu(L"Show &details", MF_CHECKED, 3);
    menu.AppendMenu(L"&Remove", MF_GRAYED, 4, &images, 2);
    auto more = std::make_unique<OwMenu>();
    more->SetIconSize(20, 19);
    more->AppendMenu(L"&First", MF_STRING, 51);
    more->AppendMenu(L"&Second", MF_STRING, 52);
    menu.AppendMenu(L"&More", MF_STRING, std::move(more));
}

} // namespace menu_sample
