// The JPEG section reader and writer and the EXIF block, against blocks
// written out byte by byte (in both byte orders) and files decoded by PIL.
#include "export/PicJpegSections.h"
#include "export/PicMemFile.h"
#include "export/Picture.h"
#include "export/PictureJPG.h"
#include "tests/export/FailingSink.h"
#include "tests/export/ImageDecoder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace
{
using Bytes = std::vector<std::uint8_t>;

Bytes Text(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

/// A marker section: FF, the marker byte, the big-endian length, the payload.
Bytes Section(std::uint8_t marker, const Bytes& payload)
{
    const std::size_t length = payload.size() + 2;
    return Join(
        {{0xFF, marker, static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length)}, payload});
}

const Bytes kSoi = {0xFF, 0xD8};
/// A start of scan and the "image data" behind it, up to the end of image.
const Bytes kScan = Join({Section(0xDA, {1, 1, 0, 0, 63, 0}), {0x12, 0x34, 0x56, 0xFF, 0xD9}});

// Intel order, IFD0 (Make, Orientation, XResolution, link to the EXIF
// directory), EXIF directory (ExposureTime, ISO, DateTimeOriginal, Flash,
// UserComment), no thumbnail. Offsets count from the "II".
const Bytes kIntelBlock = Join({
    Text(std::string("Exif\0\0", 6)),
    {0x49, 0x49, 0x2A, 0x00, 0x08, 0x00, 0x00, 0x00},                         // II, 42, IFD0 at 8
    {0x04, 0x00},                                                             // 4 entries
    {0x0F, 0x01, 0x02, 0x00, 0x06, 0x00, 0x00, 0x00, 0x3E, 0x00, 0x00, 0x00}, // Make, ASCII x 6 at 62
    {0x12, 0x01, 0x03, 0x00, 0x01, 0x00, 0x00, 0x00, 0x06, 0x00, 0x00, 0x00}, // Orientation 6
    {0x1A, 0x01, 0x05, 0x00, 0x01, 0x00, 0x00, 0x00, 0x44, 0x00, 0x00, 0x00}, // XResolution at 68
    {0x69, 0x87, 0x04, 0x00, 0x01, 0x00, 0x00, 0x00, 0x4C, 0x00, 0x00, 0x00}, // EXIF directory at 76
    {0x00, 0x00, 0x00, 0x00},                                                 // no next directory
    Text(std::string("Canon\0", 6)),                                          // 62
    {0x48, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00},                         // 68: 72 / 1
    {0x05, 0x00},                                                             // 76: 5 entries
    {0x9A, 0x82, 0x05, 0x00, 0x01, 0x00, 0x00, 0x00, 0x8E, 0x00, 0x00, 0x00}, // ExposureTime at 142
    {0x27, 0x88, 0x03, 0x00, 0x01, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00}, // ISO 2
    {0x03, 0x90, 0x02, 0x00, 0x14, 0x00, 0x00, 0x00, 0x96, 0x00, 0x00, 0x00}, // DateTimeOriginal x 20 at 150
    {0x09, 0x92, 0x03, 0x00, 0x01, 0x00, 0x00, 0x00, 0x19, 0x00, 0x00, 0x00}, // Flash 0x19
    {0x86, 0x92, 0x07, 0x00, 0x10, 0x00, 0x00, 0x00, 0xAA, 0x00, 0x00, 0x00}, // UserComment x 16 at 170
    {0x00, 0x00, 0x00, 0x00},                                                 // no next directory
    {0x01, 0x00, 0x00, 0x00, 0x7D, 0x00, 0x00, 0x00},                         // 142: 1 / 125
    Text(std::string("2024:05:17 10:30:00\0", 20)),                           // 150
    Text(std::string("ASCII\0\0\0Hello   ", 16)),                             // 170, ends at 186
});

// Motorola order, IFD0 (Model, ResolutionUnit, XResolution) linked to the
// thumbnail directory IFD1 (JPEGInterchangeFormat and its length).
const Bytes kMotorolaBlock = Join({
    Text(std::string("Exif\0\0", 6)),
    {0x4D, 0x4D, 0x00, 0x2A, 0x00, 0x00, 0x00, 0x08},                         // MM, 42, IFD0 at 8
    {0x00, 0x03},                                                             // 3 entries
    {0x01, 0x10, 0x00, 0x02, 0x00, 0x00, 0x00, 0x0A, 0x00, 0x00, 0x00, 0x32}, // Model, ASCII x 10 at 50
    {0x01, 0x28, 0x00, 0x03, 0x00, 0x00, 0x00, 0x01, 0x00, 0x03, 0x00, 0x00}, // ResolutionUnit 3 (cm)
    {0x01, 0x1A, 0x00, 0x05, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x3C}, // XResolution at 60
    {0x00, 0x00, 0x00, 0x44},                                                 // IFD1 at 68
    Text(std::string("Terrion X\0", 10)),                                     // 50
    {0x00, 0x00, 0x01, 0x2C, 0x00, 0x00, 0x00, 0x01},                         // 60: 300 / 1
    {0x00, 0x02},                                                             // 68: 2 entries
    {0x02, 0x01, 0x00, 0x04, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x62}, // thumbnail at 98
    {0x02, 0x02, 0x00, 0x04, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x04}, // of 4 bytes
    {0x00, 0x00, 0x00, 0x00},                                                 // no next directory
    {0xFF, 0xD8, 0xFF, 0xD9}, // 98: the thumbnail, ends at 102
});

/// Offset of a byte of the block counted from the byte-order mark.
constexpr std::size_t At(std::size_t offset)
{
    return 6 + offset;
}

Bytes Patched(Bytes bytes, std::size_t at, const Bytes& replacement)
{
    std::copy(replacement.begin(), replacement.end(), bytes.begin() + static_cast<long>(at));
    return bytes;
}

/// A one-directory block with a single entry; values over 4 bytes follow the directory.
Bytes OneEntryBlock(bool motorola, std::uint16_t tag, std::uint16_t format, std::uint32_t count,
                    const Bytes& value)
{
    const auto u16 = [motorola](std::uint32_t v) -> Bytes
    {
        const auto hi = static_cast<std::uint8_t>(v >> 8), lo = static_cast<std::uint8_t>(v);
        return motorola ? Bytes{hi, lo} : Bytes{lo, hi};
    };
    const auto u32 = [&](std::uint32_t v) -> Bytes {
        return motorola ? Join({u16(v >> 16), u16(v & 0xFFFF)}) : Join({u16(v & 0xFFFF), u16(v >> 16)});
    };
    Bytes field = value;
    Bytes tail;
    if (value.size() > 4)
    {
        field = u32(8 + 2 + 12 + 4);
        tail = value;
    }
    field.resize(4, 0);
    return Join({Text(std::string("Exif\0\0", 6)), Text(motorola ? "MM" : "II"), u16(42), u32(8), u16(1),
                 u16(tag), u16(format), u32(count), field, u32(0), tail});
}

bool Read(CPicJpegSections& sections, const Bytes& file, int flags)
{
    CPicMemFile sink;
    EXPECT_TRUE(sink.Open());
    EXPECT_EQ(sink.Write(file.data(), 1, file.size()), file.size());
    sink.Seek(0, 0);
    return sections.DecodeExif(&sink, flags);
}

/// A file of start of image, the given sections and a scan.
Bytes JpegWith(std::initializer_list<Bytes> sections)
{
    Bytes file = kSoi;
    for (const Bytes& section : sections)
        file.insert(file.end(), section.begin(), section.end());
    file.insert(file.end(), kScan.begin(), kScan.end());
    return file;
}

constexpr int kReadAll = CPicJpegSections::READ_EXIF | CPicJpegSections::READ_IMAGE;

std::vector<int> Types(const CPicJpegSections& sections)
{
    std::vector<int> types;
    for (std::size_t i = 0; i < sections.GetSectionCount(); ++i)
        types.push_back(sections.GetSectionType(i));
    return types;
}

/// Everything written into a memory sink.
Bytes Contents(CPicMemFile& sink)
{
    const std::uint8_t* buffer = sink.GetBuffer(false);
    return Bytes(buffer, buffer + sink.Size());
}

Bytes Written(CPicJpegSections& sections)
{
    CPicMemFile sink;
    EXPECT_TRUE(sink.Open());
    return sections.EncodeExif(&sink) ? Contents(sink) : Bytes{};
}

/// A 24 x 16 colour card.
void FillCard(CPicture& picture)
{
    ASSERT_NE(picture.Create(24, 16, 24, IMAGE_TYPE_JPEG), nullptr);
    for (std::uint32_t y = 0; y < 16; ++y)
        for (std::uint32_t x = 0; x < 24; ++x)
        {
            std::uint8_t* p = picture.GetRowBits(y) + 3 * x;
            p[0] = static_cast<std::uint8_t>(x * 10);
            p[1] = static_cast<std::uint8_t>(y * 15);
            p[2] = static_cast<std::uint8_t>(200 - x * 5);
        }
}

/// The card as our JPEG encoder (libjpeg) writes it, with sections attached when given.
Bytes EncodeJpeg(CPictureJPG& encoder)
{
    CPicMemFile sink;
    EXPECT_TRUE(sink.Open());
    return encoder.Encode(&sink) ? Contents(sink) : Bytes{};
}

Bytes CardJpeg()
{
    CPictureJPG encoder;
    FillCard(encoder);
    const Bytes bytes = EncodeJpeg(encoder);
    EXPECT_FALSE(bytes.empty()) << encoder.GetLastError();
    return bytes;
}

/// The JPEG behind its start of image and JFIF header.
Bytes AfterJfif(const Bytes& jpeg)
{
    EXPECT_EQ(jpeg[2], 0xFF);
    EXPECT_EQ(jpeg[3], 0xE0);
    const std::size_t app0 = 2 + 2 + (jpeg[4] << 8 | jpeg[5]);
    return Bytes(jpeg.begin() + static_cast<long>(app0), jpeg.end());
}
} // namespace

