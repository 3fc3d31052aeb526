// The extent cache in front of a surface: each text measured once per font,
// the font followed through SetFont and Save/RestoreState, drawing passed on.
#include <gtest/gtest.h>

#include "tests/views/RecordingSurface.h"
#include "views/CachedExtentSurface.h"

namespace TerrionTest
{
namespace
{

TEST(CachedExtentSurface, MeasuresEachTextOncePerFontAndPassesDrawingOn)
{
    CRecordingSurface target;
    CCachedExtentSurface dc(target);
    SGridFont bold;
    bold.weight = 800;

    EXPECT_EQ(dc.GetTextExtent(L"12.5"), (SGridSize{28, 13}));
    dc.GetTextExtent(L"12.5");
    EXPECT_EQ(target.measured, 1);
    dc.SaveState();
    dc.SetFont(bold);
    EXPECT_EQ(dc.GetFont(), bold);
    EXPECT_EQ(target.GetFont(), bold);
    dc.GetTextExtent(L"12.5"); // another font: measured again
    dc.GetTextExtent(L"12.5");
    EXPECT_EQ(target.measured, 2);
    dc.RestoreState();
    EXPECT_EQ(dc.GetFont(), SGridFont{});
    dc.GetTextExtent(L"12.5");
    dc.SetFont(bold);
    dc.GetTextExtent(L"12.5");
    EXPECT_EQ(target.measured, 2);
    EXPECT_EQ(dc.GetMeasured(), 2);

    dc.SetOrigin({-5, -7});
    dc.TextOut(1, 2, L"x");
    dc.Rectangle({0, 0, 4, 4}, 1, 2);
    ASSERT_EQ(target.ops.size(), 2u);
    EXPECT_EQ(target.ops[0].origin, (SGridPoint{-5, -7}));
    EXPECT_EQ(target.ops[0].font, bold);
    EXPECT_EQ(target.ops[1].color2, 2u);
}

} // namespace
} // namespace TerrionTest
