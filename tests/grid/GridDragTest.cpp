// The grid's side of drag-and-drop on a fake window: the drop target's
// answers and highlights, the drop, and the drag of the selection.
#include <gtest/gtest.h>

#include "grid/GridDropEffect.h"
#include "tests/grid/GridTextFixture.h"

namespace
{

// Cell (row, col) of the text grid lies at x 60 * col .. , y 20 * row ..
SGridPoint At(int row, int col)
{
    return SGridPoint{col * 60 + 30, row * 20 + 10};
}

TEST(GridDrag, WhileDragAndDropIsOffEveryDragEndsAtOnce)
{
    STextGrid f;
    EXPECT_FALSE(f.grid.GetDragAndDrop());
    EXPECT_EQ(f.grid.OnDragEnter(true, 0, At(1, 1)), DROPEFFECT_NONE);
    EXPECT_EQ(f.grid.OnDragOver(true, 0, At(1, 1)), DROPEFFECT_NONE);
    EXPECT_EQ(f.grid.GetItemState(1, 1) & GCS_DROPHILITED, 0u);
    const std::wstring text = L"dropped";
    EXPECT_FALSE(f.grid.OnDrop(&text, DROPEFFECT_MOVE, At(1, 1)));
    EXPECT_EQ(f.grid.GetItemText(1, 1), L"r1c1");

    // A press on a selected cell and a move select as ever, and drag nothing.
    f.Select(1, 1, 2, 2);
    f.grid.OnLButtonDown(At(1, 1));
    f.grid.OnMouseMove(At(2, 2));
    f.grid.OnLButtonUp(At(2, 2));
    EXPECT_TRUE(f.host.drags.empty());
}

TEST(GridDrag, TheTargetAnswersPerCellAndHighlightsTheCellUnderTheDrag)
{
    struct SCase
    {
        const char* name;
        bool hasText;
        unsigned keys;
        SGridPoint point;
        unsigned effect;
    };
    const SCase cases[] = {
        {"a body cell: move", true, 0, At(1, 1), DROPEFFECT_MOVE},
        {"with Ctrl: copy", true, GRID_MK_CONTROL, At(1, 1), DROPEFFECT_COPY},
        {"data without text", false, 0, At(1, 1), DROPEFFECT_NONE},
        {"the heading row", true, 0, At(0, 1), DROPEFFECT_NONE},
        {"beyond the cells", true, 0, SGridPoint{390, 200}, DROPEFFECT_NONE},
        {"a read-only cell", true, 0, At(3, 3), DROPEFFECT_NONE},
    };
    for (const SCase& c : cases)
    {
        STextGrid f;
        f.grid.SetDragAndDrop(true);
        f.grid.SetItemState(3, 3, GCS_READONLY);
        EXPECT_EQ(f.grid.OnDragEnter(c.hasText, c.keys, c.point), c.effect) << c.name;
        EXPECT_EQ(f.grid.OnDragOver(c.hasText, c.keys, c.point), c.effect) << c.name;
        const CGridCellPos cell = f.grid.GetLastDragOverCell();
        const bool lit = f.grid.IsValid(cell) && (f.grid.GetItemState(cell.row, cell.col) & GCS_DROPHILITED);
        EXPECT_EQ(lit, c.effect != DROPEFFECT_NONE) << c.name;
    }

    STextGrid f;
    f.grid.SetDragAndDrop(true);
    f.grid.OnDragEnter(true, 0, At(1, 1));
    f.grid.OnDragOver(true, 0, At(2, 3));
    EXPECT_EQ(f.grid.GetItemState(1, 1) & GCS_DROPHILITED, 0u) << "the highlight follows the drag";
    EXPECT_NE(f.grid.GetItemState(2, 3) & GCS_DROPHILITED, 0u);
    f.grid.OnDragOver(true, 0, SGridPoint{390, 200});
    EXPECT_EQ(f.grid.GetItemState(2, 3) & GCS_DROPHILITED, 0u) << "leaving the cells takes it away";
    EXPECT_EQ(f.grid.GetLastDragOverCell(), CGridCellPos(-1, -1));
}

TEST(GridDrag, ADropPastesAtTheLastCellWithoutSelectingIt)
{
    STextGrid f;
    f.grid.SetDragAndDrop(true);
    f.Select(1, 0, 1, 3);
    f.grid.OnDragEnter(true, 0, At(2, 1));
    const std::wstring text = L"a\tb\r\nc\td";
    EXPECT_TRUE(f.grid.OnDrop(&text, DROPEFFECT_MOVE, At(2, 1)));
    EXPECT_EQ(f.Row(2), L"r2c0|a|b|r2c3");
    EXPECT_EQ(f.Row(3), L"r3c0|c|d|r3c3");
    EXPECT_EQ(f.grid.GetItemState(2, 1) & GCS_DROPHILITED, 0u);
    EXPECT_EQ(f.grid.GetSelectedCount(), 0);
    EXPECT_TRUE(f.SelectionCountHolds());
    EXPECT_FALSE(f.grid.OnDrop(nullptr, DROPEFFECT_MOVE, At(2, 1))) << "data without text";
}

TEST(GridDrag, DraggingTheSelectionCutsItWhenTheDropMovedIt)
{
    struct SCase
    {
        unsigned dropEffect;
        const wchar_t* rowAfter;
    };
    for (const SCase& c :
         {SCase{DROPEFFECT_MOVE, L"r1c0|||r1c3"}, SCase{DROPEFFECT_COPY, L"r1c0|r1c1|r1c2|r1c3"},
          SCase{DROPEFFECT_NONE, L"r1c0|r1c1|r1c2|r1c3"}})
    {
        STextGrid f;
        f.grid.SetDragAndDrop(true);
        f.Select(1, 1, 1, 2);
        f.host.dragEffect = c.dropEffect;
        // A press on a selected cell prepares a drag; the first move starts it.
        f.grid.OnLButtonDown(At(1, 1));
        EXPECT_EQ(f.grid.GetMouseMode(), GMM_PREPARE_DRAG);
        f.host.notifications.clear();
        f.grid.OnMouseMove(At(1, 2));
        ASSERT_EQ(f.host.drags.size(), 1u);
        EXPECT_EQ(f.host.drags[0], L"r1c1\tr1c2") << "the drag carries no heading";
        EXPECT_EQ(f.host.dragAllowed, DROPEFFECT_COPY | DROPEFFECT_MOVE);
        ASSERT_FALSE(f.host.notifications.empty());
        EXPECT_EQ(f.host.notifications[0].hdr.code, GRIDN_BEGINDRAG);
        EXPECT_EQ(f.host.notifications[0].row, 1);
        EXPECT_EQ(f.host.notifications[0].col, 1);
        EXPECT_EQ(f.grid.GetMouseMode(), GMM_NONE);
        EXPECT_EQ(f.Row(1), c.rowAfter);
    }
}

} // namespace
