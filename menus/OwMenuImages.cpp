#include "menus/OwMenuImages.h"

#include <vector>

#include "menus/OwMenu.h"
#include "menus/OwMenuLook.h"

namespace
{

TGridColor Faded(TGridColor pixel)
{
    return OwMenu::LightenColor(pixel, 0.3);
}

TGridColor Disabled(TGridColor pixel, TGridColor shadow)
{
    const unsigned grey = (GridRed(pixel) + GridGreen(pixel) + GridBlue(pixel)) / 3;
    return OwMenu::LightenColor(shadow, grey / 255.0);
}

} // namespace

std::optional<CGridImageList> OwMenuImages::CopyImage(const CGridImageList& source, int index)
{
    if (index < 0 || index >= source.GetImageCount())
        return std::nullopt;
    const SGridSize size = source.GetTileSize();
    std::vector<TGridColor> pixels;
    pixels.reserve(static_cast<std::size_t>(size.cx) * static_cast<std::size_t>(size.cy));
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x)
            pixels.push_back(source.GetPixel(index, x, y));
    return CGridImageList(std::move(pixels), size.cx, size, source.GetTransparentColor());
}

CGridImageList OwMenuImages::WithVariants(const CGridImageList& own, const SOwMenuColors& colors)
{
    const SGridSize size = own.GetTileSize();
    if (own.GetImageCount() < 1)
        return own;
    const TGridColor transparent = own.GetTransparentColor();
    const TGridColor shadow =
        IsMenuThemedXp() ? colors.btnShadow : OwMenu::LightenColor(colors.btnShadow, 0.49);
    const int strip = size.cx * 4;
    std::vector<TGridColor> pixels(static_cast<std::size_t>(strip) * static_cast<std::size_t>(size.cy));
    for (int y = 0; y < size.cy; ++y)
    {
        TGridColor* row = pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(strip);
        for (int x = 0; x < size.cx; ++x)
        {
            const TGridColor pixel = own.GetPixel(kImage, x, y);
            const bool clear = pixel == transparent;
            row[x] = pixel;
            row[kFaded * size.cx + x] = clear ? transparent : Faded(pixel);
            row[kShadow * size.cx + x] = clear ? transparent : shadow;
            row[kDisabled * size.cx + x] = clear ? transparent : Disabled(pixel, colors.btnShadow);
        }
    }
    return CGridImageList(std::move(pixels), strip, size, transparent);
}
