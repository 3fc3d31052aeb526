// The series page's exports, copy and paste through its page messages, with
// the export dialogs answered by their hooks: the CSV file byte for byte, the
// PNG decoded by PIL, a failed export that puts the page back as it was, and
// copy and paste over the X server's clipboard.

#include "data/TerrionDoc.h"
#include "export/wx/ExportCsvDialog.h"
#include "grid/GridCtrl.h"
#include "grid/GridPrintout.h"
#include "platform/wx/WxClipboard.h"
#include "tests/export/ImageDecoder.h"
#include "tests/grid/GridGuiPump.h"
#include "tests/project/FakeDocumentUi.h"
#include "tests/support/TempDir.h"
#include "tests/views/SeriesPageDriver.h"
#include "views/SeriesReport.h"
#include "views/wx/PageEvents.h"
#include "views/wx/TabGrid.h"
#include "views/wx/ViewServices.h"

#include <gtest/gtest.h>
#include <wx/clipbrd.h>
#include <wx/dcmemory.h>
#include <wx/dcps.h>
#include <wx/filename.h>
#include <wx/frame.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{

using TerrionTest::CFakeDocumentUi;
using TerrionTest::CImageDecoder;
using TerrionTest::CTempDir;

/// Records what the page shows: message boxes and the progress window.
class CRecordingServices : public CViewServices
{
public:
    class CProgress : public CViewProgress
    {
    public:
        explicit CProgress(CRecordingServices& owner) : m_owner(owner) { ++m_owner.progressOpen; }
        ~CProgress() override { --m_owner.progressOpen; }
        void SetPos(int position) override { m_owner.positions.push_back(position); }
        void SetText(const std::wstring& text) override { m_owner.texts.push_back(text); }

    private:
        CRecordingServices& m_owner;
    };

    std::uint32_t GetDTFormat() const override { return 0x0303; }
    CUserPrompts::NAnswer MessageBox(unsigned, CUserPrompts::NButtons, CUserPrompts::NIcon) override
    {
        return CUserPrompts::answerOk;
    }
    CUserPrompts::NAnswer MessageText(const std::wstring& text, CUserPrompts::NButtons,
                                      CUserPrompts::NIcon) override
    {
        messages.push_back(text);
        if (onMessage)
            onMessage();
        return CUserPrompts::answerOk;
    }
    CUserPrompts::NAnswer AskAbortRetryIgnore(const std::wstring& text) override
    {
        messages.push_back(text);
        return CUserPrompts::answerAbort;
    }
    std::unique_ptr<CViewProgress> OpenProgress(wxWindow*) override
    {
        return std::make_unique<CProgress>(*this);
    }

    std::vector<std::wstring> messages;
    /// Runs when a message shows (a test's way to break the export there).
    std::function<void()> onMessage;
    std::vector<int> positions;
    std::vector<std::wstring> texts;
    int progressOpen = 0;
};

/// The document's clipboard is the X server's, as in the program.
class CSystemClipboardUi : public CFakeDocumentUi
{
public:
    bool IsClipboardFormatAvailable(const std::wstring& format) override
    {
        return CWxClipboard::IsAvailable(format);
    }
    bool ReadClipboard(const std::wstring& format, std::vector<std::uint8_t>* block) override
    {
        return CWxClipboard::Read(format, block);
    }
    bool WriteClipboard(const Platform::CClipboardData& data) override { return CWxClipboard::Write(data); }
};

Device::TTerrionObject ExportSeries(int number, const std::vector<double>& readings)
{
    Device::TTerrionObject object;
    object.ident.serialNumber = L"TN12-345-6789";
    object.objectNumber = static_cast<std::uint16_t>(number);
    for (const double value : readings)
        object.readings.push_back({value, 0x10, 10});
    return object;
}

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

