// The combined image of a graphic export: bands stacked top down, nothing
// written past the image, other formats converted, untouched rows white.
#include "export/CombinedImage.h"
#include "tests/export/ImageDecoder.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{
struct SRgb
{
    std::uint8_t r, g, b;
    bool operator==(const SRgb&) const = default;
};

/// A 24-bit band of one colour.
void Band(CPicture& band, std::uint32_t width, std::uint32_t height, SRgb colour)
{
    ASSERT_TRUE(band.Create(width, height, 24, IMAGE_TYPE_UNKNOWN));
    for (std::uint32_t y = 0; y < height; ++y)
        for (std::uint32_t x = 0; x < width; ++x)
        {
            std::uint8_t* p = band.GetRowBits(y) + 3 * x;
            p[0] = colour.b;
            p[1] = colour.g;
            p[2] = colour.r;
        }
}

/// The colour at (x, y) counted from the top.
SRgb At(const CPicture& image, std::uint32_t x, std::uint32_t yFromTop)
{
    const std::uint8_t* p = image.GetRowBits(image.GetHeight() - 1 - yFromTop) + 3 * x;
    return {p[2], p[1], p[0]};
}

constexpr SRgb kWhite{255, 255, 255}, kRed{200, 0, 0}, kGreen{0, 150, 0}, kBlue{0, 0, 180};
} // namespace

TEST(CombinedImage, BandsStackTopDownAndRowsLeftOverStayWhite)
{
    CCombinedImage image;
    ASSERT_TRUE(image.Create(5, 12));
    CPicture a, b;
    Band(a, 5, 3, kRed);
    Band(b, 5, 4, kGreen);
    EXPECT_EQ(image.AddBand(a), 3u);
    image.Skip(2); // a band that could not be rendered
    EXPECT_EQ(image.AddBand(b), 4u);
    EXPECT_EQ(image.GetFilled(), 9u);
    const SRgb expected[12] = {kRed,   kRed,   kRed,   kWhite, kWhite, kGreen,
                               kGreen, kGreen, kGreen, kWhite, kWhite, kWhite};
    for (std::uint32_t y = 0; y < 12; ++y)
        for (std::uint32_t x = 0; x < 5; ++x)
            ASSERT_EQ(At(image.Picture(), x, y), expected[y]) << x << "," << y;
    // The padding bytes of the rows are defined too.
    EXPECT_EQ(image.Picture().GetRowStride(), 16u);
    EXPECT_EQ(image.Picture().GetRowBits(0)[15], 0xFF);
}

TEST(CombinedImage, ABandNeverWritesPastTheBottom)
{
    CCombinedImage image;
    ASSERT_TRUE(image.Create(4, 5));
    CPicture a, b, c;
    Band(a, 4, 3, kRed);
    Band(b, 4, 6, kBlue); // taller than the room left
    Band(c, 4, 1, kGreen);
    EXPECT_EQ(image.AddBand(a), 3u);
    EXPECT_EQ(image.AddBand(b), 2u); // its top two rows
    EXPECT_EQ(image.AddBand(c), 0u);
    EXPECT_EQ(At(image.Picture(), 0, 2), kRed);
    EXPECT_EQ(At(image.Picture(), 3, 3), kBlue);
    EXPECT_EQ(At(image.Picture(), 3, 4), kBlue);
}

TEST(CombinedImage, BandsOfAnotherStrideOrFormatAreConverted)
{
    CCombinedImage image;
    ASSERT_TRUE(image.Create(6, 6));
    CPicture narrow, wide, mono;
    Band(narrow, 3, 2, kRed); // stride 12 against 20
    Band(wide, 9, 2, kGreen); // cut at the image's right edge
    ASSERT_TRUE(mono.Create(6, 2, 1, IMAGE_TYPE_UNKNOWN));
    SRgbQuad blue;
    blue.rgbBlue = 180;
    mono.SetPaletteColor(0, blue);
    mono.SetPaletteColor(1, SRgbQuad{255, 255, 255, 0});
    mono.BlindSetPixelIndex(5, 1, 1);
    EXPECT_EQ(image.AddBand(narrow), 2u);
    EXPECT_EQ(image.AddBand(wide), 2u);
    EXPECT_EQ(image.AddBand(mono), 2u);
    EXPECT_EQ(At(image.Picture(), 2, 0), kRed);
    EXPECT_EQ(At(image.Picture(), 3, 1), kWhite); // beyond the narrow band
    EXPECT_EQ(At(image.Picture(), 5, 3), kGreen);
    EXPECT_EQ(At(image.Picture(), 0, 4), kBlue);
    EXPECT_EQ(At(image.Picture(), 5, 4), kWhite); // the top row's last pixel: index 1
    EXPECT_EQ(At(image.Picture(), 5, 5), kBlue);
}

TEST(CombinedImage, EncodedImageDecodesWithTheBandsInPlace)
{
    CCombinedImage image;
    ASSERT_TRUE(image.Create(7, 9));
    CPicture a, b;
    Band(a, 7, 4, kRed);
    Band(b, 7, 5, kBlue);
    image.AddBand(a);
    image.AddBand(b);
    std::uint8_t* bytes = nullptr;
    std::size_t size = 0;
    ASSERT_TRUE(image.Picture().EncodeToMemory(bytes, size, IMAGE_TYPE_PNG));
    const std::vector<std::uint8_t> png(bytes, bytes + size);
    std::free(bytes);
    TerrionTest::CImageDecoder decoder;
    ASSERT_TRUE(decoder.Decode(png, ".png")) << decoder.Error();
    EXPECT_EQ(decoder.Item("size"), "7 9");
    const auto& px = decoder.Pixels();
    ASSERT_EQ(px.size(), 7u * 9 * 3);
    EXPECT_EQ((SRgb{px[0], px[1], px[2]}), kRed);
    EXPECT_EQ((SRgb{px[3 * 7 * 3], px[3 * 7 * 3 + 1], px[3 * 7 * 3 + 2]}), kRed);
    EXPECT_EQ((SRgb{px[4 * 7 * 3], px[4 * 7 * 3 + 1], px[4 * 7 * 3 + 2]}), kBlue);
}

TEST(CombinedImage, AnImageThatCannotBeAllocatedIsRefused)
{
    CCombinedImage image;
    EXPECT_FALSE(image.Create(0, 10));
    EXPECT_FALSE(image.Create(0x40000000u, 0x40000000u));
    CPicture band;
    Band(band, 2, 2, kRed);
    EXPECT_EQ(image.AddBand(band), 0u);
}
