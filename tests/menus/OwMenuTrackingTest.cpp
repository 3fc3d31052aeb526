// How an open menu answers keys and the pointer.
#include <memory>

#include <gtest/gtest.h>

#include "menus/OwMenu.h"
#include "menus/OwMenuTracking.h"

namespace
{

/// 0 "&Open" (1), 1 separator, 2 "&Close" disabled (2), 3 "More" sub-menu
/// [0 "&First" (31), 1 "Second" (32)], 4 "Save &as" (4), 5 "Sa&ve" (5).
class OwMenuTrackingTest : public ::testing::Test
{
protected:
    OwMenuTrackingTest()
    {
        auto sub = std::make_unique<OwMenu>();
        sub->AppendMenu(L"&First", MF_STRING, 31);
        sub->AppendMenu(L"Second", MF_STRING, 32);
        menu.AppendMenu(L"&Open\tCtrl+O", MF_STRING, 1);
        menu.AppendMenu(L"", MF_SEPARATOR, 0);
        menu.AppendMenu(L"&Close", MF_GRAYED, 2);
        menu.AppendMenu(L"More", MF_STRING, std::move(sub));
        menu.AppendMenu(L"Save &as", MF_STRING, 4);
        menu.AppendMenu(L"Sa&ve", MF_STRING, 5);
    }
    OwMenuTracking& Keys(std::initializer_list<NOwMenuKey> keys)
    {
        for (NOwMenuKey key : keys)
            tracking.OnKey(key);
        return tracking;
    }

