// The grid window's clipboard through the display's real clipboard, its
// edit commands, its drop target and virtual mode through the owner's events.
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/dcmemory.h>

#include "grid/GridCtrl.h"
#include "grid/GridDisplayInfo.h"
#include "grid/GridDropTarget.h"
#include "grid/InPlaceEdit.h"
#include "tests/grid/GridWindowPair.h"

namespace
{

/// Two grids side by side; the left one holds "H<col>" headings over "r<row>c<col>" texts.
class GridTransfer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        pair.Open("grid transfer test");
        left = pair.left;
        right = pair.right;
        SGridWindowPair::Fill(left, L"r");
    }
    void TearDown() override { pair.Close(); }
    static void Command(CGridCtrl* grid, int id)
    {
        wxCommandEvent event(wxEVT_MENU, id);
        event.SetEventObject(grid);
        grid->GetEventHandler()->ProcessEvent(event);
    }
    static bool Enabled(CGridCtrl* grid, int id)
    {
        wxUpdateUIEvent event(id);
        event.SetEventObject(grid);
        grid->GetEventHandler()->ProcessEvent(event);
        return event.GetSetEnabled() && event.GetEnabled();
    }
    static std::wstring ClipboardText()
    {
        wxClipboardLocker lock;
        wxTextDataObject data;
        if (!lock || !wxTheClipboard->GetData(data))
            return L"<none>";
        return data.GetText().ToStdWstring();
    }
    static void PutOnClipboard(const wxString& text)
    {
        wxClipboardLocker lock;
        ASSERT_TRUE(!!lock);
        ASSERT_TRUE(wxTheClipboard->SetData(new wxTextDataObject(text)));
    }

    SGridWindowPair pair;
    CGridCtrl* left = nullptr;
    CGridCtrl* right = nullptr;
};

TEST_F(GridTransfer, CopyAndPasteTravelThroughTheDisplaysClipboard)
{
    EXPECT_FALSE(Enabled(left, wxID_COPY));
    EXPECT_TRUE(Enabled(left, wxID_SELECTALL));
    left->SetSelectedRange(1, 1, 2, 2);
    ASSERT_TRUE(Enabled(left, wxID_COPY));
    Command(left, wxID_COPY);
    EXPECT_EQ(ClipboardText(), L"H1\tH2\t\r\nr1c1\tr1c2\r\nr2c1\tr2c2");

    // The other grid learns of the text when it takes the focus, without blocking.
    right->SetFocusCell(1, 0);
    right->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return Enabled(right, wxID_PASTE); }));
    Command(right, wxID_PASTE);
    // The heading line lands in the first row, the cells below it.
    EXPECT_EQ(right->GetItemText(1, 0), L"H1");
    EXPECT_EQ(right->GetItemText(1, 1), L"H2");
    EXPECT_EQ(right->GetItemText(2, 0), L"r1c1");
    EXPECT_EQ(right->GetItemText(3, 1), L"r2c2");
    EXPECT_EQ(right->GetSelectedCellRange(), CGridCellRange(1, 0, 3, 1));
}

TEST_F(GridTransfer, TextFromElsewhereIsPastedAndCutTakesCellsAway)
{
    PutOnClipboard("x, y\nz\r\n");
    left->SetFocusCell(3, 2);
    Command(left, wxID_PASTE);
    EXPECT_EQ(left->GetItemText(3, 2), L"x");
    EXPECT_EQ(left->GetItemText(3, 3), L"y");
    EXPECT_EQ(left->GetItemText(4, 2), L"z");

    left->SetSelectedRange(1, 0, 1, 1);
    ASSERT_TRUE(Enabled(left, wxID_CUT));
    Command(left, wxID_CUT);
    EXPECT_EQ(ClipboardText(), L"H0\tH1\t\r\nr1c0\tr1c1");
    EXPECT_EQ(left->GetItemText(1, 0), L"");
    EXPECT_EQ(left->GetItemText(1, 1), L"");
    EXPECT_EQ(left->GetItemText(1, 2), L"r1c2");
}

