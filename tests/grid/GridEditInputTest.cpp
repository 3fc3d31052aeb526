// Real key presses through X and GTK to the grid and its edit. These run
// alone: simulated keys go to whichever window holds the display's keyboard
// focus, which may belong to another test running at the same time.
#include <gtest/gtest.h>
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

} // namespace
