// The three text export forms byte for byte: one file, numbered files and the
// clipboard text.
#include "views/ReportExport.h"
#include "tests/project/FakeDocumentUi.h"
#include "tests/report/ReportDocument.h"
#include "tests/support/TempDir.h"
#include "views/ReportExportUi.h"
#include "views/SeriesReport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/resource.h>
#include <sys/stat.h>

namespace
{
std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// UTF-16LE of text written out here unit by unit (BMP characters only).
std::vector<std::uint8_t> Utf16(const std::wstring& text)
{
    std::vector<std::uint8_t> bytes;
    for (wchar_t c : text)
    {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>((c >> 8) & 0xFF));
    }
    return bytes;
}

std::vector<std::uint8_t> operator+(std::vector<std::uint8_t> a, const std::vector<std::uint8_t>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::wstring ReportOf(const CTerrionDoc& doc, int i)
{
    std::wstring text;
    CSeriesReport::GetSeriesReport(doc, i, text);
    return text;
}

class CRecordingUi : public CReportExportUi
{
public:
    void SetProgress(int position) override { positions.push_back(position); }
    void SetProgressText(const std::wstring& text) override { texts.push_back(text); }
    void ShowMessage(Resources::NMessageKind kind, const std::wstring& text) override
    {
        kinds.push_back(kind);
        messages.push_back(text);
    }
    NFileAnswer AskFileFailed(const std::wstring& message) override
    {
        messages.push_back(message);
        NFileAnswer answer = answers.empty() ? FILE_ABORT : answers.front();
        if (!answers.empty())
            answers.erase(answers.begin());
        return answer;
    }

    std::vector<int> positions;
    std::vector<std::wstring> texts;
    std::vector<std::wstring> messages;
    std::vector<Resources::NMessageKind> kinds; ///< of the messages shown with OK
    bool PutOnClipboard(const Platform::CClipboardData& data) override
    {
        clipboard.push_back(data);
        return clipboardWorks;
    }

    std::vector<NFileAnswer> answers;
    std::vector<Platform::CClipboardData> clipboard;
    bool clipboardWorks = true;
};

class ReportExport : public testing::Test
{
protected:
    void SetUp() override
    {
        auto a = TerrionTest::BaseSeries();
        auto b = TerrionTest::BaseSeries();
        b.name = L"B";
        b.comment = L"x;y";
        b.object.objectNumber = 18;
        auto c = TerrionTest::BaseSeries();
        c.name = L"C";
        c.object.objectNumber = 19;
        TerrionTest::FillDocument(m_doc, {a, b, c});
    }

    TerrionTest::CTimeZone m_zone{"UTC0"};
    CTerrionDoc m_doc;
    TerrionTest::CTempDir m_dir;
    const std::wstring m_separator = std::wstring(L"\r\n\r\n\r\n") + std::wstring(143, L'-') + L"\r\n" +
                                     std::wstring(143, L'-') + L"\r\n" + std::wstring(143, L'-') +
                                     L"\r\n\r\n\r\n";
};
} // namespace

TEST_F(ReportExport, OneFileHoldsMarkReportsAndSeparatorsOnly)
{
    const auto path = m_dir / "run.csv";
    CRecordingUi ui;
    ASSERT_TRUE(CReportExport::WriteOneFile(m_doc, {true, false, true}, path.wstring(), &ui));
    const std::vector<std::uint8_t> bom = {0xFF, 0xFE};
    EXPECT_EQ(ReadFile(path), bom + Utf16(ReportOf(m_doc, 0) + m_separator + ReportOf(m_doc, 2)));
    EXPECT_EQ(ui.positions, (std::vector<int>{0, 475, 950}));
    EXPECT_EQ(ui.texts.front(), L"Creating " + path.wstring() + L" ...");
    // The files of the program carry the ohm and micro signs as single units.
    const auto bytes = ReadFile(path);
    const std::vector<std::uint8_t> ohm = {0x26, 0x21}, micro = {0xB5, 0x00};
    EXPECT_NE(std::search(bytes.begin(), bytes.end(), ohm.begin(), ohm.end()), bytes.end());
    EXPECT_NE(std::search(bytes.begin(), bytes.end(), micro.begin(), micro.end()), bytes.end());
}

