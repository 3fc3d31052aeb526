// The grid window's keyboard and in-place edit on the (virtual) display:
// key events reach the core with the grid's key numbers, typed names are
// committed, Escape cancels, and an edit whose grid or rows go away closes
// without reporting.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "grid/GridKeyMap.h"
#include "tests/grid/GridEditWindowFixture.h"

namespace
{

TEST(GridKeyMap, WxKeysBecomeTheGridsKeyNumbersAndCharactersStayApart)
{
    const struct
    {
        int wxKey;
        unsigned gridKey;
    } keys[] = {
        {WXK_SPACE, VK_SPACE},
        {WXK_PAGEUP, VK_PRIOR},
        {WXK_PAGEDOWN, VK_NEXT},
        {WXK_END, VK_END},
        {WXK_HOME, VK_HOME},
        {WXK_LEFT, VK_LEFT},
        {WXK_UP, VK_UP},
        {WXK_RIGHT, VK_RIGHT},
        {WXK_DOWN, VK_DOWN},
        {WXK_NUMPAD_UP, VK_UP},
        {WXK_RETURN, VK_RETURN},
        {WXK_NUMPAD_ENTER, VK_RETURN},
        {WXK_TAB, VK_TAB},
        {WXK_ESCAPE, VK_ESCAPE},
        {WXK_BACK, VK_BACK},
        {WXK_DELETE, VK_DELETE},
        {WXK_F2, VK_F2},
        {'a', 'A'},
        {'S', 'S'},
        {'7', '7'},
        {WXK_SHIFT, 0},
    };
    for (const auto& k : keys)
        EXPECT_EQ(CGridKeyMap::ToGridKey(k.wxKey), k.gridKey) << k.wxKey;

    const struct
    {
        int code;
        wxChar ch;
        unsigned gridChar;
    } chars[] = {
        {' ', ' ', ' '},         {'!', '!', '!'},        {'(', '(', '('},
        {WXK_LEFT, WXK_NONE, 0}, {WXK_DELETE, 127, 0},   {WXK_RETURN, '\r', VK_RETURN},
        {WXK_TAB, '\t', VK_TAB}, {WXK_BACK, 8, VK_BACK}, {0x00E9, 0x00E9, 0x00E9},
    };
    for (const auto& c : chars)
    {
        wxKeyEvent event(wxEVT_CHAR);
        event.m_keyCode = c.code;
        event.m_uniChar = c.ch;
        EXPECT_EQ(CGridKeyMap::ToGridChar(event), c.gridChar) << c.code;
    }

    wxKeyboardState held(true, false, true, false); // Ctrl and Alt
    EXPECT_EQ(CGridKeyMap::Modifiers(held), static_cast<unsigned>(GRID_MK_CONTROL | GRID_MK_ALT));
}

TEST_F(GridEditWindow, KeyEventsReachTheGridAsKeyNumbers)
{
    Key(grid, wxEVT_KEY_DOWN, WXK_DOWN); // over the collapsed detail row
    EXPECT_EQ(grid->GetFocusCell(), CGridCellPos(3, 1));
    Key(grid, wxEVT_KEY_DOWN, WXK_UP);
    EXPECT_EQ(grid->GetFocusCell(), CGridCellPos(1, 1));
    Key(grid, wxEVT_KEY_DOWN, WXK_RETURN, '\r');
    Key(grid, wxEVT_KEY_DOWN, 'S', 'S', wxMOD_CONTROL);
    ASSERT_GE(notes->size(), 2u);
    const SGridNotify& enter = (*notes)[notes->size() - 2];
    const SGridNotify& save = notes->back();
    EXPECT_EQ(enter.hdr.code, GRIDN_KEYCOMMAND);
    EXPECT_EQ(enter.row, 0x0D);
    EXPECT_EQ(enter.col, 1);
    EXPECT_EQ(save.hdr.code, GRIDN_KEYCOMMAND);
    EXPECT_EQ(save.row, 'S');
    EXPECT_EQ(save.col, 2);
    // Shift held while moving extends the list-mode selection over both series rows.
    Key(grid, wxEVT_KEY_DOWN, WXK_DOWN, WXK_NONE, wxMOD_SHIFT);
    EXPECT_TRUE(grid->IsCellSelected(1, 0));
    EXPECT_TRUE(grid->IsCellSelected(3, 5));
}

TEST_F(GridEditWindow, TypingANewNameCommitsIt)
{
    Key(grid, wxEVT_CHAR, 'W', 'W');
    CInPlaceEdit* edit = Edit();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->GetValue(), "W");
    EXPECT_EQ(edit->GetRow(), 1);
    EXPECT_EQ(edit->GetColumn(), 1);
    EXPECT_TRUE(grid->GetCell(1, 1)->IsEditing());
    for (char c : std::string("all 3"))
        edit->SendChar(static_cast<unsigned char>(c));
    Key(edit, wxEVT_KEY_DOWN, WXK_RETURN, '\r');
    Pump();
    EXPECT_EQ(grid->GetItemText(1, 1), L"Wall 3");
    EXPECT_EQ(Codes(), (std::vector<int>{GRIDN_BEGINEDIT, GRIDN_ENDEDIT}));
    EXPECT_EQ(notes->back().row, 1);
    EXPECT_EQ(notes->back().col, 1);
    EXPECT_FALSE(grid->GetCell(1, 1)->IsEditing());
    EXPECT_EQ(Edit(), nullptr);
}

