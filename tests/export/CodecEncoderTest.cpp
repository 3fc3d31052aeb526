// PNG, JPEG and JPEG-2000 output checked by independent decoders: PIL,
// pngcheck and opj_decompress.
#include "export/PicMemFile.h"
#include "export/Picture.h"
#include "tests/export/FailingSink.h"
#include "tests/export/ImageDecoder.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace
{
std::vector<std::uint8_t> EncodeAs(CPicture& picture, std::uint32_t type)
{
    std::uint8_t* buffer = nullptr;
    std::size_t size = 0;
    if (!picture.EncodeToMemory(buffer, size, type))
        return {};
    std::vector<std::uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

// A smooth 24-bit test card; returns its RGB pixels top row first.
std::vector<std::uint8_t> FillTrueColour(CPicture& picture, std::uint32_t width, std::uint32_t height)
{
    picture.Create(width, height, 24, IMAGE_TYPE_UNKNOWN);
    std::vector<std::uint8_t> rgb;
    for (std::uint32_t row = height; row-- > 0;)
    {
        const std::uint32_t y = height - 1 - row; // distance from the top
        std::uint8_t* p = picture.GetRowBits(row);
        for (std::uint32_t x = 0; x < width; ++x)
        {
            const auto r = static_cast<std::uint8_t>(x * 255 / (width - 1));
            const auto g = static_cast<std::uint8_t>(y * 255 / (height - 1));
            const auto b = static_cast<std::uint8_t>(64 + x + y);
            p[3 * x] = b;
            p[3 * x + 1] = g;
            p[3 * x + 2] = r;
            rgb.insert(rgb.end(), {r, g, b});
        }
    }
    return rgb;
}

void FillGreyRamp(CPicture& picture)
{
    for (std::uint32_t i = 0; i < picture.GetNumColors(); ++i)
    {
        const auto v = static_cast<std::uint8_t>(i);
        picture.SetPaletteColor(i, SRgbQuad{v, v, v, 0});
    }
}

int MaxDifference(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b)
{
    if (a.size() != b.size())
        return 1000;
    int worst = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        worst = std::max(worst, std::abs(int(a[i]) - int(b[i])));
    return worst;
}

std::string WriteFile(const TerrionTest::CTempDir& dir, const std::string& name,
                      const std::vector<std::uint8_t>& bytes)
{
    const auto path = dir / name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path.string();
}
} // namespace

TEST(PngEncoder, TrueColourIsExactWithTheChunksWeSet)
{
    CPicture picture;
    const auto rgb = FillTrueColour(picture, 37, 11);
    const auto bytes = EncodeAs(picture, IMAGE_TYPE_PNG);
    ASSERT_FALSE(bytes.empty()) << picture.GetLastError();

    TerrionTest::CTempDir dir;
    const std::string path = WriteFile(dir, "card.png", bytes);
    std::string output;
    ASSERT_EQ(TerrionTest::CImageDecoder::Run("pngcheck -v '" + path + "'", &output), 0) << output;
    EXPECT_NE(output.find("37 x 11 image, 24-bit RGB, non-interlaced"), std::string::npos) << output;
    EXPECT_NE(output.find("chunk bKGD"), std::string::npos);
    EXPECT_NE(output.find("red = 0x00ff, green = 0x00ff, blue = 0x00ff"), std::string::npos) << output;
    EXPECT_NE(output.find("3780x3780 pixels/meter"), std::string::npos) << output;
    // Chunk order: IHDR, bKGD, pHYs, then the image data and the end.
    std::vector<std::string> chunks;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line))
        if (line.rfind("  chunk ", 0) == 0)
            chunks.push_back(line.substr(8, 4));
    ASSERT_GE(chunks.size(), 5u);
    EXPECT_EQ(chunks[0], "IHDR");
    EXPECT_EQ(chunks[1], "bKGD");
    EXPECT_EQ(chunks[2], "pHYs");
    EXPECT_EQ(chunks[3], "IDAT");
    EXPECT_EQ(chunks.back(), "IEND");

    TerrionTest::CImageDecoder decoder;
    ASSERT_TRUE(decoder.Decode(path)) << decoder.Error();
    EXPECT_EQ(decoder.Item("mode"), "RGB");
    EXPECT_EQ(decoder.Pixels(), rgb);
}

