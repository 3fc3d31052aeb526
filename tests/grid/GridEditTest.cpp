// In-place editing in the grid core through a fake edit: how an edit starts
// for its first character, how its text is committed, refused or left
// alone, moving on after Tab, and edits whose cell goes away.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/grid/GridTestCells.h"

namespace
{

std::vector<int> Codes(const CFakeGridHost& host)
{
    std::vector<int> codes;
    for (const SGridNotify& n : host.notifications)
        codes.push_back(n.hdr.code);
    return codes;
}

/// 6 x 4 cells with a heading row, every body cell holding "Name".
struct SEditFixture : SGridFixture
{
    SEditFixture()
    {
        Shape(6, 4, 1, 0, 20, 60);
        for (int row = 1; row < 6; ++row)
            for (int col = 0; col < 4; ++col)
                grid.SetItemText(row, col, L"Name");
        grid.SetFocusCell(2, 1);
        host.notifications.clear();
    }
    CFakeInPlaceEditor* Editor() const { return host.LastEditor(); }
};

struct SStartCase
{
    const char* name;
    bool typed; // through OnChar, else OnEditCell with a key number
    unsigned firstChar;
    std::wstring expectText;
    std::size_t expectSelStart;
    std::size_t expectSelEnd;
};

TEST(GridEdit, FirstCharacterDecidesCaretSelectionAndText)
{
    const SStartCase cases[] = {
        {"letter replaces the text", true, 'x', L"x", 1, 1},
        {"typed space replaces the text", true, ' ', L" ", 1, 1},
        {"typed ! is not Page Up", true, '!', L"!", 1, 1},
        {"typed \" is not Page Down", true, '"', L"\"", 1, 1},
        {"typed # is not End", true, '#', L"#", 1, 1},
        {"typed $ is not Home", true, '$', L"$", 1, 1},
        {"typed % is not Left", true, '%', L"%", 1, 1},
        {"typed & is not Up", true, '&', L"&", 1, 1},
        {"typed ' is not Right", true, '\'', L"'", 1, 1},
        {"typed ( is not Down", true, '(', L"(", 1, 1},
        {"non-ASCII character", true, 0x00E9, L"\u00E9", 1, 1},
        {"Enter puts the caret after the text", true, VK_RETURN, L"Name", 4, 4},
        {"Backspace deletes the last character", true, VK_BACK, L"Nam", 3, 3},
        {"mouse puts the caret after the text", false, VK_LBUTTON, L"Name", 4, 4},
        {"Tab selects everything", false, VK_TAB, L"Name", 0, 4},
        {"Right arrow selects everything", false, VK_RIGHT, L"Name", 0, 4},
        {"Page Up selects everything", false, VK_PRIOR, L"Name", 0, 4},
        {"Space key selects everything", false, VK_SPACE, L"Name", 0, 4},
    };
    for (const SStartCase& c : cases)
    {
        SEditFixture f;
        if (c.typed)
            f.grid.OnChar(c.firstChar);
        else
            f.grid.OnEditCell(2, 1, SGridPoint{-1, -1}, c.firstChar);
        CFakeInPlaceEditor* editor = f.Editor();
        ASSERT_NE(editor, nullptr) << c.name;
        EXPECT_EQ(editor->row, 2) << c.name;
        EXPECT_EQ(editor->col, 1) << c.name;
        EXPECT_EQ(editor->initialText, L"Name") << c.name;
        EXPECT_EQ(editor->text, c.expectText) << c.name;
        EXPECT_EQ(editor->selStart, c.expectSelStart) << c.name;
        EXPECT_EQ(editor->selEnd, c.expectSelEnd) << c.name;
        EXPECT_TRUE(f.grid.GetCell(2, 1)->IsEditing()) << c.name;
        EXPECT_EQ(Codes(f.host), std::vector<int>{GRIDN_BEGINEDIT}) << c.name;
    }
}

TEST(GridEdit, F2OpensTheFocusCellWithTheCaretAtTheEnd)
{
    SEditFixture f;
    f.grid.OnKeyDown(VK_F2);
    ASSERT_NE(f.Editor(), nullptr);
    EXPECT_EQ(f.Editor()->firstChar, static_cast<unsigned>(VK_LBUTTON));
    EXPECT_EQ(f.Editor()->selStart, 4u);
}

TEST(GridEdit, NoEditWhereTheGridRefusesOne)
{
    struct SCase
    {
        const char* name;
        std::function<void(SEditFixture&)> act;
    };
    const SCase cases[] = {
        {"read-only cell",
         [](SEditFixture& f)
         {
             f.grid.SetItemState(2, 1, f.grid.GetItemState(2, 1) | GCS_READONLY);
             f.grid.OnChar('x');
         }},
        {"owner vetoes",
         [](SEditFixture& f)
         {
             f.host.answer = [](const SGridNotify& n) { return n.hdr.code == GRIDN_BEGINEDIT ? -1L : 0L; };
             f.grid.OnChar('x');
         }},
        {"Ctrl held",
         [](SEditFixture& f)
         {
             f.host.modifiers = GRID_MK_CONTROL;
             f.grid.OnChar('x');
         }},
        {"Escape", [](SEditFixture& f) { f.grid.OnChar(VK_ESCAPE); }},
        {"Tab is navigation", [](SEditFixture& f) { f.grid.OnChar(VK_TAB); }},
        {"no focus cell",
         [](SEditFixture& f)
         {
             f.grid.SetFocusCell(-1, -1);
             f.grid.OnChar('x');
         }},
        {"outside the grid",
         [](SEditFixture& f) {
             f.grid.OnEditCell(9, 1, SGridPoint{-1, -1}, 'x');
         }},
    };
    for (const SCase& c : cases)
    {
        SEditFixture f;
        c.act(f);
        EXPECT_EQ(f.Editor(), nullptr) << c.name;
        EXPECT_FALSE(f.grid.GetCell(2, 1)->IsEditing()) << c.name;
    }
}

/// A cell that refuses texts starting with '-'.
class CNoMinusCell : public CGridCell
{
public:
    bool ValidateEdit(const std::wstring& text) override { return text.empty() || text[0] != L'-'; }
};

struct SCommitCase
{
    const char* name;
    std::wstring typed; // replaces the text; empty: leave it
    unsigned endKey;
    long endEditAnswer;
    std::wstring expectText;
    std::vector<int> expectCodes; // after GRIDN_BEGINEDIT
    bool expectModified;
};

TEST(GridEdit, EndingAnEditCommitsRefusesOrLeavesTheText)
{
    const SCommitCase cases[] = {
        {"new text is stored", L"Wall 3", VK_RETURN, 0, L"Wall 3", {GRIDN_ENDEDIT}, true},
        {"focus loss commits too", L"Wall 3", 0, 0, L"Wall 3", {GRIDN_ENDEDIT}, true},
        {"same text is unchanged only", L"Name", VK_RETURN, 0, L"Name", {GRIDN_EDITUNCHANGED}, false},
        {"Escape restores and is unchanged", L"Wall 3", VK_ESCAPE, 0, L"Name", {GRIDN_EDITUNCHANGED}, false},
        {"case counts as a change", L"name", VK_RETURN, 0, L"name", {GRIDN_ENDEDIT}, true},
        {"owner refuses: text reverts", L"Wall 3", VK_RETURN, -1, L"Name", {GRIDN_ENDEDIT}, true},
        {"cell refuses: no report, text reverts", L"-3", VK_RETURN, 0, L"Name", {}, true},
    };
    for (const SCommitCase& c : cases)
    {
        SEditFixture f;
        f.grid.SetCellType<CNoMinusCell>(2, 1);
        f.grid.GetCell(2, 1)->SetState(f.grid.GetCell(2, 1)->GetState() &
                                       ~static_cast<unsigned>(GCS_MODIFIED));
        f.host.answer = [&c](const SGridNotify& n)
        { return n.hdr.code == GRIDN_ENDEDIT ? c.endEditAnswer : 0L; };
        f.grid.OnKeyDown(VK_F2);
        CFakeInPlaceEditor* editor = f.Editor();
        ASSERT_NE(editor, nullptr) << c.name;
        editor->text = c.typed;
        editor->Finish(c.endKey);

        EXPECT_EQ(f.grid.GetItemText(2, 1), c.expectText) << c.name;
        std::vector<int> expected{GRIDN_BEGINEDIT};
        expected.insert(expected.end(), c.expectCodes.begin(), c.expectCodes.end());
        EXPECT_EQ(Codes(f.host), expected) << c.name;
        EXPECT_EQ(f.grid.GetCell(2, 1)->IsModified(), c.expectModified) << c.name;
        EXPECT_FALSE(f.grid.GetCell(2, 1)->IsEditing()) << c.name;
        EXPECT_EQ(f.grid.GetCell(2, 1)->GetEditWnd(), nullptr) << c.name;
        EXPECT_EQ(f.host.editors.size(), 1u) << c.name;
        EXPECT_EQ(f.grid.GetFocusCell(), CGridCellPos(2, 1)) << c.name;
    }
}

TEST(GridEdit, TabStoresMovesOnAndOpensTheNextCellWithItsTextSelected)
{
    SEditFixture f;
    f.grid.SetItemText(2, 2, L"Other");
    f.grid.OnChar('A');
    f.Editor()->Type('b');
    f.Editor()->Finish(VK_TAB);
    EXPECT_EQ(f.grid.GetItemText(2, 1), L"Ab");
    EXPECT_EQ(f.grid.GetFocusCell(), CGridCellPos(2, 2));
    ASSERT_EQ(f.host.editors.size(), 2u);
    CFakeInPlaceEditor* next = f.Editor();
    EXPECT_EQ(next->col, 2);
    EXPECT_EQ(next->text, L"Other");
    EXPECT_EQ(next->selStart, 0u);
    EXPECT_EQ(next->selEnd, 5u);

    // Tab from the last column wraps to the next row.
    f.grid.SetFocusCell(2, 3);
    f.grid.GetCell(2, 2)->OnEndEdit();
    f.grid.OnEditCell(2, 3, SGridPoint{-1, -1}, VK_LBUTTON);
    f.Editor()->Finish(VK_TAB);
    EXPECT_EQ(f.grid.GetFocusCell(), CGridCellPos(3, 0));
    EXPECT_EQ(f.Editor()->row, 3);
    EXPECT_TRUE(f.grid.GetCell(3, 0)->IsEditing());
}

TEST(GridEdit, ASecondStartOnAnOpenEditTypesIntoIt)
{
    SEditFixture f;
    f.grid.OnChar('A');
    f.grid.OnChar('b');
    ASSERT_EQ(f.host.editors.size(), 1u);
    EXPECT_EQ(f.Editor()->text, L"Ab");
    EXPECT_EQ(f.Editor()->forwarded, std::vector<unsigned>{'b'});
}

TEST(GridEdit, AMergedCellIsEditedOverItsWholeSpan)
{
    SEditFixture f;
    f.grid.MergeCells(3, 1, 3);
    f.grid.SetFocusCell(3, 1);
    f.grid.OnChar('x');
    ASSERT_NE(f.Editor(), nullptr);
    EXPECT_EQ(f.Editor()->rect.left, 60);
    EXPECT_EQ(f.Editor()->rect.right, 60 + 3 * 60 - 1);
}

TEST(GridEdit, ScrollingEndsTheEditAndKeepsItsText)
{
    SEditFixture f;
    f.grid.OnChar('Z');
    f.grid.OnVScroll(SB_LINEDOWN);
    EXPECT_EQ(f.grid.GetItemText(2, 1), L"Z");
    EXPECT_FALSE(f.Editor()->open);
    EXPECT_EQ(f.Editor()->reports, 1);
}

TEST(GridEdit, OnlyARealResizeEndsTheEdit)
{
    SEditFixture f;
    f.grid.OnChar('Z');
    f.grid.OnSize(false); // the client area changed under a scroll bar
    EXPECT_TRUE(f.Editor()->open);
    f.grid.OnSize();
    EXPECT_FALSE(f.Editor()->open);
    EXPECT_EQ(f.grid.GetItemText(2, 1), L"Z");
}

TEST(GridEdit, AnEditWhoseCellGoesAwayIsCancelledWithoutAReport)
{
    struct SCase
    {
        const char* name;
        std::function<void(CGridCore&)> act;
    };
    const SCase cases[] = {
        {"rows deleted", [](CGridCore& g) { g.DeleteAllItems(); }},
        {"row count shrinks", [](CGridCore& g) { g.SetRowCount(2); }},
        {"column count shrinks", [](CGridCore& g) { g.SetColumnCount(1); }},
        {"cell replaced", [](CGridCore& g) { g.SetCellType<CGridCell>(2, 1); }},
    };
    for (const SCase& c : cases)
    {
        SEditFixture f;
        f.grid.OnChar('x');
        CFakeInPlaceEditor* editor = f.Editor();
        ASSERT_NE(editor, nullptr) << c.name;
        f.host.notifications.clear();
        c.act(f.grid);
        EXPECT_TRUE(editor->cancelled) << c.name;
        EXPECT_EQ(editor->reports, 0) << c.name;
        // A late end of the closed edit reaches nobody.
        editor->EndEdit();
        for (const SGridNotify& n : f.host.notifications)
        {
            EXPECT_NE(n.hdr.code, GRIDN_ENDEDIT) << c.name;
            EXPECT_NE(n.hdr.code, GRIDN_EDITUNCHANGED) << c.name;
        }
        if (CGridCellBase* cell = f.grid.GetCell(2, 1))
        {
            EXPECT_FALSE(cell->IsEditing()) << c.name;
        }
    }

    // The grid itself goes while the edit is open.
    CFakeGridHost host;
    {
        CGridCore grid(4, 2, 1, 0);
        grid.AttachHost(&host, 101);
        grid.OnCreate();
        grid.SetFocusCell(1, 1);
        grid.OnChar('x');
        ASSERT_NE(host.LastEditor(), nullptr);
        host.notifications.clear();
    }
    EXPECT_TRUE(host.LastEditor()->cancelled);
    EXPECT_EQ(host.LastEditor()->reports, 0);
    EXPECT_TRUE(host.notifications.empty());
}

TEST(GridEdit, AnEditEndsWithItsTextWhenTheFocusOrTheGridsShapeMovesOn)
{
    struct SCase
    {
        const char* name;
        std::function<void(CGridCore&)> act;
    };
    const SCase cases[] = {
        {"the owner moves the focus", [](CGridCore& g) { g.SetFocusCell(4, 2); }},
        {"the owner clears the focus", [](CGridCore& g) { g.SetFocusCell(-1, -1); }},
        {"list mode", [](CGridCore& g) { g.SetListMode(true); }},
        {"another fixed-row count", [](CGridCore& g) { g.SetFixedRowCount(0); }},
        {"another fixed-column count", [](CGridCore& g) { g.SetFixedColumnCount(1); }},
    };
    for (const SCase& c : cases)
    {
        SEditFixture f;
        f.grid.OnChar('Z');
        CFakeInPlaceEditor* editor = f.Editor();
        ASSERT_NE(editor, nullptr) << c.name;
        c.act(f.grid);
        EXPECT_FALSE(editor->open) << c.name;
        EXPECT_EQ(editor->reports, 1) << c.name;
        EXPECT_EQ(f.grid.GetItemText(2, 1), L"Z") << c.name; // nothing typed is lost
        EXPECT_FALSE(f.grid.GetCell(2, 1)->IsEditing()) << c.name;
    }

    // An edit the owner opened away from the focus cell ends as well.
    SEditFixture f;
    f.grid.OnEditCell(4, 3, SGridPoint{-1, -1}, 'Q');
    ASSERT_NE(f.Editor(), nullptr);
    EXPECT_EQ(f.Editor()->row, 4);
    f.grid.SetListMode(true);
    EXPECT_FALSE(f.Editor()->open);
    EXPECT_EQ(f.grid.GetItemText(4, 3), L"Q");
}

TEST(GridEdit, StartTableForKeysAndTypedCharacters)
{
    struct SCase
    {
        unsigned firstChar;
        bool selectAll;
        unsigned typed;
    };
    const SCase cases[] = {
        {VK_LBUTTON, false, 0},
        {VK_RETURN, false, 0},
        {VK_BACK, false, VK_BACK},
        {VK_TAB, true, 0},
        {VK_SPACE, true, 0},
        {VK_DOWN, true, 0},
        {'a', true, 'a'},
        {' ' | kGridTypedChar, true, ' '},
        {'(' | kGridTypedChar, true, '('},
        {VK_RETURN | kGridTypedChar, false, 0},
        {VK_BACK | kGridTypedChar, false, VK_BACK},
        {0x20AC | kGridTypedChar, true, 0x20AC},
    };
    for (const SCase& c : cases)
    {
        const CGridInPlaceEditor::SStart start = CGridInPlaceEditor::StartFor(c.firstChar);
        EXPECT_EQ(start.selectAll, c.selectAll) << std::hex << c.firstChar;
        EXPECT_EQ(start.typedChar, c.typed) << std::hex << c.firstChar;
    }
}

} // namespace

TEST(GridEdit, AClickOnTheFocusCellTextOpensTheEditOnReleaseAndTheNextPressCommitsIt)
{
    SEditFixture f;
    const SGridPoint onText{70, 45}; // cell (2, 1): columns of 60, rows of 20 under a heading of 20
    f.grid.OnLButtonDown(onText);
    EXPECT_TRUE(f.host.editors.empty());
    f.grid.OnLButtonUp(onText);
    ASSERT_EQ(f.host.editors.size(), 1u);
    EXPECT_EQ(f.Editor()->row, 2);
    EXPECT_EQ(f.Editor()->col, 1);

    f.Editor()->Type('s');
    f.grid.OnLButtonDown(SGridPoint{70, 85});
    EXPECT_EQ(f.grid.GetItemText(2, 1), L"Names");
    EXPECT_FALSE(f.grid.GetCell(2, 1)->IsEditing());
}