/// UTF-16LE of text written out unit by unit.
void AppendUtf16(const std::wstring& text, std::vector<std::uint8_t>& out)
{
    for (const wchar_t c : text)
    {
        out.push_back(static_cast<std::uint8_t>(c & 0xFF));
        out.push_back(static_cast<std::uint8_t>((c >> 8) & 0xFF));
    }
}

class CTabGridExportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        doc.SetSeriesStamps(nullptr, [this] { return 1673773200 + 3600 * m_stamps++; });
        m_frame = new wxFrame(nullptr, wxID_ANY, L"Series page", wxDefaultPosition, wxSize(760, 520));
        page = new CTabGrid(m_frame, doc, services);
        m_frame->Show();
        doc.AddSeries({ExportSeries(11, {3, 5}), ExportSeries(12, {2}), ExportSeries(13, {7, 8, 9})}, false);
        const wchar_t* names[] = {L"Alpha", L"Bravo", L"Charlie"};
        for (int i = 0; i < 3; ++i)
            doc.SetName(i, names[i]);
        Pump();
        // A saved project, opened again: whatever makes it modified afterwards shows.
        const std::wstring project = (m_dir.Path() / "project.vnr").wstring();
        ASSERT_TRUE(doc.SaveFile(project));
        ASSERT_TRUE(doc.Open(project, false));
        Pump();
        ASSERT_FALSE(doc.IsModified());
    }

    void TearDown() override
    {
        CExportDialogBase::SetTestHooks({});
        m_frame->Destroy();
        Pump();
    }

    /// The dialog answered: the tiles clicked in order, then "Export" with path.
    void AnswerDialog(std::vector<int> tiles, const std::filesystem::path& path)
    {
        CExportDialogBase::STestHooks hooks;
        hooks.modal = [tiles](CExportDialogBase& dialog)
        {
            const wxSize size = dialog.GetClientSize();
            wxBitmap bitmap(size.x, size.y, 24);
            {
                wxMemoryDC dc(bitmap);
                dialog.Render(dc); // places the tiles' areas
            }
            for (const int tile : tiles)
                dialog.PressAt(dialog.TileCentre(tile));
            dialog.Export();
            return dialog.GetReturnCode();
        };
        hooks.saveFile = [path](const CExportDialogBase::SFileRequest&, std::wstring* chosen, int* filter)
        {
            *chosen = path.wstring();
            *filter = 0;
            return true;
        };
        hooks.confirmReplace = [](const std::wstring&) { return true; };
        CExportDialogBase::SetTestHooks(hooks);
    }

    void Send(wxEventType type)
    {
        wxCommandEvent event(type, page->GetId());
        page->ProcessWindowEventLocally(event);
        Pump();
    }

    /// The grid's rows look as the user left them, and nothing counts as changed.
    void ExpectPageRestored(const std::vector<int>& heights)
    {
        EXPECT_EQ(RowHeights(), heights);
        EXPECT_TRUE(page->IsEnabled());
        EXPECT_FALSE(doc.IsModified());
        EXPECT_EQ(services.progressOpen, 0);
    }

    std::vector<int> RowHeights()
    {
        std::vector<int> heights;
        for (int row = 0; row < page->Grid().GetRowCount(); ++row)
            heights.push_back(page->Grid().GetRowHeight(row));
        return heights;
    }

    CTempDir m_dir;
    CSystemClipboardUi ui;
    CTerrionDoc doc{&ui};
    CRecordingServices services;
    CTabGrid* page = nullptr;

private:
    wxFrame* m_frame = nullptr;
    int m_stamps = 0;
};

constexpr int kCsvAll = 0, kCsvOneFile = 2;
constexpr int kHeadersOnly = 0, kGraphicAll = 3, kGraphicOneFile = 5;