// More than a million pixels a side is still a PNG (up to 2^31 - 1); the
// header carries the size as written.
TEST(PngEncoder, SidesBeyondAMillionPixels)
{
    struct SSide
    {
        std::uint32_t width, height;
        std::vector<std::uint8_t> ihdr; // length, type, width and height
    };
    const SSide sides[] = {
        {1000001, 1, {0, 0, 0, 13, 'I', 'H', 'D', 'R', 0, 0x0F, 0x42, 0x41, 0, 0, 0, 1}},
        {1, 1000001, {0, 0, 0, 13, 'I', 'H', 'D', 'R', 0, 0, 0, 1, 0, 0x0F, 0x42, 0x41}},
    };
    for (const auto& side : sides)
    {
        CPicture picture;
        ASSERT_NE(picture.Create(side.width, side.height, 24, IMAGE_TYPE_PNG), nullptr);
        const auto bytes = EncodeAs(picture, IMAGE_TYPE_PNG);
        ASSERT_GE(bytes.size(), 24u) << picture.GetLastError();
        EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 8, bytes.begin() + 24), side.ihdr);
    }
}

struct SPalettePngCase
{
    std::uint32_t bits;
    bool grey;
    const char* mode;     // PIL's mode of the decoded file
    const char* pngcheck; // pngcheck's description of the image
};

class PngPalette : public testing::TestWithParam<SPalettePngCase>
{
};

TEST_P(PngPalette, IndexedAndGreyImagesAreExact)
{
    const auto& c = GetParam();
    CPicture picture;
    const std::uint32_t width = 19, height = 5;
    ASSERT_NE(picture.Create(width, height, c.bits, IMAGE_TYPE_PNG), nullptr);
    const std::uint32_t colours = picture.GetNumColors();
    if (c.grey)
        FillGreyRamp(picture);
    else
        for (std::uint32_t i = 0; i < colours; ++i)
            picture.SetPaletteColor(i,
                                    SRgbQuad{static_cast<std::uint8_t>(i * 3), static_cast<std::uint8_t>(i),
                                             static_cast<std::uint8_t>(255 - i), 0});
    std::vector<std::uint8_t> expected;
    for (std::uint32_t row = height; row-- > 0;)
        for (std::uint32_t x = 0; x < width; ++x)
        {
            const auto index = static_cast<std::uint8_t>((x * 7 + row * 3) % colours);
            picture.BlindSetPixelIndex(x, row, index);
            const SRgbQuad q = picture.GetPaletteColor(index);
            if (c.grey)
                expected.push_back(index);
            else
                expected.insert(expected.end(), {q.rgbRed, q.rgbGreen, q.rgbBlue});
        }
    TerrionTest::CTempDir dir;
    const std::string path = WriteFile(dir, "indexed.png", EncodeAs(picture, IMAGE_TYPE_PNG));
    std::string output;
    ASSERT_EQ(TerrionTest::CImageDecoder::Run("pngcheck -v '" + path + "'", &output), 0) << output;
    EXPECT_NE(output.find(c.pngcheck), std::string::npos) << output;
    EXPECT_EQ(output.find("chunk PLTE") != std::string::npos, !c.grey) << output;
    TerrionTest::CImageDecoder decoder;
    ASSERT_TRUE(decoder.Decode(path)) << decoder.Error();
    EXPECT_EQ(decoder.Item("mode"), c.mode);
    EXPECT_EQ(decoder.Pixels(), expected);
}

INSTANTIATE_TEST_SUITE_P(Formats, PngPalette,
                         testing::Values(SPalettePngCase{8, false, "P", "8-bit palette"},
                                         SPalettePngCase{4, false, "P", "4-bit palette"},
                                         SPalettePngCase{8, true, "L", "8-bit grayscale"}));

