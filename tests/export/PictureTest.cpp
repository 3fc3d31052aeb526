#include "export/Picture.h"
#include "export/PicMemFile.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(Picture, CreateRefusesEmptySizes)
{
    CPicture picture;
    EXPECT_EQ(picture.Create(0, 5, 24, IMAGE_TYPE_BMP), nullptr);
    EXPECT_STREQ(picture.GetLastError(), "CPicture::Create : width and height must be greater than zero");
    EXPECT_EQ(picture.Create(5, 0, 24, IMAGE_TYPE_BMP), nullptr);
    EXPECT_FALSE(picture.IsValid());
}

struct SBitCountCase
{
    std::uint32_t asked;
    std::uint16_t bpp;
    std::uint32_t colours;
    std::uint32_t strideFor5;
};

class PictureBitCount : public testing::TestWithParam<SBitCountCase>
{
};

TEST_P(PictureBitCount, RoundsUpAndPadsRows)
{
    const auto& c = GetParam();
    CPicture picture;
    ASSERT_NE(picture.Create(5, 3, c.asked, IMAGE_TYPE_PNG), nullptr);
    EXPECT_EQ(picture.GetBpp(), c.bpp);
    EXPECT_EQ(picture.GetNumColors(), c.colours);
    EXPECT_EQ(picture.GetRowStride(), c.strideFor5);
    EXPECT_EQ(picture.GetSize(), 40 + 4 * c.colours + 3 * c.strideFor5);
    EXPECT_EQ(picture.GetType(), static_cast<std::uint32_t>(IMAGE_TYPE_PNG));
    // Palette, pixels and padding all start zeroed.
    const std::uint8_t* block = picture.GetRowBits(0) - 4 * c.colours;
    for (std::uint32_t i = 0; i < 4 * c.colours + 3 * c.strideFor5; ++i)
        ASSERT_EQ(block[i], 0) << "byte " << i;
    EXPECT_EQ(picture.GetRowBits(3), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Counts, PictureBitCount,
                         testing::Values(SBitCountCase{0, 1, 2, 4}, SBitCountCase{1, 1, 2, 4},
                                         SBitCountCase{2, 4, 16, 4}, SBitCountCase{4, 4, 16, 4},
                                         SBitCountCase{5, 8, 256, 8}, SBitCountCase{8, 8, 256, 8},
                                         SBitCountCase{16, 24, 0, 16}, SBitCountCase{32, 24, 0, 16}));

TEST(Picture, HeaderCarriesResolutionAndImageSize)
{
    CPicture picture;
    std::uint8_t* block = picture.Create(3, 2, 24, IMAGE_TYPE_BMP);
    ASSERT_NE(block, nullptr);
    const std::uint8_t expected[40] = {40,   0,    0, 0, 3, 0, 0,  0, 2, 0, 0,    0,    1, 0,
                                       24,   0,    0, 0, 0, 0, 24, 0, 0, 0, 0xC4, 0x0E, 0, 0,
                                       0xC4, 0x0E, 0, 0, 0, 0, 0,  0, 0, 0, 0,    0};
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(block[i], expected[i]) << "header byte " << i;
    picture.SetXDPI(0);
    EXPECT_EQ(picture.GetXDPI(), 96);
    picture.SetYDPI(300);
    EXPECT_EQ(block[28], 0x23); // 11811 pixels a metre
    EXPECT_EQ(block[29], 0x2E);
}

TEST(Picture, SizeArithmeticNeverWraps)
{
    CPicture picture;
    // 0x55555556 x 24 bits wraps to 16 bits in 32-bit arithmetic.
    EXPECT_EQ(picture.Create(0x55555556u, 1, 24, IMAGE_TYPE_BMP), nullptr);
    EXPECT_STREQ(picture.GetLastError(), "CPicture::Create can't allocate memory");
    EXPECT_EQ(picture.Create(0xFFFFFFFFu, 0xFFFFFFFFu, 24, IMAGE_TYPE_BMP), nullptr);
    EXPECT_EQ(picture.Create(65536, 65536, 8, IMAGE_TYPE_BMP), nullptr)
        << "4 GiB of pixels do not fit the header";
    EXPECT_EQ(picture.Create(0x80000000u, 1, 1, IMAGE_TYPE_BMP), nullptr)
        << "width beyond a signed 32-bit value";
    EXPECT_FALSE(picture.IsValid());
    EXPECT_NE(picture.Create(2, 2, 24, IMAGE_TYPE_BMP), nullptr)
        << "a failed create leaves the object usable";
}

TEST(Picture, PixelIndexesOfPackedRows)
{
    CPicture picture;
    ASSERT_NE(picture.Create(9, 2, 4, IMAGE_TYPE_BMP), nullptr);
    picture.BlindSetPixelIndex(0, 0, 0xA);
    picture.BlindSetPixelIndex(1, 0, 0x5);
    picture.BlindSetPixelIndex(8, 1, 0xF);
    EXPECT_EQ(picture.GetRowBits(0)[0], 0xA5) << "the even pixel is the high nibble";
    EXPECT_EQ(picture.GetPixelIndex(8, 1), 0xF);
    EXPECT_EQ(picture.GetPixelIndex(20, 0), 0xA5) << "outside: the first byte of the pixels";
    picture.SetTransIndex(3);
    EXPECT_EQ(picture.GetPixelIndex(-1, 0), 3);

    CPicture mono;
    ASSERT_NE(mono.Create(10, 1, 1, IMAGE_TYPE_BMP), nullptr);
    mono.BlindSetPixelIndex(0, 0, 1);
    mono.BlindSetPixelIndex(9, 0, 1);
    EXPECT_EQ(mono.GetRowBits(0)[0], 0x80);
    EXPECT_EQ(mono.GetRowBits(0)[1], 0x40);
}

TEST(Picture, PaletteGreyTestAndSwap)
{
    CPicture picture;
    ASSERT_NE(picture.Create(2, 1, 8, IMAGE_TYPE_BMP), nullptr);
    for (std::uint32_t i = 0; i < 256; ++i)
    {
        const auto v = static_cast<std::uint8_t>(i);
        picture.SetPaletteColor(i, SRgbQuad{v, v, v, 0});
    }
    EXPECT_TRUE(picture.IsGrayScale());
    picture.BlindSetPixelIndex(0, 0, 7);
    picture.BlindSetPixelIndex(1, 0, 2);
    picture.SwapIndex(2, 7);
    EXPECT_EQ(picture.GetPixelIndex(0, 0), 2);
    EXPECT_EQ(picture.GetPixelIndex(1, 0), 7);
    EXPECT_EQ(picture.GetPaletteColor(2).rgbRed, 7);
    EXPECT_FALSE(picture.IsGrayScale());
    EXPECT_EQ(picture.GetPaletteColor(256), SRgbQuad{});
    EXPECT_EQ(picture.GetPixelColor(0, 0, false).rgbGreen, 7);
}

TEST(Picture, EncodeRefusesUnknownTypeAndWritesNothing)
{
    CPicture picture;
    ASSERT_NE(picture.Create(2, 2, 24, IMAGE_TYPE_BMP), nullptr);
    CPicMemFile file;
    ASSERT_TRUE(file.Open());
    EXPECT_FALSE(picture.Encode(&file, 2));
    EXPECT_STREQ(picture.GetLastError(), "Encode: Unknown format");
    EXPECT_EQ(file.Size(), 0);
}

TEST(Picture, EncodeChecksItsArguments)
{
    CPicture empty;
    CPicMemFile file;
    ASSERT_TRUE(file.Open());
    EXPECT_FALSE(empty.Encode(&file, IMAGE_TYPE_PNG));
    EXPECT_STREQ(empty.GetLastError(), "null image!!!");
    CPicture picture;
    ASSERT_NE(picture.Create(1, 1, 24, IMAGE_TYPE_BMP), nullptr);
    EXPECT_FALSE(picture.Encode(nullptr, IMAGE_TYPE_JPEG));
    EXPECT_STREQ(picture.GetLastError(), "null file handler");
}

TEST(Picture, EncodeToMemoryWantsAnEmptyPointer)
{
    CPicture picture;
    ASSERT_NE(picture.Create(2, 2, 24, IMAGE_TYPE_BMP), nullptr);
    std::uint8_t marker = 0;
    std::uint8_t* buffer = &marker;
    std::size_t size = 7;
    EXPECT_FALSE(picture.EncodeToMemory(buffer, size, IMAGE_TYPE_BMP));
    EXPECT_STREQ(picture.GetLastError(), "the buffer must be empty");
    EXPECT_EQ(buffer, &marker);
    EXPECT_EQ(size, 7u);

    buffer = nullptr;
    ASSERT_TRUE(picture.EncodeToMemory(buffer, size, IMAGE_TYPE_BMP));
    EXPECT_EQ(size, 14u + 40 + 2 * 8);
    std::free(buffer);
}

TEST(Picture, FailedEncodeToMemoryHandsOutNoBuffer)
{
    CPicture picture;
    ASSERT_NE(picture.Create(4, 4, 8, IMAGE_TYPE_JPEG), nullptr);
    picture.SetPaletteColor(1, SRgbQuad{0, 0, 255, 0}); // not a grey ramp
    for (std::uint32_t type : {std::uint32_t(IMAGE_TYPE_JPEG), std::uint32_t(IMAGE_TYPE_JPEG2000), 7u})
    {
        std::uint8_t* buffer = nullptr;
        std::size_t size = 0;
        EXPECT_FALSE(picture.EncodeToMemory(buffer, size, type));
        EXPECT_EQ(buffer, nullptr);
        EXPECT_EQ(size, 0u);
    }
    EXPECT_STREQ(picture.GetLastError(), "Encode: Unknown format");
}

TEST(Picture, GhostSharesPixelsAndCannotBeRecreated)
{
    CPicture owner;
    ASSERT_NE(owner.Create(2, 2, 24, IMAGE_TYPE_BMP), nullptr);
    owner.SetQuality(77);
    {
        CPicture ghost;
        ghost.Ghost(&owner);
        EXPECT_EQ(ghost.GetRowBits(1), owner.GetRowBits(1));
        EXPECT_EQ(ghost.GetQuality(), 77);
        EXPECT_EQ(ghost.Create(4, 4, 24, IMAGE_TYPE_BMP), nullptr);
        EXPECT_FALSE(ghost.Destroy());
        ghost.GetRowBits(1)[0] = 0x42;
    }
    EXPECT_EQ(owner.GetRowBits(1)[0], 0x42) << "the ghost freed nothing";

    // An image that owns pixels and then becomes a ghost gives its own block
    // back (the leak check of the sanitizer build sees it otherwise).
    CPicture former;
    ASSERT_NE(former.Create(64, 64, 24, IMAGE_TYPE_BMP), nullptr);
    ASSERT_TRUE(former.AlphaCreate());
    former.Ghost(&owner);
    EXPECT_EQ(former.GetRowBits(1), owner.GetRowBits(1));
    EXPECT_FALSE(former.AlphaIsValid());
    former.Ghost(&former);
    EXPECT_EQ(former.GetRowBits(1), owner.GetRowBits(1));
}