TEST(JpegSections, IntelBlockFillsTheRecord)
{
    CPicJpegSections sections;
    ASSERT_TRUE(Read(sections, JpegWith({Section(0xE1, kIntelBlock)}), CPicJpegSections::READ_EXIF))
        << sections.GetLastError();
    const SExifInfo& info = sections.GetInfo();
    EXPECT_EQ(info.isExif, 1);
    EXPECT_STREQ(info.cameraMake, "Canon");
    EXPECT_EQ(info.orientation, 6);
    EXPECT_FLOAT_EQ(info.xResolution, 72.0f);
    EXPECT_FLOAT_EQ(info.exposureTime, 0.008f);
    EXPECT_EQ(info.isoEquivalent, 400); // a value below 50 is a multiple of 200
    EXPECT_STREQ(info.dateTime, "2024:05:17 10:30:00");
    EXPECT_EQ(info.flashUsed, 1);
    EXPECT_STREQ(info.comments, "Hello");
    EXPECT_EQ(info.thumbnailPointer, nullptr);
    EXPECT_EQ(info.thumbnailSize, 0u);
    EXPECT_EQ(Types(sections), (std::vector<int>{0xE1, 0xDA}));
    // The section is held as it was read, trailing spaces of the comment included.
    EXPECT_EQ(Bytes(sections.GetSectionData(0).begin() + 2, sections.GetSectionData(0).end()), kIntelBlock);
}

