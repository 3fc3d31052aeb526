// The grid's mouse without a display: presses, drags and releases as tables
// of events against mode, focus, selection and notifications; divider
// dragging and double-clicks; the auto-scroll timer; hot spots.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "grid/GridCell.h"
#include "grid/GridCore.h"
#include "tests/grid/FakeGridHost.h"
#include "tests/grid/FakeGridSurface.h"

namespace
{

/// A grid whose keyboard and editing entry points only record their calls.
class CMouseGrid : public CGridCore
{
public:
    struct SEdit
    {
        int row;
        int col;
        SGridPoint point;
        unsigned firstChar;
    };
    void OnKeyDown(unsigned key) override { keys.push_back(key); }
    void OnEditCell(int row, int col, SGridPoint point, unsigned firstChar) override
    {
        edits.push_back(SEdit{row, col, point, firstChar});
    }
    std::vector<unsigned> keys;
    std::vector<SEdit> edits;
};

/// A cell that logs its mouse hooks as "hook row,col".
class CHookCell : public CGridCell
{
public:
    void OnClick(SGridPoint) override { Log("click"); }
    void OnClickDown(SGridPoint) override { Log("down"); }
    void OnRClick(SGridPoint) override { Log("rclick"); }
    void OnDblClick(SGridPoint) override { Log("dblclick"); }
    void OnMouseEnter() override { Log("enter"); }
    void OnMouseLeave() override { Log("leave"); }
    static inline std::vector<std::string>* log = nullptr;

private:
    void Log(const char* hook)
    {
        if (log)
            log->push_back(std::string(hook) + " " + std::to_string(GetRow()) + "," +
                           std::to_string(GetColumn()));
    }
};

std::string CodeName(int code)
{
    switch (code)
    {
    case NM_CLICK:
        return "click";
    case NM_DBLCLK:
        return "dblclk";
    case NM_RCLICK:
        return "rclick";
    case GRIDN_SELCHANGING:
        return "changing";
    case GRIDN_SELCHANGED:
        return "changed";
    case GRIDN_FOCUSCHANGED:
        return "focus";
    default:
        return std::to_string(code);
    }
}

/// A 400 x 300 window over a grid with one heading row of 20 pixels and
/// body rows of 20 pixels, columns 50 wide: row r >= 1 lies at y = 20 r,
/// column c at x = 50 c.
struct SMouseFixture
{
    explicit SMouseFixture(int rows = 10, int cols = 4, int fixedCols = 0)
    {
        grid.AttachHost(&host, 101);
        grid.OnCreate();
        grid.SetRowCount(rows);
        grid.SetColumnCount(cols);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(fixedCols);
        for (int r = 0; r < rows; ++r)
            grid.SetRowHeight(r, 20);
        for (int c = 0; c < cols; ++c)
            grid.SetColumnWidth(c, 50);
        grid.ResetScrollBars();
        host.notifications.clear();
    }
    /// The notifications since the last call, as "code row,col".
    std::vector<std::string> Notes()
    {
        std::vector<std::string> out;
        for (const SGridNotify& n : host.notifications)
            out.push_back(CodeName(n.hdr.code) + " " + std::to_string(n.row) + "," + std::to_string(n.col));
        host.notifications.clear();
        return out;
    }
    std::vector<int> SelectedRows()
    {
        std::vector<int> rows;
        for (int r = 0; r < grid.GetRowCount(); ++r)
            if (grid.IsCellSelected(r, grid.GetColumnCount() - 1))
                rows.push_back(r);
        return rows;
    }
    /// The middle of a cell.
    static SGridPoint At(int row, int col) { return SGridPoint{50 * col + 25, 20 * row + 10}; }

