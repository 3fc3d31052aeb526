// The grid window's keyboard and in-place edit on the (virtual) display:
// key events reach the core with the grid's key numbers, typed names are
// committed, Escape cancels, and an edit whose grid or rows go away closes
// without reporting.
#include <memory>
#include <vector>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/frame.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "grid/GridCtrl.h"
#include "grid/GridKeyMap.h"
#include "grid/InPlaceEdit.h"
#include "tests/grid/GridDemo.h"

namespace
{

void Pump()
{
    for (int i = 0; i < 5; ++i)
    {
        wxTheApp->ProcessPendingEvents();
        wxYield();
    }
}

/// Lets the display deliver simulated input until `done` holds (at most two seconds).
template <class TDone> bool PumpUntil(TDone done)
{
    for (int i = 0; i < 100 && !done(); ++i)
    {
        Pump();
        wxMilliSleep(20);
    }
    return done();
}

class GridEditWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        frame = new wxFrame(nullptr, wxID_ANY, "grid edit test", wxPoint(0, 0), wxSize(640, 360));
        grid = new CGridCtrl(frame, 101);
        frame->Bind(GRID_EVT_NOTIFY,
                    [log = notes](CGridNotifyEvent& event)
                    {
                        log->push_back(event.GetNotify());
                        event.Skip();
                    });
        frame->Show();
        BuildSeriesDemo(*grid, 10);
        Pump();
        grid->SetFocus();
        grid->SetFocusCell(1, 1);
        notes->clear();
    }
    void TearDown() override
    {
        if (frame)
            frame->Destroy();
        Pump();
    }

    /// The grid as the screen shows it, edit included, for a person to look at.
    void SaveScreenshot(const char* name)
    {
        Pump();
        const wxRect area(grid->GetScreenPosition(), grid->GetSize());
        wxBitmap shot(area.GetWidth(), area.GetHeight(), 24);
        {
            wxMemoryDC memory(shot);
            wxScreenDC screen;
            memory.Blit(0, 0, area.GetWidth(), area.GetHeight(), &screen, area.GetX(), area.GetY());
        }
        shot.ConvertToImage().SaveFile(wxString(TERRION_GRID_ARTEFACTS "/") + name, wxBITMAP_TYPE_PNG);
    }

    CInPlaceEdit* Edit() const
    {
        return dynamic_cast<CInPlaceEdit*>(grid->FindWindow(IDC_GRID_INPLACE_EDIT));
    }

    void Key(wxWindow* target, wxEventType type, int code, wxChar ch = WXK_NONE, int modifiers = wxMOD_NONE)
    {
        wxKeyEvent event(type);
        event.m_keyCode = code;
        event.m_uniChar = ch;
        event.SetShiftDown((modifiers & wxMOD_SHIFT) != 0);
        event.SetControlDown((modifiers & wxMOD_CONTROL) != 0);
        event.SetAltDown((modifiers & wxMOD_ALT) != 0);
        event.SetEventObject(target);
        target->GetEventHandler()->ProcessEvent(event);
    }

    std::vector<int> Codes() const
    {
        std::vector<int> codes;
        for (const SGridNotify& n : *notes)
            codes.push_back(n.hdr.code);
        return codes;
    }
    bool Saw(int code) const
    {
        for (const SGridNotify& n : *notes)
            if (n.hdr.code == code)
                return true;
        return false;
    }

    wxFrame* frame = nullptr;
    CGridCtrl* grid = nullptr;
    std::shared_ptr<std::vector<SGridNotify>> notes = std::make_shared<std::vector<SGridNotify>>();
};

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
    SaveScreenshot("grid_edit.png");
    Key(edit, wxEVT_KEY_DOWN, WXK_RETURN, '\r');
    Pump();
    EXPECT_EQ(grid->GetItemText(1, 1), L"Wall 3");
    EXPECT_EQ(Codes(), (std::vector<int>{GRIDN_BEGINEDIT, GRIDN_ENDEDIT}));
    EXPECT_EQ(notes->back().row, 1);
    EXPECT_EQ(notes->back().col, 1);
    EXPECT_FALSE(grid->GetCell(1, 1)->IsEditing());
    EXPECT_EQ(Edit(), nullptr);
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

// The real key path: X key events through GTK to the grid and its edit. Other
// window tests share the display and may take the keyboard focus for a moment,
// so the whole typing is tried again (a few times at most) when that happened.
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
