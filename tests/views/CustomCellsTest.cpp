// The series grid's custom cells on a recording surface: gradients, image
// placements and their clicks, the gripper's toggles, the value bar, and the
// sizes they ask for.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "tests/grid/GridTestCells.h"
#include "tests/views/RecordingSurface.h"
#include "views/ColorScheme.h"
#include "views/GridCellBar.h"
#include "views/GridCellDetailGripper.h"
#include "views/GridCellDetailLeft.h"
#include "views/GridCellGradient.h"
#include "views/GridCellSeries.h"
#include "views/SeriesImages.h"

namespace TerrionTest
{
namespace
{

using NOp = CRecordingSurface::NOp;

/// A grid of a heading row and two body rows, 100 x 22 cells.
struct SCellGrid : SGridFixture
{
    SCellGrid() { Shape(3, 6, 1, 0, 22, 100); }
    template <class TCell> TCell* Make(int row, int col)
    {
        EXPECT_TRUE(grid.SetCellType<TCell>(row, col));
        return dynamic_cast<TCell*>(grid.GetCell(row, col));
    }
};

constexpr SGridRect kCell{100, 22, 199, 43}; // right and bottom its last pixel
constexpr TGridColor kRed = GridRgb(255, 0, 0);
constexpr TGridColor kGreen = GridRgb(0, 255, 0);
constexpr TGridColor kTeal = GridRgb(188, 224, 232);
constexpr TGridColor kLight = GridRgb(242, 245, 253);

TEST(GridCellGradient, OneColourTwoPairsOrFourCorners)
{
    const struct
    {
        TGridColor tl, tr, bl, br;
        bool selected;
        NOp op;
        TGridColor from, to;
        bool vertical;
    } cases[] = {
        {kTeal, kTeal, kTeal, kTeal, false, NOp::Fill, kTeal, 0, false},
        {kTeal, kTeal, kTeal, kTeal, true, NOp::Fill, GridRgb(94, 112, 116), 0, false},
        {kRed, kGreen, kRed, kGreen, false, NOp::Gradient, kRed, kGreen, false},
        {kRed, kGreen, kRed, kGreen, true, NOp::Gradient, GridRgb(127, 0, 0), GridRgb(0, 127, 0), false},
        {kTeal, kTeal, kLight, kLight, false, NOp::Gradient, kTeal, kLight, true},
        {kRed, kGreen, kTeal, kLight, true, NOp::Gradient4, 0, 0, false}, // never halved
    };
    for (const auto& c : cases)
    {
        SCellGrid g;
        auto* cell = g.Make<CGridCellGradient>(1, 1);
        cell->SetTopLeftColor(c.tl);
        cell->SetTopRightColor(c.tr);
        cell->SetBottomLeftColor(c.bl);
        EXPECT_EQ(cell->SetBottomRightColor(c.br), kGreen); // the default it replaced
        cell->SetState(c.selected ? unsigned{GCS_SELECTED} : 0u);
        CRecordingSurface dc;
        EXPECT_TRUE(cell->DrawBackground(&dc, 1, 1, kCell, false));
        ASSERT_EQ(dc.ops.size(), 1u);
        const auto& op = dc.ops[0];
        EXPECT_EQ(op.op, c.op);
        EXPECT_EQ(op.rect, kCell);
        if (c.op == NOp::Gradient4)
            EXPECT_EQ(op.corners, (std::vector<TGridColor>{kRed, kGreen, kTeal, kLight}));
        else
            EXPECT_EQ(op.color, c.from);
        if (c.op == NOp::Gradient)
        {
            EXPECT_EQ(op.color2, c.to);
            EXPECT_EQ(op.flag, c.vertical);
        }
    }
}

TEST(GridCellMultiBmp, PlacementsKeepTheirSortOrderAndSetHiddenFindsTheFirst)
{
    CGridCellMultiBmp cell;
    auto info = [](int image, int key)
    {
        MULTIBMPINFO i;
        i.image = image;
        i.sortKey = key;
        return i;
    };
    cell.AddBitmap(info(0, 2));
    cell.AddBitmap(info(1, 1));
    cell.AddBitmap(info(2, 1)); // equal keys keep their order
    cell.AddBitmap(info(3, 0));
    cell.AddBitmap(info(4, 2));
    std::vector<int> order;
    for (const auto& p : cell.GetPlacements())
        order.push_back(p.image);
    EXPECT_EQ(order, (std::vector<int>{3, 1, 2, 0, 4}));
    cell.SetHidden(2, true);
    cell.SetHidden(99, true); // no such image: nothing changes
    int hidden = 0;
    for (const auto& p : cell.GetPlacements())
        hidden += p.hidden;
    EXPECT_EQ(hidden, 1);
    EXPECT_TRUE(cell.GetPlacements()[2].hidden);
}

TEST(GridCellMultiBmp, ImagesGoWhereTheirPlacementSays)
{
    const struct
    {
        bool alignLeft, centerX, percentX;
        double offsetX;
        int x;
    } cases[] = {
        {true, false, false, 5.0, 105},       // left edge on the anchor
        {false, true, false, 0.0, 100 - 11},  // centred on it
        {false, false, false, 0.0, 100 - 22}, // ending at it
        {true, false, true, 50.0, 100 + 49},  // half the cell width (99)
    };
    for (const auto& c : cases)
    {
        SCellGrid g;
        auto* cell = g.Make<CGridCellMultiBmp>(1, 1);
        cell->SetImageList(&CSeriesImages::GridImages());
        MULTIBMPINFO info;
        info.image = 2;
        info.alignLeft = c.alignLeft;
        info.centerX = c.centerX;
        info.percentX = c.percentX;
        info.offsetX = c.offsetX;
        info.offsetY = 1;
        cell->AddBitmap(info);
        CRecordingSurface dc;
        cell->Draw(&dc, 1, 1, kCell, false, false);
        const auto images = dc.Of(NOp::Image);
        ASSERT_EQ(images.size(), 1u);
        EXPECT_EQ(images[0].rect, (SGridRect{c.x, 23, c.x + 22, 23 + 19}));
        EXPECT_EQ(images[0].index, 2);
    }
}

TEST(GridCellDetailGripper, ShowsOneImageOfEachToggleAndPrintsWithoutThem)
{
    SCellGrid g;
    auto* cell = g.Make<CGridCellDetailGripper>(1, 0);
    cell->SetImageList(&CSeriesImages::GridImages());
    cell->SetText(L"17");
    auto images = [&](bool printing)
    {
        CRecordingSurface dc(printing);
        if (printing)
            cell->PrintCell(&dc, 1, 0, kCell);
        else
            cell->Draw(&dc, 1, 0, kCell, false, false);
        std::vector<std::pair<int, int>> shown;
        for (const auto& op : dc.Of(NOp::Image))
            shown.emplace_back(op.index, op.rect.left);
        EXPECT_NE(dc.FindText(L"17"), nullptr);
        return shown;
    };
    EXPECT_EQ(images(false), (std::vector<std::pair<int, int>>{{0, 105}, {2, 130}}));
    cell->SetCollapsed(false);
    cell->SetInSummary(false);
    EXPECT_TRUE(cell->IsExpanded());
    EXPECT_FALSE(cell->IsInSummary());
    EXPECT_EQ(images(false), (std::vector<std::pair<int, int>>{{1, 105}, {3, 130}}));
    EXPECT_TRUE(images(true).empty()); // the text, not the toggles
}

TEST(GridCellDetailGripper, ClicksThroughTheGridFlipTheToggleTheyHitBeforeThePageHears)
{
    SCellGrid g;
    g.grid.SetListMode(true);
    auto* cell = g.Make<CGridCellDetailGripper>(1, 0);
    cell->SetImageList(&CSeriesImages::GridImages());
    cell->SetState(GCS_READONLY); // as the page makes it: a press on it never starts an edit
    bool expandedAtNotify = false;
    g.host.answer = [&](const SGridNotify& n)
    {
        if (n.hdr.code == NM_CLICK)
            expandedAtNotify = cell->IsExpanded();
        return 0L;
    };
    const struct
    {
        int x;
        bool expanded;
        bool inSummary;
        int hit;
    } clicks[] = {
        {3, false, true, -1},  // left of the images
        {10, true, true, 0},   // the expand image
        {28, true, true, -1},  // between the two
        {40, true, false, 2},  // the summary image
        {10, false, false, 1}, // the collapse image
        {40, false, true, 3},
    };
    for (const auto& c : clicks)
    {
        const SGridPoint at{c.x, 22 + 5}; // row 1 lies under the 22-pixel heading
        g.grid.OnLButtonDown(at);
        g.grid.OnLButtonUp(at);
        EXPECT_EQ(cell->GetHitId(), c.hit) << c.x;
        EXPECT_EQ(cell->IsExpanded(), c.expanded) << c.x;
        EXPECT_EQ(cell->IsInSummary(), c.inSummary) << c.x;
        EXPECT_EQ(expandedAtNotify, c.expanded) << c.x;
    }
}

TEST(GridCellDetailLeft, DrawsOnlyItsGradient)
{
    SCellGrid g;
    auto* cell = g.Make<CGridCellDetailLeft>(2, 0);
    cell->SetTopLeftColor(theColorScheme.RowTopColor);
    cell->SetTopRightColor(theColorScheme.RowTopColor);
    cell->SetBottomLeftColor(theColorScheme.RowBottomColor);
    cell->SetBottomRightColor(theColorScheme.RowBottomColor);
    cell->SetText(L"never shown");
    cell->SetState(GCS_FOCUSED);
    CRecordingSurface dc;
    EXPECT_TRUE(cell->Draw(&dc, 2, 0, kCell, false, false));
    ASSERT_EQ(dc.ops.size(), 1u);
    EXPECT_EQ(dc.ops[0].op, NOp::Gradient);
    EXPECT_TRUE(dc.ops[0].flag);
    EXPECT_EQ(dc.ops[0].color, theColorScheme.RowTopColor);
    EXPECT_EQ(dc.ops[0].color2, theColorScheme.RowBottomColor);
    CRecordingSurface none;
    EXPECT_TRUE(cell->Draw(&none, 2, 0, SGridRect{0, 5, 10, 5}, false, false));
    EXPECT_TRUE(none.ops.empty());
}

TEST(GridCellBar, TheBarsLengthColourAndTextColour)
{
    constexpr TGridColor kBar = theColorScheme.GridBarColor;
    constexpr TGridColor kSelectedBar = theColorScheme.GridBarSelectedColor;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct
    {
        double min, max, value;
        unsigned state;
        bool printing;
        SGridRect bar;
        TGridColor barColor;
        TGridColor textColor;
    } cases[] = {
        {0, 100, 50, 0, false, {100, 22, 149, 43}, kBar, GridInvert(kBar)},
        {0, 80, 80, 0, false, {100, 22, 199, 43}, kBar, GridInvert(kBar)}, // the largest mean fills the cell
        {0, 0, 0, 0, false, {100, 22, 100, 43}, kBar, GridInvert(kBar)},   // every mean 0: no range, no bar
        {5, 5, 5, 0, false, {100, 22, 100, 43}, kBar, GridInvert(kBar)},
        {0, 0, 3, 0, false, {100, 22, 199, 43}, kBar, GridInvert(kBar)},
        {0, 100, nan, 0, false, {100, 22, 100, 43}, kBar, GridInvert(kBar)},
        {0, 100, 1e300, 0, false, {100, 22, 100 + 64 * 99, 43}, kBar, GridInvert(kBar)}, // past the cell
        {0, 100, 50, GCS_FOCUSED, false, {101, 23, 149, 42}, kBar, GridInvert(kBar)},
        {0, 100, 100, GCS_FOCUSED, false, {101, 23, 198, 42}, kBar, GridInvert(kBar)},
        {0, 100, 50, GCS_SELECTED, false, {100, 22, 149, 43}, kSelectedBar, GridInvert(kSelectedBar)},
        {0, 100, 50, GCS_SELECTED | GCS_FOCUSED, true, {100, 22, 149, 43}, kBar, GridRgb(34, 36, 76)},
    };
    for (const auto& c : cases)
    {
        SCellGrid g;
        auto* cell = g.Make<CGridCellBar>(1, 3);
        cell->SetMin(c.min);
        cell->SetMax(c.max);
        EXPECT_EQ(cell->SetValue(c.value), 50.0);
        EXPECT_EQ(cell->SetBarColor(kBar), GridRgb(70, 70, 255));
        cell->SetSelectedBarColor(kSelectedBar);
        cell->SetTextColor(GridRgb(34, 36, 76));
        cell->SetBackColor(theColorScheme.RowBottomColor);
        cell->SetText(L"12.5");
        cell->SetState(c.state);
        CRecordingSurface dc(c.printing);
        if (c.printing)
            EXPECT_TRUE(cell->PrintCell(&dc, 1, 3, kCell));
        else
            EXPECT_TRUE(cell->Draw(&dc, 1, 3, kCell, false, false));
        std::vector<CRecordingSurface::SOp> bars;
        for (const auto& op : dc.Of(NOp::Fill))
            if (op.color == c.barColor)
                bars.push_back(op);
        ASSERT_EQ(bars.size(), 1u) << c.value;
        EXPECT_EQ(bars[0].rect, c.bar) << c.value;
        const auto* text = dc.FindText(L"12.5");
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->color, c.textColor) << c.value;
        EXPECT_EQ(dc.SaveDepth(), 0);
    }
}

TEST(ViewsCells, EachAsksForRoomForItsScrollBars)
{
    SCellGrid g;
    auto base = [&]()
    {
        auto* plain = g.Make<CGridCell>(1, 1);
        plain->SetText(L"abc");
        CRecordingSurface dc;
        return plain->GetCellExtent(&dc);
    };
    auto extent = [&](auto* cell)
    {
        cell->SetText(L"abc");
        CRecordingSurface dc;
        return cell->GetCellExtent(&dc);
    };
    const SGridSize plain = base();
    const int bar = CFakeGridHost::kBarSize;
    const struct
    {
        const char* name;
        SGridSize size;
        int bars;
    } cases[] = {
        {"gradient", extent(g.Make<CGridCellGradient>(1, 1)), 1},
        {"images", extent(g.Make<CGridCellMultiBmp>(1, 1)), 2},
        {"gripper", extent(g.Make<CGridCellDetailGripper>(1, 1)), 1},
        {"detail left", extent(g.Make<CGridCellDetailLeft>(1, 1)), 2},
        {"bar", extent(g.Make<CGridCellBar>(1, 1)), 1},
        {"series", extent(g.Make<CGridCellSeries>(1, 1)), 1},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.size.cx, plain.cx + c.bars * bar) << c.name;
        EXPECT_EQ(c.size.cy, std::max(plain.cy, bar)) << c.name;
    }
}

} // namespace
} // namespace TerrionTest
