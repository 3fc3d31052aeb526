// The DIB copy's header arithmetic and standard colour table, and the packed
// bitmap the clipboard takes.
#include "export/DibInfo.h"
#include "export/Picture.h"

#include <gtest/gtest.h>

namespace
{
SRgbQuad Rgb(int r, int g, int b)
{
    SRgbQuad q;
    q.rgbRed = static_cast<std::uint8_t>(r);
    q.rgbGreen = static_cast<std::uint8_t>(g);
    q.rgbBlue = static_cast<std::uint8_t>(b);
    return q;
}
} // namespace

TEST(DibInfo, HeaderOfABottomUpBitmapWithPaddedRows)
{
    const struct
    {
        int width, height, bits;
        std::uint32_t imageSize;
        int colours;
    } cases[] = {{93, 59, 24, 280 * 59, 0}, {94, -40, 24, 284 * 40, 0}, {10, 3, 1, 4 * 3, 2},
                 {9, 2, 4, 8 * 2, 16},      {5, 2, 8, 8 * 2, 256},      {3, 2, 32, 12 * 2, 0}};
    for (const auto& c : cases)
    {
        const SBitmapInfoHeader head = CDibInfo::MakeHeader(c.width, c.height, c.bits);
        EXPECT_EQ(head.biSize, 40u);
        EXPECT_EQ(head.biWidth, c.width);
        EXPECT_EQ(head.biHeight, std::abs(c.height)) << "rows bottom up";
        EXPECT_EQ(head.biPlanes, 1);
        EXPECT_EQ(head.biBitCount, c.bits);
        EXPECT_EQ(head.biCompression, 0u);
        EXPECT_EQ(head.biSizeImage, c.imageSize) << c.width << "x" << c.height << "x" << c.bits;
        EXPECT_EQ(CDibInfo::ColorCount(c.bits), c.colours);
    }
}

TEST(DibInfo, StandardTableHoldsFixedColoursCubeAndGreyRamp)
{
    const auto table = CDibInfo::StandardColorTable(256);
    ASSERT_EQ(table.size(), 256u);
    EXPECT_EQ(table[0], Rgb(0, 0, 0));
    EXPECT_EQ(table[1], Rgb(255, 255, 255));
    EXPECT_EQ(table[2], Rgb(255, 0, 0));
    EXPECT_EQ(table[5], Rgb(0, 0, 255));
    EXPECT_EQ(table[15], Rgb(192, 192, 192));
    EXPECT_EQ(table[16], Rgb(0, 0, 0));  // the cube starts at black
    EXPECT_EQ(table[17], Rgb(51, 0, 0)); // red runs innermost
    EXPECT_EQ(table[22], Rgb(0, 51, 0)); // then green
    EXPECT_EQ(table[52], Rgb(0, 0, 51)); // blue outermost
    EXPECT_EQ(table[231], Rgb(255, 255, 255));
    const int ramp[] = {0,   11,  22,  33,  44,  55,  66,  77,  88,  99,  110, 121,
                        133, 144, 155, 166, 177, 188, 199, 210, 221, 232, 243, 255};
    for (int k = 0; k < 24; ++k)
        EXPECT_EQ(table[232 + static_cast<std::size_t>(k)], Rgb(ramp[k], ramp[k], ramp[k])) << k;
    for (const SRgbQuad& q : table)
        EXPECT_EQ(q.rgbReserved, 0);

    const auto two = CDibInfo::StandardColorTable(2);
    EXPECT_EQ(two, (std::vector<SRgbQuad>{Rgb(0, 0, 0), Rgb(255, 255, 255)}));
    EXPECT_EQ(CDibInfo::StandardColorTable(16).back(), Rgb(192, 192, 192));
    EXPECT_TRUE(CDibInfo::StandardColorTable(0).empty());
}

TEST(DibInfo, PackedDibIsHeaderPaletteAndRows)
{
    CPicture picture;
    ASSERT_TRUE(picture.Create(3, 2, 24, IMAGE_TYPE_UNKNOWN));
    picture.GetRowBits(0)[0] = 0x11; // bottom row, first blue byte
    picture.GetRowBits(1)[8] = 0x22; // top row, last red byte
    const auto dib = CDibInfo::PackedDib(picture);
    ASSERT_EQ(dib.size(), 40u + 2 * 12);
    const std::uint8_t head[] = {40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 24, 0, 0, 0};
    EXPECT_TRUE(std::equal(std::begin(head), std::end(head), dib.begin()));
    EXPECT_EQ(dib[40], 0x11);
    EXPECT_EQ(dib[40 + 12 + 8], 0x22);

    CPicture palettised;
    ASSERT_TRUE(palettised.Create(8, 1, 1, IMAGE_TYPE_UNKNOWN));
    palettised.SetPaletteColor(1, Rgb(1, 2, 3));
    const auto mono = CDibInfo::PackedDib(palettised);
    ASSERT_EQ(mono.size(), 40u + 8 + 4);
    EXPECT_EQ(mono[32], 2); // colours used
    EXPECT_EQ(mono[44], 3); // entry 1: blue, green, red
    EXPECT_EQ(mono[46], 1);
    EXPECT_TRUE(CDibInfo::PackedDib(CPicture()).empty());
}