TEST(JpegSections, MotorolaBlockRecordsTheThumbnailOfItsSecondDirectory)
{
    CPicJpegSections sections;
    ASSERT_TRUE(Read(sections, JpegWith({Section(0xE1, kMotorolaBlock)}), kReadAll))
        << sections.GetLastError();
    const SExifInfo& info = sections.GetInfo();
    EXPECT_EQ(info.isExif, 1);
    EXPECT_STREQ(info.cameraModel, "Terrion X");
    EXPECT_FLOAT_EQ(info.resolutionUnit, 0.3937008f);
    EXPECT_FLOAT_EQ(info.xResolution, 300.0f);
    // The thumbnail ends exactly at the section's end.
    EXPECT_EQ(info.thumbnailPointer, sections.GetSectionData(0).data() + 2 + At(98));
    EXPECT_EQ(info.thumbnailSize, 4u);
    EXPECT_EQ(Bytes(info.thumbnailPointer, info.thumbnailPointer + 4), (Bytes{0xFF, 0xD8, 0xFF, 0xD9}));
    EXPECT_EQ(Types(sections), (std::vector<int>{0xE1, 0xDA, CPicJpegSections::kImageData}));
    EXPECT_EQ(Bytes(sections.GetSectionData(2).begin(), sections.GetSectionData(2).end()),
              (Bytes{0x12, 0x34, 0x56, 0xFF, 0xD9}));
}

TEST(JpegSections, NumbersOfEveryFormatInBothByteOrders)
{
    struct SCase
    {
        std::uint16_t format;
        Bytes intel;
        Bytes motorola;
        float expected;
    };
    const SCase cases[] = {
        {1, {0x48}, {0x48}, 72},
        {3, {0x48, 0x00}, {0x00, 0x48}, 72},
        {4, {0x2C, 0x01, 0x00, 0x00}, {0x00, 0x00, 0x01, 0x2C}, 300},
        {5, {0x2C, 0x01, 0, 0, 0x04, 0, 0, 0}, {0, 0, 0x01, 0x2C, 0, 0, 0, 0x04}, 75},
        {5, {0x2C, 0x01, 0, 0, 0, 0, 0, 0}, {0, 0, 0x01, 0x2C, 0, 0, 0, 0}, 0}, // denominator 0
        {6, {0xFE}, {0xFE}, -2},
        {8, {0xFE, 0xFF}, {0xFF, 0xFE}, -2},
        {9, {0xFE, 0xFF, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF, 0xFE}, -2},
        {10, {0xFD, 0xFF, 0xFF, 0xFF, 2, 0, 0, 0}, {0xFF, 0xFF, 0xFF, 0xFD, 0, 0, 0, 2}, -1.5f},
        {11, {0x00, 0x00, 0x20, 0x40}, {0x40, 0x20, 0x00, 0x00}, 2.5f},
        {12, {0, 0, 0, 0, 0, 0, 0x04, 0x40}, {0x40, 0x04, 0, 0, 0, 0, 0, 0}, 2.5f},
    };
    for (const SCase& c : cases)
        for (const bool motorola : {false, true})
        {
            CPicJpegSections sections;
            const Bytes block = OneEntryBlock(motorola, 0x9203, c.format, 1, motorola ? c.motorola : c.intel);
            ASSERT_TRUE(Read(sections, JpegWith({Section(0xE1, block)}), CPicJpegSections::READ_EXIF));
            EXPECT_EQ(sections.GetInfo().isExif, 1) << sections.GetLastError();
            EXPECT_FLOAT_EQ(sections.GetInfo().brightness, c.expected)
                << "format " << c.format << (motorola ? " MM" : " II");
        }
}

