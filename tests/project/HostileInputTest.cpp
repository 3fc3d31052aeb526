// Damaged and hostile project files and clipboard blocks: every one ends in a
// clean error, never a crash or a huge allocation, and the document stays
// exactly as it was.

#include "FakeDocumentUi.h"
#include "ProjectFixtures.h"

#include "streams/FileException.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace TerrionTest;

namespace
{

constexpr const wchar_t* kReadError =
    L"This is not a TerrionLink project file or there was an error while reading.";

// Offsets in summary.vnr, from its layout: header 75, original flag 4.
constexpr std::size_t kOriginalCount = 79;
constexpr std::size_t kFirstStringsEnd = 83 + 3 + 2 * 7 + 3 + 2 * 7 + 3 + 2 * 4 + 3 + 2 * 1 + 3 + 2 * 4;
// object number 2, spacing 2, custom 4, guid 3+76, name 3, time 8, 4 doubles, comment 3
constexpr std::size_t kFirstReadingCount = kFirstStringsEnd + 2 + 2 + 4 + 79 + 3 + 8 + 32 + 3;
constexpr std::size_t kSecondReadingCount = kFirstReadingCount + 4 + 4 + 2;

class HostileInputTest : public ::testing::Test
{
protected:
    HostileInputTest()
    {
        // a project with content, so "unchanged" means something
        doc.AddSeries({ObjectA(), ObjectB()}, false);
        doc.SetName(1, L"kept");
        doc.SetInSummary(0, true);
        doc.SetSummaryComment(L"mine");
        before = SDocSnapshot::Of(doc);
    }

    void PatchDWord(TBytes& bytes, std::size_t offset, std::uint32_t value)
    {
        std::memcpy(bytes.data() + offset, &value, 4);
    }

    /// Opening and adding the bytes fail with the message and change nothing.
    void ExpectRejectedFile(const TBytes& bytes)
    {
        const auto path = temp / "bad.vnr";
        WriteFile(path, bytes);
        for (bool add : {false, true})
        {
            ui.errors.clear();
            ui.answers = {CDocumentUi::AnswerNo};
            EXPECT_FALSE(doc.Open(path.wstring(), add));
            ASSERT_EQ(ui.errors.size(), 1u);
            EXPECT_EQ(ui.errors[0], kReadError);
            EXPECT_EQ(SDocSnapshot::Of(doc), before);
        }
    }

    /// Pasting the block throws a file error and changes nothing.
    void ExpectRejectedPaste(const TBytes& block)
    {
        ui.clipboard[CTerrionDoc::kClipboardFormat] = block;
        EXPECT_THROW(doc.Paste(), StreamIO::CFileException);
        EXPECT_EQ(SDocSnapshot::Of(doc), before);
    }

    CTempDir temp;
    CFakeDocumentUi ui;
    CTerrionDoc doc{&ui};
    SDocSnapshot before;
};

TEST_F(HostileInputTest, OffsetsOfThisTestMatchTheGoldenFile)
{
    const TBytes bytes = ReadFile(GoldenPath("summary.vnr"));
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + kOriginalCount, 4);
    EXPECT_EQ(value, 3u);
    std::memcpy(&value, bytes.data() + kFirstReadingCount, 4);
    EXPECT_EQ(value, 4u);
    std::memcpy(&value, bytes.data() + kSecondReadingCount, 4);
    EXPECT_EQ(value, 4u);
}

TEST_F(HostileInputTest, EveryTruncatedFileIsRejected)
{
    const TBytes whole = ReadFile(GoldenPath("summary.vnr"));
    for (std::size_t length = 0; length < whole.size(); ++length)
    {
        SCOPED_TRACE(length);
        ExpectRejectedFile(TBytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)));
        if (HasFatalFailure())
            return;
    }
}

TEST_F(HostileInputTest, EveryTruncatedClipboardBlockIsRejected)
{
    const TBytes whole = ReadFile(GoldenPath("clip_b.bin"));
    for (std::size_t length = 0; length < whole.size(); ++length)
    {
        SCOPED_TRACE(length);
        TBytes block(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
        ExpectRejectedPaste(block);
        // the same bytes with a length word that tells the truth
        if (length >= 4)
        {
            PatchDWord(block, 0, static_cast<std::uint32_t>(length - 4));
            ExpectRejectedPaste(block);
        }
    }
}

TEST_F(HostileInputTest, CorruptCountsAreRejectedWithoutHugeAllocations)
{
    const TBytes golden = ReadFile(GoldenPath("summary.vnr"));
    struct SCase
    {
        const char* what;
        std::size_t offset;
        std::uint32_t value;
    } cases[] = {
        {"series count all ones", kOriginalCount, 0xFFFFFFFF},
        {"series count just above", kOriginalCount, 4},
        {"series count large", kOriginalCount, 0x10000000},
        {"reading count negative", kSecondReadingCount, 0xFFFFFFFF},
        {"reading count largest", kSecondReadingCount, 0x7FFFFFFF},
        {"reading count large", kSecondReadingCount, 0x01000000},
        {"reading count one more", kSecondReadingCount, 200},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        TBytes bytes = golden;
        PatchDWord(bytes, c.offset, c.value);
        ExpectRejectedFile(bytes);
    }
}

TEST_F(HostileInputTest, ClipboardLengthWordBeyondTheBlockIsRejected)
{
    TBytes block = ReadFile(GoldenPath("clip_b.bin"));
    const auto honest = static_cast<std::uint32_t>(block.size() - 4);
    for (std::uint32_t length : {honest + 1, 0x7FFFFFFFu, 0xFFFFFFFFu})
    {
        PatchDWord(block, 0, length);
        ExpectRejectedPaste(block);
    }
    ExpectRejectedPaste({1, 0});
}

TEST_F(HostileInputTest, ZeroLengthClipboardCannotBePasted)
{
    ui.clipboard[CTerrionDoc::kClipboardFormat] = {0, 0, 0, 0};
    // "can paste" only asks whether the format is there; the paste itself refuses the empty block
    EXPECT_TRUE(doc.CanPaste());
    EXPECT_EQ(ui.clipboardReads, 0);
    ExpectRejectedPaste({0, 0, 0, 0});
}

TEST_F(HostileInputTest, MissingFileIsReportedAndChangesNothing)
{
    ui.answers = {CDocumentUi::AnswerNo};
    EXPECT_FALSE(doc.Open((temp / "none.vnr").wstring(), false));
    EXPECT_EQ(ui.errors, std::vector<std::wstring>{kReadError});
    EXPECT_EQ(SDocSnapshot::Of(doc), before);
}

TEST_F(HostileInputTest, MalformedIdentifierReadsAsNullGuid)
{
    TBytes bytes = ReadFile(GoldenPath("one_series.vnr"));
    // the original series' identifier text starts after its strings, number,
    // spacing and flag; break one hex digit
    const std::size_t guidText = kFirstStringsEnd + 2 + 2 + 4 + 3;
    ASSERT_EQ(bytes[guidText], '{');
    bytes[guidText + 2] = 'X';
    const auto path = temp / "guid.vnr";
    WriteFile(path, bytes);
    ui.answers = {CDocumentUi::AnswerNo};
    ASSERT_TRUE(doc.Open(path.wstring(), false));
    EXPECT_TRUE(doc.GetOriginalData().GetGuid(0).IsNull());
    EXPECT_EQ(doc.GetSeries(0)->guid, GoldenGuid(1));
}

} // namespace
