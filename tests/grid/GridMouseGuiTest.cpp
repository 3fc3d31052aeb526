// The grid's mouse on the (virtual) display: wx mouse events reach the core,
// the hot-spot tip comes and goes, a dragged divider shows its line and
// resizes the column, and the demo is saved with a tip shown.
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/settings.h>
#include <wx/utils.h>

#include "grid/GridCtrl.h"
#include "grid/GridDcSurface.h"
#include "grid/GridTipWindow.h"
#include "tests/grid/GridDemo.h"
#include "tests/grid/GridGuiPump.h"
#include "tests/grid/ImagePixel.h"

namespace
{

class GridMouseWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        frame = new wxFrame(nullptr, wxID_ANY, "grid mouse test", wxPoint(20, 20), wxSize(400, 300));
        grid = new CGridCtrl(frame, 101);
        frame->Show();
        Pump();
    }
    void TearDown() override
    {
        frame->Destroy();
        Pump();
    }

    void Send(wxEventType type, int x, int y, bool ctrl = false)
    {
        wxMouseEvent event(type);
        event.SetPosition(wxPoint(x, y));
        event.SetControlDown(ctrl);
        event.SetLeftDown(type == wxEVT_LEFT_DOWN || (type == wxEVT_MOTION && buttonHeld));
        event.SetEventObject(grid);
        grid->GetEventHandler()->ProcessEvent(event);
        if (type == wxEVT_LEFT_DOWN)
            buttonHeld = true;
        else if (type == wxEVT_LEFT_UP)
            buttonHeld = false;
    }

    /// A grid of one heading row and body rows 20 high, columns 60 wide.
    void Shape()
    {
        grid->SetRowCount(8);
        grid->SetColumnCount(4);
        grid->SetFixedRowCount(1);
        for (int row = 0; row < 8; ++row)
            grid->SetRowHeight(row, 20);
        for (int col = 0; col < 4; ++col)
            grid->SetColumnWidth(col, 60);
        Pump();
    }

    wxFrame* frame = nullptr;
    CGridCtrl* grid = nullptr;
    bool buttonHeld = false;
};

wxImage Screen(CGridCtrl* grid)
{
    const wxSize client = grid->GetClientSize();
    wxBitmap shot(client.GetWidth(), client.GetHeight(), 24);
    {
        wxMemoryDC dc(shot);
        grid->RenderClient(dc);
    }
    return shot.ConvertToImage();
}

TEST_F(GridMouseWindow, HoveringAHotSpotShowsItsTipAndLeavingHidesIt)
{
    Shape();
    const SGridRect spot{10, 4, 40, 16};
    grid->GetCell(2, 1)->AddHotSpot(&spot, L"Measurement number 3", L"12.5 k\u03A9\u00B7cm\r\n120 \u00B5A");

    Send(wxEVT_MOTION, 60 + 20, 40 + 10);
    CGridTipWindow* tip = grid->GetTipWindow();
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(tip->HasTool());
    EXPECT_FALSE(tip->IsTipShown()); // only after the pointer has rested
    ASSERT_TRUE(PumpUntil([&] { return tip->IsTipShown(); }));
    EXPECT_EQ(tip->GetTitle(), wxString(L"Measurement number 3"));
    EXPECT_EQ(tip->GetText(), wxString(L"12.5 k\u03A9\u00B7cm\r\n120 \u00B5A"));
    // It opens below the pointer, never under it.
    EXPECT_GT(tip->GetScreenPosition().y, grid->ClientToScreen(wxPoint(80, 50)).y);
    // Title line and two text lines.
    EXPECT_GT(tip->GetSize().GetHeight(), 3 * tip->GetCharHeight());

    // Moving within the spot keeps it; onto a cell without a spot removes it.
    Send(wxEVT_MOTION, 60 + 25, 40 + 12);
    EXPECT_TRUE(tip->IsTipShown());
    Send(wxEVT_MOTION, 60 + 25, 80 + 10);
    EXPECT_FALSE(tip->IsTipShown());
    EXPECT_FALSE(tip->HasTool());

    // Back on the spot, then out of the window.
    Send(wxEVT_MOTION, 60 + 20, 40 + 10);
    ASSERT_TRUE(PumpUntil([&] { return tip->IsTipShown(); }));
    Send(wxEVT_LEAVE_WINDOW, 500, 500);
    EXPECT_FALSE(tip->IsTipShown());

    // Scrolling hides it as well.
    Send(wxEVT_MOTION, 60 + 21, 40 + 10);
    ASSERT_TRUE(PumpUntil([&] { return tip->IsTipShown(); }));
    grid->OnVScroll(SB_LINEDOWN);
    EXPECT_FALSE(tip->IsTipShown());
}