TEST_F(ReportExport, OneFileWithNothingChosenHoldsTheMarkOnly)
{
    const auto path = m_dir / "empty.csv";
    CRecordingUi ui;
    ASSERT_TRUE(CReportExport::WriteOneFile(m_doc, {}, path.wstring(), &ui));
    EXPECT_EQ(ReadFile(path), (std::vector<std::uint8_t>{0xFF, 0xFE}));
    for (int position : ui.positions)
        EXPECT_EQ(position, 0);
}

TEST_F(ReportExport, OneFileThatCannotBeCreatedIsReportedAndLeavesNothing)
{
    const auto path = m_dir / "missing" / "run.csv";
    CRecordingUi ui;
    EXPECT_FALSE(CReportExport::WriteOneFile(m_doc, {true, true, true}, path.wstring(), &ui));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], L"The file could not be created: " + path.wstring() + L"!");
    EXPECT_EQ(ui.kinds, std::vector{Resources::NMessageKind::Error});
    EXPECT_TRUE(std::filesystem::is_empty(m_dir.Path()));
}

TEST_F(ReportExport, ReplacingAFileLeavesNoTemporaryBehind)
{
    const auto path = m_dir / "run.csv";
    std::ofstream(path) << "old content that is longer than nothing";
    ASSERT_TRUE(CReportExport::WriteOneFile(m_doc, {false, true}, path.wstring(), nullptr));
    EXPECT_EQ(ReadFile(path), std::vector<std::uint8_t>({0xFF, 0xFE}) + Utf16(ReportOf(m_doc, 1)));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir.Path()), {}), 1);
}

TEST_F(ReportExport, NumberedFilesOnePerSeries)
{
    const auto path = m_dir / "data.csv";
    CRecordingUi ui;
    EXPECT_EQ(CReportExport::WriteSeparateFiles(m_doc, {true, true, true}, path.wstring(), &ui), 3);
    for (int i = 0; i < 3; ++i)
    {
        const auto name = m_dir / ("data" + std::to_string(i + 1) + ".csv");
        EXPECT_EQ(ReadFile(name), std::vector<std::uint8_t>({0xFF, 0xFE}) + Utf16(ReportOf(m_doc, i)))
            << name;
    }
    EXPECT_EQ(ui.positions, (std::vector<int>{0, 330, 660}));
    EXPECT_EQ(ui.texts[1], L"Creating " + (m_dir / "data2.csv").wstring() + L" ...");
}

// A numbered file that cannot be created asks: Retry takes the series again
// under the next number, Ignore goes on, Abort stops.
TEST_F(ReportExport, NumberedFileFailuresAskAndSkipTheirNumber)
{
    const auto path = m_dir / "data.csv";
    // data1.csv and data2.csv cannot be made: folders of those names stand there.
    std::filesystem::create_directory(m_dir / "data1.csv");
    std::filesystem::create_directory(m_dir / "data2.csv");
    CRecordingUi ui;
    ui.answers = {CReportExportUi::FILE_RETRY, CReportExportUi::FILE_RETRY};
    EXPECT_EQ(CReportExport::WriteSeparateFiles(m_doc, {true, false, true}, path.wstring(), &ui), 2);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0], L"The file could not be created: " + path.wstring() + L"!");
    EXPECT_EQ(ReadFile(m_dir / "data3.csv"),
              std::vector<std::uint8_t>({0xFF, 0xFE}) + Utf16(ReportOf(m_doc, 0)));
    EXPECT_EQ(ReadFile(m_dir / "data4.csv"),
              std::vector<std::uint8_t>({0xFF, 0xFE}) + Utf16(ReportOf(m_doc, 2)));

    CRecordingUi ignoring;
    ignoring.answers = {CReportExportUi::FILE_IGNORE};
    const auto other = m_dir / "data.txt";
    std::filesystem::create_directory(m_dir / "data1.txt");
    EXPECT_EQ(CReportExport::WriteSeparateFiles(m_doc, {true, true, false}, other.wstring(), &ignoring), 1);
    EXPECT_TRUE(std::filesystem::is_regular_file(m_dir / "data2.txt"));

    CRecordingUi aborting;
    const auto third = m_dir / "more.csv";
    std::filesystem::create_directory(m_dir / "more1.csv");
    EXPECT_EQ(CReportExport::WriteSeparateFiles(m_doc, {true, true, true}, third.wstring(), &aborting), 0);
    EXPECT_FALSE(std::filesystem::exists(m_dir / "more2.csv"));
}