TEST_F(CTabGridExportTest, CsvOfAllSeriesToOneFileIsTheReportsBetweenSeparators)
{
    const auto path = m_dir.Path() / "run.csv";
    AnswerDialog({kCsvAll, kCsvOneFile}, path);
    Send(WM_PAGE_EXPORT_CSV);

    // Byte-order mark, the reports in grid order, and between two reports
    // three line ends, three lines of 143 dashes and three line ends again.
    const std::wstring dashes(143, L'-');
    const std::wstring separator =
        L"\r\n\r\n\r\n" + dashes + L"\r\n" + dashes + L"\r\n" + dashes + L"\r\n\r\n\r\n";
    std::vector<std::uint8_t> expected = {0xFF, 0xFE};
    for (int i = 0; i < 3; ++i)
    {
        std::wstring report;
        CSeriesReport::GetSeriesReport(doc, i, report);
        ASSERT_EQ(report.rfind(L"Instrument Data\r\n", 0), 0u);
        AppendUtf16((i > 0 ? separator : L"") + report, expected);
    }
    EXPECT_EQ(ReadFile(path), expected);
    ASSERT_FALSE(services.positions.empty());
    EXPECT_EQ(services.positions.front(), 0);
    EXPECT_EQ(services.positions.back(), 1000);
    EXPECT_EQ(services.texts.front(), L"Please wait while preparing for export...");
    EXPECT_TRUE(services.messages.empty());
    ExpectPageRestored(RowHeights());
}

TEST_F(CTabGridExportTest, CancelledDialogExportsNothing)
{
    CExportDialogBase::STestHooks hooks;
    hooks.modal = [](CExportDialogBase&) { return wxID_CANCEL; };
    CExportDialogBase::SetTestHooks(hooks);
    EXPECT_EQ(page->OnExportCsv(), 1);
    EXPECT_EQ(page->OnExportGraphic(), 1);
    EXPECT_TRUE(services.positions.empty());
}

TEST_F(CTabGridExportTest, PngOfAllSeriesHasTheHeadingOnTopOnly)
{
    // One series open: the headers-only export shows it closed, and puts it back open.
    page->OnToggleExpanded(1);
    // The report opens over a few frames; the page is measured once it stands open.
    ASSERT_TRUE(TerrionTest::CSeriesPageDriver(*page).WaitForReport(1));
    ASSERT_TRUE(doc.SaveFile((m_dir.Path() / "project.vnr").wstring()));
    const std::vector<int> heights = RowHeights();
    const int width = page->Grid().GetVirtualWidth();

    const auto path = m_dir.Path() / "run.png";
    AnswerDialog({kHeadersOnly, kGraphicAll, kGraphicOneFile}, path);
    Send(WM_PAGE_EXPORT_GRAPHIC);

    CImageDecoder decoder;
    ASSERT_TRUE(decoder.Decode(path)) << decoder.Error();
    EXPECT_EQ(decoder.Item("format"), "PNG");
    // Kept for a look.
    std::filesystem::create_directories(TERRION_VIEWS_ARTEFACTS);
    std::filesystem::copy_file(path, std::filesystem::path(TERRION_VIEWS_ARTEFACTS) / "series_export.png",
                               std::filesystem::copy_options::overwrite_existing);
    // The heading row (26) once, then three series rows (22 each).
    EXPECT_EQ(decoder.Item("size"), std::to_string(width) + " " + std::to_string(26 + 3 * 22));
    EXPECT_TRUE(services.messages.empty());
    ExpectPageRestored(heights);
    EXPECT_TRUE(doc.IsExpanded(1));
}

TEST_F(CTabGridExportTest, GraphicExportIntoAMissingFolderSaysSoAndRestoresThePage)
{
    const std::vector<int> heights = RowHeights();
    const auto path = m_dir.Path() / "missing" / "run.png";
    AnswerDialog({kHeadersOnly, kGraphicAll, kGraphicOneFile}, path);
    Send(WM_PAGE_EXPORT_GRAPHIC);

    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_FALSE(services.messages.front().empty());
    EXPECT_FALSE(std::filesystem::exists(path));
    ExpectPageRestored(heights);
}

