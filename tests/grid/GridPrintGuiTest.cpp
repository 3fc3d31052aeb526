// The grid's printed pages on a display: pages rendered into memory bitmaps
// (kept as artefacts), a job printed to a PostScript file, and the window's
// print job up to its question.
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/dcps.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/printdlg.h>
#include <wx/settings.h>

#include "grid/GridCtrl.h"
#include "grid/GridPrintout.h"
#include "resources/StringIds.h"
#include "tests/grid/GridDemo.h"
#include "tests/grid/GridGuiPump.h"

namespace
{

/// A grid window whose row question is answered by the test.
class CAnsweredGrid : public CGridCtrl
{
public:
    CAnsweredGrid(wxWindow* parent, wxWindowID id) : CGridCtrl(parent, id) {}
    NPrintRows answer = NPrintRows::Cancel;
    int asked = 0;

protected:
    NPrintRows AskPrintRows() override
    {
        ++asked;
        return answer;
    }
};

class GridPrintWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        frame = new wxFrame(nullptr, wxID_ANY, "Series window", wxDefaultPosition, wxSize(640, 400));
        grid = new CAnsweredGrid(frame, 101);
        frame->Show();
        Pump();
    }
    void TearDown() override
    {
        frame->Destroy();
        Pump();
    }
    /// A heading and `rows` body rows of 24 pixels in four columns; the
    /// heading white on white of its own, so it prints in the fixed default colours.
    void Fill(int rows)
    {
        grid->SetRowCount(rows + 1);
        grid->SetColumnCount(4);
        grid->SetFixedRowCount(1);
        for (int row = 0; row <= rows; ++row)
        {
            grid->SetRowHeight(row, 24);
            for (int col = 0; col < 4; ++col)
                grid->SetItemText(row, col,
                                  row == 0 ? L"Heading " + std::to_wstring(col)
                                           : L"Row " + std::to_wstring(row) + L"/" + std::to_wstring(col));
        }
        for (int col = 0; col < 4; ++col)
            grid->SetColumnWidth(col, 120);
    }

    wxFrame* frame = nullptr;
    CAnsweredGrid* grid = nullptr;
};

/// Renders each page of a printout into a white bitmap of `paper`.
std::vector<wxImage> RenderPages(CGridPrintout& printout, wxSize paper)
{
    wxBitmap probe(paper.GetWidth(), paper.GetHeight(), 24);
    wxMemoryDC measuring(probe);
    printout.SetDC(&measuring);
    printout.SetPageSizePixels(paper.GetWidth(), paper.GetHeight());
    printout.SetPPIPrinter(96, 96);
    printout.SetPPIScreen(96, 96);
    printout.SetPaperRectPixels(wxRect(paper));
    printout.OnPreparePrinting();
    int minPage = 0, maxPage = 0, from = 0, to = 0;
    printout.GetPageInfo(&minPage, &maxPage, &from, &to);
    measuring.SelectObject(wxNullBitmap);

    std::vector<wxImage> pages;
    for (int page = minPage; page <= maxPage && page > 0; ++page)
    {
        wxBitmap bitmap(paper.GetWidth(), paper.GetHeight(), 24);
        {
            wxMemoryDC dc(bitmap);
            dc.SetBackground(*wxWHITE_BRUSH);
            dc.Clear();
            printout.SetDC(&dc);
            EXPECT_TRUE(printout.OnPrintPage(page));
            printout.SetDC(nullptr);
            dc.SelectObject(wxNullBitmap);
        }
        pages.push_back(bitmap.ConvertToImage());
    }
    return pages;
}

/// How many pixels of a band differ from white.
int InkIn(const wxImage& image, const wxRect& band)
{
    int ink = 0;
    for (int y = band.GetTop(); y <= band.GetBottom(); ++y)
        for (int x = band.GetLeft(); x <= band.GetRight(); ++x)
            if (image.GetRed(x, y) < 200 || image.GetGreen(x, y) < 200 || image.GetBlue(x, y) < 200)
                ++ink;
    return ink;
}