TEST(JpegSections, UserCommentText)
{
    const struct
    {
        std::string value;
        std::string expected;
    } cases[] = {
        {std::string("ASCII\0\0\0Hello   ", 16), "Hello"},
        {std::string("ASCII\0Hi", 8), "Hi"},            // text a byte or two early
        {std::string("ASCII\0\0\0\0\0   ", 13), ""},    // no text in positions 5-9
        {"Plain words  ", "Plain words"},               // no character code
        {std::string(250, 'x'), std::string(199, 'x')}, // cut at 199
        {std::string("Stop\0here", 9), "Stop"},
    };
    for (const auto& c : cases)
    {
        CPicJpegSections sections;
        const Bytes block =
            OneEntryBlock(false, 0x9286, 7, static_cast<std::uint32_t>(c.value.size()), Text(c.value));
        ASSERT_TRUE(Read(sections, JpegWith({Section(0xE1, block)}), CPicJpegSections::READ_EXIF));
        EXPECT_EQ(sections.GetInfo().isExif, 1);
        EXPECT_EQ(std::string(sections.GetInfo().comments), c.expected);
    }
}

// Each block is refused as a whole (the record's is-EXIF flag stays clear),
// while the file around it is read.
TEST(JpegSections, MalformedExifBlocksAreRefused)
{
    const Bytes& intel = kIntelBlock;
    // IFD0 at 8 linking to 14, 20, 26, 32 and 38: six directories deep.
    const Bytes tooDeep = Join({Text(std::string("Exif\0\0II\x2A\0\x08\0\0\0", 14)),
                                {0, 0, 14, 0, 0, 0, 0, 0, 20, 0, 0, 0, 0, 0, 26, 0, 0, 0},
                                {0, 0, 32, 0, 0, 0, 0, 0, 38, 0, 0, 0, 0, 0, 0, 0, 0, 0}});
    const struct
    {
        const char* name;
        Bytes block;
        const char* error;
    } cases[] = {
        {"header", Patched(intel, 5, {1}), "Incorrect Exif header"},
        {"byte order", Patched(intel, At(1), {'M'}), "Invalid Exif alignment marker."},
        {"not 42", Patched(intel, At(2), {43}), "Invalid Exif start (1)"},
        {"header cut short", Bytes(intel.begin(), intel.begin() + At(6)), "Invalid Exif start (1)"},
        {"format 13", Patched(intel, At(12), {13}), "Illegal format code in EXIF dir"},
        {"format 0", Patched(intel, At(12), {0}), "Illegal format code in EXIF dir"},
        {"entry count", Patched(intel, At(8), {0xFF, 0xFF}), "Illegally sized directory"},
        {"directory at the end", Patched(intel, At(4), {185, 0}), "Illegally sized directory"},
        {"value one byte past the end", Patched(intel, At(18), {181}),
         "Illegal pointer offset value in EXIF."},
        // Two bytes past the block are still within "section length - 6".
        {"value two bytes past the end", Patched(intel, At(18), {182}),
         "Illegal pointer offset value in EXIF."},
        // 2^29 rationals are 2^32 bytes: 0 in 32-bit arithmetic.
        {"count times size wraps", Patched(intel, At(38), {0, 0, 0, 0x20}),
         "Illegal pointer offset value in EXIF."},
        {"offset plus size wraps", Patched(intel, At(18), {0xFA, 0xFF, 0xFF, 0xFF}),
         "Illegal pointer offset value in EXIF."},
        {"directory links to itself", Patched(intel, At(138), {76}),
         "Exif directory links back to itself (corrupt exif header)"},
        {"next directory is one already read", Patched(intel, At(58), {76}),
         "Exif directory links back to itself (corrupt exif header)"},
        {"next directory is the first", Patched(intel, At(58), {8}), "Illegal subdirectory link"},
        {"link into the header", Patched(intel, At(54), {4}), "Illegal subdirectory link"},
        {"link past the end", Patched(intel, At(54), {0, 0x10}), "Illegal subdirectory link"},
        {"nested six deep", tooDeep, "Maximum directory nesting exceeded (corrupt exif header)"},
    };
    for (const auto& c : cases)
    {
        CPicJpegSections sections;
        EXPECT_TRUE(Read(sections, JpegWith({Section(0xE1, c.block)}), kReadAll)) << c.name;
        EXPECT_EQ(sections.GetInfo().isExif, 0) << c.name;
        EXPECT_STREQ(sections.GetLastError(), c.error) << c.name;
        EXPECT_EQ(Types(sections), (std::vector<int>{0xE1, 0xDA, CPicJpegSections::kImageData})) << c.name;
    }
}

