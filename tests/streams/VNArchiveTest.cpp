#include "streams/VNArchive.h"
#include "streams/FileException.h"
#include "streams/FileStream.h"
#include "streams/RamStream.h"
#include "streams/Win32Error.h"
#include "tests/support/OsErrorOf.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

namespace
{

using TerrionTest::OsErrorOf;

using namespace StreamIO;
using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kReadWriteCreate = ofRead | ofWrite | ofCreateAlways;

// The bytes of WritePrimitives, written out by hand from the format.
const Bytes kGolden = {
    0xAB,                                                                         // byte
    0x34, 0x12,                                                                   // 16-bit 0x1234
    0xEF, 0xCD, 0xAB, 0x89,                                                       // 32-bit 0x89ABCDEF
    0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01,                               // 64-bit 0x0102030405060708
    0x01, 0x00, 0x00, 0x00,                                                       // true
    0x00, 0x00, 0x00, 0x00,                                                       // false
    0x00, 0x00, 0x80, 0x3F,                                                       // float 1.0
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0xC0,                               // double -2.5
    0xFE, 0x00, 0x00,                                                             // ""
    0xFE, 0x05, 0x00, 0x6B, 0x00, 0xA9, 0x03, 0xB7, 0x00, 0x63, 0x00, 0x6D, 0x00, // "kΩ·cm"
    0xFE, 0x03, 0x00, 0x78, 0x00, 0x3D, 0xD8, 0x00, 0xDE,                         // "x" U+1F600
    0xFE, 0x00, 0x00,                                                             // null text
    0x02, 0x01, 0xFE, 0xFF,                                                       // word array
};

const std::wstring kUnitText = L"k\u03A9\u00B7cm";
const std::wstring kEmojiText = L"x\U0001F600";

void WritePrimitives(CVNArchive& archive)
{
    archive.WriteByte(0xAB);
    archive.WriteWord(0x1234);
    archive.WriteDWord(0x89ABCDEF);
    archive.WriteQWord(0x0102030405060708ull);
    archive.WriteBool(true);
    archive.WriteBool(false);
    archive.WriteFloat(1.0f);
    archive.WriteDouble(-2.5);
    archive.WriteString(std::wstring());
    archive.WriteString(kUnitText);
    archive.WriteString(kEmojiText);
    archive.WriteString(static_cast<const wchar_t*>(nullptr));
    const std::uint16_t units[] = {0x0102, 0xFFFE};
    archive.WriteWordArray(units, 2);
}

void CheckPrimitives(CVNArchive& archive)
{
    std::uint8_t byte = 0;
    std::uint16_t word = 0;
    std::uint32_t dword = 0;
    std::uint64_t qword = 0;
    bool yes = false;
    bool no = true;
    float single = 0;
    double real = 0;
    std::wstring empty = L"?", unit, emoji, null = L"?";
    std::uint16_t units[2] = {};
    archive.ReadByte(byte);
    archive.ReadWord(word);
    archive.ReadDWord(dword);
    archive.ReadQWord(qword);
    archive.ReadBool(yes);
    archive.ReadBool(no);
    archive.ReadFloat(single);
    archive.ReadDouble(real);
    archive.ReadString(empty);
    archive.ReadString(unit);
    archive.ReadString(emoji);
    archive.ReadString(null);
    archive.ReadWordArray(units, 2);
    EXPECT_EQ(byte, 0xAB);
    EXPECT_EQ(word, 0x1234);
    EXPECT_EQ(dword, 0x89ABCDEFu);
    EXPECT_EQ(qword, 0x0102030405060708ull);
    EXPECT_TRUE(yes);
    EXPECT_FALSE(no);
    EXPECT_EQ(single, 1.0f);
    EXPECT_EQ(real, -2.5);
    EXPECT_EQ(empty, L"");
    EXPECT_EQ(unit, kUnitText);
    EXPECT_EQ(emoji, kEmojiText);
    EXPECT_EQ(null, L"");
    EXPECT_EQ(units[0], 0x0102);
    EXPECT_EQ(units[1], 0xFFFE);
}

Bytes StreamBytes(CIoStream& stream)
{
    stream.SetPosition(0);
    Bytes bytes(static_cast<std::size_t>(stream.GetLength()));
    if (!bytes.empty())
        bytes.resize(static_cast<std::size_t>(stream.Read(bytes.data(), static_cast<int>(bytes.size()))));
    return bytes;
}

void PutBytes(CIoStream& stream, const Bytes& bytes)
{
    stream.Write(bytes.data(), static_cast<int>(bytes.size()));
}

Bytes FileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void PutFile(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

/// Buffer sizes: below the minimum, odd, and the program's own.
class VNArchiveBuffer : public testing::TestWithParam<unsigned>
{
};

TEST_P(VNArchiveBuffer, StoresTheGoldenBytesThroughARamStreamHandle)
{
    CRamStream stream(L"RAM:store", kReadWriteCreate);
    CVNArchive archive(stream.GetHandle(), CVNArchive::amStore, GetParam());
    WritePrimitives(archive);
    archive.Flush();
    EXPECT_EQ(StreamBytes(stream), kGolden);
}

TEST_P(VNArchiveBuffer, LoadsTheGoldenBytesThroughARamStreamHandle)
{
    CRamStream stream(L"RAM:load", kReadWriteCreate);
    PutBytes(stream, kGolden);
    CVNArchive archive(stream.GetHandle(), CVNArchive::amLoad, GetParam());
    CheckPrimitives(archive);
    std::uint8_t byte = 0;
    EXPECT_EQ(OsErrorOf([&] { archive.ReadByte(byte); }), errHandleEof);
}

INSTANTIATE_TEST_SUITE_P(Sizes, VNArchiveBuffer, testing::Values(0u, 8u, 17u, 1024u));

TEST(VNArchive, StoresTheGoldenBytesToAFileByName)
{
    TerrionTest::CTempDir dir;
    const auto path = dir / "golden.vnr";
    CVNArchive archive(path.wstring(), CVNArchive::amStore, 1024);
    WritePrimitives(archive);
    archive.Close();
    EXPECT_FALSE(archive.IsOpen());
    EXPECT_EQ(FileBytes(path), kGolden);
}

TEST(VNArchive, LoadsTheGoldenBytesFromAFileByName)
{
    TerrionTest::CTempDir dir;
    const auto path = dir / "golden.vnr";
    PutFile(path, kGolden);
    CVNArchive archive(path.wstring(), CVNArchive::amLoad, 16);
    CheckPrimitives(archive);
}

TEST(VNArchive, LoadsThroughAFileStreamHandle)
{
    TerrionTest::CTempDir dir;
    const auto path = dir / "golden.vnr";
    PutFile(path, kGolden);
    CFileStream stream(path.wstring(), ofRead | ofShareRead);
    CVNArchive archive(stream.GetHandle(), CVNArchive::amLoad, 1024);
    CheckPrimitives(archive);
    archive.Close();
    EXPECT_FALSE(stream.IsOpen()); // the archive closes the caller's stream through the table
}

TEST(VNArchive, ReadsEightBitStringsAsWindows1252UpToAZero)
{
    CRamStream stream(L"RAM:ansi", kReadWriteCreate);
    PutBytes(stream, {0xFF, 0x03, 0x00, 'a', 0xE9, 0x80, //
                      0xFF, 0x04, 0x00, 'b', 0x00, 'c', 'd', 0xFE, 0x01, 0x00, 'z', 0x00});
    CVNArchive archive(stream.GetHandle(), CVNArchive::amLoad, 16);
    std::wstring first, second, third;
    archive.ReadString(first);
    archive.ReadString(second);
    archive.ReadString(third);
    EXPECT_EQ(first, L"a\u00E9\u20AC");
    EXPECT_EQ(second, L"b");
    EXPECT_EQ(third, L"z");
}

TEST(VNArchive, StringLimitCountsUtf16Units)
{
    CRamStream stream(L"RAM:long", kReadWriteCreate);
    CVNArchive archive(stream.GetHandle(), CVNArchive::amStore, 1024);
    // 32767 supplementary characters and one more: 65535 units, the most a string holds.
    const std::wstring longest = std::wstring(32767, static_cast<wchar_t>(0x1F600)) + L"a";
    archive.WriteString(longest);
    archive.Flush();
    const Bytes written = StreamBytes(stream);
    ASSERT_EQ(written.size(), 3u + 2u * 65535u);
    EXPECT_EQ((Bytes{written[0], written[1], written[2], written[3], written[4]}),
              (Bytes{0xFE, 0xFF, 0xFF, 0x3D, 0xD8}));

    // One character more is 65537 units: refused before a byte is written.
    EXPECT_EQ(OsErrorOf([&] { archive.WriteString(longest + L"\U0001F600"); }), errInsufficientBuffer);
    EXPECT_EQ(OsErrorOf([&] { archive.WriteString(std::wstring(65536, L'x')); }), errInsufficientBuffer);
    archive.Flush();
    EXPECT_EQ(stream.GetLength(), static_cast<int>(written.size()));

    CRamStream copy(L"RAM:longcopy", kReadWriteCreate);
    PutBytes(copy, written);
    CVNArchive reader(copy.GetHandle(), CVNArchive::amLoad, 1024);
    std::wstring read;
    reader.ReadString(read);
    EXPECT_EQ(read, longest);
}

struct STruncatedCase
{
    const char* what;
    Bytes bytes;
};

void PrintTo(const STruncatedCase& c, std::ostream* os)
{
    *os << c.what;
}

class VNArchiveTruncated : public testing::TestWithParam<STruncatedCase>
{
};

TEST_P(VNArchiveTruncated, EndsWithError38)
{
    CRamStream stream(L"RAM:short", kReadWriteCreate);
    PutBytes(stream, GetParam().bytes);
    CVNArchive archive(stream.GetHandle(), CVNArchive::amLoad, 16);
    std::uint32_t dword = 0;
    std::wstring text;
    std::uint8_t bytes[40];
    const int error = OsErrorOf(
        [&]
        {
            if (GetParam().bytes.empty() || GetParam().bytes[0] == 0xFE || GetParam().bytes[0] == 0xFF)
                archive.ReadString(text);
            else if (GetParam().bytes.size() == 2)
                archive.ReadDWord(dword);
            else
                archive.ReadBytes(bytes, 40);
        });
    EXPECT_EQ(error, errHandleEof) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(Inputs, VNArchiveTruncated,
                         testing::Values(STruncatedCase{"32-bit value from 2 bytes", {0x01, 0x02}},
                                         STruncatedCase{"nothing at all", {}},
                                         STruncatedCase{"string count without units",
                                                        {0xFE, 0x05, 0x00, 0x41, 0x00}},
                                         STruncatedCase{"string marker alone", {0xFE}},
                                         STruncatedCase{"8-bit string cut short", {0xFF, 0x09, 0x00, 'a'}},
                                         STruncatedCase{"bytes over two buffers", Bytes(30, 0x11)}));

TEST(VNArchive, BooleansAreTrueOnlyForOne)
{
    struct SCase
    {
        Bytes bytes;
        bool value;
    };
    const SCase cases[] = {
        {{0x00, 0x00, 0x00, 0x00}, false}, {{0x01, 0x00, 0x00, 0x00}, true},
        {{0x02, 0x00, 0x00, 0x00}, false}, {{0x00, 0x01, 0x00, 0x00}, false},
        {{0xFF, 0xFF, 0xFF, 0xFF}, false},
    };
    for (const SCase& c : cases)
    {
        CRamStream stream(L"RAM:bool", kReadWriteCreate);
        PutBytes(stream, c.bytes);
        CVNArchive archive(stream.GetHandle(), CVNArchive::amLoad, 16);
        bool value = !c.value;
        archive.ReadBool(value);
        EXPECT_EQ(value, c.value) << int(c.bytes[0]) << " " << int(c.bytes[1]);
    }
}

TEST(VNArchive, SmallBuffersAreRaisedToSixteenBytes)
{
    CRamStream stream(L"RAM:size", kReadWriteCreate);
    EXPECT_EQ(CVNArchive(stream.GetHandle(), CVNArchive::amStore, 0).GetBufferSize(), 16u);
    stream.Open(L"RAM:size", kReadWriteCreate); // the archive closed it
    EXPECT_EQ(CVNArchive(stream.GetHandle(), CVNArchive::amStore, 8).GetBufferSize(), 16u);
}

TEST(VNArchive, BadHandlesAndMissingFilesAreRefused)
{
    EXPECT_EQ(OsErrorOf([] { CVNArchive a(0u, CVNArchive::amLoad, 16); }), errInvalidHandle);
    CRamStream closed;
    EXPECT_EQ(OsErrorOf([&] { CVNArchive a(closed.GetHandle(), CVNArchive::amLoad, 16); }), errInvalidHandle);
    std::uint32_t stale = 0;
    {
        CRamStream gone(L"RAM:gone", kReadWriteCreate);
        stale = gone.GetHandle();
    }
    EXPECT_EQ(OsErrorOf([&] { CVNArchive a(stale, CVNArchive::amLoad, 16); }), errInvalidHandle);
    TerrionTest::CTempDir dir;
    EXPECT_EQ(OsErrorOf([&] { CVNArchive a((dir / "missing.vnr").wstring(), CVNArchive::amLoad, 16); }),
              errFileNotFound);
}

TEST(VNArchive, WrongDirectionAndClosedArchivesAreRefused)
{
    CRamStream stream(L"RAM:dir", kReadWriteCreate);
    PutBytes(stream, kGolden);
    CVNArchive loading(stream.GetHandle(), CVNArchive::amLoad, 1024);
    // The buffer holds unread data here: a write must not land in it.
    EXPECT_EQ(OsErrorOf([&] { loading.WriteDWord(1); }), errWriteFault);
    EXPECT_EQ(OsErrorOf([&] { loading.Flush(); }), errWriteFault);
    CheckPrimitives(loading);

    CRamStream target(L"RAM:dir2", kReadWriteCreate);
    CVNArchive storing(target.GetHandle(), CVNArchive::amStore, 16);
    std::uint32_t value = 0;
    EXPECT_EQ(OsErrorOf([&] { storing.ReadDWord(value); }), errReadFault);
    storing.WriteDWord(7);
    storing.Close();
    EXPECT_EQ(OsErrorOf([&] { storing.Close(); }), errHandleEof);
    EXPECT_EQ(OsErrorOf([&] { storing.WriteDWord(7); }), errHandleEof);
    EXPECT_EQ(OsErrorOf([&] { storing.Flush(); }), errHandleEof);
}

TEST(VNArchive, DestructorClosesOrAbortsAsAsked)
{
    TerrionTest::CTempDir dir;
    {
        CVNArchive archive((dir / "kept.vnr").wstring(), CVNArchive::amStore, 1024);
        archive.WriteDWord(0x04030201);
    }
    EXPECT_EQ(FileBytes(dir / "kept.vnr"), (Bytes{1, 2, 3, 4}));
    {
        CVNArchive archive((dir / "dropped.vnr").wstring(),
                           CVNArchive::amStore | CVNArchive::amAbortOnDestroy, 1024);
        archive.WriteDWord(0x04030201);
    }
    EXPECT_TRUE(FileBytes(dir / "dropped.vnr").empty());
}

TEST(VNArchive, StoringByHandleCutsTheStreamAtItsStart)
{
    CRamStream stream(L"RAM:cut", kReadWriteCreate);
    PutBytes(stream, Bytes(100, 0x55));
    CVNArchive archive(stream.GetHandle(), CVNArchive::amStore, 16);
    archive.WriteWord(0xBEEF);
    archive.Flush();
    EXPECT_EQ(StreamBytes(stream), (Bytes{0xEF, 0xBE}));
}

TEST(VNArchive, BigEndianDataPutsTheMostSignificantByteFirst)
{
    CRamStream stream(L"RAM:big", kReadWriteCreate);
    CVNArchive archive(stream.GetHandle(), CVNArchive::amBigEndian, 16);
    EXPECT_TRUE(archive.GetMode() & CVNArchive::amSwapBytes);
    archive.WriteDWord(0x01020304);
    archive.WriteQWord(0x1122334455667788ull);
    archive.WriteString(L"A");
    archive.Flush();
    EXPECT_EQ(StreamBytes(stream), (Bytes{1, 2, 3, 4, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, //
                                          0xFE, 0x00, 0x01, 0x00, 0x41}));
}

} // namespace