bool SameBand(const wxImage& a, const wxImage& b, const wxRect& band)
{
    for (int y = band.GetTop(); y <= band.GetBottom(); ++y)
        for (int x = band.GetLeft(); x <= band.GetRight(); ++x)
            if (a.GetRed(x, y) != b.GetRed(x, y) || a.GetGreen(x, y) != b.GetGreen(x, y) ||
                a.GetBlue(x, y) != b.GetBlue(x, y))
                return false;
    return true;
}

TEST_F(GridPrintWindow, PagesInMemoryBitmapsShowTheHeadingOnEveryPageAndTheFooter)
{
    // An A4-shaped page of 760 x 1075: the logical page is the grid's 480 + 8 characters wide.
    const wxSize paper(760, 1075);
    Fill(1);
    int rowsPerPage = 0;
    {
        CGridPrintout first(*grid, "grid", nullptr, false);
        RenderPages(first, paper);
        rowsPerPage = grid->GetPrintLayout().GetPageHeight() / 24;
    }
    ASSERT_GT(rowsPerPage, 10);
    Fill(rowsPerPage + 5);
    CGridPrintout printout(*grid, "grid", nullptr, false);
    const std::vector<wxImage> pages = RenderPages(printout, paper);
    ASSERT_EQ(pages.size(), 2u);
    ASSERT_EQ(printout.GetPageCount(), 2);
    for (std::size_t i = 0; i < pages.size(); ++i)
        ASSERT_TRUE(pages[i].SaveFile(
            wxString::Format(TERRION_GRID_ARTEFACTS "/grid_print_page%zu.png", i + 1), wxBITMAP_TYPE_PNG));

    const CGridPrintLayout& layout = grid->GetPrintLayout();
    const double scale = static_cast<double>(paper.GetWidth()) / layout.GetLogicalPageSize().cx;
    auto toPaper = [&](int logical) { return static_cast<int>(logical * scale); };
    const int left = toPaper(layout.GetLeftMargin());
    const int right = toPaper(layout.GetLeftMargin() + layout.GetPrintWidth());
    const int headingTop = toPaper(layout.GetHeaderHeight() + layout.GetGap());
    const int bodyTop = headingTop + toPaper(24);
    const int footerTop = paper.GetHeight() - toPaper(layout.GetFooterHeight());

    // The heading prints on both pages alike, in the fixed cells' colour.
    const wxRect heading(left + 4, headingTop + 3, right - left - 8, bodyTop - headingTop - 6);
    EXPECT_TRUE(SameBand(pages[0], pages[1], heading));
    const wxColour face = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
    const int probeY = headingTop + 4;
    EXPECT_EQ(wxColour(pages[1].GetRed(left + 6, probeY), pages[1].GetGreen(left + 6, probeY),
                       pages[1].GetBlue(left + 6, probeY)),
              face);
    EXPECT_GT(InkIn(pages[1], heading), 50);

    // The body differs; the footer's page number differs; both pages carry a footer.
    const wxRect body(left, bodyTop + 2, right - left, toPaper(100));
    EXPECT_FALSE(SameBand(pages[0], pages[1], body));
    const wxRect footerLeft(left, footerTop + 2, (right - left) / 4, paper.GetHeight() - footerTop - 4);
    EXPECT_GT(InkIn(pages[0], footerLeft), 20);
    EXPECT_GT(InkIn(pages[1], footerLeft), 20);
    EXPECT_FALSE(SameBand(pages[0], pages[1], footerLeft));
    // Nothing outside the margins.
    EXPECT_EQ(InkIn(pages[1], wxRect(0, 0, left - 1, paper.GetHeight())), 0);
}

