// Sorting the grid's rows: the quicksort that moves whole rows, the text
// comparison, and sorting by a click on a heading.
#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/grid/GridTestCells.h"

namespace
{

/// Rows of a heading and body rows: column 0 the row's name, column 1 its
/// key; each body row has a height of its own, so rows can be followed.
struct SSortFixture : SGridFixture
{
    explicit SSortFixture(const std::vector<std::wstring>& keys)
    {
        const int rows = static_cast<int>(keys.size()) + 1;
        Shape(rows, 3, 1, 0, 20, 60);
        grid.SetItemText(0, 0, L"name");
        grid.SetItemText(0, 1, L"key");
        for (int row = 1; row < rows; ++row)
        {
            grid.SetItemText(row, 0, L"row" + std::to_wstring(row));
            grid.SetItemText(row, 1, keys[static_cast<std::size_t>(row - 1)]);
            grid.SetRowHeight(row, 20 + row);
        }
    }
    std::vector<std::wstring> Column(int col)
    {
        std::vector<std::wstring> texts;
        for (int row = 1; row < grid.GetRowCount(); ++row)
            texts.push_back(grid.GetItemText(row, col));
        return texts;
    }
    /// Each row still holds its own name, height and cells that know where they are.
    void ExpectRowsWhole()
    {
        for (int row = 1; row < grid.GetRowCount(); ++row)
        {
            const std::wstring name = grid.GetItemText(row, 0);
            const int original = std::stoi(name.substr(3));
            EXPECT_EQ(grid.GetRowHeight(row), 20 + original) << row;
            for (int col = 0; col < 3; ++col)
            {
                const auto* cell = dynamic_cast<const CGridCell*>(grid.GetCell(row, col));
                ASSERT_NE(cell, nullptr);
                EXPECT_EQ(cell->GetRow(), row);
                EXPECT_EQ(cell->GetColumn(), col);
            }
        }
    }
    /// A press and release on the heading of `col`.
    void ClickHeading(int col)
    {
        const SGridPoint point{col * 60 + 30, 10};
        grid.OnLButtonDown(point);
        grid.OnLButtonUp(point);
    }
};

TEST(GridSort, HeadingClicksSortAscendingThenDescendingThenAscendingByANewColumn)
{
    SSortFixture f({L"delta", L"alpha", L"echo", L"charlie", L"bravo"});
    f.ClickHeading(1);
    EXPECT_EQ(f.Column(0), (std::vector<std::wstring>{L"row1", L"row2", L"row3", L"row4", L"row5"}))
        << "no sort while heading sorting is off";
    EXPECT_EQ(f.grid.GetSortColumn(), -1);

    f.grid.SetSortOnHeadingClick(true);
    f.ClickHeading(1);
    EXPECT_EQ(f.Column(1), (std::vector<std::wstring>{L"alpha", L"bravo", L"charlie", L"delta", L"echo"}));
    EXPECT_EQ(f.Column(0), (std::vector<std::wstring>{L"row2", L"row5", L"row4", L"row1", L"row3"}));
    EXPECT_EQ(f.grid.GetSortColumn(), 1);
    EXPECT_TRUE(f.grid.GetSortAscending());
    f.ExpectRowsWhole();

    f.ClickHeading(1);
    EXPECT_EQ(f.Column(1), (std::vector<std::wstring>{L"echo", L"delta", L"charlie", L"bravo", L"alpha"}));
    EXPECT_FALSE(f.grid.GetSortAscending());
    f.ExpectRowsWhole();

    f.ClickHeading(0);
    EXPECT_EQ(f.Column(0), (std::vector<std::wstring>{L"row1", L"row2", L"row3", L"row4", L"row5"}));
    EXPECT_EQ(f.grid.GetSortColumn(), 0);
    EXPECT_TRUE(f.grid.GetSortAscending());
    f.ExpectRowsWhole();
}

TEST(GridSort, AnyFillSortsInBothDirectionsWithRowsKeptWhole)
{
    // Few distinct keys among many rows: equal keys meet the pivot often.
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> pick(0, 9);
    for (int size : {2, 3, 17, 400})
    {
        std::vector<std::wstring> keys;
        for (int i = 0; i < size; ++i)
            keys.push_back(std::wstring(1, static_cast<wchar_t>(L'a' + pick(random))));
        SSortFixture f(keys);
        for (bool ascending : {true, false})
        {
            EXPECT_TRUE(f.grid.SortTextItems(1, ascending));
            std::vector<std::wstring> expected = keys;
            std::sort(expected.begin(), expected.end());
            if (!ascending)
                std::reverse(expected.begin(), expected.end());
            EXPECT_EQ(f.Column(1), expected) << size << (ascending ? " ascending" : " descending");
            f.ExpectRowsWhole();
            // Every row is there once.
            std::vector<std::wstring> names = f.Column(0);
            std::sort(names.begin(), names.end());
            EXPECT_EQ(std::unique(names.begin(), names.end()), names.end());
        }
    }
}

TEST(GridSort, TextsCompareByTheirUtf16Units)
{
    CGridCell a;
    CGridCell b;
    auto compare = [&](const wchar_t* first, const wchar_t* second)
    {
        a.SetText(first);
        b.SetText(second);
        return CGridCore::CompareCellText(&a, &b, 0);
    };
    EXPECT_EQ(compare(L"abc", L"abd"), -1);
    EXPECT_EQ(compare(L"abd", L"abc"), 1);
    EXPECT_EQ(compare(L"abc", L"abc"), 0);
    EXPECT_EQ(compare(L"ab", L"abc"), -1);
    EXPECT_EQ(compare(L"B", L"a"), -1) << "no case folding";
    EXPECT_EQ(compare(L"10", L"9"), -1) << "no number order";
    // U+1F600 is D83D DE00 in UTF-16 and so comes before U+FF21.
    EXPECT_EQ(compare(L"\U0001F600", L"\uFF21"), -1);
    EXPECT_EQ(CGridCore::CompareCellText(nullptr, &b, 0), 0);
}

TEST(GridSort, SortingClearsTheFocusCarriesTheSelectionAndUsesTheGivenOrder)
{
    SSortFixture f({L"3", L"10", L"2"});
    f.grid.SetFocusCell(2, 1);
    f.grid.SetSelectedRange(1, 0, 1, 2);
    // Numbers compared as numbers, through a comparison of the owner's.
    const auto numeric = [](const CGridCellBase* x, const CGridCellBase* y, std::intptr_t)
    {
        const int a = std::stoi(x->GetText());
        const int b = std::stoi(y->GetText());
        return a < b ? -1 : (a > b ? 1 : 0);
    };
    EXPECT_TRUE(f.grid.SortItems(1, numeric, true));
    EXPECT_EQ(f.Column(1), (std::vector<std::wstring>{L"2", L"3", L"10"}));
    EXPECT_EQ(f.grid.GetFocusCell(), CGridCellPos(-1, -1));
    EXPECT_EQ(f.grid.GetSelectedCellRange(), CGridCellRange(2, 0, 2, 2)) << "row \"3\" moved to row 2";
    EXPECT_EQ(f.grid.GetSelectedCount(), 3);
}

TEST(GridSort, AnOpenEditEndsIntoItsOwnRowBeforeTheRowsMove)
{
    SSortFixture f({L"delta", L"alpha", L"echo"});
    f.grid.SetFocusCell(1, 1);
    f.grid.OnEditCell(1, 1, SGridPoint{-1, -1}, VK_LBUTTON);
    CFakeInPlaceEditor* edit = f.host.LastEditor();
    ASSERT_NE(edit, nullptr);
    edit->text = L"zulu";
    EXPECT_TRUE(f.grid.SortTextItems(1, true));
    EXPECT_FALSE(edit->open);
    EXPECT_EQ(f.Column(1), (std::vector<std::wstring>{L"alpha", L"echo", L"zulu"}));
    EXPECT_EQ(f.Column(0), (std::vector<std::wstring>{L"row2", L"row3", L"row1"}));
}

TEST(GridSort, NothingToSortIsRefused)
{
    SSortFixture one({L"only"});
    EXPECT_FALSE(one.grid.SortTextItems(1, true)) << "one body row";
    SSortFixture f({L"b", L"a"});
    EXPECT_FALSE(f.grid.SortTextItems(3, true)) << "no such column";
    EXPECT_FALSE(f.grid.SortTextItems(-1, true));
    EXPECT_EQ(f.Column(1), (std::vector<std::wstring>{L"b", L"a"}));
}

} // namespace