TEST(JpegSections, OddButReadableBlocks)
{
    {
        SCOPED_TRACE("five directories deep");
        const Bytes block = Join({Text(std::string("Exif\0\0II\x2A\0\x08\0\0\0", 14)),
                                  {0, 0, 14, 0, 0, 0, 0, 0, 20, 0, 0, 0, 0, 0, 26, 0, 0, 0},
                                  {0, 0, 32, 0, 0, 0, 0, 0, 0, 0, 0, 0}});
        CPicJpegSections sections;
        ASSERT_TRUE(Read(sections, JpegWith({Section(0xE1, block)}), CPicJpegSections::READ_EXIF));
        EXPECT_EQ(sections.GetInfo().isExif, 1) << sections.GetLastError();
    }
    {
        SCOPED_TRACE("undefined rotation: noted, the rest still read");
        CPicJpegSections sections;
        ASSERT_TRUE(Read(sections, JpegWith({Section(0xE1, Patched(kIntelBlock, At(30), {9}))}),
                         CPicJpegSections::READ_EXIF));
        EXPECT_EQ(sections.GetInfo().isExif, 1);
        EXPECT_EQ(sections.GetInfo().orientation, 0);
        EXPECT_STREQ(sections.GetLastError(), "Undefined rotation value");
        EXPECT_EQ(sections.GetInfo().isoEquivalent, 400);
    }
    {
        SCOPED_TRACE("thumbnail one byte longer than the block: not recorded");
        CPicJpegSections sections;
        ASSERT_TRUE(Read(sections, JpegWith({Section(0xE1, Patched(kMotorolaBlock, At(93), {5}))}),
                         CPicJpegSections::READ_EXIF));
        EXPECT_EQ(sections.GetInfo().isExif, 1);
        EXPECT_EQ(sections.GetInfo().thumbnailPointer, nullptr);
    }
    {
        SCOPED_TRACE("header names the first directory again");
        CPicJpegSections sections;
        ASSERT_TRUE(Read(sections, JpegWith({Section(0xE1, Patched(kIntelBlock, At(4), {76}))}),
                         CPicJpegSections::READ_EXIF));
        EXPECT_EQ(sections.GetInfo().isExif, 1) << sections.GetLastError();
    }
    {
        // The last entry's 4 value bytes end the block, and a double needs 8:
        // an entry without components has no value to read.
        SCOPED_TRACE("empty double at the block's end, without a next link");
        Bytes block = OneEntryBlock(false, 0x011A, 12, 0, {});
        block.resize(block.size() - 4);
        CPicJpegSections sections;
        ASSERT_TRUE(Read(sections, JpegWith({Section(0xE1, block)}), CPicJpegSections::READ_EXIF));
        EXPECT_EQ(sections.GetInfo().isExif, 1);
        EXPECT_EQ(sections.GetInfo().xResolution, 0.0f);
    }
}

// Many sub-directories, each linked once: a block of a few kilobytes must not
// make the reader visit more directories than real blocks have.
TEST(JpegSections, DirectoryCountHasALimit)
{
    for (const int links : {31, 32})
    {
        Bytes block = Text(std::string("Exif\0\0II\x2A\0\x08\0\0\0", 14));
        const std::size_t firstEmpty = 8 + 2 + 12 * static_cast<std::size_t>(links) + 4;
        block.insert(block.end(), {static_cast<std::uint8_t>(links), 0});
        for (int i = 0; i < links; ++i)
        {
            const auto offset = static_cast<std::uint16_t>(firstEmpty + 6 * static_cast<std::size_t>(i));
            block.insert(block.end(), {0x69, 0x87, 4, 0, 1, 0, 0, 0, static_cast<std::uint8_t>(offset),
                                       static_cast<std::uint8_t>(offset >> 8), 0, 0});
        }
        block.insert(block.end(), 4 + 6 * static_cast<std::size_t>(links), 0); // next link, empty directories
        CPicJpegSections sections;
        ASSERT_TRUE(Read(sections, JpegWith({Section(0xE1, block)}), CPicJpegSections::READ_EXIF));
        EXPECT_EQ(sections.GetInfo().isExif, links < 32 ? 1 : 0) << links;
        EXPECT_STREQ(sections.GetLastError(),
                     links < 32 ? "" : "Too many Exif directories (corrupt exif header)");
    }
}