TEST_F(CTabGridExportTest, AnExportLeftByAnExceptionLeavesThePageEnabledAndRestored)
{
    // Thrown while the rows are rearranged for the images: the page is as the user left it.
    page->OnToggleExpanded(1);
    ASSERT_TRUE(TerrionTest::CSeriesPageDriver(*page).WaitForReport(1));
    ASSERT_TRUE(doc.SaveFile((m_dir.Path() / "project.vnr").wstring()));
    const std::vector<int> heights = RowHeights();
    AnswerDialog({kHeadersOnly, kGraphicAll, kGraphicOneFile}, m_dir.Path() / "missing" / "run.png");
    services.onMessage = [] { throw std::runtime_error("the message box broke"); };
    EXPECT_THROW(page->OnExportGraphic(), std::runtime_error);
    services.onMessage = {};
    ASSERT_EQ(services.messages.size(), 1u);
    ExpectPageRestored(heights);
    EXPECT_TRUE(page->Grid().IsEnabled());
}

TEST_F(CTabGridExportTest, CopyThenPasteThroughTheSystemClipboardAppendsTheSeries)
{
    page->Grid().SetSelectedRange(CTabGrid::SeriesRow(0), 0, CTabGrid::DetailRow(1),
                                  CTabGrid::kColumnCount - 1);
    page->Grid().SetFocusCell(CTabGrid::SeriesRow(1), 1);
    Pump();
    Send(WM_PAGE_COPY);

    // The text of the selected series, with TABs for the semicolons.
    ASSERT_TRUE(wxTheClipboard->Open());
    wxTextDataObject text;
    ASSERT_TRUE(wxTheClipboard->GetData(text));
    wxTheClipboard->Close();
    const std::wstring copied = text.GetText().ToStdWstring();
    EXPECT_EQ(copied.rfind(L"Instrument Data", 0), 0u);
    EXPECT_NE(copied.find(L"Bravo"), std::wstring::npos);
    EXPECT_EQ(copied.find(L"Charlie"), std::wstring::npos);
    EXPECT_EQ(copied.find(L';'), std::wstring::npos);

    Send(WM_PAGE_PASTE);
    Pump();
    ASSERT_EQ(doc.GetSeriesCount(), 5);
    EXPECT_EQ(doc.GetName(3), L"Alpha");
    EXPECT_EQ(doc.GetName(4), L"Bravo");
    EXPECT_EQ(services.progressOpen, 0);
}

TEST_F(CTabGridExportTest, PrintedPagesNameTheProjectFileInTheFooter)
{
    const SGridPrintText texts = page->PrintTexts();
    EXPECT_EQ(texts.headerLeft, L"Varnel");
    EXPECT_EQ(texts.footerCenter, L"project.vnr");

    // The page's texts as a print job into a PostScript file.
    const auto path = m_dir.Path() / "print.ps";
    wxPrintData data;
    data.SetFilename(path.string());
    data.SetPrintMode(wxPRINT_MODE_FILE);
    data.SetPaperId(wxPAPER_A4);
    {
        wxPostScriptDC dc(data);
        ASSERT_TRUE(dc.IsOk());
        CGridPrintout printout(page->Grid(), "series", &texts, false);
        printout.SetDC(&dc);
        const wxSize size = dc.GetSize();
        printout.SetPageSizePixels(size.GetWidth(), size.GetHeight());
        printout.OnPreparePrinting();
        ASSERT_EQ(printout.GetPageCount(), 1);
        ASSERT_TRUE(dc.StartDoc("series"));
        dc.StartPage();
        EXPECT_TRUE(printout.OnPrintPage(1));
        dc.EndPage();
        dc.EndDoc();
        printout.OnEndPrinting();
    }
    std::ifstream in(path, std::ios::binary);
    const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (const char* shown :
         {"Varnel", "Terrion measurement series", "project.vnr", "Page 1 of 1", "Charlie"})
        EXPECT_NE(file.find(shown), std::string::npos) << shown;
}

} // namespace