TEST_F(GridPrintWindow, PrintsToAPostScriptFile)
{
    BuildSeriesDemo(*grid, 30);
    grid->SetPrintWithAltColors(true);
    const wxString path = wxFileName::CreateTempFileName("grid_print") + ".ps";
    wxPrintData data;
    data.SetFilename(path);
    data.SetPrintMode(wxPRINT_MODE_FILE);
    data.SetPaperId(wxPAPER_A4);
    SGridPrintText texts;
    texts.headerLeft = L"Project";
    texts.headerCenter = L"Series";
    texts.pageFormat = Resources::Ids::kGridPageOfPages;
    texts.footerCenter = L"Footer";
    texts.dateFormat = Resources::Ids::kDatePattern3;
    texts.timeFormat = Resources::Ids::kTimePattern3;
    int pages = 0;
    {
        wxPostScriptDC dc(data);
        ASSERT_TRUE(dc.IsOk());
        CGridPrintout printout(*grid, "grid", &texts, false);
        printout.SetDC(&dc);
        const wxSize size = dc.GetSize();
        printout.SetPageSizePixels(size.GetWidth(), size.GetHeight());
        printout.OnPreparePrinting();
        pages = printout.GetPageCount();
        ASSERT_GE(pages, 1);
        ASSERT_TRUE(dc.StartDoc("grid"));
        for (int page = 1; page <= pages; ++page)
        {
            dc.StartPage();
            EXPECT_TRUE(printout.OnPrintPage(page));
            dc.EndPage();
        }
        dc.EndDoc();
        printout.OnEndPrinting();
    }
    // The same job's first page in a bitmap, for a person to look at.
    {
        CGridPrintout onScreen(*grid, "grid", &texts, false);
        const std::vector<wxImage> shown = RenderPages(onScreen, wxSize(760, 1075));
        ASSERT_EQ(static_cast<int>(shown.size()), pages);
        EXPECT_TRUE(
            shown[0].SaveFile(TERRION_GRID_ARTEFACTS "/grid_print_demo_page1.png", wxBITMAP_TYPE_PNG));
    }
    std::ifstream in(path.ToStdString(), std::ios::binary);
    const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    wxRemoveFile(path);
    EXPECT_EQ(file.rfind("%!PS-Adobe", 0), 0u);
    EXPECT_NE(file.find("%%Page: " + std::to_string(pages)), std::string::npos);
    EXPECT_EQ(file.find("%%Page: " + std::to_string(pages + 1)), std::string::npos);
    EXPECT_NE(file.find("Page " + std::to_string(pages) + " of " + std::to_string(pages)), std::string::npos);
    EXPECT_NE(file.find("Footer"), std::string::npos);
    EXPECT_NE(file.find("Project"), std::string::npos);
}

TEST_F(GridPrintWindow, SelectedRowsAreAskedForFirstAndACancelPrintsNothing)
{
    Fill(5);
    grid->SetItemState(2, 1, grid->GetItemState(2, 1) | GCS_SELECTED);
    grid->answer = CAnsweredGrid::NPrintRows::Cancel;
    EXPECT_FALSE(grid->Print());
    EXPECT_EQ(grid->asked, 1);
    EXPECT_FALSE(grid->GetPrintLayout().IsValid());

    // Printing with a dialog's data takes its selection choice without asking.
    wxPrintDialogData data;
    data.SetSelection(true);
    CGridPrintout printout(*grid, "grid", nullptr, data.GetSelection());
    const std::vector<wxImage> pages = RenderPages(printout, wxSize(600, 800));
    EXPECT_EQ(pages.size(), 1u);
    EXPECT_EQ(grid->GetPrintLayout().GetPageRows(1), (std::vector<int>{2}));
    EXPECT_EQ(grid->asked, 1);
}

TEST_F(GridPrintWindow, AGridWithoutAWindowPrintsNoPages)
{
    // Its page count would otherwise stay at the job's default of 65535 pages.
    CGridCore headless(3, 2, 1, 0);
    CGridPrintout printout(headless, "grid", nullptr, false);
    EXPECT_TRUE(RenderPages(printout, wxSize(600, 800)).empty());
    EXPECT_EQ(printout.GetPageCount(), 0);
    EXPECT_FALSE(printout.HasPage(1));
}

} // namespace