TEST(JpegSections, MalformedFilesAreRefusedWithAReason)
{
    const Bytes file = JpegWith({Section(0xE1, kIntelBlock), Section(0xDB, Bytes(65, 1))});
    Bytes fill = kSoi;
    fill.insert(fill.end(), 7, 0xFF); // 0xFF and six fill bytes
    Bytes tooMuchFill = kSoi;
    tooMuchFill.insert(tooMuchFill.end(), 8, 0xFF);
    Bytes manySections = kSoi;
    for (int i = 0; i < 20; ++i)
        manySections = Join({manySections, Section(0xDB, {1})});
    Bytes nineteen = kSoi;
    for (int i = 0; i < 19; ++i)
        nineteen = Join({nineteen, Section(0xDB, {1})});
    const struct
    {
        const char* name;
        Bytes file;
        int flags;
        bool ok;
        const char* error;
    } cases[] = {
        {"no start of image", Join({{0xFF, 0xD9}, file}), kReadAll, false, ""},
        {"empty", {}, kReadAll, false, ""},
        {"cut inside a section", Bytes(file.begin(), file.begin() + 100), kReadAll, false,
         "Premature end of file?"},
        {"cut inside a length", Bytes(file.begin(), file.begin() + 5), kReadAll, false,
         "Premature end of file?"},
        {"cut after a marker's 0xFF", Bytes(file.begin(), file.begin() + 3), kReadAll, false,
         "Premature end of file?"},
        {"cut after start of image", kSoi, kReadAll, false, "Premature end of file?"},
        {"cut in fill bytes", fill, kReadAll, false, "Premature end of file?"},
        {"six fill bytes", Join({fill, Bytes(kScan.begin() + 1, kScan.end())}), kReadAll, true, ""},
        {"seven fill bytes", Join({tooMuchFill, Bytes(kScan.begin() + 1, kScan.end())}), kReadAll, false,
         "too many padding bytes"},
        {"length below 2", Join({kSoi, {0xFF, 0xDB, 0x00, 0x01}, kScan}), kReadAll, false, "invalid marker"},
        {"no marker where one belongs", Join({kSoi, {0x00, 0xDB, 0x00, 0x02}, kScan}), kReadAll, false,
         "invalid marker"},
        {"end of image before a scan", Join({kSoi, Section(0xDB, {1}), {0xFF, 0xD9}}), kReadAll, false,
         "No image in jpeg!"},
        {"twenty-one sections", Join({manySections, kScan}), kReadAll, false,
         "Too many sections in jpg file"},
        {"image data as twenty-first", Join({nineteen, kScan}), kReadAll, false,
         "Too many sections in jpg file"},
        {"twenty with the scan", Join({nineteen, kScan}), CPicJpegSections::READ_EXIF, true, ""},
        // A frame header too short for its fields is kept but not decoded.
        {"short frame header", Join({kSoi, Section(0xC0, {8}), kScan}), kReadAll, true, ""},
    };
    for (const auto& c : cases)
    {
        CPicJpegSections sections;
        EXPECT_EQ(Read(sections, c.file, c.flags), c.ok) << c.name;
        EXPECT_STREQ(sections.GetLastError(), c.error) << c.name;
    }
}

TEST(JpegSections, FrameHeaderAndComment)
{
    const Bytes frame = Section(0xC2, {8, 0x01, 0x20, 0x02, 0x80, 3, 1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1});
    const Bytes comment = Section(0xFE, Text(std::string("Line 1\r\nLine 2\x01\tend\r", 20)));
    CPicJpegSections sections;
    ASSERT_TRUE(Read(sections,
                     JpegWith({Section(0xE0, Text("JFIF")), frame, comment, Section(0xFE, Text("second")),
                               Section(0xE1, Text("XMP data")), Section(0xDB, {0})}),
                     CPicJpegSections::READ_EXIF));
    const SExifInfo& info = sections.GetInfo();
    EXPECT_EQ(info.height, 288);
    EXPECT_EQ(info.width, 640);
    EXPECT_EQ(info.isColour, 1);
    EXPECT_EQ(info.process, 0xC2);
    EXPECT_STREQ(info.comments, "Line 1\nLine 2?\tend?");
    // APP0, the second comment and an APP1 that is no EXIF block are dropped.
    EXPECT_EQ(Types(sections), (std::vector<int>{0xC2, 0xFE, 0xDB, 0xDA}));

    CPicJpegSections plain;
    ASSERT_TRUE(Read(plain, JpegWith({comment, Section(0xE1, kIntelBlock)}), 0));
    EXPECT_EQ(plain.GetInfo().isExif, 0);
    EXPECT_STREQ(plain.GetInfo().comments, "");
    EXPECT_EQ(Types(plain), (std::vector<int>{0xDA}));
}

