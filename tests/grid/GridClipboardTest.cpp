// The grid's clipboard: the text of a range, paste parsing, cut and paste,
// and the edit commands' enabling, on a fake window with a fake clipboard.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "grid/GridPasteText.h"
#include "grid/GridPrintLayout.h"
#include "tests/grid/GridTextFixture.h"

namespace
{

struct SCopyCase
{
    const char* name;
    std::function<void(STextGrid&)> setup;
    std::wstring copied; ///< the clipboard's text after the copy command
};

TEST(GridClipboard, TheCopyCommandBuildsTheRangeText)
{
    const SCopyCase cases[] = {
        {"two cells of a row, both separators and the heading", [](STextGrid& f) { f.Select(1, 1, 1, 2); },
         L"H1\tH2\t\r\nr1c1\tr1c2"},
        {"two rows: a row separator between them, none after the last",
         [](STextGrid& f) { f.Select(2, 0, 3, 1); }, L"H0\tH1\t\r\nr2c0\tr2c1\r\nr3c0\tr3c1"},
        {"both separators off: the texts run together",
         [](STextGrid& f)
         {
             f.grid.SetCopyRowSeparator(false);
             f.grid.SetCopyCellSeparator(false);
             f.Select(1, 1, 2, 2);
         },
         L"H1H2r1c1r1c2r2c1r2c2"},
        {"a row whose column 1 is not selected gives only its separator",
         [](STextGrid& f) { f.Select(1, 2, 2, 3); }, L"H2\tH3\t\r\n\r\n"},
        {"a hidden row is left out whole",
         [](STextGrid& f)
         {
             f.grid.SetRowHeight(2, 0);
             f.Select(1, 1, 3, 2);
         },
         L"H1\tH2\t\r\nr1c1\tr1c2\r\nr3c1\tr3c2"},
        {"a hidden column is left out, its heading too",
         [](STextGrid& f)
         {
             f.grid.SetColumnWidth(2, 0);
             f.Select(1, 1, 1, 3);
         },
         L"H1\tH3\t\r\nr1c1\tr1c3"},
        {"an unselected cell of a selected row is an empty field",
         [](STextGrid& f)
         {
             f.grid.SetItemState(1, 1, GCS_SELECTED);
             f.grid.SetItemState(1, 3, GCS_SELECTED);
         },
         L"H1\tH2\tH3\t\r\nr1c1\t\tr1c3"},
        {"a cell's copy text stands in for its text",
         [](STextGrid& f)
         {
             f.grid.GetCell(1, 1)->SetCopyText(L"12.5 m");
             f.Select(1, 1, 1, 1);
         },
         L"H1\t\r\n12.5 m"},
    };
    for (const SCopyCase& c : cases)
    {
        STextGrid f;
        c.setup(f);
        ASSERT_TRUE(f.grid.CanEditCopy()) << c.name;
        f.grid.OnEditCopy();
        ASSERT_TRUE(f.host.clipboard.has_value()) << c.name;
        EXPECT_EQ(*f.host.clipboard, c.copied) << c.name;
    }
}

TEST(GridClipboard, TheWholeGridAndHiddenRowsOnRequest)
{
    STextGrid f(4, 2);
    f.grid.SetRowHeight(2, 0);
    // Nothing is selected: the whole grid counts as selected, from the first body row.
    EXPECT_EQ(f.grid.GetRangeText(false, 0, -1, -1, -1, false), L"r1c0\tr1c1\r\nr3c0\tr3c1");
    EXPECT_EQ(f.grid.GetRangeText(true, 0, -1, -1, -1, true),
              L"H0\tH1\t\r\nr1c0\tr1c1\r\nr2c0\tr2c1\r\nr3c0\tr3c1");
}

TEST(GridClipboard, WithoutASelectionNothingIsCopied)
{
    STextGrid f;
    EXPECT_FALSE(f.grid.CanEditCopy());
    EXPECT_FALSE(f.grid.CopyTextFromGrid(true).has_value());
    f.grid.OnEditCopy();
    EXPECT_FALSE(f.host.clipboard.has_value());
}

TEST(GridClipboard, AGridOfOneColumnDecidesSelectedRowsByItsOnlyColumn)
{
    // Column 1 does not exist: its cell must not decide (nothing would ever be copied or printed).
    STextGrid f(4, 1);
    f.Select(2, 0, 3, 0);
    EXPECT_TRUE(f.grid.IsRowSelected(2));
    EXPECT_FALSE(f.grid.IsRowSelected(1));
    f.grid.OnEditCopy();
    ASSERT_TRUE(f.host.clipboard.has_value());
    EXPECT_EQ(*f.host.clipboard, L"H0\t\r\nr2c0\r\nr3c0");
    EXPECT_FALSE(CGridPrintLayout::IsRowPrinted(f.grid, 1, true));
    EXPECT_TRUE(CGridPrintLayout::IsRowPrinted(f.grid, 3, true));
}

struct SSplitCase
{
    const char* name;
    std::wstring text;
    std::vector<std::vector<std::wstring>> lines;
};

TEST(GridClipboard, PastedTextSplitsIntoLinesAndFields)
{
    const SSplitCase cases[] = {
        {"a comma and a tab both separate", L"1,2\t3", {{L"1", L"2", L"3"}}},
        {"CR LF lines", L"a\tb\r\nc\td", {{L"a", L"b"}, {L"c", L"d"}}},
        {"fields are trimmed", L"  x ,\ty  \r\n", {{L"x", L"", L"y"}}},
        {"a closing line break opens no empty line", L"a\r\n", {{L"a"}}},
        {"a closing tab opens no empty field", L"H1\tH2\t\r\nr1\tr2", {{L"H1", L"H2"}, {L"r1", L"r2"}}},
        {"a line of one tab is one empty field", L"\t", {{L""}}},
        {"an empty line in between stays", L"a\n\nb", {{L"a"}, {L""}, {L"b"}}},
        {"empty fields are kept", L",,", {{L"", L"", L""}}},
        {"the text ends at its NUL", std::wstring(L"a\0b", 3), {{L"a"}}},
        {"no text, no lines", L"", {}},
        {"a lone line break is no line", L"\n", {}},
    };
    for (const SSplitCase& c : cases)
        EXPECT_EQ(CGridPasteText::Split(c.text), c.lines) << c.name;
}

TEST(GridClipboard, PastingFillsCellsSkippingHiddenOnesAndDropsTheOverflow)
{
    STextGrid f;
    f.grid.SetRowHeight(2, 0);
    f.grid.SetColumnWidth(2, 0);
    const std::wstring text = L"a,b\tc\r\nd\te\r\nf\r\ng\r\nlost";
    EXPECT_TRUE(f.grid.PasteTextToGrid(1, 1, &text, true));
    EXPECT_EQ(f.Row(1), L"r1c0|a|r1c2|b");       // c falls off the last column
    EXPECT_EQ(f.Row(2), L"r2c0|r2c1|r2c2|r2c3"); // hidden: skipped
    EXPECT_EQ(f.Row(3), L"r3c0|d|r3c2|e");
    EXPECT_EQ(f.Row(4), L"r4c0|f|r4c2|r4c3"); // g and "lost" find no row
    EXPECT_EQ(f.grid.GetSelectedCellRange(), CGridCellRange(1, 1, 4, 3));
}

TEST(GridClipboard, PastingChangesTheSelectionInOnePlace)
{
    STextGrid f;
    f.Select(1, 0, 4, 3);
    // The owner, asked about each pasted cell, finds the selection's count and cells agreeing.
    int disagreements = 0;
    f.host.answer = [&](const SGridNotify&)
    {
        disagreements += f.SelectionCountHolds() ? 0 : 1;
        return 0L;
    };
    const std::wstring text = L"x\ty\r\nz\tw";
    EXPECT_TRUE(f.grid.PasteTextToGrid(2, 1, &text, true));
    EXPECT_EQ(disagreements, 0);
    EXPECT_EQ(f.grid.GetSelectedCellRange(), CGridCellRange(2, 1, 3, 2));
    EXPECT_EQ(f.grid.GetSelectedCount(), 4);
    EXPECT_TRUE(f.SelectionCountHolds());

    // A drop pastes without selecting: nothing stays selected, and the count says so.
    f.Select(1, 0, 4, 3);
    EXPECT_TRUE(f.grid.PasteTextToGrid(1, 1, &text, false));
    EXPECT_EQ(f.grid.GetSelectedCount(), 0);
    EXPECT_TRUE(f.SelectionCountHolds());
    EXPECT_EQ(f.grid.GetFocusCell(), CGridCellPos(-1, -1));
}

TEST(GridClipboard, PastingACopyBlanksNoCellBesideOrBelowIt)
{
    // A copy's heading line ends with a tab, a spreadsheet's text with a line break.
    STextGrid f;
    f.Select(1, 1, 1, 2);
    f.grid.OnEditCopy();
    ASSERT_TRUE(f.host.clipboard.has_value());
    f.grid.ResetSelectedRange();
    f.grid.SetFocusCell(2, 1);
    f.grid.OnEditPaste();
    EXPECT_EQ(f.Row(2), L"r2c0|H1|H2|r2c3");
    EXPECT_EQ(f.Row(3), L"r3c0|r1c1|r1c2|r3c3");

    const std::wstring text = L"x\r\n";
    EXPECT_TRUE(f.grid.PasteTextToGrid(1, 1, &text, true));
    EXPECT_EQ(f.grid.GetItemText(1, 1), L"x");
    EXPECT_EQ(f.grid.GetItemText(2, 1), L"H1");
}

TEST(GridClipboard, ReadOnlyCellsAndTheOwnersAnswersGuardEachCell)
{
    STextGrid f;
    const std::wstring text = L"a\tb\tc";
    f.grid.SetItemState(1, 1, GCS_READONLY);
    EXPECT_FALSE(f.grid.PasteTextToGrid(1, 1, &text, true)) << "a read-only target fails as a whole";
    EXPECT_EQ(f.Row(1), L"r1c0|r1c1|r1c2|r1c3");
    EXPECT_FALSE(f.grid.PasteTextToGrid(1, 1, nullptr, true)) << "data without text";

    // Further on: a read-only cell is not even offered to the owner; the
    // owner vetoes column 2 before and rejects column 3 after; column 0 is stored.
    f.grid.SetItemState(1, 1, GCS_READONLY);
    f.host.answer = [](const SGridNotify& n)
    {
        if (n.hdr.code == GRIDN_BEGINEDIT && n.col == 2)
            return -1L;
        if (n.hdr.code == GRIDN_ENDEDIT && n.col == 3)
            return -1L;
        return 0L;
    };
    f.host.notifications.clear();
    const std::wstring four = L"p\tq\tr\ts";
    EXPECT_TRUE(f.grid.PasteTextToGrid(1, 0, &four, true));
    EXPECT_EQ(f.Row(1), L"p|r1c1|r1c2|r1c3");
    std::vector<int> offered;
    for (const SGridNotify& n : f.host.notifications)
        if (n.hdr.code == GRIDN_BEGINEDIT)
            offered.push_back(n.col);
    EXPECT_EQ(offered, (std::vector<int>{0, 2, 3}));
}

TEST(GridClipboard, CutEmptiesTheSelectedCellsOnlyOnceTheClipboardHasThem)
{
    STextGrid f;
    f.Select(1, 1, 2, 2);
    f.grid.SetItemState(2, 2, f.grid.GetItemState(2, 2) | GCS_READONLY);
    f.host.clipboardTakesText = false;
    f.grid.OnEditCut();
    EXPECT_EQ(f.Row(1), L"r1c0|r1c1|r1c2|r1c3") << "the clipboard refused: nothing may be lost";

    f.host.clipboardTakesText = true;
    ASSERT_TRUE(f.grid.CanEditCut());
    f.grid.OnEditCut();
    ASSERT_TRUE(f.host.clipboard.has_value());
    EXPECT_EQ(*f.host.clipboard, L"H1\tH2\t\r\nr1c1\tr1c2\r\nr2c1\tr2c2");
    EXPECT_EQ(f.Row(1), L"r1c0|||r1c3");
    EXPECT_EQ(f.Row(2), L"r2c0||r2c2|r2c3") << "a read-only cell keeps its text";
}

TEST(GridClipboard, ThePasteCommandTargetsTheSelectionTheFocusOrTheTopLeftCell)
{
    struct SCase
    {
        const char* name;
        std::function<void(STextGrid&)> setup;
        CGridCellPos target;
    };
    const SCase cases[] = {
        {"the selection's top-left cell", [](STextGrid& f) { f.Select(2, 2, 3, 3); }, {2, 2}},
        {"the focus cell", [](STextGrid& f) { f.grid.SetFocusCell(3, 1); }, {3, 1}},
        {"the first visible body cell", [](STextGrid&) {}, {1, 0}},
    };
    for (const SCase& c : cases)
    {
        STextGrid f;
        c.setup(f);
        f.host.clipboard = L"new";
        f.grid.OnEditPaste();
        EXPECT_EQ(f.grid.GetItemText(c.target.row, c.target.col), L"new") << c.name;
        EXPECT_EQ(f.grid.GetSelectedCellRange(),
                  CGridCellRange(c.target.row, c.target.col, c.target.row, c.target.col))
            << c.name;
    }
}

TEST(GridClipboard, PasteIsEnabledOnAnEditableFocusCellWithTextOnTheClipboard)
{
    STextGrid f;
    EXPECT_TRUE(f.grid.CanEditSelectAll());
    f.host.clipboard = L"text";
    EXPECT_FALSE(f.grid.CanEditPaste()) << "no focus cell";
    f.grid.SetFocusCell(2, 2);
    EXPECT_TRUE(f.grid.CanEditPaste());
    f.grid.SetItemState(2, 2, f.grid.GetItemState(2, 2) | GCS_READONLY);
    EXPECT_FALSE(f.grid.CanEditPaste()) << "read-only focus cell";
    f.grid.SetFocusCell(2, 1);
    f.host.clipboard.reset();
    EXPECT_FALSE(f.grid.CanEditPaste()) << "no text on the clipboard";
}

} // namespace
