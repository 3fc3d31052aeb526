// Keyboard navigation of the grid core: key (with held keys) -> focus,
// selection and the owner's notifications, in their order.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/grid/GridTestCells.h"

namespace
{

struct SNote
{
    int code;
    int row;
    int col;
    friend bool operator==(const SNote&, const SNote&) = default;
};

std::string Describe(const std::vector<SNote>& notes)
{
    std::string out;
    for (const SNote& n : notes)
        out += "(" + std::to_string(n.code) + " " + std::to_string(n.row) + "," + std::to_string(n.col) + ")";
    return out;
}

std::vector<SNote> Notes(const CFakeGridHost& host)
{
    std::vector<SNote> notes;
    for (const SGridNotify& n : host.notifications)
        notes.push_back({n.hdr.code, n.row, n.col});
    return notes;
}

/// The notifications of one keyboard move to `cell`.
std::vector<SNote> Moved(int row, int col)
{
    return {{GRIDN_SELCHANGING, row, col},
            {GRIDN_SELCHANGING, row, col},
            {GRIDN_SELCHANGED, row, col},
            {GRIDN_FOCUSCHANGED, row, col}};
}

struct SPress
{
    unsigned key;
    unsigned modifiers = 0;
};

struct SKeyCase
{
    const char* name;
    std::function<void(CGridCore&)> setup; // on 10 x 5 cells, 1 fixed row and column, 20 x 50 pixels
    CGridCellPos focus;                    // before the keys
    std::vector<SPress> keys;              // notifications are checked for the last one
    CGridCellPos expectFocus;
    std::vector<SNote> expectNotes;
    CGridCellRange expectSelection; // (rows, cols, -1, -1) for none
};

const CGridCellRange kNone(10, 5, -1, -1);

void HideRows(CGridCore& grid, std::initializer_list<int> rows)
{
    for (int row : rows)
        grid.SetRowHeight(row, 0);
}

TEST(GridKeys, KeyPressesMoveFocusSelectAndNotifyInOrder)
{
    const auto none = [](CGridCore&) {};
    const SKeyCase cases[] = {
        {"Ctrl+S without focus still reports",
         none,
         {-1, -1},
         {{'S', GRID_MK_CONTROL}},
         {-1, -1},
         {{GRIDN_KEYCOMMAND, 'S', 2}},
         kNone},
        {"no focus: arrows do nothing", none, {-1, -1}, {{VK_DOWN}}, {-1, -1}, {}, kNone},
        {"down", none, {1, 1}, {{VK_DOWN}}, {2, 1}, Moved(2, 1), {2, 1, 2, 1}},
        {"down skips rows of height 0",
         [](CGridCore& g) {
             HideRows(g, {3, 4});
         },
         {2, 1},
         {{VK_DOWN}},
         {5, 1},
         Moved(5, 1),
         {5, 1, 5, 1}},
        {"up stops at the first non-fixed row", none, {1, 2}, {{VK_UP}}, {1, 2}, {}, kNone},
        {"down with every row below hidden stays",
         [](CGridCore& g) {
             HideRows(g, {8, 9});
         },
         {7, 1},
         {{VK_DOWN}},
         {7, 1},
         {},
         kNone},
        {"right skips hidden columns",
         [](CGridCore& g) { g.SetColumnWidth(2, 0); },
         {1, 1},
         {{VK_RIGHT}},
         {1, 3},
         Moved(1, 3),
         {1, 3, 1, 3}},
        {"right skips a span's inner columns",
         [](CGridCore& g) { g.MergeCells(2, 1, 3); },
         {2, 1},
         {{VK_RIGHT}},
         {2, 4},
         Moved(2, 4),
         {2, 4, 2, 4}},
        {"left stops at the first non-fixed column", none, {3, 1}, {{VK_LEFT}}, {3, 1}, {}, kNone},
        {"tab moves right", none, {1, 1}, {{VK_TAB}}, {1, 2}, Moved(1, 2), {1, 2, 1, 2}},
        {"tab in the last column wraps",
         [](CGridCore& g) { g.SetColumnWidth(1, 0); },
         {1, 4},
         {{VK_TAB}},
         {2, 2},
         Moved(2, 2),
         {2, 2, 2, 2}},
        {"tab wraps over hidden rows",
         [](CGridCore& g) {
             HideRows(g, {2, 3});
         },
         {1, 4},
         {{VK_TAB}},
         {4, 1},
         Moved(4, 1),
         {4, 1, 4, 1}},
        {"tab with every row below hidden goes to the last row",
         [](CGridCore& g) {
             HideRows(g, {8, 9});
         },
         {7, 4},
         {{VK_TAB}},
         {9, 1},
         Moved(9, 1),
         {9, 1, 9, 1}},
        {"tab on the last cell stays", none, {9, 4}, {{VK_TAB}}, {9, 4}, {}, kNone},
        {"tab at the end of a row ending in a span wraps",
         [](CGridCore& g) { g.MergeCells(2, 1, 4); },
         {2, 1},
         {{VK_TAB}},
         {3, 1},
         Moved(3, 1),
         {3, 1, 3, 1}},
        {"shift+tab moves left", none, {2, 3}, {{VK_TAB, GRID_MK_SHIFT}}, {2, 2}, Moved(2, 2), {2, 2, 2, 2}},
        {"shift+tab wraps to the last shown column above",
         [](CGridCore& g)
         {
             g.SetColumnWidth(4, 0);
             HideRows(g, {3});
         },
         {4, 1},
         {{VK_TAB, GRID_MK_SHIFT}},
         {2, 3},
         Moved(2, 3),
         {2, 3, 2, 3}},
        {"shift+tab on the first cell stays", none, {1, 1}, {{VK_TAB, GRID_MK_SHIFT}}, {1, 1}, {}, kNone},
        {"shift+down extends from the anchor",
         none,
         {1, 1},
         {{VK_DOWN}, {VK_DOWN, GRID_MK_SHIFT}, {VK_RIGHT, GRID_MK_SHIFT}},
         {3, 2},
         Moved(3, 2),
         {2, 1, 3, 2}},
        {"shift+tab moves the anchor (tab counts as unshifted)",
         none,
         {1, 2},
         {{VK_DOWN}, {VK_DOWN, GRID_MK_SHIFT}, {VK_TAB, GRID_MK_SHIFT}},
         {3, 1},
         Moved(3, 1),
         {3, 1, 3, 1}},
        {"list mode selects whole rows",
         [](CGridCore& g) { g.SetListMode(true); },
         {1, 2},
         {{VK_DOWN}, {VK_DOWN, GRID_MK_SHIFT}},
         {3, 2},
         Moved(3, 2),
         {2, 1, 3, 4}},
        {"home", none, {5, 3}, {{VK_HOME}}, {5, 1}, Moved(5, 1), {5, 1, 5, 1}},
        {"home passes hidden columns",
         [](CGridCore& g) { g.SetColumnWidth(1, 0); },
         {5, 3},
         {{VK_HOME}},
         {5, 2},
         Moved(5, 2),
         {5, 2, 5, 2}},
        {"end", none, {5, 2}, {{VK_END}}, {5, 4}, Moved(5, 4), {5, 4, 5, 4}},
        {"ctrl+home",
         [](CGridCore& g) { HideRows(g, {1}); },
         {5, 3},
         {{VK_HOME, GRID_MK_CONTROL}},
         {2, 1},
         Moved(2, 1),
         {2, 1, 2, 1}},
        {"ctrl+end passes hidden rows",
         [](CGridCore& g) { HideRows(g, {9}); },
         {2, 2},
         {{VK_END, GRID_MK_CONTROL}},
         {8, 4},
         Moved(8, 4),
         {8, 4, 8, 4}},
        {"page down that cannot scroll goes to the last row",
         none,
         {2, 2},
         {{VK_NEXT}},
         {9, 2},
         Moved(9, 2),
         {9, 2, 9, 2}},
        {"page up that cannot scroll goes to the first row",
         none,
         {6, 2},
         {{VK_PRIOR}},
         {1, 2},
         Moved(1, 2),
         {1, 2, 1, 2}},
        {"space", none, {2, 2}, {{VK_SPACE}}, {2, 2}, {{GRIDN_KEYCOMMAND, VK_SPACE, 1}}, kNone},
        {"return", none, {2, 2}, {{VK_RETURN}}, {2, 2}, {{GRIDN_KEYCOMMAND, VK_RETURN, 1}}, kNone},
        {"delete", none, {2, 2}, {{VK_DELETE}}, {2, 2}, {{GRIDN_KEYCOMMAND, VK_DELETE, 1}}, kNone},
        {"ctrl+s with focus",
         none,
         {2, 2},
         {{'S', GRID_MK_CONTROL}},
         {2, 2},
         {{GRIDN_KEYCOMMAND, 'S', 2}},
         kNone},
        {"ctrl+a selects all",
         none,
         {2, 2},
         {{'A', GRID_MK_CONTROL}},
         {2, 2},
         {{GRIDN_SELCHANGING, -1, -1}, {GRIDN_SELCHANGED, 2, 2}},
         {1, 1, 9, 4}},
        {"a plain letter does nothing", none, {2, 2}, {{'A'}}, {2, 2}, {}, kNone},
    };
    for (const SKeyCase& c : cases)
    {
        SGridFixture f;
        f.Shape(10, 5, 1, 1, 20, 50);
        c.setup(f.grid);
        if (c.focus.IsValid())
            f.grid.SetFocusCell(c.focus);
        for (const SPress& press : c.keys)
        {
            f.host.notifications.clear();
            f.host.modifiers = press.modifiers;
            f.grid.OnKeyDown(press.key);
        }
        EXPECT_EQ(f.grid.GetFocusCell(), c.expectFocus) << c.name;
        EXPECT_EQ(Describe(Notes(f.host)), Describe(c.expectNotes)) << c.name;
        EXPECT_EQ(f.grid.GetSelectedCellRange(), c.expectSelection) << c.name;
        EXPECT_EQ(f.grid.GetMouseMode(), GMM_NONE) << c.name;
    }
}

TEST(GridKeys, MovingPastTheViewScrollsTheFocusIntoIt)
{
    // 40 rows of 20 pixels and 10 columns of 100 in a 400 x 300 window.
    SGridFixture f;
    f.Shape(40, 10, 1, 1, 20, 100);
    const CGridCellRange first = f.grid.GetVisibleNonFixedCellRange();
    f.grid.SetFocusCell(first.maxRow, 1);
    f.grid.OnKeyDown(VK_DOWN);
    EXPECT_TRUE(f.grid.IsCellVisible(first.maxRow + 1, 1));
    EXPECT_GT(f.grid.GetScrollPos32(SB_VERT), 0);

    // Page Down moves the focus by as many rows as the view moved.
    const int topBefore = f.grid.GetTopLeftNonFixedCell().row;
    const int rowBefore = f.grid.GetFocusCell().row;
    f.grid.OnKeyDown(VK_NEXT);
    const int moved = f.grid.GetTopLeftNonFixedCell().row - topBefore;
    EXPECT_GT(moved, 0);
    EXPECT_EQ(f.grid.GetFocusCell().row, rowBefore + moved);

    // Tab at the end of a row goes back to the left edge of the view.
    f.grid.SetFocusCell(5, 8);
    f.grid.OnKeyDown(VK_RIGHT);
    ASSERT_EQ(f.grid.GetFocusCell(), CGridCellPos(5, 9));
    EXPECT_GT(f.grid.GetScrollPos32(SB_HORZ), 0);
    f.grid.OnKeyDown(VK_TAB);
    EXPECT_EQ(f.grid.GetFocusCell(), CGridCellPos(6, 1));
    EXPECT_EQ(f.grid.GetScrollPos32(SB_HORZ), 0);
    EXPECT_TRUE(f.grid.IsCellVisible(6, 1));

    // Ctrl+End scrolls to the far corner, Ctrl+Home back.
    f.host.modifiers = GRID_MK_CONTROL;
    f.grid.OnKeyDown(VK_END);
    EXPECT_EQ(f.grid.GetFocusCell(), CGridCellPos(39, 9));
    EXPECT_TRUE(f.grid.IsCellVisible(39, 9));
    f.grid.OnKeyDown(VK_HOME);
    EXPECT_EQ(f.grid.GetFocusCell(), CGridCellPos(1, 1));
    EXPECT_EQ(f.grid.GetScrollPos32(SB_VERT), 0);
    EXPECT_EQ(f.grid.GetScrollPos32(SB_HORZ), 0);
}

TEST(GridKeys, PagingPastARowTallerThanTheViewReachesTheEndRowsOnlyAtTheEndsOfTheView)
{
    for (const bool wholeRows : {false, true})
    {
        // 30 rows of 20 pixels in a 280-pixel body; row 5 is 1000 high.
        SGridFixture f;
        f.Shape(30, 3, 1, 1, 20, 100);
        f.grid.SetRowHeight(5, 1000);
        f.grid.SetWholeRowScrolling(wholeRows);
        const char* mode = wholeRows ? "whole rows" : "pixels";
        // The view's end: the last page of the scroll range.
        const int end = f.grid.GetScrollMax(SB_VERT) - f.grid.GetScrollPage(SB_VERT) + 1;
        ASSERT_GT(end, 0);
        // What the view shows follows the top row, with pixels the position.
        const auto shown = [&f, wholeRows]
        { return wholeRows ? f.grid.GetTopLeftNonFixedCell().row : f.grid.GetScrollPos32(SB_VERT); };
        int pagesInTallRow = 0;
        // Presses of `key` (sign +1 down, -1 up) until the focus reaches edgeRow,
        // which it may only at the view's edgePos.
        const auto pageTo = [&](unsigned key, int sign, int edgeRow, int edgePos)
        {
            for (int press = 0; press < 40 && f.grid.GetFocusCell().row != edgeRow; ++press)
            {
                const int pos = f.grid.GetScrollPos32(SB_VERT);
                const int view = shown();
                const int row = f.grid.GetFocusCell().row;
                const int top = f.grid.GetTopLeftNonFixedCell().row;
                f.grid.OnKeyDown(key);
                const int rowNow = f.grid.GetFocusCell().row;
                // Every press moves on, the view or the focus, and neither goes back.
                EXPECT_TRUE(sign * (shown() - view) > 0 || sign * (rowNow - row) > 0) << mode << " " << press;
                EXPECT_GE(sign * (f.grid.GetScrollPos32(SB_VERT) - pos), 0) << mode;
                EXPECT_GE(sign * (rowNow - row), 0) << mode;
                EXPECT_TRUE(rowNow == row || f.grid.IsCellVisible(rowNow, 1)) << mode << " row " << rowNow;
                EXPECT_TRUE(rowNow != edgeRow || f.grid.GetScrollPos32(SB_VERT) == edgePos)
                    << mode << ": row " << edgeRow << " before the end of the view";
                if (top == 5 && f.grid.GetTopLeftNonFixedCell().row == 5)
                    ++pagesInTallRow;
            }
            EXPECT_EQ(f.grid.GetFocusCell().row, edgeRow) << mode;
        };
        f.grid.SetFocusCell(1, 1);
        pageTo(VK_NEXT, 1, 29, end);
        // With pixels the view shows the tall row page by page.
        EXPECT_EQ(pagesInTallRow > 0, !wholeRows) << mode;
        pageTo(VK_PRIOR, -1, 1, 0);
    }
}

TEST(GridKeys, SelectionCountFollowsPartialDeselection)
{
    SGridFixture f;
    f.Shape(10, 5, 1, 1, 20, 50);
    f.grid.SetSelectedRange(1, 1, 4, 4);
    ASSERT_EQ(f.grid.GetSelectedCount(), 16);
    f.grid.SetSelectedRange(3, 2, 6, 3, false, false);
    EXPECT_EQ(f.grid.GetSelectedCount(), 12);
    f.grid.SetSelectedRange(-1, -1, -1, -1);
    EXPECT_EQ(f.grid.GetSelectedCount(), 0);
    EXPECT_EQ(f.grid.GetSelectedCellRange(), CGridCellRange(10, 5, -1, -1));
}

TEST(GridKeys, FocusOnAFixedCellMovesToTheNearestBodyCell)
{
    SGridFixture f;
    f.Shape(10, 5, 1, 1, 20, 50);
    f.grid.SetFocusCell(0, 0);
    EXPECT_EQ(f.grid.GetFocusCell(), CGridCellPos(1, 1));
    EXPECT_TRUE(f.grid.GetCell(1, 1)->IsFocused());
}

} // namespace
