// The menus' measuring: the fixed parts of an item, the label and accelerator
// columns over all items, separators, and how an item text splits.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "menus/OwMenu.h"
#include "menus/OwMenuText.h"
#include "tests/grid/FakeGridSurface.h"

namespace
{

constexpr int kChar = CFakeGridSurface::kCharWidth;

struct SSizeCase
{
    const char* name;
    bool separator;
    bool flat;
    int gap;
    SGridSize icon;
    int label;
    int accelerator;
    int menuHeight;
    SGridSize expected;
};

TEST(OwMenuMeasure, ItemSizeFollowsTheStyleTheIconAndTheWidestColumns)
{
    const SSizeCase cases[] = {
        // Flat with image variants: the image column is icon + gap wide.
        {"flat 20x19", false, true, 7, {20, 19}, 50, 30, 19, {30 + 10 + 50 + 20 + 8 + 7, 26}},
        {"flat separator", true, true, 7, {20, 19}, 50, 30, 19, {0, 3}},
        {"flat, tall menu line", false, true, 7, {16, 16}, 40, 0, 30, {0 + 10 + 40 + 16 + 8 + 7, 30}},
        {"flat separator ignores the menu line", true, true, 7, {16, 16}, 40, 0, 30, {0, 3}},
        // 3D: two icon widths and one pixel, items at least gap + icon high.
        {"3D 20x19", false, false, 4, {20, 19}, 50, 30, 19, {30 + 10 + 50 + 1 + 40, 23}},
        {"3D separator from the icon", true, false, 4, {20, 19}, 50, 30, 19, {0, 11}},
        {"3D separator from the menu line", true, false, 4, {16, 16}, 0, 0, 30, {0, 15}},
        {"empty labels", false, true, 7, {16, 16}, 0, 0, 19, {10 + 16 + 8 + 7, 23}},
    };
    for (const SSizeCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(OwMenu::ItemSize(c.separator, c.flat, c.gap, c.icon, c.label, c.accelerator,
                                   SOwMenuMetrics{c.menuHeight}),
                  c.expected);
    }
}

TEST(OwMenuMeasure, TheFlatLookIsInForceWithItsWideGap)
{
    OwMenu menu;
    menu.SetIconSize(20, 19);
    EXPECT_TRUE(menu.IsFlatStyle());
    EXPECT_EQ(menu.GetGap(), 7);
    CFakeGridSurface measurer;
    menu.AppendMenu(L"Expand all", MF_STRING, 1);
    menu.AppendMenu(L"", MF_SEPARATOR, 0);
    EXPECT_EQ(menu.MeasureItem(menu.GetItem(0), measurer, SOwMenuMetrics{19}),
              SGridSize(10 * kChar + 10 + 27 + 8, 26));
    EXPECT_EQ(menu.MeasureItem(menu.GetItem(1), measurer, SOwMenuMetrics{19}), SGridSize(0, 3));
}

TEST(OwMenuMeasure, EveryItemGrowsToTheWidestLabelAndAccelerator)
{
    OwMenu menu;
    menu.AppendMenu(L"Open\tCtrl+O", MF_STRING, 1);            // label 4, accelerator 6
    menu.AppendMenu(L"Remove all series", MF_STRING, 2);       // label 17
    menu.AppendMenu(L"A\tmiddle\tCtrl+Shift+Z", MF_STRING, 3); // label 1, accelerator 12
    menu.AppendMenu(L"&Copy", MF_STRING, 4);                   // shown label 4
    CFakeGridSurface measurer;
    const SOwMenuMetrics metrics{19};
    const int fixed = 10 + 16 + 8 + 7;

    std::vector<int> widths;
    for (int i = 0; i < menu.GetItemCount(); ++i)
        widths.push_back(menu.MeasureItem(menu.GetItem(i), measurer, metrics).cx);
    EXPECT_EQ(widths, (std::vector<int>{(4 + 6) * kChar + fixed, (17 + 6) * kChar + fixed,
                                        (17 + 12) * kChar + fixed, (17 + 12) * kChar + fixed}));
    EXPECT_EQ(menu.GetWidestLabel(), 17 * kChar);
    EXPECT_EQ(menu.GetWidestAccelerator(), 12 * kChar);
    // Measuring again, a short item included, never narrows the columns.
    EXPECT_EQ(menu.MeasureItem(menu.GetItem(0), measurer, metrics).cx, (17 + 12) * kChar + fixed);
}

TEST(OwMenuMeasure, AnIdOfZeroMakesASeparatorWhateverElseIsPassed)
{
    const CGridImageList images(std::vector<TGridColor>(32 * 16, 0x123456), 32, SGridSize{16, 16}, 0x0000FF);
    OwMenu menu;
    menu.AppendMenu(L"Ignored\tCtrl+I", MF_CHECKED | MF_GRAYED, 0, &images, 1);
    const OwMenuData& item = menu.GetItem(0);
    EXPECT_TRUE(item.IsSeparator());
    EXPECT_EQ(item.flags, static_cast<unsigned>(MF_SEPARATOR));
    EXPECT_FALSE(item.HasImage());
    EXPECT_FALSE(item.IsChecked());
    EXPECT_EQ(item.command, 0u);
    CFakeGridSurface measurer;
    EXPECT_EQ(menu.MeasureItem(item, measurer, SOwMenuMetrics{19}), SGridSize(0, 3));
    EXPECT_EQ(menu.GetWidestLabel(), 0);
}

TEST(OwMenuMeasure, AnImageOutsideItsListLeavesTheItemWithoutOne)
{
    const CGridImageList images(std::vector<TGridColor>(32 * 16, 0x123456), 32, SGridSize{16, 16}, 0x0000FF);
    OwMenu menu;
    menu.AppendMenu(L"Has", MF_STRING, 1, &images, 1);
    menu.AppendMenu(L"Beyond", MF_STRING, 2, &images, 2);
    menu.AppendMenu(L"Negative", MF_STRING, 3, &images, -1);
    menu.AppendMenu(L"None", MF_STRING, 4);
    EXPECT_TRUE(menu.GetItem(0).HasImage());
    EXPECT_FALSE(menu.GetItem(1).HasImage());
    EXPECT_FALSE(menu.GetItem(2).HasImage());
    EXPECT_FALSE(menu.GetItem(3).HasImage());
}

struct STextCase
{
    const wchar_t* text;
    const wchar_t* label;
    const wchar_t* accelerator;
    const wchar_t* shown;
    int mnemonic;
};

TEST(OwMenuMeasure, TheTextSplitsIntoLabelAcceleratorAndMnemonic)
{
    const STextCase cases[] = {
        {L"Expand all", L"Expand all", L"", L"Expand all", -1},
        {L"&Copy\t(Ctrl+C)", L"&Copy", L"(Ctrl+C)", L"Copy", 0},
        {L"Select &all\tCtrl+A", L"Select &all", L"Ctrl+A", L"Select all", 7},
        {L"first\tmiddle\tlast", L"first", L"last", L"first", -1},
        {L"\tOnly accelerator", L"", L"Only accelerator", L"", -1},
        {L"Salt && &Pepper", L"Salt && &Pepper", L"", L"Salt & Pepper", 7},
        {L"&One &Two", L"&One &Two", L"", L"One Two", 0},
        {L"Trailing&", L"Trailing&", L"", L"Trailing", -1},
        {L"", L"", L"", L"", -1},
    };
    for (const STextCase& c : cases)
    {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        const OwMenuText text(c.text);
        EXPECT_EQ(text.GetLabel(), c.label);
        EXPECT_EQ(text.GetAccelerator(), c.accelerator);
        EXPECT_EQ(text.GetShownLabel(), c.shown);
        EXPECT_EQ(text.GetMnemonicIndex(), c.mnemonic);
    }
}

} // namespace
