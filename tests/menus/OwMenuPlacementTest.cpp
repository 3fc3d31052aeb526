// Where menus open: at the point asked for, but always on the screen.
#include <gtest/gtest.h>

#include "menus/OwMenuPlacement.h"

namespace
{

const SGridRect kScreen{0, 0, 1280, 1024};
const SGridSize kMenu{200, 150};

struct SPopupCase
{
    const char* name;
    SGridPoint point;
    NOwMenuAlign align;
    SGridRect workArea;
    SGridSize size;
    SGridPoint expected;
};

TEST(OwMenuPlacement, APopupStaysOnTheScreen)
{
    const SPopupCase cases[] = {
        {"room everywhere", {100, 100}, NOwMenuAlign::Left, kScreen, kMenu, {100, 100}},
        {"centred", {500, 100}, NOwMenuAlign::Center, kScreen, kMenu, {400, 100}},
        {"near the right edge opens to the left",
         {1200, 100},
         NOwMenuAlign::Left,
         kScreen,
         kMenu,
         {1000, 100}},
        {"near the bottom opens upwards", {100, 1000}, NOwMenuAlign::Left, kScreen, kMenu, {100, 850}},
        {"in the corner", {1279, 1023}, NOwMenuAlign::Left, kScreen, kMenu, {1079, 873}},
        {"centred at the left edge", {30, 100}, NOwMenuAlign::Center, kScreen, kMenu, {0, 100}},
        {"centred at the right edge", {1270, 100}, NOwMenuAlign::Center, kScreen, kMenu, {1080, 100}},
        {"asked for off the screen", {-300, -50}, NOwMenuAlign::Left, kScreen, kMenu, {0, 0}},
        {"a work area beside a panel", {5, 5}, NOwMenuAlign::Left, {40, 30, 1280, 1024}, kMenu, {40, 30}},
        {"on a second screen", {2500, 100}, NOwMenuAlign::Left, {1280, 0, 2560, 1024}, kMenu, {2300, 100}},
        {"larger than the screen keeps its corner on it",
         {600, 600},
         NOwMenuAlign::Left,
         kScreen,
         {300, 1500},
         {600, 0}},
        {"flipped too far left is pushed back",
         {150, 100},
         NOwMenuAlign::Left,
         {0, 0, 300, 1024},
         kMenu,
         {0, 100}},
    };
    for (const SPopupCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(OwMenuPlacement::PlacePopup(c.point, c.size, c.align, c.workArea), c.expected);
    }
}

struct SSubCase
{
    const char* name;
    SGridRect item;
    SGridRect parent;
    SGridPoint expected;
};

TEST(OwMenuPlacement, ASubMenuOpensBesideItsItemAndStaysOnTheScreen)
{
    // Sub-menus of kMenu whose first item lies 3 pixels below their top.
    const SSubCase cases[] = {
        {"to the right", {101, 140, 299, 163}, {100, 100, 300, 300}, {300, 137}},
        {"no room on the right: to the left", {1001, 140, 1199, 163}, {1000, 100, 1200, 300}, {800, 137}},
        {"near the bottom: pushed up", {101, 1000, 299, 1020}, {100, 900, 300, 1024}, {300, 874}},
        {"no room either side: at the left edge", {1, 140, 1279, 163}, {0, 100, 1280, 300}, {0, 137}},
    };
    for (const SSubCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(OwMenuPlacement::PlaceSubMenu(c.item, c.parent, kMenu, 3, kScreen), c.expected);
    }
}

} // namespace
