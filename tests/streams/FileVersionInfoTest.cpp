#include "streams/FileVersionInfo.h"
#include "streams/TextCodec.h"
#include "streams/Version.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <dlfcn.h>
#include <fstream>
#include <string>
#include <vector>

namespace
{

using Bytes = std::vector<std::uint8_t>;

void Put32(Bytes& out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void PutText(Bytes& out, const std::string& text)
{
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
}

const std::uint8_t kMagic[16] = {0x7F, 'T', 'R', 'N', '-', 'V', 'E', 'R',
                                 'S',  'I', 'O', 'N', '-', 'R', 'E', 'C'};

/// A version record of version 2.5.7.9 with one string table per language,
/// each table's strings tagged with its language, laid out by hand.
Bytes MakeRecord(const std::vector<std::uint16_t>& languages)
{
    const std::uint32_t tableStart = 80 + 8 * static_cast<std::uint32_t>(languages.size());
    std::vector<Bytes> tables;
    for (std::uint16_t language : languages)
    {
        Bytes table;
        const std::string tag = std::to_string(language);
        for (const char* name : {"Company", "Description", "2.5.7.9", "Internal", "Copyright", "Original.so",
                                 "Product", "2.5.7.9", "Comments", "", "", "", ""})
            PutText(table, std::string(name) + (*name != '\0' && name[0] != '2' ? "-" + tag : ""));
        tables.push_back(table);
    }
    Bytes record(kMagic, kMagic + 16);
    std::uint32_t size = tableStart;
    for (const Bytes& table : tables)
        size += static_cast<std::uint32_t>(table.size());
    Put32(record, size);
    Put32(record, 1); // format
    const std::uint32_t fixed[13] = {
        0xFEEF04BD, 0x00010000, 0x00020005, 0x00070009, 0x00020005, 0x00070009, 0x3F, 0, 0, 2, 0, 0, 0};
    for (std::uint32_t word : fixed)
        Put32(record, word);
    Put32(record, static_cast<std::uint32_t>(languages.size()));
    std::uint32_t offset = tableStart;
    for (std::size_t i = 0; i < languages.size(); ++i)
    {
        Put32(record, languages[i] | 0x04B00000u);
        Put32(record, offset);
        offset += static_cast<std::uint32_t>(tables[i].size());
    }
    for (const Bytes& table : tables)
        record.insert(record.end(), table.begin(), table.end());
    return record;
}

void WriteFile(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

/// Sets LC_ALL for one test and restores it afterwards.
class CScopedLanguage
{
public:
    explicit CScopedLanguage(const char* value)
    {
        const char* old = std::getenv("LC_ALL");
        m_bHad = old != nullptr;
        if (m_bHad)
            m_strOld = old;
        setenv("LC_ALL", value, 1);
    }
    ~CScopedLanguage()
    {
        if (m_bHad)
            setenv("LC_ALL", m_strOld.c_str(), 1);
        else
            unsetenv("LC_ALL");
    }

private:
    bool m_bHad = false;
    std::string m_strOld;
};

void ExpectEmpty(const CFileVersionInfo& info)
{
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(info.GetFileVersionPart(i), 0);
        EXPECT_EQ(info.GetProductVersionPart(i), 0);
    }
    EXPECT_EQ(info.GetProductName(), L"");
    EXPECT_EQ(info.GetOriginalFileName(), L"");
    EXPECT_EQ(info.GetFileVersion(), L"");
}

TEST(FileVersionInfo, TheTestProgramReadsItsOwnRecord)
{
    CFileVersionInfo info;
    ASSERT_TRUE(info.Create(nullptr));
    const CVersion project(StreamIO::CTextCodec::FromUtf8(TERRION_PROJECT_VERSION));
    EXPECT_EQ(info.GetProductName(), L"TerrionLink");
    EXPECT_EQ(info.GetOriginalFileName(), L"streams_tests");
    EXPECT_EQ(info.GetInternalName(), L"streams_tests");
    EXPECT_EQ(info.GetFileDescription(), L"TerrionLink stream tests");
    EXPECT_EQ(CVersion(info.GetProductVersion()), project);
    EXPECT_EQ(CVersion(info.GetFileVersion()), project);
    for (int part = 0; part < 4; ++part)
    {
        EXPECT_EQ(info.GetProductVersionPart(3 - part), project.GetPart(part));
        EXPECT_EQ(info.GetFileVersionPart(3 - part), project.GetPart(part));
    }
    EXPECT_EQ(info.GetFileVersionPart(4), 0);

    CFileVersionInfo byPath;
    ASSERT_TRUE(byPath.Create(std::filesystem::read_symlink("/proc/self/exe").wstring()));
    EXPECT_EQ(byPath.GetProductVersion(), info.GetProductVersion());
}

TEST(FileVersionInfo, ALoadedLibraryReadsItsRecordByHandle)
{
    void* module = dlopen(TERRION_TEST_MODULE, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    CFileVersionInfo info;
    EXPECT_TRUE(info.Create(module));
    dlclose(module);
    EXPECT_EQ(info.GetOriginalFileName(), std::filesystem::path(TERRION_TEST_MODULE).filename().wstring());
    EXPECT_EQ(info.GetFileDescription(), L"TerrionLink test module");
    EXPECT_EQ(CVersion(info.GetFileVersion()),
              CVersion(StreamIO::CTextCodec::FromUtf8(TERRION_PROJECT_VERSION)));
}

TEST(FileVersionInfo, AFileWithoutRecordGivesFalseAndNothing)
{
    TerrionTest::CTempDir dir;
    Bytes junk(3 << 20, 0x7F); // several read chunks, full of the magic's first byte
    junk.insert(junk.begin() + 1000, kMagic, kMagic + 16); // a stray magic without a sound record
    WriteFile(dir / "plain.bin", junk);

    CFileVersionInfo info;
    ASSERT_TRUE(info.Create(nullptr));
    EXPECT_FALSE(info.Create((dir / "plain.bin").wstring()));
    ExpectEmpty(info);
    EXPECT_FALSE(info.Create((dir / "missing.bin").wstring()));
    ExpectEmpty(info);
}

TEST(FileVersionInfo, FindsARecordAcrossTheSeamOfTwoReadChunks)
{
    TerrionTest::CTempDir dir;
    Bytes file((1 << 20) - 7, 0x00);
    const Bytes record = MakeRecord({0x0409});
    file.insert(file.end(), record.begin(), record.end());
    file.resize(file.size() + 100, 0xEE);
    WriteFile(dir / "lib.so", file);

    CFileVersionInfo info;
    ASSERT_TRUE(info.Create((dir / "lib.so").wstring()));
    EXPECT_EQ(info.GetOriginalFileName(), L"Original.so-1033");
    EXPECT_EQ(info.GetFileVersionPart(3), 2);
    EXPECT_EQ(info.GetFileVersionPart(2), 5);
    EXPECT_EQ(info.GetFileVersionPart(1), 7);
    EXPECT_EQ(info.GetFileVersionPart(0), 9);

    CFileVersionInfo copy;
    copy = info;
    EXPECT_EQ(copy.GetComments(), L"Comments-1033");
    EXPECT_EQ(copy.GetProductVersionPart(3), 2);
    copy.Reset();
    ExpectEmpty(copy);
}

TEST(FileVersionInfo, ReadsARecordFromMemoryAsFromAFile)
{
    const Bytes record = MakeRecord({0x0409});
    Bytes bytes(kMagic, kMagic + 16); // a stray magic first
    bytes.resize(300, 0x7F);
    bytes.insert(bytes.end(), record.begin(), record.end());

    CFileVersionInfo info;
    ASSERT_TRUE(info.CreateFromMemory(bytes));
    EXPECT_EQ(info.GetOriginalFileName(), L"Original.so-1033");
    EXPECT_EQ(info.GetFileVersionPart(3), 2);
    EXPECT_EQ(info.GetProductVersionPart(0), 9);

    // A record whose end is missing, or only a header, reads nothing.
    for (std::size_t cut : {std::size_t{1}, record.size() - 80, record.size()})
    {
        const Bytes shorter(bytes.begin(), bytes.end() - static_cast<std::ptrdiff_t>(cut));
        EXPECT_FALSE(info.CreateFromMemory(shorter)) << cut;
        ExpectEmpty(info);
    }
    EXPECT_FALSE(info.CreateFromMemory({}));
}

TEST(FileVersionInfo, ReadsTheTranslationOfTheUsersLanguage)
{
    TerrionTest::CTempDir dir;
    WriteFile(dir / "de_fr.so", MakeRecord({0x0407, 0x040C}));
    CFileVersionInfo info;
    {
        const CScopedLanguage english("en_GB.UTF-8");
        ASSERT_TRUE(info.Create((dir / "de_fr.so").wstring()));
        EXPECT_EQ(info.GetProductName(), L"Product-1031"); // no fit: the first entry
    }
    {
        const CScopedLanguage french("fr_CH.UTF-8");
        ASSERT_TRUE(info.Create((dir / "de_fr.so").wstring()));
        EXPECT_EQ(info.GetProductName(), L"Product-1036");
    }
}

struct STranslationCase
{
    const char* what;
    std::vector<std::uint32_t> translations;
    std::uint16_t user;
    std::size_t chosen;
};

void PrintTo(const STranslationCase& c, std::ostream* os)
{
    *os << c.what;
}

class FileVersionTranslation : public testing::TestWithParam<STranslationCase>
{
};

TEST_P(FileVersionTranslation, Chooses)
{
    EXPECT_EQ(CFileVersionInfo::ChooseTranslation(GetParam().translations, GetParam().user),
              GetParam().chosen)
        << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Tables, FileVersionTranslation,
    testing::Values(STranslationCase{"exact language", {0x04B00407, 0x04B00409}, 0x0409, 1},
                    STranslationCase{"same primary language", {0x04B00407, 0x04B00809}, 0x0409, 1},
                    STranslationCase{"neutral before English", {0x04B00409, 0x04B00000}, 0x0407, 1},
                    STranslationCase{"primary neutral", {0x04B00409, 0x04B00400}, 0x0407, 1},
                    STranslationCase{"English 9 exactly", {0x04B0040C, 0x04B00809, 0x04B00009}, 0x0407, 2},
                    STranslationCase{"any English", {0x04B0040C, 0x04B00809}, 0x0407, 1},
                    STranslationCase{"nothing fits: first", {0x04B00407, 0x04B0040C}, 0x0409, 0}));

TEST(FileVersionInfo, UserLanguageComesFromTheEnvironment)
{
    {
        const CScopedLanguage german("de_AT.UTF-8");
        EXPECT_EQ(CFileVersionInfo::GetUserDefaultLanguage(), 0x0407);
    }
    {
        const CScopedLanguage plain("C");
        EXPECT_EQ(CFileVersionInfo::GetUserDefaultLanguage(), 0x0409);
    }
}

} // namespace
