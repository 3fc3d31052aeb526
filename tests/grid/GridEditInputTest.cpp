// Real key presses through X and GTK to the grid and its edit. These run
// alone: simulated keys go to whichever window holds the display's keyboard
// focus, which may belong to another test running at the same time.
#include <gtest/gtest.h>
#include <wx/menu.h>
#include <wx/uiaction.h>

#include "tests/grid/GridEditWindowFixture.h"

namespace
{

// A window of an earlier test may still hold the focus for a moment, so the
// typing is tried again (a few times at most) when it went elsewhere.
TEST_F(GridEditWindow, RealKeysStartAnEditWithASpaceAndCommitWithEnter)
{
    // Key presses go to the window under the pointer: this one lies away from the
    // corner where the other window tests open theirs.
    frame->Move(620, 640);
    wxUIActionSimulator sim;
    wxString started;
    bool committed = false;
    for (int attempt = 0; attempt < 3 && !committed; ++attempt)
    {
        grid->EndEditing();
        Pump();
        grid->SetItemText(1, 1, L"Series 1");
        grid->SetFocusCell(1, 1);
        notes->clear();
        frame->Raise();
        sim.MouseMove(grid->ClientToScreen(wxPoint(300, 200)));
        grid->SetFocus();
        Pump();
        sim.Char(' ');
        if (!PumpUntil([this] { return Edit() != nullptr; }))
            continue;
        CInPlaceEdit* edit = Edit();
        started = edit->GetValue();
        sim.Text("Ab");
        PumpUntil([edit] { return edit->GetValue() == " Ab"; });
        SaveScreenshot("grid_edit.png");
        sim.Char(WXK_RETURN);
        PumpUntil([this] { return Saw(GRIDN_ENDEDIT); });
        Pump();
        committed = grid->GetItemText(1, 1) == L" Ab" && Saw(GRIDN_KEYCOMMAND) && Saw(GRIDN_ENDEDIT);
    }
    EXPECT_EQ(started, " ") << "the typed space must start the edit and replace the name";
    EXPECT_TRUE(committed);
    EXPECT_EQ(grid->GetItemText(1, 1), L" Ab");
    EXPECT_EQ(Edit(), nullptr);
}

// Alt+letter is the frame's: it opens the menu of that mnemonic, from the
// grid and from an open edit alike, while a letter typed alone still starts
// an edit with it.
TEST_F(GridEditWindow, RealAltLetterOpensTheMenuAndAPlainLetterTypes)
{
    frame->Move(620, 640);
    auto* file = new wxMenu;
    file->Append(wxID_ANY, "&Open");
    auto* bar = new wxMenuBar;
    bar->Append(file, "&File");
    frame->SetMenuBar(bar);
    int opened = 0;
    int closed = 0;
    frame->Bind(wxEVT_MENU_OPEN,
                [&opened](wxMenuEvent& event)
                {
                    ++opened;
                    event.Skip();
                });
    frame->Bind(wxEVT_MENU_CLOSE,
                [&closed](wxMenuEvent& event)
                {
                    ++closed;
                    event.Skip();
                });
    wxUIActionSimulator sim;
    const auto focusGrid = [&]
    {
        frame->Raise();
        sim.MouseMove(grid->ClientToScreen(wxPoint(300, 200)));
        grid->SetFocus();
        Pump();
        return PumpUntil([this] { return wxWindow::FindFocus() == grid; });
    };
    // Esc closes the menu again; the keyboard then goes back to where it was.
    const auto closeMenu = [&]
    {
        const int before = closed;
        sim.Char(WXK_ESCAPE);
        return PumpUntil([&] { return closed > before; });
    };

    grid->SetItemText(1, 1, L"Series 1");
    grid->SetFocusCell(1, 1);
    bool fromGrid = false;
    for (int attempt = 0; attempt < 3 && !fromGrid; ++attempt)
    {
        ASSERT_TRUE(focusGrid());
        const int before = opened;
        sim.Char('f', wxMOD_ALT);
        fromGrid = PumpUntil([&] { return opened > before; });
    }
    EXPECT_TRUE(fromGrid) << "Alt+F with the focus in the grid must open the File menu";
    EXPECT_EQ(Edit(), nullptr) << "Alt+F must not start an edit";
    if (fromGrid)
    {
        ASSERT_TRUE(closeMenu());
    }
    EXPECT_EQ(grid->GetItemText(1, 1), L"Series 1");

    // A plain letter replaces the name in a new edit.
    ASSERT_TRUE(focusGrid());
    sim.Char('x');
    ASSERT_TRUE(PumpUntil([this] { return Edit() != nullptr && Edit()->GetValue() == "x"; }));
    CInPlaceEdit* edit = Edit();
    ASSERT_TRUE(PumpUntil([edit] { return wxWindow::FindFocus() == edit; }));

    // In the edit Alt+F opens the menu too and types nothing.
    const int before = opened;
    sim.Char('f', wxMOD_ALT);
    EXPECT_TRUE(PumpUntil([&] { return opened > before; })) << "Alt+F in the edit must open the File menu";
    EXPECT_EQ(edit->GetValue(), "x");
    closeMenu();
}

} // namespace