TEST(JpegEncoder, BaselineQuality90With420SamplingAnd96Dpi)
{
    CPicture picture;
    const auto rgb = FillTrueColour(picture, 64, 48);
    picture.SetQuality(90);
    const auto bytes = EncodeAs(picture, IMAGE_TYPE_JPEG);
    ASSERT_FALSE(bytes.empty()) << picture.GetLastError();
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xD8);

    TerrionTest::CImageDecoder decoder;
    ASSERT_TRUE(decoder.Decode(bytes, ".jpg")) << decoder.Error();
    EXPECT_EQ(decoder.Item("mode"), "RGB");
    EXPECT_EQ(decoder.Item("size"), "64 48");
    EXPECT_EQ(decoder.Item("dpi"), "96 96");
    EXPECT_EQ(decoder.Item("sampling"), "2") << "4:2:0, luma sampled 2 x 2";
    EXPECT_EQ(decoder.Item("progressive"), "0");
    // Quality 90 scales the standard luminance table by 20 %: its first row.
    std::istringstream quant(decoder.Item("quant0"));
    std::vector<int> table;
    for (int v; quant >> v;)
        table.push_back(v);
    ASSERT_EQ(table.size(), 64u);
    const int standard[8] = {16, 11, 10, 16, 24, 40, 51, 61};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(table[i], (standard[i] * 20 + 50) / 100) << "entry " << i;
    // A smooth card at quality 90 decodes within a few levels.
    EXPECT_LE(MaxDifference(decoder.Pixels(), rgb), 12);
}

TEST(JpegEncoder, GreyImagesOfEveryDepth)
{
    for (std::uint32_t bits : {1u, 4u, 8u})
    {
        CPicture picture;
        ASSERT_NE(picture.Create(33, 9, bits, IMAGE_TYPE_JPEG), nullptr);
        FillGreyRamp(picture);
        std::vector<std::uint8_t> expected;
        for (std::uint32_t row = 9; row-- > 0;)
            for (std::uint32_t x = 0; x < 33; ++x)
            {
                const auto index = static_cast<std::uint8_t>(((x / 11) * picture.GetNumColors() / 3));
                picture.BlindSetPixelIndex(x, row, index);
                expected.push_back(index);
            }
        TerrionTest::CImageDecoder decoder;
        ASSERT_TRUE(decoder.Decode(EncodeAs(picture, IMAGE_TYPE_JPEG), ".jpg")) << bits << " bits";
        EXPECT_EQ(decoder.Item("mode"), "L");
        EXPECT_LE(MaxDifference(decoder.Pixels(), expected), 16) << bits << " bits";
    }
}

namespace
{
// The frame header's component list: id, sampling factors (horizontal in the
// high nibble) and quantisation table of each component.
std::vector<std::uint8_t> JpegFrameComponents(const std::vector<std::uint8_t>& jpeg)
{
    std::size_t at = 2;
    while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF)
    {
        const std::uint8_t marker = jpeg[at + 1];
        const std::size_t length = static_cast<std::size_t>(jpeg[at + 2]) << 8 | jpeg[at + 3];
        if (marker == 0xC0 || marker == 0xC1 || marker == 0xC2)
        {
            const std::size_t first = at + 10; // after length, precision, height, width, count
            if (first + 3 * jpeg[at + 9] > jpeg.size())
                return {};
            return std::vector<std::uint8_t>(jpeg.begin() + static_cast<long>(first),
                                             jpeg.begin() + static_cast<long>(first + 3 * jpeg[at + 9]));
        }
        at += 2 + length;
    }
    return {};
}
} // namespace

