// The firmware package head, read from hand-made package bytes.

#include "device/PackageHeader.h"
#include "streams/FileStream.h"
#include "tests/support/CommaLocale.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <fstream>

#include <unistd.h>

namespace TerrionTest
{
namespace
{

using Device::CPackageHeader;
using TBytes = std::vector<std::uint8_t>;

// "@Vn@", 1, 1, version 7, one entry.
const TBytes kHeader = {0x40, 0x56, 0x6E, 0x40, 0x01, 0x00, 0x00, 0x00,
                        0x01, 0x00, 0x07, 0x00, 0x01, 0x00, 0x00, 0x00};

// Flags 0x22 (code, size in 4 kB), second byte 9, type 1, version 2.3.4,
// code "ABC", size 3, first block 0, 5 blocks.
const TBytes kEntry = {0x22, 0x09, 0x01, 0x00, 0x02, 0x00, 0x03, 0x00, 0x04,
                       0x00, 'A',  'B',  'C',  0x03, 0x00, 0x00, 0x05, 0x00};

TBytes Trailer(std::uint8_t checksumKind)
{
    TBytes trailer(161, 0);
    const TBytes head = {0x05,         0x00, 0x00, 0x00,             // 5 blocks
                         0x02,         0x00, 0x03, 0x00, 0x04, 0x00, // 2.3.4
                         0xEE,         0xEE,                         // not read
                         0x01,         0x00, 0x00, 0x0A,             // device id 0x0A000001
                         checksumKind, 0x11, 0x22, 0x33, 0x44,       // device check value
                         0x55,         0x66, 0x77, 0x88,             // kept
                         0x02,         0x00,                         // lowest hardware revision
                         0x09,         0x00};                        // highest
    std::copy(head.begin(), head.end(), trailer.begin());
    for (int i = 0; i < 128; ++i)
        trailer[static_cast<std::size_t>(33 + i)] = static_cast<std::uint8_t>(i);
    return trailer;
}

template <std::size_t N> std::span<const std::uint8_t, N> Fixed(const TBytes& bytes)
{
    return std::span<const std::uint8_t, N>(bytes.data(), N);
}

TBytes Patched(TBytes bytes, std::size_t offset, std::uint8_t value)
{
    bytes[offset] = value;
    return bytes;
}

TEST(PackageHeaderTest, HeaderChecks)
{
    CPackageHeader package;
    EXPECT_TRUE(package.ReadHeader(Fixed<16>(kHeader)));
    EXPECT_EQ(CVersion(0, 1, 0, 7), package.m_contents.m_version);
    EXPECT_EQ(1u, package.m_nEntryCount);
    EXPECT_FALSE(package.ReadHeader(Fixed<16>(Patched(kHeader, 12, 0))));                       // no entries
    EXPECT_FALSE(package.ReadHeader(Fixed<16>(Patched(Patched(kHeader, 12, 0xD1), 13, 0x07)))); // 2001
    EXPECT_TRUE(package.ReadHeader(Fixed<16>(Patched(Patched(kHeader, 12, 0xD0), 13, 0x07))));  // 2000
    EXPECT_FALSE(package.ReadHeader(Fixed<16>(Patched(kHeader, 0, 0x41))));                     // magic
    EXPECT_FALSE(package.ReadHeader(Fixed<16>(Patched(kHeader, 8, 0x02)))); // the 16-bit 1
    EXPECT_FALSE(package.m_bHeaderRead);
}

TEST(PackageHeaderTest, EntrySizeTextsAndCodes)
{
    struct SCase
    {
        std::uint8_t flags;
        std::uint8_t size;
        std::wstring sizeText;
        std::wstring code;
    };
    const SCase cases[] = {
        {0x22, 3, L"12 kB", L"ABC"}, {0x40, 15, L"1.5 MB", L""}, {0x60, 15, L"60 kB", L""}, // 4 kB units win
        {0x22, 0, L"", L"ABC"},      {0x00, 3, L"", L""},
    };
    for (const SCase& c : cases)
    {
        CPackageHeader package;
        ASSERT_TRUE(package.ReadHeader(Fixed<16>(kHeader)));
        ASSERT_TRUE(package.ReadEntry(Fixed<18>(Patched(Patched(kEntry, 0, c.flags), 13, c.size))));
        ASSERT_EQ(1u, package.m_contents.m_entries.size());
        const Device::SContentEntry& entry = package.m_contents.m_entries[0];
        EXPECT_EQ(c.sizeText, entry.sizeText);
        EXPECT_EQ(c.code, entry.code);
        EXPECT_EQ(CVersion(2, 3, 4, 0), entry.version);
        EXPECT_EQ(9, entry.secondByte);
        EXPECT_EQ(5, entry.blockCount);
        EXPECT_TRUE(package.m_bEntriesRead);
        EXPECT_FALSE(package.ReadEntry(Fixed<18>(kEntry))); // all entries are there
    }
}

// A program may switch the C locale to one with a decimal comma; the size
// text keeps its point.
TEST(PackageHeaderTest, SizeTextIgnoresTheProcessLocale)
{
    const TerrionTest::CCommaLocale comma;
    if (!comma.IsActive())
        GTEST_SKIP() << "no locale with a decimal comma is installed (locales-all)";
    CPackageHeader package;
    ASSERT_TRUE(package.ReadHeader(Fixed<16>(kHeader)) &&
                package.ReadEntry(Fixed<18>(Patched(Patched(kEntry, 0, 0x40), 13, 15))));
    EXPECT_EQ(L"1.5 MB", package.m_contents.m_entries.at(0).sizeText);
}

TEST(PackageHeaderTest, RefusedEntriesAndTrailers)
{
    CPackageHeader package;
    EXPECT_FALSE(package.ReadEntry(Fixed<18>(kEntry))); // no header yet
    ASSERT_TRUE(package.ReadHeader(Fixed<16>(kHeader)));
    EXPECT_FALSE(package.ReadTrailer(Fixed<161>(Trailer(2))));          // entries missing
    EXPECT_FALSE(package.ReadEntry(Fixed<18>(Patched(kEntry, 2, 8))));  // type 8
    EXPECT_FALSE(package.ReadEntry(Fixed<18>(Patched(kEntry, 16, 0)))); // no blocks
    ASSERT_TRUE(package.ReadEntry(Fixed<18>(kEntry)));
    EXPECT_FALSE(package.ReadTrailer(Fixed<161>(Trailer(3))));
    EXPECT_FALSE(package.ReadTrailer(Fixed<161>(Patched(Trailer(2), 0, 0))));
    EXPECT_FALSE(package.m_bTrailerRead);
    for (std::uint8_t kind : {0, 1, 2, 4})
        EXPECT_TRUE(package.ReadTrailer(Fixed<161>(Trailer(kind))));
}

TEST(PackageHeaderTest, ReadsAPackageFileAndStopsAtTheFirstDescriptor)
{
    CTempDir dir;
    const std::filesystem::path path = dir.Path() / "package.bin";
    TBytes file = kHeader;
    file.insert(file.end(), kEntry.begin(), kEntry.end());
    const TBytes trailer = Trailer(4);
    file.insert(file.end(), trailer.begin(), trailer.end());
    file.insert(file.end(), {0xD1, 0xD2, 0xD3}); // first block descriptor
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    }
    StreamIO::CFileStream stream(path.wstring(), StreamIO::ofRead);
    CPackageHeader package;
    ASSERT_TRUE(package.Read(&stream));
    EXPECT_TRUE(package.IsComplete());
    EXPECT_EQ(5u, package.m_nBlockCount);
    EXPECT_EQ(CVersion(2, 3, 4, 0), package.m_version);
    EXPECT_EQ(0x0A000001u, package.m_nDeviceId);
    EXPECT_EQ(4, package.m_nChecksumKind);
    EXPECT_EQ(0x44332211u, package.m_nDeviceCheck);
    EXPECT_EQ(0x88776655u, package.m_nReserved);
    EXPECT_EQ(2, package.m_nMinHardware);
    EXPECT_EQ(9, package.m_nMaxHardware);
    EXPECT_EQ(0, package.m_descriptor[0]);
    EXPECT_EQ(127, package.m_descriptor[127]);
    std::uint8_t next = 0;
    ASSERT_EQ(1, stream.Read(&next, 1));
    EXPECT_EQ(0xD1, next);

    // Cut short anywhere, the package is refused.
    for (std::size_t length : {std::size_t{10}, std::size_t{20}, std::size_t{100}})
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(length));
        out.close();
        StreamIO::CFileStream shortStream(path.wstring(), StreamIO::ofRead);
        CPackageHeader cut;
        EXPECT_FALSE(cut.Read(&shortStream));
        EXPECT_FALSE(cut.IsComplete());
    }
    CPackageHeader none;
    EXPECT_FALSE(none.Read(nullptr));
}

} // namespace
} // namespace TerrionTest
