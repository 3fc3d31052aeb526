// The grid window under a display: its rendering pixel by pixel, its scroll
// bars, its notifications, and the demo's screenshot.
#include <memory>
#include <vector>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/settings.h>

#include "grid/GridCtrl.h"
#include "grid/GridDcSurface.h"
#include "tests/grid/GridDemo.h"
#include "tests/grid/GridGuiPump.h"
#include "tests/grid/ImagePixel.h"

namespace
{

class GridWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        frame = new wxFrame(nullptr, wxID_ANY, "grid test", wxDefaultPosition, wxSize(400, 300));
        grid = new CGridCtrl(frame, 101);
        frame->Show();
        Pump();
    }
    void TearDown() override
    {
        frame->Destroy();
        Pump();
    }

    wxFrame* frame = nullptr;
    CGridCtrl* grid = nullptr;
};

wxColour Sys(wxSystemColour which)
{
    return wxSystemSettings::GetColour(which);
}

const wxColour kLine(192, 192, 192);

TEST_F(GridWindow, IsNamedTerrionGridCtrl)
{
    EXPECT_EQ(grid->GetName(), "TerrionGridCtrl");
    EXPECT_EQ(grid->GetControlId(), 101);
}

TEST_F(GridWindow, DrawToBitmapGivesEachPixelItsPlace)
{
    // Heading 20 high, rows 20 high, columns 40 wide; row 2 a span, row 3 hidden.
    grid->SetRowCount(5);
    grid->SetColumnCount(3);
    grid->SetFixedRowCount(1);
    for (int row = 0; row < 5; ++row)
        grid->SetRowHeight(row, 20);
    for (int col = 0; col < 3; ++col)
        grid->SetColumnWidth(col, 40);
    const TGridColor rowColor = GridRgb(242, 245, 253);
    const TGridColor hiddenColor = GridRgb(255, 0, 0);
    for (int col = 0; col < 3; ++col)
    {
        grid->SetItemBackColor(1, col, rowColor);
        grid->SetItemBackColor(2, col, GridRgb(188, 224, 232));
        grid->SetItemBackColor(3, col, hiddenColor);
        grid->SetItemBackColor(4, col, rowColor);
    }
    grid->MergeCells(2, 0, 1);
    grid->SetRowHeight(3, 0);

    wxBitmap bitmap;
    ASSERT_TRUE(grid->DrawToBitmap(&bitmap));
    ASSERT_EQ(bitmap.GetWidth(), 120);
    ASSERT_EQ(bitmap.GetHeight(), 80);
    const wxImage image = bitmap.ConvertToImage();

    // Fills stop before each cell's last column and row, where the grid lines run.
    EXPECT_EQ(Pixel(image, 5, 25), CGridDcSurface::ToColour(rowColor));
    EXPECT_EQ(Pixel(image, 38, 38), CGridDcSurface::ToColour(rowColor));
    EXPECT_EQ(Pixel(image, 39, 25), kLine);
    EXPECT_EQ(Pixel(image, 5, 39), kLine);
    EXPECT_EQ(Pixel(image, 39, 39), kLine);
    EXPECT_EQ(Pixel(image, 119, 30), kLine);
    EXPECT_EQ(Pixel(image, 100, 79), kLine);

    // The heading is raised: light top and left edges, dark right and bottom edges.
    EXPECT_EQ(Pixel(image, 10, 0), Sys(wxSYS_COLOUR_BTNHIGHLIGHT));
    EXPECT_EQ(Pixel(image, 0, 10), Sys(wxSYS_COLOUR_BTNHIGHLIGHT));
    EXPECT_EQ(Pixel(image, 39, 10), Sys(wxSYS_COLOUR_3DDKSHADOW));
    EXPECT_EQ(Pixel(image, 10, 19), Sys(wxSYS_COLOUR_3DDKSHADOW));
    EXPECT_EQ(Pixel(image, 60, 6), Sys(wxSYS_COLOUR_BTNFACE));

    // The span has no line between its columns; its right edge has one.
    EXPECT_EQ(Pixel(image, 39, 50), wxColour(188, 224, 232));
    EXPECT_EQ(Pixel(image, 79, 50), kLine);

    // The hidden row leaves no pixel: row 4 follows the span directly.
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 120; ++x)
            ASSERT_NE(Pixel(image, x, y), wxColour(255, 0, 0)) << x << "," << y;
    EXPECT_EQ(Pixel(image, 5, 65), CGridDcSurface::ToColour(rowColor));
}