// Luma is sampled 2 x 2 and chroma 1 x 1 whatever the number of components:
// a grey image (and a colour image coded as grey) carries 0x22 for its one
// component as well.
TEST(JpegEncoder, SamplingFactorsOfTheFrameHeader)
{
    CPicture colour;
    FillTrueColour(colour, 16, 16);
    EXPECT_EQ(JpegFrameComponents(EncodeAs(colour, IMAGE_TYPE_JPEG)),
              (std::vector<std::uint8_t>{1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1}));

    CPicture grey;
    ASSERT_NE(grey.Create(16, 16, 8, IMAGE_TYPE_JPEG), nullptr);
    FillGreyRamp(grey);
    EXPECT_EQ(JpegFrameComponents(EncodeAs(grey, IMAGE_TYPE_JPEG)), (std::vector<std::uint8_t>{1, 0x22, 0}));

    colour.SetCodecOption(0x4, IMAGE_TYPE_JPEG); // grey colour space
    EXPECT_EQ(JpegFrameComponents(EncodeAs(colour, IMAGE_TYPE_JPEG)),
              (std::vector<std::uint8_t>{1, 0x22, 0}));
    colour.SetCodecOption(0x1000, IMAGE_TYPE_JPEG); // 4:2:2
    EXPECT_EQ(JpegFrameComponents(EncodeAs(colour, IMAGE_TYPE_JPEG)),
              (std::vector<std::uint8_t>{1, 0x21, 0, 2, 0x11, 1, 3, 0x11, 1}));
    colour.SetCodecOption(0x3000, IMAGE_TYPE_JPEG); // no subsampling wins
    EXPECT_EQ(JpegFrameComponents(EncodeAs(colour, IMAGE_TYPE_JPEG)),
              (std::vector<std::uint8_t>{1, 0x11, 0, 2, 0x11, 1, 3, 0x11, 1}));
}

TEST(JpegEncoder, ColourPaletteIsRefused)
{
    CPicture picture;
    ASSERT_NE(picture.Create(4, 4, 8, IMAGE_TYPE_JPEG), nullptr);
    picture.SetPaletteColor(3, SRgbQuad{1, 2, 3, 0});
    CPicMemFile file;
    ASSERT_TRUE(file.Open());
    EXPECT_FALSE(picture.Encode(&file, IMAGE_TYPE_JPEG));
    EXPECT_STREQ(picture.GetLastError(), "JPEG can save only RGB or GreyScale images");
    EXPECT_FALSE(picture.Encode(&file, IMAGE_TYPE_JPEG2000));
    EXPECT_STREQ(picture.GetLastError(), "JasPer can save only RGB or GrayScale images");
    EXPECT_EQ(file.Size(), 0);
}

// Noise of a chosen seed whose JPEG is exactly three output blocks long: the
// final flush then has nothing left to write, which is no failure.
TEST(JpegEncoder, OutputOfWholeBlocksIsNoFailure)
{
    CPicture picture;
    ASSERT_NE(picture.Create(128, 128, 24, IMAGE_TYPE_JPEG), nullptr);
    const unsigned seed = 67905;
    unsigned s = seed;
    for (unsigned y = 0; y < 40 + seed % 88; ++y)
    {
        std::uint8_t* row = picture.GetRowBits(y);
        for (unsigned i = 0; i < 128 * 3; ++i)
        {
            s = s * 1103515245u + 12345u;
            row[i] = static_cast<std::uint8_t>(s >> 16);
        }
    }
    std::uint8_t* buffer = nullptr;
    std::size_t size = 0;
    ASSERT_TRUE(picture.EncodeToMemory(buffer, size, IMAGE_TYPE_JPEG)) << picture.GetLastError();
    EXPECT_EQ(size % 4096, 0u) << "the library's output changed; pick another seed for this case";
    ASSERT_GE(size, 2u);
    EXPECT_EQ(buffer[size - 2], 0xFF);
    EXPECT_EQ(buffer[size - 1], 0xD9);
    std::free(buffer);
}

