// The program's own bitmaps: their sizes, and that every image of a strip
// is drawn and differs from its neighbours.
#include "resources/BitmapResources.h"
#include "resources/ExportIllustrations.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace TerrionTest
{
namespace
{

using Resources::CBitmapResources;

std::vector<std::uint32_t> Tile(const Resources::SBitmapPixels& b, int index, int tileWidth)
{
    std::vector<std::uint32_t> tile;
    for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < tileWidth; ++x)
            tile.push_back(b.pixels[static_cast<std::size_t>(y * b.width + index * tileWidth + x)]);
    return tile;
}

TEST(BitmapResources, StripsOfDistinctImagesOnATransparentGround)
{
    const struct
    {
        unsigned id;
        int width, height, tile;
    } strips[] = {{CBitmapResources::kGridImages, 88, 19, 22}, {CBitmapResources::kMenuImages, 120, 19, 20}};
    for (const auto& s : strips)
    {
        const Resources::SBitmapPixels b = CBitmapResources::Pixels(s.id);
        ASSERT_EQ(b.width, s.width);
        ASSERT_EQ(b.height, s.height);
        ASSERT_EQ(b.pixels.size(), static_cast<std::size_t>(s.width * s.height));
        std::set<std::vector<std::uint32_t>> tiles;
        for (int i = 0; i < s.width / s.tile; ++i)
        {
            const std::vector<std::uint32_t> tile = Tile(b, i, s.tile);
            int drawn = 0;
            for (std::uint32_t p : tile)
                drawn += p != CBitmapResources::kTransparent;
            EXPECT_GT(drawn, 40) << s.id << " image " << i;
            EXPECT_EQ(tile.front(), CBitmapResources::kTransparent) << s.id << " image " << i;
            tiles.insert(tile);
        }
        EXPECT_EQ(tiles.size(), static_cast<std::size_t>(s.width / s.tile)) << s.id;
    }
    EXPECT_EQ(CBitmapResources::Pixels(1).width, 0);
}

// The export dialogs' illustrations at their sizes: the tiles and the icons
// drawn with a transparent key carry it in their top-left pixel and show a
// picture on it; the preview strips are opaque.
TEST(BitmapResources, ExportIllustrationsAtTheirSizes)
{
    const struct
    {
        unsigned id;
        int width, height;
        bool keyed;
    } bitmaps[] = {{30201, 93, 59, true},  {30202, 94, 78, true},  {30203, 94, 40, true},
                   {30204, 93, 77, true},  {30205, 93, 58, true},  {30206, 94, 40, true},
                   {30207, 94, 54, true},  {30208, 94, 54, true},  {30220, 93, 58, true},
                   {30221, 93, 77, true},  {30219, 52, 5, false},  {30218, 52, 5, false},
                   {30217, 52, 21, false}, {30213, 52, 18, false}, {30211, 52, 5, false},
                   {30216, 27, 30, false}, {30215, 26, 31, true},  {30222, 27, 30, true}};
    std::set<std::vector<std::uint32_t>> distinct;
    for (const auto& b : bitmaps)
    {
        const Resources::SBitmapPixels p = CBitmapResources::Pixels(b.id);
        ASSERT_EQ(p.width, b.width) << b.id;
        ASSERT_EQ(p.height, b.height) << b.id;
        ASSERT_EQ(p.pixels.size(), static_cast<std::size_t>(b.width * b.height)) << b.id;
        EXPECT_EQ(p.pixels.front() == CBitmapResources::kTransparent, b.keyed) << b.id;
        std::set<std::uint32_t> colours(p.pixels.begin(), p.pixels.end());
        EXPECT_GE(colours.size(), 3u) << b.id << " shows a picture";
        int drawn = 0;
        for (std::uint32_t c : p.pixels)
            drawn += c != CBitmapResources::kTransparent;
        EXPECT_GT(drawn, p.width * p.height / 4) << b.id;
        distinct.insert(p.pixels);
    }
    EXPECT_EQ(distinct.size(), std::size(bitmaps));
    EXPECT_EQ(Resources::CExportIllustrations::Pixels(30200).width, 0);
}

} // namespace
} // namespace TerrionTest