TEST_F(GridTransfer, AnOpenEditTakesThePastedTextItself)
{
    PutOnClipboard("typed");
    left->SetFocusCell(2, 1);
    left->OnEditCell(2, 1, SGridPoint{-1, -1}, VK_LBUTTON);
    Pump();
    auto* edit = dynamic_cast<CInPlaceEdit*>(left->GetCell(2, 1)->GetEditWnd());
    ASSERT_NE(edit, nullptr);
    Command(left, wxID_PASTE);
    EXPECT_EQ(edit->GetValue(), "r2c1typed");
    EXPECT_EQ(left->GetItemText(2, 1), L"r2c1") << "the cell changes only when the edit ends";
    left->EndEditing();
    Pump();
    EXPECT_EQ(left->GetItemText(2, 1), L"r2c1typed");
}

TEST_F(GridTransfer, EachGridRegistersItsDropTargetAndOnlyAGridCanHaveOne)
{
    for (CGridCtrl* grid : {left, right})
    {
        ASSERT_NE(grid->GetGridDropTarget(), nullptr);
        EXPECT_TRUE(grid->GetGridDropTarget()->IsRegistered());
        EXPECT_EQ(grid->GetDropTarget(), grid->GetGridDropTarget());
    }
    CGridDropTarget stray;
    EXPECT_FALSE(stray.Register(pair.frame));
    EXPECT_TRUE(left->GetGridDropTarget()->Register(left)) << "a second registration changes nothing";
}

/// The owner of a virtual grid: answers each cell and logs the notifications.
struct SVirtualOwner
{
    void Handle(CGridNotifyEvent& event)
    {
        codes.push_back(event.GetCode());
        if (event.GetCode() == GRIDN_CACHEHINT)
            hints.push_back(event.GetCacheRange());
        if (SGridDisplayInfo* info = event.GetDisplayInfo())
        {
            info->text = info->row == 0 ? L"Col " + std::to_wstring(info->col)
                                        : std::to_wstring(info->row * 1000 + info->col);
            if (info->row > 0 && info->row % 2 == 0)
                info->backColor = GridRgb(230, 240, 255);
        }
    }
    std::vector<int> codes;
    std::vector<CGridCellRange> hints;
};

TEST_F(GridTransfer, AVirtualGridDrawsWhatItsOwnerAnswers)
{
    SVirtualOwner owner;
    pair.frame->Bind(GRID_EVT_NOTIFY, &SVirtualOwner::Handle, &owner);
    right->SetVirtualMode(true);
    right->SetRowCount(100000);
    right->SetColumnCount(4);
    right->SetFixedRowCount(1);
    for (int col = 0; col < 4; ++col)
        right->SetColumnWidth(col, 70);
    owner.codes.clear();
    owner.hints.clear();

    wxBitmap shot(right->GetClientSize());
    {
        wxMemoryDC dc(shot);
        right->RenderClient(dc);
    }
    ASSERT_TRUE(
        shot.ConvertToImage().SaveFile(TERRION_GRID_ARTEFACTS "/grid_virtual.png", wxBITMAP_TYPE_PNG));
    ASSERT_EQ(owner.hints.size(), 2u);
    EXPECT_EQ(owner.hints[0], right->GetVisibleNonFixedCellRange());
    EXPECT_EQ(owner.hints[1], CGridCellRange());
    EXPECT_EQ(owner.codes.front(), GRIDN_CACHEHINT);
    EXPECT_EQ(owner.codes.back(), GRIDN_CACHEHINT);
    EXPECT_EQ(right->GetItemText(2, 3), L"2003");
    // An even row is painted in the owner's colour.
    const wxImage image = shot.ConvertToImage();
    SGridRect cell;
    ASSERT_TRUE(right->GetCellRect(2, 1, &cell));
    const wxPoint inRow2(cell.right - 3, cell.top + 3);
    EXPECT_EQ(wxColour(image.GetRed(inRow2.x, inRow2.y), image.GetGreen(inRow2.x, inRow2.y),
                       image.GetBlue(inRow2.x, inRow2.y)),
              wxColour(230, 240, 255));
    pair.frame->Unbind(GRID_EVT_NOTIFY, &SVirtualOwner::Handle, &owner);
}

} // namespace