TEST(Jpeg2000Encoder, OpenJpegDecodesWhatWeWrote)
{
    CPicture picture;
    const auto rgb = FillTrueColour(picture, 40, 24);
    const auto bytes = EncodeAs(picture, IMAGE_TYPE_JPEG2000);
    ASSERT_FALSE(bytes.empty()) << picture.GetLastError();
    TerrionTest::CTempDir dir;
    const std::string path = WriteFile(dir, "card.jp2", bytes);
    const std::string decoded = (dir / "card.png").string();
    std::string output;
    ASSERT_EQ(
        TerrionTest::CImageDecoder::Run("opj_decompress -i '" + path + "' -o '" + decoded + "'", &output), 0)
        << output;
    TerrionTest::CImageDecoder decoder;
    ASSERT_TRUE(decoder.Decode(decoded)) << decoder.Error();
    EXPECT_EQ(decoder.Item("size"), "40 24");
    EXPECT_EQ(decoder.Item("mode"), "RGB");
    // Rate 0.9 of the raw size keeps the card nearly lossless.
    EXPECT_LE(MaxDifference(decoder.Pixels(), rgb), 8);
}

TEST(Jpeg2000Encoder, GreyImageHasOneComponent)
{
    CPicture picture;
    ASSERT_NE(picture.Create(16, 16, 8, IMAGE_TYPE_JPEG2000), nullptr);
    FillGreyRamp(picture);
    for (std::uint32_t y = 0; y < 16; ++y)
        for (std::uint32_t x = 0; x < 16; ++x)
            picture.BlindSetPixelIndex(x, y, static_cast<std::uint8_t>(x * 16));
    TerrionTest::CTempDir dir;
    const std::string path = WriteFile(dir, "grey.jp2", EncodeAs(picture, IMAGE_TYPE_JPEG2000));
    std::string output;
    ASSERT_EQ(TerrionTest::CImageDecoder::Run(
                  "opj_decompress -i '" + path + "' -o '" + (dir / "g.png").string() + "'", &output),
              0)
        << output;
    TerrionTest::CImageDecoder decoder;
    ASSERT_TRUE(decoder.Decode(dir / "g.png"));
    EXPECT_EQ(decoder.Item("mode"), "L");
}

// A sink that stops accepting bytes at a chosen offset: each encoder fails
// with its own text, never with an exception or a success.
struct SFailCase
{
    std::uint32_t type;
    long limit; // -1: half of the full output
    const char* text;
};

class FailingSink : public testing::TestWithParam<SFailCase>
{
};

