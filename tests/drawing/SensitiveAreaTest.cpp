// Clickable areas: priorities, ties, edges, and what AddText measures.
#include <gtest/gtest.h>

#include "drawing/SensitiveArea.h"
#include "tests/views/RecordingSurface.h"

namespace TerrionTest
{
namespace
{

TEST(SensitiveArea, TheHighestPriorityWinsAndTiesGoToTheFirstAdded)
{
    CSensitiveArea areas;
    const std::wstring low = L"low";
    const std::wstring high = L"high";
    areas.Add({0, 0, 100, 100}, 1, 10, 11, &low);
    areas.Add({50, 50, 150, 150}, 2, 20, 21, &high);
    areas.Add({50, 50, 150, 150}, 2, 30, 31);
    areas.Add({0, 0, 500, 500}, -1, 40, 41); // never found

    struct SCase
    {
        SGridPoint point;
        bool hit;
        int first;
        std::wstring text;
    };
    const SCase cases[] = {
        {{10, 10}, true, 10, L"low"},     // only the first
        {{75, 75}, true, 20, L"high"},    // both: priority 2 over 1, first of the two 2s
        {{150, 150}, true, 20, L"high"},  // right and bottom edges belong to the area
        {{100, 40}, true, 10, L"low"},    // the first area's right edge
        {{300, 300}, false, -1, L"kept"}, // only the negative priority
        {{151, 10}, false, -1, L"kept"},
    };
    for (const SCase& c : cases)
    {
        int first = -1;
        int second = -1;
        std::wstring text = L"kept";
        SGridRect rect;
        EXPECT_EQ(areas.HitTest(c.point, &first, &second, &text, &rect), c.hit)
            << c.point.x << "," << c.point.y;
        EXPECT_EQ(first, c.first);
        EXPECT_EQ(text, c.text);
        if (c.hit)
        {
            EXPECT_EQ(second, c.first + 1);
        }
    }
    // An area without a text empties the text given.
    std::wstring text = L"old";
    CSensitiveArea plain;
    plain.Add({0, 0, 5, 5}, 0, 1, 2);
    EXPECT_TRUE(plain.HitTest({0, 0}, nullptr, nullptr, &text));
    EXPECT_EQ(text, L"");
    // Without outputs it only answers.
    EXPECT_TRUE(areas.HitTest({1, 1}));
    areas.RemoveAll();
    EXPECT_FALSE(areas.HitTest({1, 1}));
}

TEST(SensitiveArea, AddTextMeasuresInTheCurrentFontAndReturnsTheRectangleEvenWhenDisabled)
{
    CRecordingSurface dc;
    CSensitiveArea areas;
    const SGridRect rect = areas.AddText(dc, 20, 30, L"link", 0, 1, 2, nullptr, false);
    EXPECT_EQ(rect, (SGridRect{20, 30, 20 + 4 * 7, 30 + 13}));
    EXPECT_EQ(areas.GetCount(), 0);
    EXPECT_FALSE(areas.HitTest({25, 35}));
    areas.AddText(dc, 20, 30, L"link", 0, 1, 2);
    int first = 0;
    EXPECT_TRUE(areas.HitTest({48, 43}, &first));
    EXPECT_EQ(first, 1);
    EXPECT_TRUE(dc.ops.empty()); // it only measures
}

} // namespace
} // namespace TerrionTest