TEST(JpegSections, LongCommentStopsAtTheRecordsCapacity)
{
    CPicJpegSections sections;
    ASSERT_TRUE(Read(sections, JpegWith({Section(0xFE, Bytes(1200, 'c'))}), CPicJpegSections::READ_EXIF));
    EXPECT_EQ(std::string(sections.GetInfo().comments), std::string(999, 'c'));
}

TEST(JpegSections, DiscardKeepsTheExifSectionThenTheComment)
{
    CPicJpegSections sections;
    ASSERT_TRUE(Read(sections,
                     JpegWith({Section(0xFE, Text("note")), Section(0xDB, {0}), Section(0xE1, kMotorolaBlock),
                               Section(0xE1, kIntelBlock)}),
                     kReadAll));
    const std::uint8_t* thumbnail = sections.GetInfo().thumbnailPointer;
    ASSERT_NE(thumbnail, nullptr);
    sections.DiscardAllButExif();
    EXPECT_EQ(Types(sections), (std::vector<int>{0xE1, 0xFE}));
    EXPECT_TRUE(sections.HasExifBlock());
    // The thumbnail lies in the kept section, which has not moved.
    EXPECT_EQ(sections.GetInfo().thumbnailPointer, thumbnail);
    EXPECT_EQ(sections.GetSectionData(0).data() + 2 + At(98), thumbnail);
}

TEST(JpegSections, NoThumbnailPointerOutlivesItsSection)
{
    {
        SCOPED_TRACE("thumbnail in a second EXIF section, which the discard drops");
        CPicJpegSections sections;
        ASSERT_TRUE(
            Read(sections, JpegWith({Section(0xE1, kIntelBlock), Section(0xE1, kMotorolaBlock)}), kReadAll));
        ASSERT_NE(sections.GetInfo().thumbnailPointer, nullptr);
        sections.DiscardAllButExif();
        EXPECT_EQ(sections.GetInfo().thumbnailPointer, nullptr);
        EXPECT_EQ(sections.GetInfo().thumbnailSize, 0u);
    }
    {
        SCOPED_TRACE("a record of the caller's, after the sections are gone");
        SExifInfo info;
        {
            CPicJpegSections sections(&info);
            ASSERT_TRUE(Read(sections, JpegWith({Section(0xE1, kMotorolaBlock)}), kReadAll));
            ASSERT_NE(info.thumbnailPointer, nullptr);
        }
        EXPECT_EQ(info.thumbnailPointer, nullptr);
        EXPECT_STREQ(info.cameraModel, "Terrion X");
    }
}

TEST(JpegSections, WrittenBackFileDecodesToTheSamePixels)
{
    const Bytes card = CardJpeg();
    TerrionTest::CImageDecoder original;
    ASSERT_TRUE(original.Decode(card, ".jpg")) << original.Error();

    const Bytes rest = AfterJfif(card);
    const Bytes app1 = Section(0xE1, kIntelBlock);
    const Bytes comment = Section(0xFE, Text("measured on site"));
    CPicJpegSections sections;
    ASSERT_TRUE(Read(sections, Join({kSoi, app1, comment, rest}), kReadAll)) << sections.GetLastError();
    const Bytes written = Written(sections);
    // Start of image, the sections as read, the image data unchanged.
    EXPECT_EQ(written, Join({kSoi, app1, comment, rest}));

    TerrionTest::CImageDecoder decoder;
    ASSERT_TRUE(decoder.Decode(written, ".jpg")) << decoder.Error();
    EXPECT_EQ(decoder.Item("markers"), "APP1 COM");
    EXPECT_EQ(decoder.Item("exif010F"), "Canon");
    EXPECT_EQ(decoder.Item("exif0112"), "6");
    EXPECT_EQ(decoder.Item("comment"), "measured on site");
    EXPECT_EQ(decoder.Item("size"), "24 16");
    EXPECT_EQ(decoder.Pixels(), original.Pixels());
}

