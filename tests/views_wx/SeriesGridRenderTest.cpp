// The series grid's cells and an expanded report in a real grid window,
// rendered through the wx surface: a screenshot as an artefact and its
// structure read back pixel by pixel (the scheme's colours, the bars).
#include <map>
#include <memory>
#include <vector>

#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/image.h>

#include "data/TerrionDoc.h"
#include "grid/GridCtrl.h"
#include "grid/GridDcSurface.h"
#include "tests/grid/GridGuiPump.h"
#include "tests/grid/ImagePixel.h"
#include "tests/report/ReportDocument.h"
#include "views/ColorScheme.h"
#include "views/GridCellBar.h"
#include "views/GridCellDetailGripper.h"
#include "views/GridCellDetailLeft.h"
#include "views/GridCellSeries.h"
#include "views/SeriesCellUi.h"
#include "views/SeriesImages.h"
#include "views/wx/SeriesCellAnimationTimer.h"

namespace TerrionTest
{
namespace
{

constexpr int kColumnWidth[6] = {80, 120, 140, 260, 70, 110};

TerrionTest::SReportSeries Series(int readings, double base, const wchar_t* name, const wchar_t* comment)
{
    SReportSeries s = BaseSeries();
    s.object.readings.clear();
    for (int i = 0; i < readings; ++i)
        s.object.readings.push_back({base + 0.7 * (i % 9) + 0.1 * i, 0, static_cast<std::uint16_t>(95 + i)});
    s.name = name;
    s.comment = comment;
    s.object.objectNumber = static_cast<std::uint16_t>(17 + readings);
    return s;
}

/// Fills the grid the way the series page does: a heading row, per series a
/// series row (gripper, texts, mean bar) and a detail row holding the report.
void FillLikeThePage(CGridCtrl& grid, CTerrionDoc& doc)
{
    const int n = doc.GetSeriesCount();
    grid.SetDefaultCellWidth(100);
    grid.SetDefaultCellHeight(22);
    grid.SetListMode(true);
    grid.SetRowCount(2 * n + 1);
    grid.SetColumnCount(6);
    grid.SetFixedRowCount(1);
    grid.SetRowHeight(0, 26);
    const wchar_t* headings[] = {L"ID", L"Name", L"Date & Time", L"Mean Value", L"Total", L"Std. Deviation"};
    for (int c = 0; c < 6; ++c)
    {
        grid.SetItemText(0, c, headings[c]);
        grid.SetColumnWidth(c, kColumnWidth[c]);
    }
    double smallest = 0.0, largest = 0.0;
    doc.GetMeanRange(&smallest, &largest);
    const TGridColor light = theColorScheme.RowBottomColor;
    for (int i = 0; i < n; ++i)
    {
        const int r = 2 * i + 1;
        const int d = r + 1;
        grid.SetCellType<CGridCellDetailLeft>(d, 0);
        auto* left = dynamic_cast<CGridCellDetailLeft*>(grid.GetCell(d, 0));
        left->SetTopLeftColor(theColorScheme.RowTopColor);
        left->SetTopRightColor(theColorScheme.RowTopColor);
        left->SetBottomLeftColor(light);
        left->SetBottomRightColor(light);
        left->SetInvertOnSelect(false);
        left->SetDrawFocusFrame(false);
        for (int c = 1; c < 6; ++c)
        {
            grid.SetCellType<CGridCellSeries>(d, c);
            grid.SetItemBackColor(d, c, light);
        }
        grid.MergeCells(d, 1, 5);
        grid.SetRowHeight(d, 0);
        dynamic_cast<CGridCellSeries*>(grid.GetCell(d, 1))->SetSeries(&doc, i);

        grid.SetCellType<CGridCellDetailGripper>(r, 0);
        auto* gripper = dynamic_cast<CGridCellDetailGripper*>(grid.GetCell(r, 0));
        gripper->SetFormat(gripper->GetFormat() | DT_RIGHT);
        gripper->SetText(std::to_wstring(doc.GetObjectId(i)));
        gripper->SetImageList(&CSeriesImages::GridImages());
        gripper->SetTopLeftColor(theColorScheme.RowTopColor);
        gripper->SetTopRightColor(theColorScheme.RowTopColor);
        gripper->SetBottomLeftColor(theColorScheme.RowTopColor);
        gripper->SetBottomRightColor(theColorScheme.RowTopColor);
        gripper->SetInvertOnSelect(false);
        gripper->SetDrawFocusFrame(false);
        gripper->SetInSummary(i != 1);

        grid.SetItemText(r, 1, doc.GetName(i));
        grid.SetItemText(r, 2, L"05.03.2024 08:08");
        grid.SetCellType<CGridCellBar>(r, 3);
        auto* bar = dynamic_cast<CGridCellBar*>(grid.GetCell(r, 3));
        bar->SetMin(0.0);
        bar->SetMax(largest);
        bar->SetValue(doc.GetMean(i));
        bar->SetBarColor(theColorScheme.GridBarColor);
        bar->SetSelectedBarColor(theColorScheme.GridBarSelectedColor);
        bar->SetText(std::to_wstring(static_cast<int>(doc.GetMean(i))) + L" " +
                     CTerrionDoc::GetResistivityUnit());
        grid.SetItemText(r, 4, std::to_wstring(doc.GetReadingCount(i)));
        grid.SetItemText(r, 5, L"1.23");
        for (int c = 1; c < 6; ++c)
            grid.SetItemBackColor(r, c, light);
    }
}

class SeriesGridWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FillDocument(doc, {Series(12, 20.0, L"Pier A", L"Core taken at the north end.\r\nSecond line."),
                           Series(30, 45.0, L"Pier B", L""), Series(60, 12.0, L"Deck", L"Wet")});
        frame = new wxFrame(nullptr, wxID_ANY, "series grid", wxDefaultPosition, wxSize(1100, 760));
        grid = new CGridCtrl(frame, 101);
        frame->SetClientSize(1040, 700);
        frame->Show();
        Pump();
        FillLikeThePage(*grid, doc);
        Pump();
    }
    void TearDown() override
    {
        frame->Destroy();
        Pump();
    }
    CGridCellSeries* Report(int i) { return dynamic_cast<CGridCellSeries*>(grid->GetCell(2 * i + 2, 1)); }
    int RowTop(int row) const
    {
        int y = 0;
        for (int r = 0; r < row; ++r)
            y += grid->GetRowHeight(r);
        return y;
    }

