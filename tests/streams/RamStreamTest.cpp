#include "streams/RamStream.h"
#include "streams/FileException.h"
#include "streams/RamDisk.h"
#include "streams/StreamFactory.h"
#include "streams/Win32Error.h"

#include "tests/support/OsErrorOf.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

namespace
{

using TerrionTest::OsErrorOf;

using namespace StreamIO;

constexpr std::uint32_t kReadWriteCreate = ofRead | ofWrite | ofCreateAlways; // 0x33

std::vector<std::uint8_t> ReadAll(CRamStream& stream)
{
    stream.SetPosition(0);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stream.GetLength()));
    const int got = stream.Read(bytes.data(), static_cast<int>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(got));
    return bytes;
}

bool Exists(const std::wstring& name)
{
    return OsErrorOf([&] { CRamStream probe(name, ofOpenExisting); }) != errFileNotFound;
}

struct SShareCase
{
    const char* what;
    std::uint32_t first;
    std::uint32_t second;
    int error; // of the second open
};

void PrintTo(const SShareCase& c, std::ostream* os)
{
    *os << c.what;
}

class RamShareRules : public testing::TestWithParam<SShareCase>
{
};

TEST_P(RamShareRules, SecondOpen)
{
    const SShareCase& c = GetParam();
    CRamStream first(L"RAM:share", c.first);
    EXPECT_EQ(OsErrorOf([&] { CRamStream second(L"RAM:share", c.second); }), c.error) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Flags, RamShareRules,
    testing::Values(SShareCase{"create always twice, no share write", 0x33, 0x33, errSharingViolation},
                    SShareCase{"read without share read", 0x33, 0x01, errSharingViolation},
                    SShareCase{"read with share read", 0x133, 0x01, 0},
                    SShareCase{"write with share read only", 0x133, 0x02, errSharingViolation},
                    SShareCase{"write with share write", 0x233, 0x02, 0},
                    SShareCase{"both shared", 0x333, 0x333, 0},
                    SShareCase{"create new on an existing file", 0x333, 0x23, errFileExists},
                    SShareCase{"truncating a shared pipe", 0x1333, 0x1333, errOpenFailed},
                    SShareCase{"second reader of a pure pipe", 0x1011, 0x1011, errSharingViolation},
                    SShareCase{"second writer of a pure pipe", 0x1012, 0x1012, errSharingViolation},
                    SShareCase{"writer after reader of a pure pipe", 0x1011, 0x1012, 0}));

TEST(RamStream, OpenExistingNeedsTheFileAndCreationMakesIt)
{
    EXPECT_EQ(OsErrorOf([] { CRamStream s(L"RAM:x", ofRead); }), errFileNotFound);
    CRamStream created(L"RAM:x", kReadWriteCreate);
    EXPECT_TRUE(created.IsOpen());
    EXPECT_EQ(created.GetName(), L"RAM:x");
}

TEST(RamStream, NamesKeepTheirCaseButNotThePrefix)
{
    CRamStream upper(L"RAM:Clip", 0x333);
    CRamStream lower(L"RAM:clip", 0x333);
    upper.Write("U", 1);
    lower.Write("LL", 2);
    CRamStream again(L"ram:Clip", 0x301);
    EXPECT_EQ(again.GetLength(), 1);
    EXPECT_EQ(OsErrorOf([] { CRamStream s(L"RAM:a:b", kReadWriteCreate); }), errInvalidName);
    CRamStream bare(L"bare", kReadWriteCreate);
    EXPECT_EQ(bare.GetName(), L"RAM:bare");
}

TEST(RamStream, FactoryOpensRamNamesInAnyCase)
{
    std::unique_ptr<CIoStream> stream = CreateStream(L"rAm:factory", kReadWriteCreate);
    ASSERT_NE(dynamic_cast<CRamStream*>(stream.get()), nullptr);
    EXPECT_TRUE(stream->IsSeekable());
}

TEST(RamStream, FileDisappearsWithItsLastStream)
{
    auto first = std::make_unique<CRamStream>(L"RAM:life", 0x333);
    auto second = std::make_unique<CRamStream>(L"RAM:life", 0x333);
    first->Write("abc", 3);
    first.reset();
    ASSERT_TRUE(Exists(L"RAM:life"));
    CRamStream reader(L"RAM:life", 0x301);
    EXPECT_EQ(reader.GetLength(), 3);
    second->Close();
    reader.Close();
    EXPECT_FALSE(Exists(L"RAM:life"));
}