TEST_F(GridEditWindow, EndingEditingCommitsTheTextAndGivesTheGridTheKeyboard)
{
    Key(grid, wxEVT_CHAR, 'W', 'W');
    CInPlaceEdit* edit = Edit();
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(grid->HasOpenEdit());
    ASSERT_TRUE(PumpUntil([edit] { return wxWindow::FindFocus() == edit; }));
    edit->SendChar('x');
    grid->EndEditing();
    EXPECT_EQ(grid->GetItemText(1, 1), L"Wx");
    EXPECT_TRUE(Saw(GRIDN_ENDEDIT));
    EXPECT_FALSE(grid->HasOpenEdit());
    EXPECT_TRUE(PumpUntil([this] { return wxWindow::FindFocus() == grid; })) << "the keys would go nowhere";
    Pump();
    EXPECT_EQ(Edit(), nullptr);
}

TEST_F(GridEditWindow, CharactersTypedWithAltGoOnToTheFrame)
{
    // GTK's AltGr sets no Alt: its characters type as any other.
    const struct
    {
        wxChar ch;
        int modifiers;
        bool passedOn;
        const char* edit; // the new edit's text, null for none
    } cases[] = {
        {'f', wxMOD_ALT, true, nullptr},
        {'F', wxMOD_ALT | wxMOD_SHIFT, true, nullptr},
        {'@', wxMOD_NONE, false, "@"},
    };
    for (const auto& c : cases)
    {
        wxKeyEvent event(wxEVT_CHAR);
        event.m_keyCode = c.ch;
        event.m_uniChar = c.ch;
        event.SetAltDown((c.modifiers & wxMOD_ALT) != 0);
        event.SetShiftDown((c.modifiers & wxMOD_SHIFT) != 0);
        event.SetEventObject(grid);
        const bool handled = grid->GetEventHandler()->ProcessEvent(event);
        EXPECT_EQ(!handled, c.passedOn) << static_cast<char>(c.ch);
        if (c.edit)
        {
            ASSERT_NE(Edit(), nullptr) << static_cast<char>(c.ch);
            EXPECT_EQ(Edit()->GetValue(), c.edit);
        }
        else
            EXPECT_EQ(Edit(), nullptr) << static_cast<char>(c.ch);
    }
    EXPECT_FALSE(CGridKeyMap::IsMenuChar(wxKeyboardState(true, false, true, false))) << "Ctrl+Alt is AltGr";
}