TEST_F(ReportExport, ClipboardTextTurnsSemicolonsIntoTabs)
{
    CRecordingUi ui;
    const std::wstring text = CReportExport::ClipboardText(m_doc, {true, true, false}, &ui);
    std::wstring expected = ReportOf(m_doc, 0) + m_separator + ReportOf(m_doc, 1);
    ASSERT_NE(expected.find(L"\"x;y\""), std::wstring::npos);
    for (auto& c : expected)
        if (c == L';')
            c = L'\t';
    EXPECT_EQ(text, expected);
    EXPECT_NE(text.find(L"\"x\ty\""), std::wstring::npos);
    EXPECT_EQ(ui.positions, (std::vector<int>{0, 0, 200, 400, 700, 1000}));

    const auto bytes = CReportExport::ClipboardBytes(text);
    EXPECT_EQ(bytes, Utf16(expected) + std::vector<std::uint8_t>(2, 0));
    EXPECT_EQ(CReportExport::ClipboardBytes(CReportExport::ClipboardText(m_doc, {}, nullptr)),
              (std::vector<std::uint8_t>{0, 0}));
}

TEST(ReportExportText, CharactersBeyondTheBasicPlaneBecomeSurrogatePairs)
{
    std::vector<std::uint8_t> bytes;
    CReportExport::AppendUtf16Le(L"A\U0001F600\u2126", bytes);
    const std::vector<std::uint8_t> expected = {0x41, 0, 0x3D, 0xD8, 0x00, 0xDE, 0x26, 0x21};
    EXPECT_EQ(bytes, expected);
}

// A name read from a project file may hold a lone surrogate; the export keeps
// it as the project file does, instead of turning it into U+FFFD.
TEST(ReportExportText, LoneSurrogatesAreKeptAsTheArchiveKeepsThem)
{
    std::wstring text = L"a";
    text += static_cast<wchar_t>(0xD83D);
    text += L"b";
    text += static_cast<wchar_t>(0xDC00);
    std::vector<std::uint8_t> bytes;
    CReportExport::AppendUtf16Le(text, bytes);
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0x61, 0, 0x3D, 0xD8, 0x62, 0, 0x00, 0xDC}));
}

// The page's one call per target: the preparing text first, the bar full at
// the end, and the bytes of each target as the format has them.
TEST_F(ReportExport, EachTargetInOneCall)
{
    const std::vector<std::uint8_t> bom = {0xFF, 0xFE};
    const std::wstring joined = ReportOf(m_doc, 0) + m_separator + ReportOf(m_doc, 2);

    CRecordingUi one;
    const auto path = m_dir / "one.csv";
    EXPECT_TRUE(
        CReportExport::Export(m_doc, EXPORT_TARGET_ONE_FILE, {true, false, true}, path.wstring(), &one));
    EXPECT_EQ(ReadFile(path), bom + Utf16(joined));
    EXPECT_EQ(one.texts.front(), L"Please wait while preparing for export...");
    EXPECT_EQ(one.positions.front(), 0);
    EXPECT_EQ(one.positions.back(), 1000);

    CRecordingUi separate;
    EXPECT_TRUE(CReportExport::Export(m_doc, EXPORT_TARGET_SEPARATE_FILES, {true, true, true},
                                      (m_dir / "each.csv").wstring(), &separate));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(ReadFile(m_dir / ("each" + std::to_string(i + 1) + ".csv")),
                  bom + Utf16(ReportOf(m_doc, i)));
    EXPECT_EQ(separate.positions.back(), 1000);

    CRecordingUi clip;
    EXPECT_TRUE(CReportExport::Export(m_doc, EXPORT_TARGET_CLIPBOARD, {true, false, true}, {}, &clip));
    ASSERT_EQ(clip.clipboard.size(), 1u);
    std::wstring tabbed = joined;
    std::replace(tabbed.begin(), tabbed.end(), L';', L'\t');
    const auto* text = clip.clipboard[0].Find(Platform::CClipboardData::kUnicodeText);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(*text, Utf16(tabbed) + std::vector<std::uint8_t>(2, 0));
    EXPECT_EQ(clip.clipboard[0].Formats().size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(path)); // nothing else was written
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir.Path()), {}), 4);

    CRecordingUi refused;
    refused.clipboardWorks = false;
    EXPECT_FALSE(CReportExport::Export(m_doc, EXPORT_TARGET_CLIPBOARD, {true}, {}, &refused));
}

