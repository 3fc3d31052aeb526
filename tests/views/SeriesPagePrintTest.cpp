// The series page printed with its reports open, into memory bitmaps at two
// printer resolutions: rows, headings and reports at the screen's one scale,
// each report within the page's width, and the screen's report still
// clicked where the screen shows it after a print or an export.

#include "data/TerrionDoc.h"
#include "grid/GridCtrl.h"
#include "grid/GridPrintout.h"
#include "tests/grid/GridGuiPump.h"
#include "tests/views/SeriesPageDriver.h"
#include "tests/views/TabGridFixture.h"
#include "views/wx/CommentDlg.h"
#include "views/wx/TabGrid.h"
#include "views/wx/ViewServices.h"

#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/image.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{

using TerrionTest::CSeriesPageDriver;

Device::TTerrionObject SeriesOf(int number, int readings)
{
    Device::TTerrionObject object;
    object.ident.serialNumber = L"TN12-345-6789";
    object.objectNumber = static_cast<std::uint16_t>(number);
    for (int i = 0; i < readings; ++i)
        object.readings.push_back({100.0 + 7.5 * i, 0x10, 10});
    return object;
}

/// The ink (anything clearly darker than white or the light cell colours)
/// within a band of an image: its bounding box, empty when there is none.
wxRect InkBox(const wxImage& image, const wxRect& band)
{
    const wxRect inside = band.Intersect(wxRect(image.GetSize()));
    int left = INT32_MAX, top = INT32_MAX, right = -1, bottom = -1;
    for (int y = inside.GetTop(); y <= inside.GetBottom(); ++y)
        for (int x = inside.GetLeft(); x <= inside.GetRight(); ++x)
            if (image.GetRed(x, y) + image.GetGreen(x, y) + image.GetBlue(x, y) < 3 * 160)
            {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return right < 0 ? wxRect() : wxRect(wxPoint(left, top), wxPoint(right, bottom));
}

class CSeriesPagePrintTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Narrower than a report's 800 pixels: the screen shows it cut, the
        // page lays it out within its width.
        frame = new wxFrame(nullptr, wxID_ANY, L"Series page", wxDefaultPosition, wxSize(760, 700));
        services.dtFormat = 0x0303;
        page = new CTabGrid(frame, doc, services);
        frame->Show();
        doc.AddSeries({SeriesOf(11, 3), SeriesOf(12, 30), SeriesOf(13, 80)}, false);
        const wchar_t* names[] = {L"Alpha", L"Bravo", L"Charlie"};
        for (int i = 0; i < 3; ++i)
            doc.SetName(i, names[i]);
        doc.SetComment(0, L"Core taken at the north end of the second pier, below the joint.");
        Pump();
        page->ExpandAll(true);
        Pump();
        page->Grid().Refresh();
        Pump();
    }
    void TearDown() override
    {
        CCommentDlg::SetTestHook({});
        frame->Destroy();
        Pump();
    }

    CGridCtrl& Grid() { return page->Grid(); }

    /// The pages of the page's print job on paper of `paper` printer
    /// pixels, and how the job laid them out.
    std::vector<wxImage> PrintPages(wxSize paper, CGridPrintLayout* layout = nullptr)
    {
        const SGridPrintText texts = page->PrintTexts();
        CGridPrintout printout(Grid(), "series", &texts, false);
        std::vector<wxImage> pages;
        wxBitmap probe(paper.GetWidth(), paper.GetHeight(), 24);
        wxMemoryDC measuring(probe);
        printout.SetDC(&measuring);
        printout.SetPageSizePixels(paper.GetWidth(), paper.GetHeight());
        printout.SetPaperRectPixels(wxRect(paper));
        printout.OnPreparePrinting();
        measuring.SelectObject(wxNullBitmap);
        EXPECT_GE(printout.GetPageCount(), 1);
        for (int number = 1; number <= printout.GetPageCount(); ++number)
        {
            wxBitmap bitmap(paper.GetWidth(), paper.GetHeight(), 24);
            {
                wxMemoryDC dc(bitmap);
                dc.SetBackground(*wxWHITE_BRUSH);
                dc.Clear();
                printout.SetDC(&dc);
                EXPECT_TRUE(printout.OnPrintPage(number));
                printout.SetDC(nullptr);
                dc.SelectObject(wxNullBitmap);
            }
            pages.push_back(bitmap.ConvertToImage());
        }
        if (layout)
            *layout = Grid().GetPrintLayout();
        printout.OnEndPrinting();
        return pages;
    }

    /// A body cell's box on the page, in the page's logical pixels.
    SGridRect PrintedCell(const CGridPrintLayout& layout, int page, int row, int col)
    {
        const std::vector<int>& rows = layout.GetPageRows(page);
        if (std::find(rows.begin(), rows.end(), row) == rows.end())
            return SGridRect{};
        int top = 0;
        for (const int printed : rows)
        {
            if (printed == row)
                break;
            top += layout.GetRowHeight(printed);
        }
        for (const CGridPrintLayout::SColumn& column :
             CGridPrintLayout::FitColumns(Grid(), row, Grid().GetFixedColumnCount(), Grid().GetColumnCount(),
                                          layout.GetPageWidth(), true))
            if (column.col == col)
                return SGridRect{column.left, top, column.right + 1, top + layout.GetRowHeight(row)};
        return SGridRect{};
    }

    wxFrame* frame = nullptr;
    CTabGrid* page = nullptr;
    CTerrionDoc doc;
    TerrionTest::CFakeViewServices services;
};

