// The program's own bitmaps: their sizes, and that every image of a strip
// is drawn and differs from its neighbours.
#include "resources/BitmapResources.h"

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

} // namespace
} // namespace TerrionTest
