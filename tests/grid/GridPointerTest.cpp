// The grid under the real pointer of the (virtual) display. The pointer is
// shared by every window there, so these cases run alone.
#include <chrono>
#include <functional>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "grid/GridCell.h"
#include "grid/GridCtrl.h"
#include "tests/grid/GridGuiPump.h"

namespace
{

/// A cell that asks for the hand cursor and counts the asks.
class CHandCell : public CGridCell
{
public:
    bool OnSetCursor() override
    {
        ++asked;
        if (GetGrid() && GetGrid()->GetHost())
            GetGrid()->GetHost()->HostSetCursor(NGridCursor::Hand);
        return true;
    }
    static inline int asked = 0;
};

class GridPointer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        frame = new wxFrame(nullptr, wxID_ANY, "grid pointer test", wxPoint(20, 20), wxSize(400, 300));
        grid = new CGridCtrl(frame, 101);
        // One heading row and body rows 20 high, columns 60 wide.
        grid->SetRowCount(8);
        grid->SetColumnCount(4);
        grid->SetFixedRowCount(1);
        for (int row = 0; row < 8; ++row)
            grid->SetRowHeight(row, 20);
        for (int col = 0; col < 4; ++col)
            grid->SetColumnWidth(col, 60);
        frame->Show();
        Pump();
    }
    void TearDown() override
    {
        // Out of the way of the windows the next tests open.
        mouse.MouseMove(wxPoint(1200, 1000));
        Pump();
        frame->Destroy();
        Pump();
    }

    wxFrame* frame = nullptr;
    CGridCtrl* grid = nullptr;
    wxUIActionSimulator mouse;
};

TEST_F(GridPointer, DraggingADividerResizesTheColumn)
{
    // Column 1 spans x 60..119; its divider with column 2 lies at x 120.
    const wxPoint start = grid->ClientToScreen(wxPoint(120, 8));
    ASSERT_TRUE(mouse.MouseMove(start));
    ASSERT_TRUE(PumpUntil([&] { return grid->GetMouseMode() == GMM_OVER_COLUMN_DIVIDER; }));
    ASSERT_TRUE(mouse.MouseDown());
    ASSERT_TRUE(PumpUntil([&] { return grid->GetMouseMode() == GMM_SIZING_COLUMN; }));
    ASSERT_TRUE(mouse.MouseMove(start + wxPoint(40, 10)));
    ASSERT_TRUE(PumpUntil([&] { return grid->GetTrackLinePos() == 160; }));
    ASSERT_TRUE(mouse.MouseUp());
    ASSERT_TRUE(PumpUntil([&] { return grid->GetColumnWidth(1) != 60; }));
    EXPECT_EQ(grid->GetColumnWidth(1), 100);
    EXPECT_EQ(grid->GetTrackLinePos(), -1);
}

TEST_F(GridPointer, DoubleClickOnADividerOnlyAutoSizesTheColumn)
{
    // As the series page does, a click on a heading sorts by its column.
    int headingClicks = 0;
    frame->Bind(GRID_EVT_NOTIFY,
                [this, &headingClicks](CGridNotifyEvent& event)
                {
                    if (event.GetCode() == NM_CLICK && event.GetRow() == 0)
                    {
                        ++headingClicks;
                        grid->SortTextItems(event.GetCol(), true);
                    }
                });
    grid->SetSortColumn(3);
    grid->SetItemText(0, 1, L"A heading much wider than sixty pixels");
    const wxPoint divider = grid->ClientToScreen(wxPoint(120, 8));
    ASSERT_TRUE(mouse.MouseMove(divider));
    ASSERT_TRUE(PumpUntil([&] { return grid->GetMouseMode() == GMM_OVER_COLUMN_DIVIDER; }));
    ASSERT_TRUE(mouse.MouseDblClick());
    ASSERT_TRUE(PumpUntil([&] { return grid->GetColumnWidth(1) > 60; }));
    const int width = grid->GetColumnWidth(1);
    // The release: the pointer now lies on the widened heading.
    ASSERT_TRUE(PumpUntil([&] { return grid->GetMouseMode() == GMM_NONE && !grid->HasCapture(); }));
    Pump();
    EXPECT_EQ(grid->GetColumnWidth(1), width);
    EXPECT_EQ(grid->GetColumnWidth(0), 60);
    EXPECT_EQ(grid->GetColumnWidth(2), 60);
    EXPECT_EQ(headingClicks, 0);
    EXPECT_EQ(grid->GetSortColumn(), 3);
}

TEST_F(GridPointer, TheCellUnderThePointerChoosesTheCursor)
{
    grid->SetCellType<CHandCell>(3, 2);
    CHandCell::asked = 0;
    ASSERT_TRUE(mouse.MouseMove(grid->ClientToScreen(wxPoint(140, 65))));
    ASSERT_TRUE(PumpUntil([&] { return CHandCell::asked > 0; }));
    EXPECT_TRUE(grid->GetCursor().IsOk());
}

} // namespace
