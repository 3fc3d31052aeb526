#include "views/SeriesImages.h"

#include "resources/BitmapResources.h"
#include "views/ColorScheme.h"

namespace
{

CGridImageList Cut(unsigned id, SGridSize tile)
{
    Resources::SBitmapPixels bitmap = Resources::CBitmapResources::Pixels(id);
    return CGridImageList(std::move(bitmap.pixels), bitmap.width, tile,
                          Resources::CBitmapResources::kTransparent);
}

} // namespace

const CGridImageList& CSeriesImages::GridImages()
{
    static const CGridImageList images = Cut(theColorScheme.GridImagesBitmapId, SGridSize{22, 19});
    return images;
}

const CGridImageList& CSeriesImages::MenuImages()
{
    static const CGridImageList images = Cut(theColorScheme.MenuImagesBitmapId, SGridSize{20, 19});
    return images;
}

const CGridImageList& CSeriesImages::SummaryMenuImages()
{
    static const CGridImageList images =
        Cut(Resources::CBitmapResources::kSummaryMenuImages, SGridSize{16, 16});
    return images;
}
