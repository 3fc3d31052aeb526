#include "streams/FileStream.h"
#include "streams/FileException.h"
#include "streams/StreamFactory.h"
#include "streams/Win32Error.h"
#include "tests/support/OsErrorOf.h"
#include "tests/support/TempDir.h"
#include "tests/support/TextFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

namespace
{

using TerrionTest::OsErrorOf;

using namespace StreamIO;

using TerrionTest::ReadText;
using TerrionTest::WriteText;

class FileStreamTest : public ::testing::Test
{
protected:
    std::wstring Path(const char* name) const { return (m_dir / name).wstring(); }
    TerrionTest::CTempDir m_dir;
};

TEST_F(FileStreamTest, CreationFlags)
{
    struct SCase
    {
        const char* what;
        std::uint32_t flags;
        bool exists;
        int error;                // thrown by the open
        const char* contentAfter; // file content after open and close, null when missing
    };
    const SCase cases[] = {
        {"open existing, missing", ofRead, false, errFileNotFound, nullptr},
        {"open existing, present", ofRead | ofWrite, true, 0, "old"},
        {"open always, missing", ofWrite | ofOpenAlways, false, 0, ""},
        {"open always, present", ofWrite | ofOpenAlways, true, 0, "old"},
        {"create new, missing", ofWrite | ofCreateNew, false, 0, ""},
        {"create new, present", ofWrite | ofCreateNew, true, errFileExists, "old"},
        {"create always, present", ofWrite | ofCreateAlways, true, 0, ""},
        {"project load flags", 0x101, true, 0, "old"},
        {"project store flags", 0x133, true, 0, ""},
    };
    for (const SCase& c : cases)
    {
        const std::filesystem::path path = m_dir / "case.bin";
        std::filesystem::remove(path);
        if (c.exists)
            WriteText(path, "old");
        const int error = OsErrorOf([&] { CFileStream stream(path.wstring(), c.flags); });
        EXPECT_EQ(error, c.error) << c.what;
        if (c.contentAfter == nullptr)
        {
            EXPECT_FALSE(std::filesystem::exists(path)) << c.what;
        }
        else
        {
            EXPECT_EQ(ReadText(path), c.contentAfter) << c.what;
        }
    }
}

TEST_F(FileStreamTest, WrittenBytesReadBackThroughTheFactory)
{
    const std::wstring path = Path("data.bin");
    {
        auto out = CreateStream(path, 0x133);
        const char text[] = "resistivity";
        EXPECT_EQ(out->Write(text, 11), 11);
        EXPECT_EQ(out->GetLength(), 11);
        out->Close();
        EXPECT_FALSE(out->IsOpen());
    }
    auto in = CreateStream(path, 0x101);
    ASSERT_TRUE(in->IsSeekable());
    char buffer[32] = {};
    EXPECT_EQ(in->Read(buffer, 4), 4);
    EXPECT_EQ(std::string(buffer, 4), "resi");
    EXPECT_EQ(in->Read(buffer, 32), 7) << "a short read returns what is there";
    EXPECT_EQ(in->GetError(), 0);
    EXPECT_EQ(in->Read(buffer, 1), 0);
    EXPECT_EQ(in->GetError(), errHandleEof);
    EXPECT_TRUE(in->IsTimeoutOrEof());
    EXPECT_EQ(in->ReadByte(), 0);
    EXPECT_TRUE(in->HasError());
}

TEST_F(FileStreamTest, WrongDirectionIsThrown)
{
    WriteText(m_dir / "f.bin", "abc");
    CFileStream reader(Path("f.bin"), ofRead);
    EXPECT_EQ(OsErrorOf([&] { reader.Write("x", 1); }), errWriteFault);
    EXPECT_EQ(OsErrorOf([&] { reader.SetEndOfFile(); }), errWriteFault);
    CFileStream writer(Path("f.bin"), ofWrite);
    char byte;
    EXPECT_EQ(OsErrorOf([&] { writer.Read(&byte, 1); }), errReadFault);
}

TEST_F(FileStreamTest, SeekPositionAndTruncate)
{
    CFileStream stream(Path("s.bin"), ofRead | ofWrite | ofCreateAlways);
    stream.Write("0123456789", 10);
    EXPECT_EQ(stream.Seek(-3, soEnd), 7);
    EXPECT_EQ(stream.Seek(1, soCurrent), 8);
    EXPECT_EQ(stream.SetPosition(4), 4);
    EXPECT_EQ(stream.GetPosition(), 4);
    stream.SetEndOfFile();
    EXPECT_EQ(stream.GetLength(), 4);
    EXPECT_EQ(OsErrorOf([&] { stream.Seek(-5, soCurrent); }), errNegativeSeek);
    EXPECT_EQ(stream.GetPosition(), 4) << "a refused seek leaves the position";
    stream.SetPosition(1);
    EXPECT_EQ(OsErrorOf([&] { stream.Seek(-5, soEnd); }), errNegativeSeek);
    EXPECT_EQ(stream.GetPosition(), 1) << "a refused seek from the end leaves the position";
    EXPECT_EQ(OsErrorOf([&] { stream.Seek(0, static_cast<NSeekOrigin>(7)); }), errSeek);
    EXPECT_FALSE(stream.SetTimeouts(100, 100)) << "a disk file has no time-outs";
    EXPECT_FALSE(stream.Abort());
}

TEST_F(FileStreamTest, OpenTwiceFailsWith50WithoutThrowing)
{
    CFileStream stream(Path("o.bin"), ofWrite | ofCreateAlways);
    EXPECT_FALSE(stream.Open(Path("other.bin"), ofWrite | ofCreateAlways));
    EXPECT_EQ(stream.GetError(), errNotSupported);
    EXPECT_EQ(stream.GetName(), Path("o.bin"));
    stream.Close();
    EXPECT_TRUE(stream.Reopen());
    EXPECT_TRUE(stream.IsOpen());
}

TEST_F(FileStreamTest, FailuresCarryTheStreamName)
{
    try
    {
        CFileStream stream(Path("missing/x.bin"), ofRead);
        FAIL();
    }
    catch (const CFileException& e)
    {
        EXPECT_EQ(e.GetOsError(), errFileNotFound);
        EXPECT_EQ(e.GetFileName(), Path("missing/x.bin"));
    }
    EXPECT_EQ(OsErrorOf([&] { CFileStream stream(m_dir.Path().wstring(), ofRead); }), errAccessDenied)
        << "a folder is not a file";
}

TEST_F(FileStreamTest, WriteOnAFullDiskIsReportedNotLost)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    CFileStream stream(L"/dev/full", ofWrite);
    EXPECT_EQ(OsErrorOf([&] { stream.Write("abc", 3); }), errDiskFull);
}

TEST_F(FileStreamTest, ClosingAClosedStreamIsAnInvalidHandle)
{
    CFileStream stream(Path("c.bin"), ofWrite | ofCreateAlways);
    stream.Close();
    EXPECT_EQ(OsErrorOf([&] { stream.Close(); }), errInvalidHandle);
    EXPECT_NO_THROW(stream.CloseNoThrow());
}

} // namespace