TEST(RamStream, TerminateClosesTheStreamsAndEmptiesTheDisk)
{
    Initialize();
    std::unique_ptr<CIoStream> stream = CreateStream(L"RAM:term", kReadWriteCreate);
    stream->Write("abc", 3);
    Terminate();
    EXPECT_FALSE(stream->IsOpen());
    Initialize();
    EXPECT_FALSE(Exists(L"RAM:term"));
    Terminate();
}

TEST(RamStream, CreateAlwaysEmptiesASharedFile)
{
    CRamStream first(L"RAM:trunc", 0x333);
    first.Write("abcdef", 6);
    CRamStream second(L"RAM:trunc", 0x333);
    EXPECT_EQ(first.GetLength(), 0);
}

TEST(RamStream, OperationsWithoutFileOrAccessAreRefused)
{
    CRamStream closed;
    char byte = 0;
    EXPECT_EQ(OsErrorOf([&] { closed.Read(&byte, 1); }), errInvalidHandle);
    EXPECT_EQ(OsErrorOf([&] { closed.GetLength(); }), errInvalidHandle);
    EXPECT_EQ(OsErrorOf([&] { closed.Seek(0, soBegin); }), errInvalidHandle);
    CRamStream readOnly(L"RAM:ro", ofRead | ofOpenAlways);
    EXPECT_EQ(OsErrorOf([&] { readOnly.Write("a", 1); }), errWriteFault);
    EXPECT_EQ(OsErrorOf([&] { readOnly.SetEndOfFile(); }), errWriteFault);
    CRamStream writeOnly(L"RAM:wo", ofWrite | ofOpenAlways);
    EXPECT_EQ(OsErrorOf([&] { writeOnly.Read(&byte, 1); }), errReadFault);
    EXPECT_FALSE(writeOnly.Open(L"RAM:other", kReadWriteCreate));
    EXPECT_EQ(writeOnly.GetError(), errNotSupported);
}

TEST(RamStream, ReadAtTheEndSetsEndOfFileWithoutThrowing)
{
    CRamStream stream(L"RAM:eof", kReadWriteCreate);
    char buffer[5];
    EXPECT_EQ(stream.Read(buffer, 0), 0);
    EXPECT_EQ(stream.GetError(), 0);
    EXPECT_EQ(stream.Read(buffer, 5), 0);
    EXPECT_EQ(stream.GetError(), errHandleEof);
    EXPECT_TRUE(stream.IsTimeoutOrEof());
}

TEST(RamStream, SeekStaysInsideTheFile)
{
    CRamStream stream(L"RAM:seek", kReadWriteCreate);
    stream.Write("0123456789", 10);
    EXPECT_EQ(stream.Seek(0, soEnd), 10);
    EXPECT_EQ(stream.Seek(-4, soCurrent), 6);
    EXPECT_EQ(stream.Seek(3, soBegin), 3);
    EXPECT_EQ(OsErrorOf([&] { stream.Seek(11, soBegin); }), errSeekOnDevice);
    EXPECT_EQ(OsErrorOf([&] { stream.Seek(-1, soBegin); }), errNegativeSeek);
    EXPECT_EQ(OsErrorOf([&] { stream.Seek(0, static_cast<NSeekOrigin>(4)); }), errSeekOnDevice);
    // A far offset does not wrap round to a position inside the file.
    EXPECT_EQ(OsErrorOf([&] { stream.Seek(INT_MAX, soCurrent); }), errSeekOnDevice);
    EXPECT_EQ(OsErrorOf([&] { stream.Seek(INT_MIN, soEnd); }), errNegativeSeek);
    EXPECT_EQ(stream.GetPosition(), 3);
}

TEST(RamStream, NegativeOrOverflowingPositionIsRefused)
{
    CRamStream stream(L"RAM:badpos", kReadWriteCreate);
    stream.Write("abc", 3);
    char byte = 0;
    stream.SetPosition(-5);
    EXPECT_EQ(OsErrorOf([&] { stream.Write("x", 1); }), errNegativeSeek);
    EXPECT_EQ(OsErrorOf([&] { stream.Read(&byte, 1); }), errNegativeSeek);
    EXPECT_EQ(OsErrorOf([&] { stream.SetEndOfFile(); }), errNegativeSeek);
    stream.SetPosition(INT_MAX - 2);
    EXPECT_EQ(OsErrorOf([&] { stream.Write("0123456789", 10); }), errDiskFull);
    EXPECT_EQ(ReadAll(stream), (std::vector<std::uint8_t>{'a', 'b', 'c'}));
}

