// Drag-and-drop between two grid windows with the display's real pointer,
// and sorting by clicks on a heading. The pointer is shared by every window
// on the display, so these cases run alone.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include "grid/GridCtrl.h"
#include "tests/grid/GridWindowPair.h"

namespace
{

/// Steps run one after another from timers, so that they go on while a
/// drag runs its own event loop inside the grid's mouse handler.
class CPointerScript : public wxTimer
{
public:
    static constexpr int kInterval = 150;

    explicit CPointerScript(std::vector<std::function<void()>> steps) : m_steps(std::move(steps))
    {
        StartOnce(kInterval);
    }
    bool Done() const { return m_next >= m_steps.size(); }
    void Notify() override
    {
        if (Done())
            return;
        const std::size_t step = m_next++;
        // The next step is due even when this one does not return (a drag starting).
        if (!Done())
            StartOnce(kInterval);
        m_steps[step]();
    }

private:
    std::vector<std::function<void()>> m_steps;
    std::size_t m_next = 0;
};

class GridDragDrop : public ::testing::Test
{
protected:
    void SetUp() override
    {
        pair.Open("grid drag test");
        source = pair.left;
        target = pair.right;
        SGridWindowPair::Fill(source, L"s");
        SGridWindowPair::Fill(target, L"t");
    }
    void TearDown() override
    {
        mouse.MouseMove(wxPoint(1200, 1000));
        pair.Close();
    }
    static wxPoint Screen(CGridCtrl* grid, int row, int col)
    {
        return SGridWindowPair::Screen(grid, row, col);
    }
    static std::wstring Row(CGridCtrl* grid, int row) { return SGridWindowPair::Row(grid, row); }
    /// Presses on the source's cell (1, 1), drags to the target's cell (2, 0)
    /// and releases, with Ctrl held over the target when `copy`.
    std::vector<std::function<void()>> DragSteps(bool copy = false)
    {
        const wxPoint from = Screen(source, 1, 1);
        const wxPoint to = Screen(target, 2, 0);
        std::vector<std::function<void()>> steps = {
            [=, this] { mouse.MouseMove(from); },
            [this] { mouse.MouseDown(); },
            [=, this] { mouse.MouseMove(from + wxPoint(8, 0)); },
            [=, this] { mouse.MouseMove(from + wxPoint(30, 2)); },
        };
        if (copy)
            steps.push_back([this] { mouse.KeyDown(WXK_CONTROL); });
        for (int i = 1; i <= 4; ++i)
            steps.push_back([=, this] { mouse.MouseMove(from + (to - from) * i / 4); });
        steps.push_back([=, this] { mouse.MouseMove(to + wxPoint(1, 1)); });
        steps.push_back([=, this] { mouse.MouseMove(to); });
        steps.push_back([this] { mouse.MouseUp(); });
        if (copy)
            steps.push_back([this] { mouse.KeyUp(WXK_CONTROL); });
        steps.push_back([] {}); // time for the drop's data to arrive
        return steps;
    }
    SGridWindowPair pair;
    CGridCtrl* source = nullptr;
    CGridCtrl* target = nullptr;
    wxUIActionSimulator mouse;
};

TEST_F(GridDragDrop, ADropMovesTheSelectedTextsIntoTheOtherGrid)
{
    source->SetDragAndDrop(true);
    target->SetDragAndDrop(true);
    source->SetSelectedRange(1, 1, 1, 2);
    CPointerScript script(DragSteps());
    ASSERT_TRUE(PumpUntil([&] { return script.Done() && Row(target, 2) != L"t2c0|t2c1|t2c2|t2c3"; }));
    Pump();
    EXPECT_EQ(Row(target, 2), L"s1c1|s1c2|t2c2|t2c3");
    EXPECT_EQ(Row(source, 1), L"s1c0|||s1c3") << "a move takes the texts away from the source";
    EXPECT_EQ(target->GetSelectedCount(), 0);
    EXPECT_EQ(target->GetItemState(2, 0) & GCS_DROPHILITED, 0u);
    EXPECT_EQ(source->GetMouseMode(), GMM_NONE);
}

TEST_F(GridDragDrop, WithCtrlHeldTheDropCopies)
{
    source->SetDragAndDrop(true);
    target->SetDragAndDrop(true);
    source->SetSelectedRange(1, 1, 1, 2);
    CPointerScript script(DragSteps(true));
    ASSERT_TRUE(PumpUntil([&] { return script.Done() && Row(target, 2) != L"t2c0|t2c1|t2c2|t2c3"; }));
    Pump();
    EXPECT_EQ(Row(target, 2), L"s1c1|s1c2|t2c2|t2c3");
    EXPECT_EQ(Row(source, 1), L"s1c0|s1c1|s1c2|s1c3") << "a copy leaves the source as it was";
}

TEST_F(GridDragDrop, AGridWithDragAndDropOffRefusesTheDrop)
{
    source->SetDragAndDrop(true);
    source->SetSelectedRange(1, 1, 1, 2);
    CPointerScript script(DragSteps());
    ASSERT_TRUE(PumpUntil([&] { return script.Done(); }));
    Pump();
    EXPECT_EQ(Row(target, 2), L"t2c0|t2c1|t2c2|t2c3");
    EXPECT_EQ(Row(source, 1), L"s1c0|s1c1|s1c2|s1c3") << "a refused drop moves nothing";
}

TEST_F(GridDragDrop, ClicksOnAHeadingSortUpAndDown)
{
    const std::vector<std::wstring> keys = {L"kilo", L"alpha", L"zulu", L"lima"};
    for (int row = 1; row < 5; ++row)
        source->SetItemText(row, 1, keys[static_cast<std::size_t>(row - 1)]);
    source->SetSortOnHeadingClick(true);
    auto column = [&]
    {
        std::vector<std::wstring> texts;
        for (int row = 1; row < 5; ++row)
            texts.push_back(source->GetItemText(row, 1));
        return texts;
    };
    ASSERT_TRUE(mouse.MouseMove(Screen(source, 0, 1)));
    Pump();
    ASSERT_TRUE(mouse.MouseClick());
    ASSERT_TRUE(PumpUntil([&] { return source->GetSortColumn() == 1; }));
    EXPECT_EQ(column(), (std::vector<std::wstring>{L"alpha", L"kilo", L"lima", L"zulu"}));
    EXPECT_EQ(source->GetItemText(1, 0), L"s2c0") << "whole rows move";

    // Past the double-click time: this is a click of its own.
    wxMilliSleep(800);
    Pump();
    ASSERT_TRUE(mouse.MouseClick());
    ASSERT_TRUE(PumpUntil([&] { return !source->GetSortAscending(); }));
    EXPECT_EQ(column(), (std::vector<std::wstring>{L"zulu", L"lima", L"kilo", L"alpha"}));

    Pump();
    wxBitmap shot(source->GetClientSize());
    {
        wxMemoryDC dc(shot);
        source->RenderClient(dc);
    }
    ASSERT_TRUE(shot.ConvertToImage().SaveFile(TERRION_GRID_ARTEFACTS "/grid_sorted.png", wxBITMAP_TYPE_PNG));
}

} // namespace