TEST(JpegSections, FileWithoutExifGetsAJfifHeaderOf300Dpi)
{
    const Bytes card = CardJpeg();
    const Bytes comment = Section(0xFE, Text("no exif"));
    CPicJpegSections sections;
    ASSERT_TRUE(Read(sections, Join({kSoi, comment, AfterJfif(card)}), kReadAll));
    const Bytes written = Written(sections);
    const Bytes jfif = {0xFF, 0xE0, 0x00, 0x10, 'J',  'F',  'I',  'F',  0x00,
                        0x01, 0x01, 0x01, 0x01, 0x2C, 0x01, 0x2C, 0x00, 0x00};
    EXPECT_EQ(written, Join({kSoi, jfif, comment, AfterJfif(card)}));

    TerrionTest::CImageDecoder decoder;
    ASSERT_TRUE(decoder.Decode(written, ".jpg")) << decoder.Error();
    EXPECT_EQ(decoder.Item("dpi"), "300 300");
    EXPECT_EQ(decoder.Item("markers"), "APP0 COM");
}

TEST(JpegSections, WritingNeedsTheImageDataAndAWorkingSink)
{
    CPicJpegSections partial;
    ASSERT_TRUE(Read(partial, JpegWith({Section(0xE1, kIntelBlock)}), CPicJpegSections::READ_EXIF));
    EXPECT_TRUE(Written(partial).empty());
    EXPECT_STREQ(partial.GetLastError(), "Can't write exif : didn't read all");

    CPicJpegSections empty;
    EXPECT_TRUE(Written(empty).empty());
    EXPECT_STREQ(empty.GetLastError(), "Can't write exif : didn't read all");

    CPicJpegSections sections;
    ASSERT_TRUE(Read(sections, JpegWith({Section(0xE1, kIntelBlock)}), kReadAll));
    TerrionTest::CFailingSink sink(40);
    EXPECT_FALSE(sections.EncodeExif(&sink));
    EXPECT_STREQ(sections.GetLastError(), "Can't write exif : write failed");
}

TEST(JpegEncoderExif, AttachedSectionsPutTheirExifBlockInFront)
{
    const Bytes plain = CardJpeg();

    CPictureJPG encoder;
    FillCard(encoder);
    CPicJpegSections sections(&encoder.GetExifInfo());
    const Bytes app1 = Section(0xE1, kMotorolaBlock);
    const Bytes comment = Section(0xFE, Text("site 4"));
    ASSERT_TRUE(Read(sections, JpegWith({Section(0xDB, {0}), app1, comment}), kReadAll));
    encoder.SetJpegSections(&sections);

    const Bytes first = EncodeJpeg(encoder);
    ASSERT_FALSE(first.empty()) << encoder.GetLastError();
    EXPECT_EQ(first, Join({kSoi, app1, comment, AfterJfif(plain)}));
    // The sections now hold the new file; a second encoding gives the same bytes.
    EXPECT_TRUE(sections.HasExifBlock());
    EXPECT_EQ(EncodeJpeg(encoder), first);
    EXPECT_EQ(encoder.GetExifInfo().thumbnailSize, 4u);
    EXPECT_EQ(encoder.GetExifInfo().width, 24);

    TerrionTest::CImageDecoder withExif, without;
    ASSERT_TRUE(withExif.Decode(first, ".jpg")) << withExif.Error();
    ASSERT_TRUE(without.Decode(plain, ".jpg")) << without.Error();
    EXPECT_EQ(withExif.Item("exif0110"), "Terrion X");
    EXPECT_EQ(withExif.Item("comment"), "site 4");
    EXPECT_EQ(withExif.Pixels(), without.Pixels());
}

TEST(JpegEncoderExif, SectionsWithoutAnExifBlockChangeNothing)
{
    const Bytes plain = CardJpeg();

    CPictureJPG encoder;
    FillCard(encoder);
    CPicJpegSections sections;
    ASSERT_TRUE(Read(sections, JpegWith({Section(0xFE, Text("only a comment"))}), kReadAll));
    encoder.SetJpegSections(&sections);
    EXPECT_EQ(EncodeJpeg(encoder), plain);

    CPicJpegSections broken;
    ASSERT_TRUE(Read(broken, JpegWith({Section(0xE1, Patched(kIntelBlock, At(2), {43}))}), kReadAll));
    encoder.SetJpegSections(&broken);
    EXPECT_EQ(EncodeJpeg(encoder), plain);
}

TEST(JpegEncoderExif, FailedRewriteIsAFailure)
{
    const Bytes plain = CardJpeg();

    CPictureJPG encoder;
    FillCard(encoder);
    CPicJpegSections sections;
    ASSERT_TRUE(Read(sections, JpegWith({Section(0xE1, kIntelBlock)}), kReadAll));
    encoder.SetJpegSections(&sections);
    // Room for the plain file, not for the one with the EXIF block.
    TerrionTest::CFailingSink sink(static_cast<long>(plain.size()) + 8);
    EXPECT_FALSE(encoder.Encode(&sink));
    EXPECT_STREQ(encoder.GetLastError(), "Can't write exif : write failed");
}
