// The one way every file of the program is written: whole or not at all,
// links followed, permissions kept, nothing left behind.

#include "streams/AtomicFileWriter.h"
#include "streams/FileException.h"
#include "streams/Win32Error.h"
#include "tests/support/OsErrorOf.h"
#include "tests/support/TempDir.h"
#include "tests/support/TextFile.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

using StreamIO::CAtomicFileWriter;
using TBytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

const TBytes kNew = {'n', 'e', 'w', 0, 0xFF};

using TerrionTest::ReadText;
using TerrionTest::WriteText;

mode_t ModeOf(const fs::path& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

class AtomicFileWriterTest : public ::testing::Test
{
protected:
    /// The names in the folder, so that a stray temporary file shows.
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_dir.Path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TerrionTest::CTempDir m_dir;
};

TEST_F(AtomicFileWriterTest, NewFileGetsTheModeEveryNewFileGets)
{
    // what the kernel gives a new file under the current umask
    const fs::path reference = m_dir / "reference";
    close(open(reference.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666));
    const fs::path target = m_dir / "out.csv";

    EXPECT_EQ(CAtomicFileWriter::WriteFile(target.wstring(), kNew), 0);
    EXPECT_EQ(ReadText(target), std::string("new\0\xFF", 5));
    EXPECT_EQ(ModeOf(target), ModeOf(reference));
    EXPECT_EQ(Names(), (std::vector<std::string>{"out.csv", "reference"}));
}

TEST_F(AtomicFileWriterTest, ReplacingKeepsTheTargetsPermissions)
{
    const fs::path target = m_dir / "run.vnr";
    WriteText(target, "old content that is longer");
    ASSERT_EQ(chmod(target.c_str(), 0640), 0);

    EXPECT_EQ(CAtomicFileWriter::WriteFile(target.wstring(), kNew), 0);
    EXPECT_EQ(ReadText(target).size(), kNew.size());
    EXPECT_EQ(ModeOf(target), 0640u);
    EXPECT_EQ(Names(), std::vector<std::string>{"run.vnr"});
}

TEST_F(AtomicFileWriterTest, LinksAreFollowedAndStayLinks)
{
    fs::create_directory(m_dir / "real");
    const fs::path file = m_dir / "real" / "data.vnr";
    WriteText(file, "old");
    fs::create_symlink("real/data.vnr", m_dir / "hop");
    fs::create_symlink(m_dir / "hop", m_dir / "link.vnr"); // a chain of two, one relative

    CAtomicFileWriter writer((m_dir / "link.vnr").wstring());
    EXPECT_EQ(writer.GetTargetPath(), (m_dir / "real" / "data.vnr").wstring());
    writer.Write(kNew);
    writer.Commit();

    EXPECT_TRUE(fs::is_symlink(m_dir / "link.vnr"));
    EXPECT_TRUE(fs::is_symlink(m_dir / "hop"));
    EXPECT_EQ(ReadText(file).size(), kNew.size());
    EXPECT_EQ(fs::directory_iterator(m_dir / "real")->path().filename(), "data.vnr");
}

TEST_F(AtomicFileWriterTest, EveryFailureLeavesTheTargetAndNoTemporaryFile)
{
    const fs::path target = m_dir / "keep.vnr";
    WriteText(target, "old");

    { // given up before the commit (a writer that failed half-way)
        CAtomicFileWriter writer(target.wstring());
        writer.Write(kNew);
        EXPECT_NE(writer.GetTempPath(), writer.GetTargetPath());
        EXPECT_TRUE(fs::exists(fs::path(writer.GetTempPath())));
    }
    EXPECT_EQ(ReadText(target), "old");
    EXPECT_EQ(Names(), std::vector<std::string>{"keep.vnr"});

    // the rename fails: a folder stands where the file should go
    fs::create_directory(m_dir / "folder");
    WriteText(m_dir / "folder" / "inside", "x");
    EXPECT_NE(CAtomicFileWriter::WriteFile((m_dir / "folder").wstring(), kNew), 0);
    EXPECT_TRUE(fs::is_directory(m_dir / "folder"));
    EXPECT_EQ(Names(), (std::vector<std::string>{"folder", "keep.vnr"}));

    // no folder to put the temporary file in
    EXPECT_EQ(TerrionTest::OsErrorOf([&] { CAtomicFileWriter((m_dir / "none" / "x.vnr").wstring()); }),
              StreamIO::errFileNotFound);
    EXPECT_EQ(CAtomicFileWriter::WriteFile(L"", kNew), StreamIO::errInvalidName);
}

} // namespace