TEST_F(GridMouseWindow, DraggingAColumnDividerShowsTheLineAndResizesTheColumn)
{
    Shape();
    // Column 1 spans x 60..119; its divider with column 2 lies at x 120.
    Send(wxEVT_MOTION, 121, 8);
    EXPECT_EQ(grid->GetMouseMode(), GMM_OVER_COLUMN_DIVIDER);
    Send(wxEVT_LEFT_DOWN, 121, 8);
    EXPECT_EQ(grid->GetMouseMode(), GMM_SIZING_COLUMN);
    EXPECT_TRUE(grid->HasCapture());
    Send(wxEVT_MOTION, 171, 30);
    Pump();

    // The line is painted down the whole client area over the cells.
    const wxImage during = Screen(grid);
    const wxColour ink = CGridDcSurface::ToColour(grid->GetSysColor(NGridSysColor::WindowText));
    EXPECT_EQ(Pixel(during, 171, 5), ink);
    EXPECT_EQ(Pixel(during, 172, 90), ink);
    EXPECT_NE(Pixel(during, 173, 90), ink);
    EXPECT_NE(Pixel(during, 121, 90), ink); // nothing left where it started

    Send(wxEVT_LEFT_UP, 171, 8);
    EXPECT_EQ(grid->GetColumnWidth(1), 111);
    EXPECT_FALSE(grid->HasCapture());
    Pump();
    const wxImage after = Screen(grid);
    EXPECT_NE(Pixel(after, 172, 90), ink);
    // The release left the pointer on the divider again, so a double-click auto-sizes.
    EXPECT_EQ(grid->GetMouseMode(), GMM_OVER_COLUMN_DIVIDER);
    grid->SetItemText(0, 1, L"A heading of some length");
    Send(wxEVT_LEFT_DCLICK, 171, 8);
    EXPECT_NE(grid->GetColumnWidth(1), 111);
}

TEST_F(GridMouseWindow, DoubleClickOnADividerOnlyResizesTheColumn)
{
    // GTK's sequence, and the one without the second press (wx drops it when
    // the double-click already waits behind it).
    const std::vector<wxEventType> gtk = {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_LEFT_DOWN, wxEVT_LEFT_DCLICK,
                                          wxEVT_LEFT_UP};
    const std::vector<wxEventType> folded = {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_LEFT_DCLICK,
                                             wxEVT_LEFT_UP};
    int clicks = 0;
    // As the series page does, a click on a heading sorts by its column.
    frame->Bind(GRID_EVT_NOTIFY,
                [this, &clicks](CGridNotifyEvent& event)
                {
                    if (event.GetCode() == NM_CLICK && event.GetRow() == 0)
                    {
                        ++clicks;
                        const int col = event.GetCol();
                        grid->SortTextItems(col,
                                            col == grid->GetSortColumn() ? !grid->GetSortAscending() : true);
                    }
                });
    for (const auto& events : {gtk, folded})
    {
        Shape();
        grid->SetSortOnHeadingClick(true);
        grid->SetSortColumn(3);
        grid->SetSortAscending(true);
        grid->SetItemText(0, 1, L"A heading much wider than sixty pixels");
        clicks = 0;
        // Column 1 spans x 60..119; its divider with column 2 lies at x 120.
        Send(wxEVT_MOTION, 120, 8);
        ASSERT_EQ(grid->GetMouseMode(), GMM_OVER_COLUMN_DIVIDER);
        std::vector<int> widths;
        for (const wxEventType type : events)
        {
            Send(type, 120, 8);
            if (widths.empty() || widths.back() != grid->GetColumnWidth(1))
                widths.push_back(grid->GetColumnWidth(1));
        }
        const std::string name = events.size() == gtk.size() ? "GTK's sequence" : "folded";
        EXPECT_EQ(widths.size(), 2u) << name << ": the width changes once";
        EXPECT_GT(widths.back(), 60) << name;
        EXPECT_EQ(grid->GetColumnWidth(2), 60) << name;
        EXPECT_EQ(clicks, 0) << name;
        EXPECT_EQ(grid->GetSortColumn(), 3) << name;
        EXPECT_TRUE(grid->GetSortAscending()) << name;
        EXPECT_EQ(grid->GetTrackLinePos(), -1) << name;
        EXPECT_FALSE(grid->HasCapture()) << name;
    }
}

TEST_F(GridMouseWindow, DemoWithATipIsSavedAsAScreenshot)
{
    frame->SetClientSize(640, 360);
    BuildSeriesDemo(*grid, 40);
    Pump();
    // The mean value of series 2 (row 3).
    SGridRect cell;
    ASSERT_TRUE(grid->GetCellRect(3, 3, &cell));
    const wxPoint pointer((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
    Send(wxEVT_MOTION, pointer.x, pointer.y);
    CGridTipWindow* tip = grid->GetTipWindow();
    ASSERT_NE(tip, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return tip->IsTipShown(); }));
    EXPECT_EQ(tip->GetTitle(), wxString(L"Series 2"));

    // The grid as the screen shows it, with the tip laid over at its place.
    const wxSize client = grid->GetClientSize();
    const wxPoint offset = tip->GetScreenPosition() - grid->ClientToScreen(wxPoint(0, 0));
    const wxSize size = tip->GetSize();
    wxBitmap shot(std::max(client.GetWidth(), offset.x + size.GetWidth()),
                  std::max(client.GetHeight(), offset.y + size.GetHeight()), 24);
    {
        wxMemoryDC dc(shot);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        grid->RenderClient(dc);
        dc.SetDeviceOrigin(offset.x, offset.y);
        tip->PaintFace(dc);
    }
    const wxImage image = shot.ConvertToImage();
    ASSERT_TRUE(image.SaveFile(TERRION_GRID_ARTEFACTS "/grid_demo_tip.png", wxBITMAP_TYPE_PNG));
    // The tip's frame is drawn where the tip stands.
    EXPECT_EQ(Pixel(image, offset.x, offset.y + 5), wxSystemSettings::GetColour(wxSYS_COLOUR_INFOTEXT));
}

} // namespace