TEST_P(FailingSink, EncoderReportsItsFailureText)
{
    const auto& c = GetParam();
    CPicture picture;
    FillTrueColour(picture, 300, 200);
    long limit = c.limit;
    if (limit < 0)
    {
        CPicMemFile full;
        ASSERT_TRUE(full.Open());
        ASSERT_TRUE(picture.Encode(&full, c.type)) << picture.GetLastError();
        limit = full.Size() / 2;
    }
    TerrionTest::CFailingSink sink(limit);
    EXPECT_FALSE(picture.Encode(&sink, c.type));
    EXPECT_STREQ(picture.GetLastError(), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    AtChosenBytes, FailingSink,
    testing::Values(SFailCase{IMAGE_TYPE_BMP, 0, "CPictureBMP::Encode : write error"},
                    SFailCase{IMAGE_TYPE_BMP, -1, "CPictureBMP::Encode : write error"},
                    SFailCase{IMAGE_TYPE_PNG, 0, "Error saving PNG file"},
                    SFailCase{IMAGE_TYPE_PNG, 40, "Error saving PNG file"},
                    SFailCase{IMAGE_TYPE_PNG, -1, "Error saving PNG file"},
                    SFailCase{IMAGE_TYPE_JPEG, 0, "Output file write error --- out of disk space?"},
                    SFailCase{IMAGE_TYPE_JPEG, 4096, "Output file write error --- out of disk space?"},
                    SFailCase{IMAGE_TYPE_JPEG, -1, "Output file write error --- out of disk space?"},
                    SFailCase{IMAGE_TYPE_JPEG2000, 0, "error: cannot encode image"},
                    SFailCase{IMAGE_TYPE_JPEG2000, -1, "error: cannot encode image"}));

TEST(PngEncoder, AlphaPlaneGivesExactRgbaPixels)
{
    CPicture picture;
    auto rgb = FillTrueColour(picture, 9, 4);
    ASSERT_TRUE(picture.AlphaCreate());
    std::vector<std::uint8_t> rgba;
    for (std::uint32_t y = 0; y < 4; ++y) // from the top
        for (std::uint32_t x = 0; x < 9; ++x)
        {
            const auto level = static_cast<std::uint8_t>(x * 28 + y);
            picture.AlphaSet(static_cast<long>(x), static_cast<long>(3 - y), level);
            const std::size_t at = 3 * (y * 9 + x);
            rgba.insert(rgba.end(), {rgb[at], rgb[at + 1], rgb[at + 2], level});
        }
    TerrionTest::CImageDecoder decoder;
    ASSERT_TRUE(decoder.Decode(EncodeAs(picture, IMAGE_TYPE_PNG), ".png")) << decoder.Error();
    EXPECT_EQ(decoder.Item("mode"), "RGBA");
    EXPECT_EQ(decoder.Pixels(), rgba);
}

// The transparent colour moves to palette entry 0 for the file only: the
// image's own pixels and palette are as before afterwards.
TEST(PngEncoder, TransparentIndexIsWrittenAndTheImageLeftAsItWas)
{
    CPicture picture;
    ASSERT_NE(picture.Create(6, 2, 4, IMAGE_TYPE_PNG), nullptr);
    for (std::uint32_t i = 0; i < 16; ++i)
        picture.SetPaletteColor(i, SRgbQuad{static_cast<std::uint8_t>(i * 16), 0, 255, 0});
    for (long x = 0; x < 6; ++x)
    {
        picture.BlindSetPixelIndex(x, 0, static_cast<std::uint8_t>(x));
        picture.BlindSetPixelIndex(x, 1, 5);
    }
    picture.SetTransIndex(5);
    std::vector<std::uint8_t> before(picture.GetRowBits(0) - 64,
                                     picture.GetRowBits(0) + 2 * picture.GetRowStride());
    TerrionTest::CTempDir dir;
    const std::string path = WriteFile(dir, "trans.png", EncodeAs(picture, IMAGE_TYPE_PNG));
    std::vector<std::uint8_t> after(picture.GetRowBits(0) - 64,
                                    picture.GetRowBits(0) + 2 * picture.GetRowStride());
    EXPECT_EQ(after, before);
    std::string output;
    ASSERT_EQ(TerrionTest::CImageDecoder::Run("pngcheck -v '" + path + "'", &output), 0) << output;
    EXPECT_NE(output.find("chunk tRNS"), std::string::npos) << output;
    TerrionTest::CImageDecoder decoder;
    ASSERT_TRUE(decoder.Decode(path)) << decoder.Error();
    // Top row: all index 5, the transparent colour (red 255, green 0, blue 80).
    const std::vector<std::uint8_t> top(decoder.Pixels().begin(), decoder.Pixels().begin() + 3);
    EXPECT_EQ(top, (std::vector<std::uint8_t>{255, 0, 80}));
}

TEST(PngEncoder, CodecOptionOneAsksForAdam7)
{
    CPicture picture;
    const auto rgb = FillTrueColour(picture, 21, 13);
    picture.SetCodecOption(1, IMAGE_TYPE_PNG);
    TerrionTest::CTempDir dir;
    const std::string path = WriteFile(dir, "adam7.png", EncodeAs(picture, IMAGE_TYPE_PNG));
    std::string output;
    ASSERT_EQ(TerrionTest::CImageDecoder::Run("pngcheck -v '" + path + "'", &output), 0) << output;
    EXPECT_NE(output.find("24-bit RGB, interlaced"), std::string::npos) << output;
    TerrionTest::CImageDecoder decoder;
    ASSERT_TRUE(decoder.Decode(path));
    EXPECT_EQ(decoder.Pixels(), rgb);
}