    CTerrionDoc doc;
    wxFrame* frame = nullptr;
    CGridCtrl* grid = nullptr;
};

/// A gradient's pixel: within a few steps of the colour it starts or ends with.
void ExpectNear(const wxColour& seen, TGridColor expected)
{
    EXPECT_NEAR(seen.Red(), GridRed(expected), 8) << seen.GetAsString(wxC2S_HTML_SYNTAX);
    EXPECT_NEAR(seen.Green(), GridGreen(expected), 8) << seen.GetAsString(wxC2S_HTML_SYNTAX);
    EXPECT_NEAR(seen.Blue(), GridBlue(expected), 8) << seen.GetAsString(wxC2S_HTML_SYNTAX);
}

/// How far a run of `colour` reaches right from (x, y).
int RunFrom(const wxImage& image, int x, int y, const wxColour& colour)
{
    int end = x;
    while (end < image.GetWidth() && Pixel(image, end, y) == colour)
        ++end;
    return end - x;
}

TEST_F(SeriesGridWindow, TheSeriesRowsCellsInTheSchemesColours)
{
    wxBitmap whole;
    ASSERT_TRUE(grid->DrawToBitmap(&whole));
    const wxImage image = whole.ConvertToImage();
    ASSERT_TRUE(image.SaveFile(TERRION_VIEWS_ARTEFACTS "/series_grid_rows.png", wxBITMAP_TYPE_PNG));

    // The gripper's ground and the row colour of the texts.
    const int row1 = RowTop(1);
    EXPECT_EQ(Pixel(image, 56, row1 + 2), Colour(theColorScheme.RowTopColor));
    EXPECT_EQ(Pixel(image, kColumnWidth[0] + kColumnWidth[1] - 4, row1 + 2),
              Colour(theColorScheme.RowBottomColor));

    // The mean bars: each as long as its mean against the largest (series 1).
    const int barLeft = kColumnWidth[0] + kColumnWidth[1] + kColumnWidth[2];
    const wxColour barColour = Colour(theColorScheme.GridBarColor);
    double smallest = 0.0, largest = 0.0;
    doc.GetMeanRange(&smallest, &largest);
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(RunFrom(image, barLeft, RowTop(2 * i + 1) + 2, barColour),
                    (kColumnWidth[3] - 1) * doc.GetMean(i) / largest, 1.0)
            << "series " << i;

    // A detail row opened by hand: its left cell runs from the light teal down to the row colour.
    grid->SetRowHeight(2, 40);
    ASSERT_TRUE(grid->DrawToBitmap(&whole));
    const wxImage opened = whole.ConvertToImage();
    ExpectNear(Pixel(opened, 20, RowTop(2)), theColorScheme.RowTopColor);
    ExpectNear(Pixel(opened, 20, RowTop(2) + 38), theColorScheme.RowBottomColor);
}