    OwMenu menu;
    OwMenuTracking tracking{menu};
};

using K = NOwMenuKey;

TEST_F(OwMenuTrackingTest, ArrowsSkipSeparatorsAndDisabledItemsAndWrap)
{
    struct SCase
    {
        const char* name;
        std::initializer_list<NOwMenuKey> keys;
        int selection;
    };
    const SCase cases[] = {
        {"nothing yet", {}, -1},
        {"down from nothing", {K::Down}, 0},
        {"up from nothing", {K::Up}, 5},
        {"over the separator and the disabled item", {K::Down, K::Down}, 3},
        {"down wraps", {K::Up, K::Down}, 0},
        {"up wraps", {K::Down, K::Up}, 5},
        {"back up skips them too", {K::Down, K::Down, K::Up}, 0},
        {"home and end", {K::End, K::Home}, 0},
        {"end", {K::Down, K::End}, 5},
    };
    for (const SCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        OwMenuTracking fresh(menu);
        for (NOwMenuKey key : c.keys)
            fresh.OnKey(key);
        EXPECT_EQ(fresh.GetSelection(0), c.selection);
        EXPECT_FALSE(fresh.IsDone());
    }
}

TEST_F(OwMenuTrackingTest, ReturnChoosesTheSelectedItem)
{
    Keys({K::Return});
    EXPECT_FALSE(tracking.IsDone()); // nothing selected yet
    Keys({K::Up, K::Return});
    EXPECT_TRUE(tracking.IsDone());
    EXPECT_EQ(tracking.GetCommand(), 5u);
}

TEST_F(OwMenuTrackingTest, SubMenusOpenWithRightOrReturnAndCloseWithLeftOrEscape)
{
    Keys({K::Down, K::Down, K::Right});
    ASSERT_EQ(tracking.GetLevelCount(), 2);
    EXPECT_EQ(tracking.GetSelection(1), 0); // the keyboard's way in selects the first item
    Keys({K::Left});
    EXPECT_EQ(tracking.GetLevelCount(), 1);
    EXPECT_EQ(tracking.GetSelection(0), 3);
    Keys({K::Return, K::Down});
    ASSERT_EQ(tracking.GetLevelCount(), 2);
    EXPECT_EQ(tracking.GetSelection(1), 1);
    Keys({K::Escape});
    EXPECT_EQ(tracking.GetLevelCount(), 1);
    EXPECT_FALSE(tracking.IsDone());
    Keys({K::Left}); // nothing to close on the first menu
    EXPECT_FALSE(tracking.IsDone());
    Keys({K::Escape});
    EXPECT_TRUE(tracking.IsDone());
    EXPECT_EQ(tracking.GetCommand(), 0u);
}

TEST_F(OwMenuTrackingTest, ChoosingInASubMenuReturnsItsCommand)
{
    Keys({K::Down, K::Down, K::Right, K::Down, K::Return});
    EXPECT_TRUE(tracking.IsDone());
    EXPECT_EQ(tracking.GetCommand(), 32u);
    EXPECT_EQ(tracking.GetLevelCount(), 1);
}

TEST_F(OwMenuTrackingTest, MnemonicsChooseOrCycleAndSkipDisabledItems)
{
    tracking.OnKey(K::Char, L'c'); // "&Close" is disabled
    EXPECT_FALSE(tracking.IsDone());
    EXPECT_EQ(tracking.GetSelection(0), -1);
    tracking.OnKey(K::Char, L'x'); // no such mnemonic
    EXPECT_FALSE(tracking.IsDone());
    tracking.OnKey(K::Char, L'A');
    EXPECT_TRUE(tracking.IsDone());
    EXPECT_EQ(tracking.GetCommand(), 4u);
}

TEST_F(OwMenuTrackingTest, AMnemonicSharedByTwoItemsMovesBetweenThem)
{
    menu.AppendMenu(L"&Other", MF_STRING, 6);
    OwMenuTracking shared(menu);
    shared.OnKey(K::Char, L'o');
    EXPECT_EQ(shared.GetSelection(0), 0);
    shared.OnKey(K::Char, L'O');
    EXPECT_EQ(shared.GetSelection(0), 6);
    shared.OnKey(K::Char, L'o');
    EXPECT_EQ(shared.GetSelection(0), 0);
    EXPECT_FALSE(shared.IsDone());
    shared.OnKey(K::Return);
    EXPECT_EQ(shared.GetCommand(), 1u);
}

TEST_F(OwMenuTrackingTest, AMnemonicInASubMenuAppliesToTheSubMenu)
{
    Keys({K::Down, K::Down, K::Right});
    tracking.OnKey(K::Char, L'f');
    EXPECT_TRUE(tracking.IsDone());
    EXPECT_EQ(tracking.GetCommand(), 31u);
}

TEST_F(OwMenuTrackingTest, ThePointerSelectsOpensAndChooses)
{
    tracking.OnPointerMove(0, 2); // disabled: no selection
    EXPECT_EQ(tracking.GetSelection(0), -1);
    tracking.OnPointerMove(0, 1); // separator
    EXPECT_EQ(tracking.GetSelection(0), -1);
    tracking.OnPointerMove(0, 3); // the sub-menu opens, nothing selected in it
    ASSERT_EQ(tracking.GetLevelCount(), 2);
    EXPECT_EQ(tracking.GetSelection(1), -1);
    tracking.OnPointerMove(1, 0);
    EXPECT_EQ(tracking.GetSelection(0), 3);
    EXPECT_EQ(tracking.GetSelection(1), 0);
    tracking.OnPointerMove(0, 3); // back over the open item: the sub-menu stays
    EXPECT_EQ(tracking.GetLevelCount(), 2);
    tracking.OnPointerMove(0, 4); // another item closes it
    EXPECT_EQ(tracking.GetLevelCount(), 1);
    EXPECT_EQ(tracking.GetSelection(0), 4);
    tracking.OnPointerMove(-1, -1); // off the menu
    EXPECT_EQ(tracking.GetSelection(0), -1);

    tracking.OnButtonUp(0, 2); // releasing over a disabled item does nothing
    tracking.OnButtonUp(0, 3); // nor over a sub-menu item
    EXPECT_FALSE(tracking.IsDone());
    tracking.OnPointerMove(0, 3);
    tracking.OnButtonDown(1, 1);
    tracking.OnButtonUp(1, 1);
    EXPECT_TRUE(tracking.IsDone());
    EXPECT_EQ(tracking.GetCommand(), 32u);
}

TEST_F(OwMenuTrackingTest, AClickOutsideDismisses)
{
    tracking.OnPointerMove(0, 0);
    tracking.OnButtonDown(-1, -1);
    EXPECT_TRUE(tracking.IsDone());
    EXPECT_EQ(tracking.GetCommand(), 0u);
    // Nothing happens after the menu closed.
    tracking.OnButtonUp(0, 0);
    tracking.OnKey(K::Return);
    EXPECT_EQ(tracking.GetCommand(), 0u);
}

} // namespace