/// The band of a report's first line: the diagram's title.
SGridRect TitleBand(const SGridRect& report)
{
    return SGridRect{report.left + 4, report.top + 3, report.left + 300, report.top + 29};
}

/// The Name cell's text, inside its edges.
SGridRect NameBand(const SGridRect& cell)
{
    return SGridRect{cell.left + 2, cell.top + 2, cell.right - 2, cell.bottom - 2};
}

TEST_F(CSeriesPagePrintTest, RowsAndReportsPrintAtTheScreensOneScaleWithinTheWidth)
{
    // On the screen: the series row's name beside the report's title.
    wxBitmap whole;
    ASSERT_TRUE(Grid().DrawToBitmap(&whole));
    const wxImage screen = whole.ConvertToImage();
    auto screenCell = [&](int row, int col)
    {
        int top = 0;
        for (int r = 0; r < row; ++r)
            top += Grid().GetRowHeight(r);
        int left = 0;
        for (int c = 0; c < col; ++c)
            left += Grid().GetColumnWidth(c);
        return SGridRect{left, top, left + Grid().GetMergedColumnWidth(col, row),
                         top + Grid().GetRowHeight(row)};
    };
    auto rect = [](const SGridRect& r, double scale, SGridPoint offset)
    {
        return wxRect(wxPoint(static_cast<int>((r.left + offset.x) * scale),
                              static_cast<int>((r.top + offset.y) * scale)),
                      wxPoint(static_cast<int>((r.right + offset.x) * scale) - 1,
                              static_cast<int>((r.bottom + offset.y) * scale) - 1));
    };
    const int seriesRow = CTabGrid::SeriesRow(0);
    const int detailRow = CTabGrid::DetailRow(0);
    const wxRect screenName =
        InkBox(screen, rect(NameBand(screenCell(seriesRow, CTabGrid::colName)), 1.0, {}));
    const wxRect screenTitle =
        InkBox(screen, rect(TitleBand(screenCell(detailRow, CTabGrid::colName)), 1.0, {}));
    ASSERT_GT(screenName.GetHeight(), 5);
    ASSERT_GT(screenTitle.GetHeight(), 5);
    const double screenRatio = static_cast<double>(screenName.GetHeight()) / screenTitle.GetHeight();

    // On A4-shaped paper at 96 and at 192 pixels an inch.
    for (const int resolution : {96, 192})
    {
        SCOPED_TRACE(resolution);
        const wxSize paper(794 * resolution / 96, 1123 * resolution / 96);
        CGridPrintLayout layout;
        const std::vector<wxImage> pages = PrintPages(paper, &layout);
        ASSERT_FALSE(pages.empty());
        const wxImage& printed = pages.front();
        for (std::size_t i = 0; i < pages.size(); ++i)
            ASSERT_TRUE(
                pages[i].SaveFile(wxString::Format(TERRION_VIEWS_ARTEFACTS "/series_print_%ddpi_page%zu.png",
                                                   resolution, i + 1),
                                  wxBITMAP_TYPE_PNG));
        const double scale = static_cast<double>(paper.GetWidth()) / layout.GetLogicalPageSize().cx;
        const SGridPoint body{layout.GetLeftMargin(),
                              layout.GetHeaderHeight() + layout.GetGap() + Grid().GetFixedRowHeight()};

        const wxRect name = InkBox(
            printed, rect(NameBand(PrintedCell(layout, 1, seriesRow, CTabGrid::colName)), scale, body));
        const SGridRect report = PrintedCell(layout, 1, detailRow, CTabGrid::colName);
        const wxRect title = InkBox(printed, rect(TitleBand(report), scale, body));
        ASSERT_GT(name.GetHeight(), 0);
        ASSERT_GT(title.GetHeight(), 0);
        EXPECT_NEAR(static_cast<double>(name.GetHeight()) / title.GetHeight(), screenRatio,
                    0.15 * screenRatio);
        // The title keeps its screen height, stretched as the whole page is.
        EXPECT_NEAR(title.GetHeight(), screenTitle.GetHeight() * scale,
                    2.0 + 0.15 * screenTitle.GetHeight() * scale);

        // Every open report lies within the page: nothing reaches the cell's
        // right edge (where a wider report would be cut), nothing lies past the margin.
        int reports = 0;
        for (int number = 1; number <= static_cast<int>(pages.size()); ++number)
        {
            const wxImage& sheet = pages[static_cast<std::size_t>(number - 1)];
            for (int series = 0; series < 3; ++series)
            {
                const SGridRect cell =
                    PrintedCell(layout, number, CTabGrid::DetailRow(series), CTabGrid::colName);
                if (cell.IsEmpty())
                    continue;
                ++reports;
                // A report taller than the page is cut at the page's bottom.
                const int bottom = std::min(cell.bottom, layout.GetPageHeight());
                const SGridRect edge{cell.right - 8, cell.top + 1, cell.right - 2, bottom - 2};
                EXPECT_TRUE(InkBox(sheet, rect(edge, scale, body)).IsEmpty()) << "report " << series;
                // Nor does it reach its row's bottom: the row is as tall as the report on paper.
                if (cell.bottom <= layout.GetPageHeight())
                {
                    const SGridRect foot{cell.left + 2, cell.bottom - 8, cell.right - 2, cell.bottom - 2};
                    EXPECT_TRUE(InkBox(sheet, rect(foot, scale, body)).IsEmpty()) << "report " << series;
                }
            }
            const int margin =
                static_cast<int>((layout.GetLeftMargin() + layout.GetPrintWidth()) * scale) + 2;
            EXPECT_TRUE(
                InkBox(sheet, wxRect(margin, 0, paper.GetWidth() - margin, paper.GetHeight())).IsEmpty());
        }
        EXPECT_EQ(reports, 3);
    }
}

TEST_F(CSeriesPagePrintTest, AfterAPrintOrAnExportTheReportIsClickedWhereTheScreenShowsIt)
{
    CSeriesPageDriver driver(*page);
    ASSERT_TRUE(driver.WaitForReport(0));
    const std::optional<wxPoint> comment = driver.ReportArea(0, SeriesAreaComment);
    ASSERT_TRUE(comment.has_value());
    const int target = driver.Report(0)->GetTargetHeight();
    int opened = 0;
    CCommentDlg::SetTestHook(
        [&](CCommentDlg&)
        {
            ++opened;
            return wxID_CANCEL;
        });

    // Printed narrower than the screen's 800 pixels, the comment wraps elsewhere on paper.
    PrintPages(wxSize(794, 1123));
    EXPECT_EQ(driver.Report(0)->GetTargetHeight(), target);
    driver.ClickAt(*comment);
    EXPECT_EQ(opened, 1);

    wxBitmap exported;
    ASSERT_TRUE(Grid().DrawToBitmap(&exported));
    EXPECT_EQ(driver.Report(0)->GetTargetHeight(), target);
    driver.ClickAt(*comment);
    EXPECT_EQ(opened, 2);
}

} // namespace