TEST_F(GridWindow, DrawToBitmapRefusesWhatNoBitmapHolds)
{
    wxBitmap untouched;
    EXPECT_FALSE(grid->DrawToBitmap(&untouched)); // empty grid
    grid->SetRowCount(2);
    grid->SetColumnCount(2);
    grid->SetColumnWidth(1, CGridCtrl::kMaxBitmapSide);
    EXPECT_FALSE(grid->DrawToBitmap(&untouched));
    EXPECT_FALSE(untouched.IsOk());
    grid->SetColumnWidth(1, 100);
    EXPECT_TRUE(grid->DrawToBitmap(&untouched));
}

TEST_F(GridWindow, ScrollBarsAndClientAreaFollowTheSize)
{
    grid->SetRowCount(101);
    grid->SetColumnCount(3);
    grid->SetFixedRowCount(1);
    for (int row = 0; row < 101; ++row)
        grid->SetRowHeight(row, 22);
    for (int col = 0; col < 3; ++col)
        grid->SetColumnWidth(col, 100);
    Pump();

    const wxSize outer = grid->GetSize();
    wxSize client = grid->GetClientSize();
    ASSERT_TRUE(grid->IsScrollBarShown(SB_VERT));
    EXPECT_FALSE(grid->IsScrollBarShown(SB_HORZ));
    EXPECT_LT(client.GetWidth(), outer.GetWidth()); // the bar takes its room beside the cells
    EXPECT_EQ(client.GetHeight(), outer.GetHeight());
    EXPECT_EQ(grid->GetScrollPage(SB_VERT), client.GetHeight() - 22);
    EXPECT_EQ(grid->GetScrollMax(SB_VERT), 100 * 22 - 1);
    EXPECT_EQ(grid->GetScrollRange(wxVERTICAL), 100 * 22);
    EXPECT_EQ(grid->GetScrollThumb(wxVERTICAL), client.GetHeight() - 22);

    // Narrower than the columns: both bars, and the pages shrink by the other bar.
    frame->SetClientSize(250, 200);
    Pump();
    client = grid->GetClientSize();
    ASSERT_TRUE(grid->IsScrollBarShown(SB_HORZ));
    EXPECT_LT(client.GetHeight(), grid->GetSize().GetHeight());
    EXPECT_EQ(grid->GetScrollPage(SB_HORZ), client.GetWidth());
    EXPECT_EQ(grid->GetScrollPage(SB_VERT), client.GetHeight() - 22);

    // Tall enough for every row: the vertical bar goes and the position returns to 0.
    grid->OnVScroll(SB_PAGEDOWN);
    EXPECT_GT(grid->GetScrollPos32(SB_VERT), 0);
    for (int row = 5; row < 101; ++row)
        grid->SetRowHeight(row, 0);
    Pump();
    EXPECT_FALSE(grid->IsScrollBarShown(SB_VERT));
    EXPECT_EQ(grid->GetScrollPos32(SB_VERT), 0);
    EXPECT_EQ(grid->GetClientSize().GetWidth(), grid->GetSize().GetWidth());
}

TEST_F(GridWindow, ScrollBarAndWheelEventsScrollByPixels)
{
    BuildSeriesDemo(*grid, 40);
    Pump();
    wxScrollWinEvent track(wxEVT_SCROLLWIN_THUMBTRACK, 45, wxVERTICAL);
    grid->GetEventHandler()->ProcessEvent(track);
    EXPECT_EQ(grid->GetScrollPos32(SB_VERT), 45);
    EXPECT_EQ(grid->GetScrollPos(wxVERTICAL), 45);
    EXPECT_EQ(grid->GetTopLeftNonFixedCell().row, 4); // 1 pixel into series 1's report
    EXPECT_EQ(grid->GetFirstRowOffset(), -1);

    wxMouseEvent wheel(wxEVT_MOUSEWHEEL);
    wheel.m_wheelRotation = -120;
    wheel.m_wheelDelta = 120;
    wheel.m_wheelAxis = wxMOUSE_WHEEL_VERTICAL;
    grid->GetEventHandler()->ProcessEvent(wheel);
    EXPECT_EQ(grid->GetScrollPos32(SB_VERT), 45 + 3 * 15); // three line steps of at most 15 pixels

    wxScrollWinEvent top(wxEVT_SCROLLWIN_TOP, 0, wxVERTICAL);
    grid->GetEventHandler()->ProcessEvent(top);
    EXPECT_EQ(grid->GetScrollPos(wxVERTICAL), 0);
}