// Nothing chosen: the bar never leaves 0 until the end; no numbered file; the
// one file holds the byte-order mark; the clipboard an empty text.
TEST_F(ReportExport, NothingChosenDividesByNothing)
{
    for (NExportTarget target :
         {EXPORT_TARGET_ONE_FILE, EXPORT_TARGET_SEPARATE_FILES, EXPORT_TARGET_CLIPBOARD})
    {
        CRecordingUi ui;
        const auto path = m_dir / ("none" + std::to_string(target) + ".csv");
        EXPECT_TRUE(CReportExport::Export(m_doc, target, {false, false, false}, path.wstring(), &ui));
        for (std::size_t i = 0; i + 1 < ui.positions.size(); ++i)
            EXPECT_EQ(ui.positions[i], 0) << target;
        EXPECT_EQ(ui.positions.back(), 1000);
        if (target == EXPORT_TARGET_CLIPBOARD)
        {
            EXPECT_EQ(*ui.clipboard.at(0).Find(Platform::CClipboardData::kUnicodeText),
                      (std::vector<std::uint8_t>{0, 0}));
        }
    }
    EXPECT_EQ(ReadFile(m_dir / "none0.csv"), (std::vector<std::uint8_t>{0xFF, 0xFE}));
    EXPECT_FALSE(std::filesystem::exists(m_dir / "none11.csv"));
}

// Copy puts the marked series in the private format and the selected ones'
// text beside it, in one write: a series that only holds the focus goes in
// the private format but not in the text.
TEST_F(ReportExport, CopyWritesBothFormatsOnce)
{
    TerrionTest::CFakeDocumentUi docUi;
    m_doc.SetUi(&docUi);
    CRecordingUi ui;
    EXPECT_TRUE(CReportExport::Copy(m_doc, {0, 1, 0}, {false, false, false}, &ui));
    EXPECT_EQ(docUi.clipboardWrites, 1);
    ASSERT_EQ(docUi.clipboard.count(CTerrionDoc::kClipboardFormat), 1u);
    EXPECT_EQ(docUi.clipboard[Platform::CClipboardData::kUnicodeText], (std::vector<std::uint8_t>{0, 0}));
    EXPECT_EQ(ui.positions.back(), 1000);

    CTerrionDoc other(&docUi);
    ASSERT_TRUE(other.Paste());
    ASSERT_EQ(other.GetSeriesCount(), 1);
    EXPECT_EQ(other.GetName(0), L"B");

    EXPECT_TRUE(CReportExport::Copy(m_doc, {1, 0, 1}, {true, false, true}, &ui));
    std::wstring tabbed = ReportOf(m_doc, 0) + m_separator + ReportOf(m_doc, 2);
    std::replace(tabbed.begin(), tabbed.end(), L';', L'\t');
    EXPECT_EQ(docUi.clipboard[Platform::CClipboardData::kUnicodeText],
              Utf16(tabbed) + std::vector<std::uint8_t>(2, 0));
    m_doc.SetUi(nullptr);
}

// A file that can be created but not written to the end (the file-size
// limit here) is reported, and neither it nor a temporary file stays.
TEST_F(ReportExport, AFileThatCannotBeWrittenIsReportedAndLeavesNothing)
{
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN); // the write fails instead of ending the process
    rlimit small = previous;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    CRecordingUi ui;
    const auto path = m_dir / "big.csv";
    const bool written = CReportExport::WriteOneFile(m_doc, {true, true, true}, path.wstring(), &ui);
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], L"The file could not be created: " + path.wstring() + L"!");
    EXPECT_TRUE(std::filesystem::is_empty(m_dir.Path()));
}