TEST_F(SeriesGridWindow, EachReportDrawsItsBlocksAndOneBarPerReading)
{
    // The three layouts (12, 30 and 60 readings) one under the other, 1000 wide.
    constexpr int kWidth = 1000;
    std::unique_ptr<CGridDcSurface> measure = CGridDcSurface::ForMeasuring();
    ASSERT_TRUE(measure);
    std::vector<int> heights;
    for (int i = 0; i < 3; ++i)
        heights.push_back(Report(i)->MeasureRowHeight(*measure, kWidth));
    const int total = heights[0] + heights[1] + heights[2];
    wxBitmap bitmap(kWidth, total, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        CGridDcSurface surface(dc, SGridRect{0, 0, kWidth, total});
        int top = 0;
        for (int i = 0; i < 3; ++i)
        {
            Report(i)->Draw(&surface, 2 * i + 2, 1, SGridRect{0, top, kWidth - 1, top + heights[i] - 1},
                            false, false);
            top += heights[i];
        }
    }
    const wxImage image = bitmap.ConvertToImage();
    ASSERT_TRUE(image.SaveFile(TERRION_VIEWS_ARTEFACTS "/series_reports.png", wxBITMAP_TYPE_PNG));

    const wxColour dark = Colour(theColorScheme.BarDarkColor);
    int top = 0;
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(Pixel(image, kWidth - 3, top + 2), Colour(theColorScheme.RowBottomColor)) << "report " << i;
        // The bars' lowest row of pixels: one run of the dark bar colour per reading.
        int runs = 0;
        for (int y = top + heights[i] - 1; y >= top && runs == 0; --y)
            for (int x = 0; x < kWidth - 1; ++x)
                runs += Pixel(image, x, y) == dark && Pixel(image, x + 1, y) != dark;
        EXPECT_EQ(runs, doc.GetReadingCount(i)) << "report " << i;
        top += heights[i];
    }
}

TEST_F(SeriesGridWindow, EveryReportLayoutIsSavedForAPersonToLookAt)
{
    // The mean column takes the room that is left, as on the series page.
    grid->SetColumnWidth(3, grid->GetColumnWidth(3) + grid->GetClientSize().GetWidth() -
                                grid->GetVirtualWidth() - 8);
    for (int i = 0; i < 3; ++i)
        Report(i)->Expand(true);
    Pump();
    const wxSize client = grid->GetClientSize();
    wxBitmap shot(client.GetWidth(), client.GetHeight(), 24);
    {
        wxMemoryDC dc(shot);
        grid->RenderClient(dc);
    }
    ASSERT_TRUE(
        shot.ConvertToImage().SaveFile(TERRION_VIEWS_ARTEFACTS "/series_grid_screen.png", wxBITMAP_TYPE_PNG));
    wxBitmap whole;
    ASSERT_TRUE(grid->DrawToBitmap(&whole));
    ASSERT_TRUE(whole.ConvertToImage().SaveFile(TERRION_VIEWS_ARTEFACTS "/series_grid_reports.png",
                                                wxBITMAP_TYPE_PNG));
    // 12, 30 and 60 readings: three layouts, each its own height.
    EXPECT_NE(grid->GetRowHeight(2), grid->GetRowHeight(4));
    EXPECT_NE(grid->GetRowHeight(4), grid->GetRowHeight(6));
}

/// The page's part of the animation: the frame clock.
class CTimerUi : public CSeriesCellUi
{
public:
    explicit CTimerUi(CGridCtrl& grid) : timer(grid), m_grid(grid) {}
    void CommentClicked(int) override {}
    void ScheduleAnimation(CGridCellSeries& cell) override
    {
        heights.push_back(m_grid.GetRowHeight(cell.GetRow()));
        timer.Schedule(cell);
    }
    CSeriesCellAnimationTimer timer;
    std::vector<int> heights;

private:
    CGridCtrl& m_grid;
};

TEST_F(SeriesGridWindow, ARowOpensAndClosesOnTheFrameClock)
{
    CTimerUi ui(*grid);
    CGridCellSeries* cell = Report(0);
    cell->SetUi(&ui);
    cell->Expand(false);
    ASSERT_TRUE(PumpUntil([&] { return cell->IsExpanded() && !ui.timer.HasPending(); }));
    EXPECT_EQ(grid->GetRowHeight(2), cell->GetTargetHeight());
    ASSERT_GE(ui.heights.size(), 10u);
    EXPECT_EQ(ui.heights[1], 2);
    EXPECT_EQ(ui.heights[2], 17); // 15 pixels a frame
    cell->Collapse(false);
    ASSERT_TRUE(PumpUntil([&] { return !cell->IsCollapsing() && grid->GetRowHeight(2) == 0; }));
    EXPECT_FALSE(cell->IsExpanded());
    cell->SetUi(nullptr);
}

} // namespace
} // namespace TerrionTest