TEST_F(GridWindow, ANewFontResizesTheDefaultCells)
{
    const CGridDefaultCell* normal = grid->GetDefaultCell(false, false);
    const int width = normal->GetWidth();
    const int height = normal->GetHeight();
    wxFont large = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    large.SetPixelSize(wxSize(0, 40));
    grid->SetFont(large);
    EXPECT_GT(normal->GetWidth(), width);
    EXPECT_GT(normal->GetHeight(), height);
    EXPECT_GT(grid->GetDefaultCell(true, true)->GetMargin(), 3);
}

TEST_F(GridWindow, ABorderedGridKeepsItsPagesToTheClientArea)
{
    grid->Destroy();
    grid = new CGridCtrl(frame, 102, wxDefaultPosition, wxDefaultSize, wxBORDER_SIMPLE);
    frame->SetClientSize(250, 200);
    grid->SetSize(frame->GetClientSize());
    grid->SetRowCount(60);
    grid->SetColumnCount(4);
    grid->SetFixedRowCount(1);
    for (int col = 0; col < 4; ++col)
        grid->SetColumnWidth(col, 100);
    Pump();
    ASSERT_TRUE(grid->IsScrollBarShown(SB_VERT));
    ASSERT_TRUE(grid->IsScrollBarShown(SB_HORZ));
    const wxSize client = grid->GetClientSize();
    EXPECT_EQ(grid->GetScrollPage(SB_HORZ), client.GetWidth());
    EXPECT_EQ(grid->GetScrollPage(SB_VERT), client.GetHeight() - grid->GetRowHeight(0));
}

TEST_F(GridWindow, NotificationsReachTheParentWithTheirCodes)
{
    std::vector<SGridNotify> seen;
    frame->Bind(GRID_EVT_NOTIFY,
                [&](CGridNotifyEvent& event)
                {
                    seen.push_back(event.GetNotify());
                    event.SetResult(-1);
                });
    grid->SetRowCount(3);
    grid->SetColumnCount(2);
    grid->SetFixedRowCount(1);
    seen.clear();
    grid->SetFocusCell(2, 1);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].hdr.code, GRIDN_FOCUSCHANGED);
    EXPECT_EQ(seen[0].hdr.idFrom, 101);
    EXPECT_EQ(seen[0].row, 2);
    EXPECT_EQ(seen[0].col, 1);
    EXPECT_EQ(grid->SendNotify(1, 1, GRIDN_BEGINEDIT), -1);
}

TEST_F(GridWindow, SeriesDemoScrollsByPixelsAndIsSavedAsAScreenshot)
{
    frame->SetClientSize(640, 360);
    BuildSeriesDemo(*grid, 40);
    Pump();
    grid->OnVScroll(SB_THUMBPOSITION, 30);
    Pump();
    // Series 0's detail row is collapsed: 30 pixels down lies 8 pixels into series 1's row.
    EXPECT_EQ(grid->GetTopLeftNonFixedCell().row, 3);
    EXPECT_EQ(grid->GetFirstRowOffset(), -8);

    const wxSize client = grid->GetClientSize();
    wxBitmap shot(client.GetWidth(), client.GetHeight(), 24);
    {
        wxMemoryDC dc(shot);
        grid->RenderClient(dc);
    }
    const wxImage image = shot.ConvertToImage();
    ASSERT_TRUE(image.SaveFile(TERRION_GRID_ARTEFACTS "/grid_demo.png", wxBITMAP_TYPE_PNG));

    // The heading stays in place over the partly scrolled first row.
    EXPECT_EQ(Pixel(image, 60, 6), Sys(wxSYS_COLOUR_BTNFACE));
    wxBitmap whole;
    ASSERT_TRUE(grid->DrawToBitmap(&whole));
    ASSERT_TRUE(
        whole.ConvertToImage().SaveFile(TERRION_GRID_ARTEFACTS "/grid_demo_whole.png", wxBITMAP_TYPE_PNG));
    EXPECT_EQ(whole.GetWidth(), 80 + 80 + 100 + 150 + 70 + 110);
}

} // namespace