TEST_F(GridEditWindow, EscapeCancelsTheEdit)
{
    Key(grid, wxEVT_KEY_DOWN, WXK_F2);
    CInPlaceEdit* edit = Edit();
    ASSERT_NE(edit, nullptr);
    long from = -2;
    long to = -2;
    edit->GetSelection(&from, &to);
    EXPECT_EQ(from, 8); // after "Series 1"
    EXPECT_EQ(to, 8);
    edit->SendChar('x');
    EXPECT_EQ(edit->GetValue(), "Series 1x");
    Key(edit, wxEVT_KEY_DOWN, WXK_ESCAPE, 0x1B);
    Pump();
    EXPECT_EQ(grid->GetItemText(1, 1), L"Series 1");
    EXPECT_EQ(Codes(), (std::vector<int>{GRIDN_BEGINEDIT, GRIDN_EDITUNCHANGED}));
    EXPECT_EQ(Edit(), nullptr);
}

TEST_F(GridEditWindow, ArrowsMoveTheCaretInAClickStartedEditAndEndAKeyStartedOne)
{
    grid->OnEditCell(1, 1, SGridPoint{5, 5}, VK_LBUTTON);
    ASSERT_NE(Edit(), nullptr);
    Key(Edit(), wxEVT_KEY_DOWN, WXK_LEFT);
    EXPECT_NE(Edit(), nullptr);
    EXPECT_TRUE(grid->GetCell(1, 1)->IsEditing());
    Key(Edit(), wxEVT_KEY_DOWN, WXK_DOWN, WXK_NONE, wxMOD_CONTROL);
    Pump();
    EXPECT_FALSE(grid->GetCell(1, 1)->IsEditing());
    EXPECT_EQ(grid->GetFocusCell(), CGridCellPos(3, 1)); // the collapsed detail row is passed over

    notes->clear();
    Key(grid, wxEVT_CHAR, 'q', 'q');
    ASSERT_NE(Edit(), nullptr);
    Key(Edit(), wxEVT_KEY_DOWN, WXK_UP);
    EXPECT_EQ(grid->GetItemText(3, 1), L"q");
    EXPECT_EQ(grid->GetFocusCell(), CGridCellPos(1, 1));
    // The edit moved on with the focus and selected the next name whole.
    auto* next = dynamic_cast<CInPlaceEdit*>(grid->GetCell(1, 1)->GetEditWnd());
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->GetRow(), 1);
    EXPECT_EQ(next->GetStringSelection(), "Series 1");
}

TEST_F(GridEditWindow, TheEditGrowsWithItsTextUpToTheGridsEdge)
{
    Key(grid, wxEVT_CHAR, 'a', 'a');
    CInPlaceEdit* edit = Edit();
    ASSERT_NE(edit, nullptr);
    const int startWidth = edit->GetSize().GetWidth();
    for (int i = 0; i < 12; ++i)
        edit->SendChar('m');
    const int grown = edit->GetSize().GetWidth();
    EXPECT_GT(grown, startWidth);
    for (int i = 0; i < 200; ++i)
        edit->SendChar('m');
    const wxRect rect = edit->GetRect();
    EXPECT_EQ(rect.GetLeft(), 80);
    EXPECT_EQ(rect.GetRight() + 1, grid->GetClientSize().GetWidth());
}

TEST_F(GridEditWindow, AnOpenEditClosesUnreportedWhenItsRowsOrTheGridGo)
{
    Key(grid, wxEVT_CHAR, 'x', 'x');
    ASSERT_NE(Edit(), nullptr);
    notes->clear();
    grid->SetRowCount(1);
    Pump();
    EXPECT_EQ(Edit(), nullptr);
    EXPECT_FALSE(Saw(GRIDN_ENDEDIT));
    EXPECT_FALSE(Saw(GRIDN_EDITUNCHANGED));

    BuildSeriesDemo(*grid, 4);
    grid->SetFocusCell(1, 1);
    Key(grid, wxEVT_CHAR, 'y', 'y');
    ASSERT_NE(Edit(), nullptr);
    notes->clear();
    grid->Destroy();
    grid = nullptr;
    Pump();
    EXPECT_FALSE(Saw(GRIDN_ENDEDIT));
    EXPECT_FALSE(Saw(GRIDN_EDITUNCHANGED));
}

} // namespace
