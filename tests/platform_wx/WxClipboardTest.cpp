// The clipboard through the X server: every format of one write offered at
// once, and series copied in one program instance pasted in another.
#include "platform/wx/WxClipboard.h"
#include "tests/platform_wx/ClipboardDocumentUi.h"
#include "tests/report/ReportDocument.h"
#include "tests/support/PipedChild.h"
#include "views/ReportExport.h"
#include "views/SeriesReport.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/image.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

namespace TerrionTest
{
namespace
{

std::vector<std::uint8_t> Utf16Block(const std::wstring& text)
{
    std::vector<std::uint8_t> bytes;
    for (wchar_t c : text)
    {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>((c >> 8) & 0xFF));
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

/// A packed bitmap of 3 x 2 pixels: blue-green-red rows bottom up.
std::vector<std::uint8_t> SmallDib()
{
    std::vector<std::uint8_t> dib = {40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0};
    dib.resize(40, 0);
    const std::uint8_t bottom[12] = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0}; // red
    const std::uint8_t top[12] = {255, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 0};    // blue, blue, green
    dib.insert(dib.end(), std::begin(bottom), std::end(bottom));
    dib.insert(dib.end(), std::begin(top), std::end(top));
    return dib;
}

} // namespace

TEST(WxClipboard, OneWriteOffersEveryFormat)
{
    Platform::CClipboardData data;
    const std::vector<std::uint8_t> own = {1, 2, 3, 0, 255};
    data.Set(CTerrionDoc::kClipboardFormat, own);
    data.Set(Platform::CClipboardData::kUnicodeText, Utf16Block(L"a\tb \u2126"));
    data.Set(Platform::CClipboardData::kBitmap, SmallDib());
    ASSERT_TRUE(CWxClipboard::Write(data));

    EXPECT_TRUE(CWxClipboard::IsAvailable(CTerrionDoc::kClipboardFormat));
    EXPECT_TRUE(CWxClipboard::IsAvailable(Platform::CClipboardData::kUnicodeText));
    EXPECT_TRUE(CWxClipboard::IsAvailable(Platform::CClipboardData::kBitmap));
    std::vector<std::uint8_t> block;
    ASSERT_TRUE(CWxClipboard::Read(CTerrionDoc::kClipboardFormat, &block));
    EXPECT_EQ(block, own);
    ASSERT_TRUE(CWxClipboard::Read(Platform::CClipboardData::kUnicodeText, &block));
    EXPECT_EQ(block, Utf16Block(L"a\tb \u2126"));

    wxClipboardLocker lock;
    ASSERT_TRUE(!!lock);
    wxBitmapDataObject bitmap;
    ASSERT_TRUE(wxTheClipboard->GetData(bitmap));
    const wxImage image = bitmap.GetBitmap().ConvertToImage();
    ASSERT_EQ(image.GetSize(), wxSize(3, 2));
    EXPECT_EQ(wxColour(image.GetRed(0, 0), image.GetGreen(0, 0), image.GetBlue(0, 0)), *wxBLUE);
    EXPECT_EQ(wxColour(image.GetRed(2, 0), image.GetGreen(2, 0), image.GetBlue(2, 0)), *wxGREEN);
    EXPECT_EQ(wxColour(image.GetRed(1, 1), image.GetGreen(1, 1), image.GetBlue(1, 1)), *wxRED);

    EXPECT_FALSE(CWxClipboard::Write(Platform::CClipboardData()));
}

// Another instance copies series 1 and 2 (series 1 also as text); this one
// pastes them from the X server's clipboard.
TEST(WxClipboard, SeriesCopiedInOneInstancePasteInAnother)
{
    // The second program instance owns the clipboard while it runs.
    TerrionTest::CPipedChild owner(TERRION_CLIPBOARD_OWNER, "q");
    ASSERT_EQ(owner.ReadLine(), "ready\n");
    // Let this instance hear that it no longer owns the clipboard, as its
    // event loop would between two commands.
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
    while (std::chrono::steady_clock::now() < end)
    {
        wxTheApp->Yield(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }

    CClipboardDocumentUi ui;
    CTerrionDoc doc(&ui);
    ASSERT_TRUE(doc.CanPaste());
    ASSERT_TRUE(doc.Paste());
    CTerrionDoc expected;
    FillDocument(expected, ClipboardSeries());
    ASSERT_EQ(doc.GetSeriesCount(), 2);
    for (int i = 0; i < 2; ++i)
    {
        const TMeasSeries& pasted = *doc.GetSeries(i);
        const TMeasSeries& copied = *expected.GetSeries(i + 1);
        EXPECT_EQ(pasted.strName, copied.strName);
        EXPECT_EQ(pasted.strComment, copied.strComment);
        EXPECT_EQ(pasted.nTime, copied.nTime);
        EXPECT_EQ(pasted.dMean, copied.dMean);
        EXPECT_EQ(pasted.object.readings, copied.object.readings);
        EXPECT_EQ(pasted.object.settings, copied.object.settings);
        EXPECT_EQ(pasted.object.ident.serialNumber, copied.object.ident.serialNumber);
    }

    // The text beside it: the selected series' report with TABs for ';'.
    std::wstring report;
    CSeriesReport::GetSeriesReport(expected, 1, report);
    std::replace(report.begin(), report.end(), L';', L'\t');
    std::vector<std::uint8_t> text;
    ASSERT_TRUE(CWxClipboard::Read(Platform::CClipboardData::kUnicodeText, &text));
    EXPECT_EQ(text, Utf16Block(report));
}

} // namespace TerrionTest