    CFakeGridHost host;
    CMouseGrid grid;
};

using TNotes = std::vector<std::string>;

struct SEvent
{
    enum NKind
    {
        Down,
        Move,
        Up,
        RightUp,
    } kind;
    SGridPoint point;
    unsigned keys = 0;
};

struct SClickCase
{
    const char* name;
    std::function<void(SMouseFixture&)> setup;
    std::vector<SEvent> events;
    TNotes notes;
    NGridMouseMode mode;
    CGridCellPos focus;
    std::vector<int> selectedRows;
    int edits;
    int commands;
};

TEST(GridMouse, PressesAndReleasesFollowTheirModesAndNotifyInOrder)
{
    using S = SMouseFixture;
    auto list = [](S& f) { f.grid.SetListMode(true); };
    auto listWithFocus = [](S& f)
    {
        f.grid.SetListMode(true);
        f.grid.SetFocusCell(3, 1);
    };
    const SClickCase cases[] = {
        {"heading click clears the focus; changed (-1,-1) and click on release",
         listWithFocus,
         {{SEvent::Down, S::At(0, 1)}, {SEvent::Up, S::At(0, 1)}},
         {"focus -1,-1", "changing 0,1", "changing 0,1", "changed -1,-1", "click 0,1"},
         GMM_NONE,
         {-1, -1},
         {},
         0,
         1},
        {"press on a heading enters column mode",
         listWithFocus,
         {{SEvent::Down, S::At(0, 2)}},
         {"focus -1,-1", "changing 0,2", "changing 0,2"},
         GMM_SELECT_COLUMN,
         {-1, -1},
         {},
         0,
         0},
        {"press and release on a row select it",
         list,
         {{SEvent::Down, S::At(4, 2)}, {SEvent::Up, S::At(4, 2)}},
         {"focus 4,2", "changing 4,2", "changing 4,2", "changed 4,2", "click 4,2"},
         GMM_NONE,
         {4, 2},
         {4},
         0,
         1},
        {"dragging over rows extends the selection and the focus",
         list,
         {{SEvent::Down, S::At(2, 0)}, {SEvent::Move, S::At(5, 1)}, {SEvent::Up, S::At(5, 1)}},
         {"focus 2,0", "changing 2,0", "changing 2,0", "changing 5,1", "focus 5,1", "changed 5,1",
          "click 2,0"},
         GMM_NONE,
         {5, 1},
         {2, 3, 4, 5},
         0,
         1},
        {"shift-click without an anchor extends from the focus cell",
         [](S& f)
         {
             f.grid.SetListMode(true);
             f.grid.SetFocusCell(2, 1);
         },
         {{SEvent::Down, S::At(6, 1), GRID_MK_SHIFT}},
         {"focus 6,1", "changing 6,1", "changing 6,1"},
         GMM_SELECT_ROWS,
         {6, 1},
         {2, 3, 4, 5, 6},
         0,
         0},
        {"ctrl-click on a selected row deselects it and sends no click",
         [](S& f)
         {
             f.grid.SetListMode(true);
             f.grid.OnLButtonDown(S::At(2, 1));
             f.grid.OnLButtonUp(S::At(2, 1));
             f.host.modifiers = GRID_MK_SHIFT;
             f.grid.OnLButtonDown(S::At(5, 1));
             f.grid.OnLButtonUp(S::At(5, 1));
             f.host.modifiers = 0;
             f.host.commands = 0;
         },
         {{SEvent::Down, S::At(4, 2), GRID_MK_CONTROL}},
         {"focus 4,2"},
         GMM_NONE,
         {4, 2},
         {2, 3, 5},
         0,
         0},
        {"press on the focus cell's text edits on release, not on press",
         listWithFocus,
         {{SEvent::Down, S::At(3, 1)}},
         {},
         GMM_PREPARE_EDIT,
         {3, 1},
         {},
         0,
         0},
        {"release after a press on the focus cell's text opens the edit",
         listWithFocus,
         {{SEvent::Down, S::At(3, 1)}, {SEvent::Up, S::At(3, 1)}},
         {},
         GMM_NONE,
         {3, 1},
         {},
         1,
         1},
        {"ctrl-press on the focus cell's text selects instead of editing",
         listWithFocus,
         {{SEvent::Down, S::At(3, 1), GRID_MK_CONTROL}, {SEvent::Up, S::At(3, 1), GRID_MK_CONTROL}},
         {"changing 3,1", "changing 3,1", "changed 3,1", "click 3,1"},
         GMM_NONE,
         {3, 1},
         {3},
         0,
         1},
        {"moving after a press on the focus text drops the selection on release",
         [](S& f)
         {
             f.grid.SetListMode(true);
             f.grid.OnLButtonDown(S::At(3, 1));
             f.grid.OnLButtonUp(S::At(3, 1));
             f.host.notifications.clear();
             f.host.commands = 0;
         },
         {{SEvent::Down, S::At(3, 1)}, {SEvent::Move, S::At(3, 2)}, {SEvent::Up, S::At(3, 2)}},
         {"click 3,1", "changing 3,1", "focus -1,-1", "changed -1,-1"},
         GMM_NONE,
         {-1, -1},
         {},
         0,
         1},
        {"press outside every cell clicks nothing",
         listWithFocus,
         {{SEvent::Down, {300, 250}}, {SEvent::Move, {310, 260}}, {SEvent::Up, {310, 260}}},
         {},
         GMM_NONE,
         {3, 1},
         {},
         0,
         0},
        {"right click outside every cell leaves the focus",
         listWithFocus,
         {{SEvent::RightUp, {300, 250}}},
         {"rclick -1,-1"},
         GMM_NONE,
         {3, 1},
         {},
         0,
         0},
        {"right click on a cell moves the focus there",
         listWithFocus,
         {{SEvent::RightUp, S::At(5, 2)}},
         {"focus -1,-1", "focus 5,2", "rclick 5,2"},
         GMM_NONE,
         {5, 2},
         {},
         0,
         0},
    };
    for (const SClickCase& c : cases)
    {
        SMouseFixture f;
        c.setup(f);
        f.host.notifications.clear();
        for (const SEvent& e : c.events)
        {
            f.host.modifiers = e.keys;
            switch (e.kind)
            {
            case SEvent::Down:
                f.grid.OnLButtonDown(e.point);
                break;
            case SEvent::Move:
                f.grid.OnMouseMove(e.point);
                break;
            case SEvent::Up:
                f.grid.OnLButtonUp(e.point);
                break;
            case SEvent::RightUp:
                f.grid.OnRButtonUp(e.point);
                break;
            }
        }
        EXPECT_EQ(f.Notes(), c.notes) << c.name;
        EXPECT_EQ(f.grid.GetMouseMode(), c.mode) << c.name;
        EXPECT_EQ(f.grid.GetFocusCell(), c.focus) << c.name;
        EXPECT_EQ(f.SelectedRows(), c.selectedRows) << c.name;
        EXPECT_EQ(f.grid.edits.size(), static_cast<size_t>(c.edits)) << c.name;
        EXPECT_EQ(f.host.commands, c.commands) << c.name;
    }
}

TEST(GridMouse, CellsHearTheirHooksAndTheEditStartsWithTheRelativePoint)
{
    SMouseFixture f;
    std::vector<std::string> log;
    CHookCell::log = &log;
    for (int r = 0; r < 10; ++r)
        for (int c = 0; c < 4; ++c)
            f.grid.SetCellType<CHookCell>(r, c);
    f.grid.SetFocusCell(3, 1);

    f.grid.OnMouseMove(SGridPoint{60, 65});
    f.grid.OnMouseMove(SGridPoint{110, 65});
    f.grid.OnLButtonDown(SGridPoint{60, 65});
    f.grid.OnLButtonUp(SGridPoint{62, 66});
    f.grid.OnRButtonUp(SGridPoint{160, 85});
    CHookCell::log = nullptr;
    EXPECT_EQ(log,
              (std::vector<std::string>{"enter 3,1", "leave 3,1", "enter 3,2", "down 3,1", "rclick 4,3"}));
    ASSERT_EQ(f.grid.edits.size(), 1u);
    EXPECT_EQ(f.grid.edits[0].row, 3);
    EXPECT_EQ(f.grid.edits[0].col, 1);
    EXPECT_EQ(f.grid.edits[0].point, (SGridPoint{12, 6}));
    EXPECT_EQ(f.grid.edits[0].firstChar, static_cast<unsigned>(VK_LBUTTON));
}

struct SDividerCase
{
    const char* name;
    SGridPoint press;
    SGridPoint move;
    SGridPoint release;
    int width; ///< of column 1 afterwards
    int line;  ///< the tracking line's x after the move
};

TEST(GridMouse, DraggingAColumnDividerResizesTheColumnLeftOfIt)
{
    // Column 1 spans x 50..99; its divider with column 2 lies at x 100.
    const SDividerCase cases[] = {
        {"wider", {100, 5}, {130, 8}, {130, 8}, 80, 130},
        {"grabbed just left of the divider", {98, 5}, {120, 5}, {120, 5}, 70, 120},
        {"to the column's left edge hides it", {100, 5}, {50, 5}, {50, 5}, 0, 50},
        {"past the left edge is held at the edge", {100, 5}, {10, 5}, {-40, 5}, 0, 50},
        {"released where pressed keeps the width", {100, 5}, {140, 5}, {100, 5}, 50, 140},
        {"past the client area the pointer stops at its bounds", {100, 5}, {390, 5}, {1000, 5}, 400, 390},
    };
    for (const SDividerCase& c : cases)
    {
        SMouseFixture f;
        f.grid.OnMouseMove(c.press);
        ASSERT_EQ(f.grid.GetMouseMode(), GMM_OVER_COLUMN_DIVIDER) << c.name;
        EXPECT_EQ(f.host.cursor, NGridCursor::SizeWE) << c.name;
        f.grid.OnLButtonDown(c.press);
        ASSERT_EQ(f.grid.GetMouseMode(), GMM_SIZING_COLUMN) << c.name;
        EXPECT_EQ(f.grid.GetClickDownCell().col, 1) << c.name;
        EXPECT_EQ(f.grid.GetTrackLinePos(), c.press.x) << c.name;
        EXPECT_TRUE(f.host.captured) << c.name;

        f.host.invalidated.clear();
        f.grid.OnMouseMove(c.move);
        EXPECT_EQ(f.grid.GetTrackLinePos(), c.line) << c.name;
        // The old band and the new one are repainted.
        EXPECT_EQ(f.host.invalidated,
                  (std::vector<SGridRect>{{c.press.x, 0, c.press.x + 2, 300}, {c.line, 0, c.line + 2, 300}}))
            << c.name;
        CFakeGridSurface dc({0, 0, 400, 300});
        f.grid.OnDraw(dc, false);
        const auto fills = dc.Of(CFakeGridSurface::NOp::Fill);
        ASSERT_FALSE(fills.empty()) << c.name;
        EXPECT_EQ(fills.back().rect, (SGridRect{c.line, 0, c.line + 2, 300})) << c.name;
        EXPECT_EQ(fills.back().color, GridRgb(0, 0, 0)) << c.name;

        f.grid.OnLButtonUp(c.release);
        EXPECT_EQ(f.grid.GetColumnWidth(1), c.width) << c.name;
        EXPECT_EQ(f.grid.GetColumnWidth(0), 50) << c.name;
        EXPECT_EQ(f.grid.GetTrackLinePos(), -1) << c.name;
        EXPECT_FALSE(f.host.captured) << c.name;
        EXPECT_EQ(f.Notes(), TNotes{}) << c.name;
    }
}

TEST(GridMouse, LosingTheCaptureDuringADividerDragLeavesNoLineBehind)
{
    SMouseFixture f;
    f.grid.OnMouseMove({100, 5});
    f.grid.OnLButtonDown({100, 5});
    f.grid.OnMouseMove({140, 5});
    ASSERT_EQ(f.grid.GetTrackLinePos(), 140);
    f.grid.OnCaptureChanged(false);
    EXPECT_EQ(f.grid.GetTrackLinePos(), -1);
    EXPECT_EQ(f.grid.GetMouseMode(), GMM_NONE);
    // Later moves with the button up neither draw the line nor resize.
    f.grid.OnMouseMove({160, 50});
    f.grid.OnLButtonUp({160, 50});
    EXPECT_EQ(f.grid.GetTrackLinePos(), -1);
    EXPECT_EQ(f.grid.GetColumnWidth(1), 50);
}

TEST(GridMouse, DraggingARowDividerResizesTheRowAboveIt)
{
    SMouseFixture f(10, 4, 1);
    // Row 2 spans y 40..59; the divider with row 3 lies at y 60.
    f.grid.OnMouseMove({20, 61});
    ASSERT_EQ(f.grid.GetMouseMode(), GMM_OVER_ROW_DIVIDER);
    f.grid.OnLButtonDown({20, 61});
    ASSERT_EQ(f.grid.GetMouseMode(), GMM_SIZING_ROW);
    f.grid.OnMouseMove({20, 75});
    EXPECT_EQ(f.grid.GetTrackLinePos(), 75);
    f.grid.OnLButtonUp({20, 75});
    EXPECT_EQ(f.grid.GetRowHeight(2), 35);
    EXPECT_EQ(f.grid.GetRowHeight(3), 20);

    // With row resizing off the same place only selects.
    f.grid.SetAllowRowResize(false);
    f.grid.OnMouseMove({20, 61});
    EXPECT_EQ(f.grid.GetMouseMode(), GMM_NONE);
}

TEST(GridMouse, DoubleClickOnADividerAutoSizesTheVisibleColumnOrRowBeforeIt)
{
    SMouseFixture f(10, 4, 1);
    f.grid.SetItemText(0, 0, L"A rather long heading");
    f.grid.SetItemText(0, 2, L"Also quite long");
    f.grid.SetColumnWidth(1, 0);
    // Column 1 is hidden: the divider at x 50 belongs to column 0.
    f.grid.OnMouseMove({50, 5});
    ASSERT_EQ(f.grid.GetMouseMode(), GMM_OVER_COLUMN_DIVIDER);
    f.grid.OnLButtonDblClk({50, 5});
    EXPECT_GT(f.grid.GetColumnWidth(0), 50);
    EXPECT_EQ(f.grid.GetColumnWidth(1), 0);
    EXPECT_EQ(f.grid.GetColumnWidth(2), 50);

    // The row above a row divider, skipping a hidden row.
    f.grid.SetColumnWidth(0, 50);
    f.grid.SetItemText(2, 0, L"Two\nlines");
    f.grid.SetItemFormat(2, 0, DT_WORDBREAK);
    f.grid.SetRowHeight(3, 0);
    f.grid.OnMouseMove({20, 61}); // top edge of row 4, which follows the hidden row 3
    ASSERT_EQ(f.grid.GetMouseMode(), GMM_OVER_ROW_DIVIDER);
    f.grid.OnLButtonDblClk({20, 61});
    EXPECT_GT(f.grid.GetRowHeight(2), 20);
    EXPECT_EQ(f.grid.GetRowHeight(3), 0);
    EXPECT_EQ(f.Notes(), TNotes{});
}

TEST(GridMouse, DoubleClickOnACellTextEditsItAndNotifies)
{
    SMouseFixture f;
    f.grid.SetListMode(true);
    f.grid.OnLButtonDblClk(SMouseFixture::At(4, 2));
    ASSERT_EQ(f.grid.edits.size(), 1u);
    EXPECT_EQ(f.grid.edits[0].row, 4);
    EXPECT_EQ(f.Notes(), TNotes{"dblclk 4,2"});
    // Outside every cell nothing happens at all.
    f.grid.OnLButtonDblClk({300, 250});
    EXPECT_EQ(f.Notes(), TNotes{});
    EXPECT_EQ(f.grid.edits.size(), 1u);
}

TEST(GridMouse, AutoScrollTimerBelowTheGridMovesDownAndExtendsTheSelection)
{
    SMouseFixture f(40, 4);
    f.grid.SetListMode(true);
    ASSERT_TRUE(f.host.barShown[SB_VERT]);
    f.grid.OnLButtonDown(SMouseFixture::At(3, 1));
    EXPECT_EQ(f.host.timerId, 0x201);
    EXPECT_EQ(f.host.timerInterval, 25);
    f.host.notifications.clear();

    f.host.cursorPos = SGridPoint{60, 340}; // below the 300-pixel client area
    f.grid.OnTimer(0x201);
    EXPECT_EQ(f.grid.keys, std::vector<unsigned>{VK_DOWN});
    // The cell at the bottom edge (y 300) is row 15.
    EXPECT_EQ(f.Notes(), TNotes{"changing 15,1"});
    EXPECT_EQ(f.SelectedRows().front(), 3);
    EXPECT_EQ(f.SelectedRows().back(), 15);

    f.host.cursorPos = SGridPoint{-20, 5}; // above the body and left of it
    f.grid.OnTimer(0x201);
    EXPECT_EQ(f.grid.keys, (std::vector<unsigned>{VK_DOWN, VK_UP, VK_LEFT}));
    f.grid.OnTimer(7);
    EXPECT_EQ(f.grid.keys.size(), 3u);

    // Losing the capture to another window stops the timer.
    f.grid.OnCaptureChanged(false);
    EXPECT_EQ(f.host.timerId, 0);
}

TEST(GridMouse, HotSpotTipIsReplacedOnlyWhenItChangesAndGoesWhereThereIsNone)
{
    SMouseFixture f;
    const SGridRect spot{5, 5, 20, 15};
    f.grid.GetCell(3, 1)->AddHotSpot(&spot, L"Measurement number 4", L"12.5 k");
    f.grid.GetCell(3, 2)->AddHotSpot(nullptr, L"Whole", L"cell");

    f.grid.OnMouseMove({58, 68});
    ASSERT_EQ(f.host.tips.size(), 1u);
    EXPECT_EQ(f.host.tips[0].rect, (SGridRect{55, 65, 70, 75}));
    EXPECT_EQ(f.host.tips[0].title, L"Measurement number 4");
    EXPECT_EQ(f.host.tips[0].text, L"12.5 k");

    f.grid.OnMouseMove({60, 70}); // the same spot
    EXPECT_EQ(f.host.tips.size(), 1u);

    f.grid.OnMouseMove({110, 70}); // another spot: the whole of cell (3, 2)
    ASSERT_EQ(f.host.tips.size(), 2u);
    EXPECT_EQ(f.host.tips[1].rect, (SGridRect{100, 60, 150, 80}));

    const int pops = f.host.tipPops;
    f.grid.OnMouseMove({60, 90}); // no spot
    EXPECT_FALSE(f.host.tipTool);
    EXPECT_EQ(f.host.tipPops, pops + 1);

    // Back on the spot after a scroll hid the tip: it is put up again.
    f.grid.OnMouseMove({58, 68});
    EXPECT_EQ(f.host.tips.size(), 3u);
    f.grid.OnVScroll(SB_LINEDOWN);
    EXPECT_EQ(f.host.tipPops, pops + 2);
    f.grid.OnMouseLeaveWindow();
    EXPECT_EQ(f.host.tipPops, pops + 3);
    f.grid.OnVScroll(SB_TOP);
    f.grid.OnMouseMove({58, 68});
    EXPECT_EQ(f.host.tips.size(), 4u);
}

TEST(GridMouse, CursorFollowsDividersAndCells)
{
    SMouseFixture f;
    f.grid.OnMouseMove({100, 5});
    f.host.cursor = NGridCursor::Wait;
    f.grid.OnSetCursor({100, 5});
    EXPECT_EQ(f.host.cursor, NGridCursor::SizeWE);
    f.grid.OnMouseMove({75, 50});
    EXPECT_EQ(f.grid.GetMouseMode(), GMM_NONE);
    f.host.cursor = NGridCursor::Wait;
    f.grid.OnSetCursor({75, 50});
    EXPECT_EQ(f.host.cursor, NGridCursor::Arrow);
}

TEST(GridMouse, NoAnchorOrHoveredCellOutlivesItsRows)
{
    struct SCase
    {
        const char* name;
        std::function<void(SMouseFixture&)> refill;
    };
    auto rebuild = [](SMouseFixture& f)
    {
        f.grid.SetRowCount(12);
        f.grid.SetColumnCount(4);
        f.grid.SetFixedRowCount(1);
        for (int r = 0; r < 12; ++r)
            f.grid.SetRowHeight(r, 20);
        for (int c = 0; c < 4; ++c)
            f.grid.SetColumnWidth(c, 50);
    };
    const SCase cases[] = {
        {"all items deleted", [&](SMouseFixture& f) { f.grid.DeleteAllItems(), rebuild(f); }},
        {"row count shrunk", [&](SMouseFixture& f) { f.grid.SetRowCount(2), rebuild(f); }},
    };
    for (const SCase& c : cases)
    {
        SMouseFixture f(12);
        f.grid.SetListMode(true);
        f.grid.OnLButtonDown(SMouseFixture::At(10, 1));
        f.grid.OnLButtonUp(SMouseFixture::At(10, 1));
        f.grid.OnMouseMove(SMouseFixture::At(10, 1)); // the pointer rests over row 10
        ASSERT_EQ(f.SelectedRows(), (std::vector<int>{10})) << c.name;

        c.refill(f);
        std::vector<std::string> log;
        CHookCell::log = &log;
        for (int r = 0; r < 12; ++r)
            for (int col = 0; col < 4; ++col)
                f.grid.SetCellType<CHookCell>(r, col);
        f.grid.OnMouseMove(SMouseFixture::At(5, 1));
        f.host.modifiers = GRID_MK_SHIFT;
        f.grid.OnLButtonDown(SMouseFixture::At(5, 1));
        f.grid.OnLButtonUp(SMouseFixture::At(5, 1));
        CHookCell::log = nullptr;
        EXPECT_EQ(f.SelectedRows(), (std::vector<int>{5})) << c.name << ": no anchor from before the refill";
        EXPECT_EQ(std::count(log.begin(), log.end(), "leave 10,1"), 0)
            << c.name << ": a new cell left unentered";
        EXPECT_EQ(std::count(log.begin(), log.end(), "enter 5,1"), 1) << c.name;
    }
}

} // namespace
