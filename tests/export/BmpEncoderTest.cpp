#include "export/PicMemFile.h"
#include "export/Picture.h"
#include "tests/export/FailingSink.h"
#include "tests/export/ImageDecoder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace
{
std::vector<std::uint8_t> EncodeBmp(CPicture& picture)
{
    std::uint8_t* buffer = nullptr;
    std::size_t size = 0;
    if (!picture.EncodeToMemory(buffer, size, IMAGE_TYPE_BMP))
        return {};
    std::vector<std::uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

void SetBgr(CPicture& picture, std::uint32_t x, std::uint32_t row, std::uint8_t b, std::uint8_t g,
            std::uint8_t r)
{
    std::uint8_t* p = picture.GetRowBits(row) + 3 * x;
    p[0] = b;
    p[1] = g;
    p[2] = r;
}
} // namespace

// 3 x 2 pixels, 24 bits: 14 + 40 + 2 rows of 9 bytes padded to 12.
TEST(BmpEncoder, TrueColourBytesWithRowPadding)
{
    CPicture picture;
    ASSERT_NE(picture.Create(3, 2, 24, IMAGE_TYPE_BMP), nullptr);
    SetBgr(picture, 0, 0, 0x01, 0x02, 0x03);
    SetBgr(picture, 1, 0, 0x04, 0x05, 0x06);
    SetBgr(picture, 2, 0, 0x07, 0x08, 0x09);
    SetBgr(picture, 0, 1, 0xFF, 0x00, 0x00);
    SetBgr(picture, 1, 1, 0x00, 0xFF, 0x00);
    SetBgr(picture, 2, 1, 0x00, 0x00, 0xFF);
    // clang-format off
    const std::vector<std::uint8_t> expected = {
        'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,                // file header
        40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0,              // size, width, height, planes, bits
        0, 0, 0, 0, 24, 0, 0, 0, 0xC4, 0x0E, 0, 0, 0xC4, 0x0E, 0, 0,   // BI_RGB, image size, 3780 ppm
        0, 0, 0, 0, 0, 0, 0, 0,                                        // colours used, important
        1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0,                            // bottom row first
        0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0, 0, 0};
    // clang-format on
    EXPECT_EQ(EncodeBmp(picture), expected);
}

// 3 x 2 pixels, 1 bit: two palette entries, rows of one byte padded to 4.
TEST(BmpEncoder, MonochromeBytesWithPalette)
{
    CPicture picture;
    ASSERT_NE(picture.Create(3, 2, 1, IMAGE_TYPE_BMP), nullptr);
    picture.SetPaletteColor(1, SRgbQuad{0x10, 0x20, 0x30, 0});
    picture.BlindSetPixelIndex(0, 0, 1);
    picture.BlindSetPixelIndex(2, 1, 1);
    // clang-format off
    const std::vector<std::uint8_t> expected = {
        'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0,
        40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 1, 0,
        0, 0, 0, 0, 8, 0, 0, 0, 0xC4, 0x0E, 0, 0, 0xC4, 0x0E, 0, 0,
        2, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0x10, 0x20, 0x30, 0,                               // palette
        0x80, 0, 0, 0,                                                 // bottom row: pixel 0 set
        0x20, 0, 0, 0};                                                // top row: pixel 2 set
    EXPECT_EQ(EncodeBmp(picture), expected);
}

// 2 x 1 pixels, 24 bits with an alpha plane: written as 32 bits a pixel.
TEST(BmpEncoder, AlphaPlaneMakesThirtyTwoBitPixels)
{
    CPicture picture;
    ASSERT_NE(picture.Create(2, 1, 24, IMAGE_TYPE_BMP), nullptr);
    SetBgr(picture, 0, 0, 1, 2, 3);
    SetBgr(picture, 1, 0, 4, 5, 6);
    ASSERT_TRUE(picture.AlphaCreate());
    picture.AlphaSet(1, 0, 0x80);
    // clang-format off
    const std::vector<std::uint8_t> expected = {
        'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,
        40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 32, 0,
        0, 0, 0, 0, 8, 0, 0, 0, 0xC4, 0x0E, 0, 0, 0xC4, 0x0E, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        1, 2, 3, 0xFF, 4, 5, 6, 0x80};
    // clang-format on
    EXPECT_EQ(EncodeBmp(picture), expected);
}

struct SBmpDecodeCase
{
    std::uint32_t width, height, bits;
};

class BmpDecode : public testing::TestWithParam<SBmpDecodeCase>
{
};

// PIL reads back exactly the pixels we put in, palette images included.
TEST_P(BmpDecode, IndependentDecoderSeesExactPixels)
{
    const auto& c = GetParam();
    CPicture picture;
    ASSERT_NE(picture.Create(c.width, c.height, c.bits, IMAGE_TYPE_BMP), nullptr);
    const std::uint32_t colours = picture.GetNumColors();
    for (std::uint32_t i = 0; i < colours; ++i)
        picture.SetPaletteColor(i,
                                SRgbQuad{static_cast<std::uint8_t>(i * 7), static_cast<std::uint8_t>(255 - i),
                                         static_cast<std::uint8_t>(i * 13), 0});
    std::vector<std::uint8_t> expectedRgb; // top row first
    for (std::uint32_t row = c.height; row-- > 0;)
        for (std::uint32_t x = 0; x < c.width; ++x)
        {
            const std::uint32_t v = (x * 31 + row * 17) & 0xFF;
            if (colours)
                picture.BlindSetPixelIndex(x, row, static_cast<std::uint8_t>(v % colours));
            else
                SetBgr(picture, x, row, static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v ^ 0x55),
                       static_cast<std::uint8_t>(255 - v));
            const SRgbQuad q = picture.GetPixelColor(x, row, false);
            expectedRgb.insert(expectedRgb.end(), {q.rgbRed, q.rgbGreen, q.rgbBlue});
        }
    TerrionTest::CImageDecoder decoder;
    ASSERT_TRUE(decoder.Decode(EncodeBmp(picture), ".bmp")) << decoder.Error();
    EXPECT_EQ(decoder.Item("format"), "BMP");
    EXPECT_EQ(decoder.Item("size"), std::to_string(c.width) + " " + std::to_string(c.height));
    EXPECT_EQ(decoder.Item("pixelmode"), "RGB");
    EXPECT_EQ(decoder.Pixels(), expectedRgb);
}

INSTANTIATE_TEST_SUITE_P(Shapes, BmpDecode,
                         testing::Values(SBmpDecodeCase{5, 3, 24}, SBmpDecodeCase{1, 1, 24},
                                         SBmpDecodeCase{13, 4, 8}, SBmpDecodeCase{7, 3, 4},
                                         SBmpDecodeCase{17, 2, 1}));

TEST(BmpEncoder, FailedWriteIsReportedAsFailure)
{
    CPicture picture;
    ASSERT_NE(picture.Create(40, 40, 24, IMAGE_TYPE_BMP), nullptr);
    for (long limit : {0L, 13L, 14L, 60L, 4000L})
    {
        TerrionTest::CFailingSink sink(limit);
        EXPECT_FALSE(picture.Encode(&sink, IMAGE_TYPE_BMP)) << "limit " << limit;
        EXPECT_STREQ(picture.GetLastError(), "CPictureBMP::Encode : write error");
    }
    ASSERT_TRUE(picture.AlphaCreate());
    TerrionTest::CFailingSink sink(200);
    EXPECT_FALSE(picture.Encode(&sink, IMAGE_TYPE_BMP));
}