TEST(RamStream, GapsPastTheEndReadAsZero)
{
    CRamStream stream(L"RAM:gap", kReadWriteCreate);
    stream.Write("\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 10);
    stream.SetPosition(2);
    stream.SetEndOfFile(); // the old bytes stay in the storage
    stream.SetPosition(6);
    stream.Write("x", 1);
    EXPECT_EQ(ReadAll(stream), (std::vector<std::uint8_t>{0xFF, 0xFF, 0, 0, 0, 0, 'x'}));
    stream.SetPosition(9);
    stream.SetEndOfFile();
    EXPECT_EQ(ReadAll(stream), (std::vector<std::uint8_t>{0xFF, 0xFF, 0, 0, 0, 0, 'x', 0, 0}));
}

TEST(RamStream, StreamsOnOneFileKeepTheirOwnPositions)
{
    CRamStream writer(L"RAM:pos", 0x333);
    CRamStream reader(L"RAM:pos", 0x333);
    writer.Write("hello", 5);
    char text[6] = {};
    EXPECT_EQ(reader.Read(text, 5), 5);
    EXPECT_STREQ(text, "hello");
    EXPECT_EQ(writer.GetPosition(), 5);
}

TEST(RamDisk, FileGrowsInSteps)
{
    CRamDisk disk(L"T");
    EXPECT_EQ(disk.GetName(), L"T:");
    CRamFile* file = disk.OpenFile(L"T:f", kReadWriteCreate);
    int pos = 0;
    std::vector<std::uint8_t> bytes(1000, 7);
    EXPECT_EQ(file->Write(pos, bytes.data(), 1000), 0);
    EXPECT_EQ(file->GetCapacity(), 1024);
    EXPECT_TRUE(file->Reserve(1025));
    EXPECT_EQ(file->GetCapacity(), 1536);
    disk.ReleaseFile(file, kReadWriteCreate);
    EXPECT_EQ(OsErrorOf([] { CRamDisk bad(L"A:B"); }), errInvalidName);
}

TEST(RamPipe, ReadsWhatWasWrittenInOrder)
{
    CRamStream pipe(L"RAM:pipe", ofFifo | kReadWriteCreate);
    EXPECT_FALSE(pipe.IsSeekable());
    pipe.Write("0123456789", 10);
    char buffer[10] = {};
    EXPECT_EQ(pipe.Read(buffer, 4), 4);
    EXPECT_EQ(pipe.GetLength(), 6);
    EXPECT_EQ(OsErrorOf([&] { pipe.Seek(0, soBegin); }), errSeekOnDevice);
    pipe.PurgeInput();
    EXPECT_EQ(pipe.GetLength(), 0);
}

TEST(RamPipe, WrapsRoundAndGrowsWithWrappedData)
{
    CRamStream pipe(L"RAM:ring", ofFifo | kReadWriteCreate);
    std::vector<std::uint8_t> sent(900);
    for (std::size_t i = 0; i < sent.size(); ++i)
        sent[i] = static_cast<std::uint8_t>(i * 7 + 1);
    std::vector<std::uint8_t> got(900);
    pipe.Write(sent.data(), 400);
    EXPECT_EQ(pipe.Read(got.data(), 300), 300);
    pipe.Write(sent.data() + 400, 300); // wraps inside the first 512 bytes
    pipe.Write(sent.data() + 700, 200); // grows while the data wraps
    EXPECT_EQ(pipe.GetLength(), 600);
    EXPECT_EQ(pipe.Read(got.data() + 300, 600), 600);
    EXPECT_EQ(got, sent);
}

TEST(RamPipe, OneThreadWritesAnotherReads)
{
    CRamStream writer(L"RAM:threads", ofFifo | ofWrite | ofOpenAlways);
    CRamStream reader(L"RAM:threads", ofFifo | ofRead | ofOpenAlways);
    constexpr int kTotal = 300000;
    std::thread producer(
        [&]
        {
            std::vector<std::uint8_t> chunk(997);
            int sent = 0;
            while (sent < kTotal)
            {
                const int n = std::min(kTotal - sent, 1 + sent % 997);
                for (int i = 0; i < n; ++i)
                    chunk[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>((sent + i) % 251);
                writer.Write(chunk.data(), n);
                sent += n;
            }
        });
    std::vector<std::uint8_t> received;
    std::vector<std::uint8_t> buffer(4096);
    while (static_cast<int>(received.size()) < kTotal)
    {
        const int got = reader.Read(buffer.data(), static_cast<int>(buffer.size()));
        if (got == 0)
            std::this_thread::yield();
        received.insert(received.end(), buffer.begin(), buffer.begin() + got);
    }
    producer.join();
    bool inOrder = true;
    for (int i = 0; i < kTotal; ++i)
        inOrder = inOrder && received[static_cast<std::size_t>(i)] == i % 251;
    EXPECT_TRUE(inOrder);
    EXPECT_EQ(reader.GetLength(), 0);
}

} // namespace
