// The menu's model: whose sub-menus it destroys, its colour helpers and the
// image variants of the flat look.
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "menus/OwMenu.h"
#include "menus/OwMenuImages.h"

namespace
{

/// A menu that counts how often menus of its kind are destroyed.
class CCountedMenu : public OwMenu
{
public:
    explicit CCountedMenu(int& destroyed) : m_destroyed(destroyed) {}
    ~CCountedMenu() override { ++m_destroyed; }

private:
    int& m_destroyed;
};

TEST(OwMenuModel, DestroysTheSubMenusItOwnsAndOnlyThose)
{
    int destroyed = 0;
    CCountedMenu borrowed(destroyed);
    borrowed.AppendMenu(L"Kept", MF_STRING, 7);
    {
        OwMenu parent;
        auto owned = std::make_unique<CCountedMenu>(destroyed);
        owned->AppendMenu(L"Inner", MF_STRING, 5);
        // A sub-menu of the owned sub-menu goes with it.
        owned->AppendMenu(L"Deeper", MF_STRING, std::make_unique<CCountedMenu>(destroyed));
        ASSERT_TRUE(parent.AppendMenu(L"Owned", MF_STRING, std::move(owned)));
        ASSERT_TRUE(parent.AppendMenu(L"Borrowed", MF_STRING, borrowed));
        EXPECT_TRUE(parent.GetItem(0).IsPopup());
        EXPECT_TRUE(parent.GetItem(1).IsPopup());
        EXPECT_EQ(parent.GetItem(1).subMenu, &borrowed);
        EXPECT_EQ(destroyed, 0);
    }
    EXPECT_EQ(destroyed, 2);
    // The borrowed menu is whole and still the caller's.
    ASSERT_EQ(borrowed.GetItemCount(), 1);
    EXPECT_EQ(borrowed.GetItem(0).command, 7u);
}

TEST(OwMenuModel, DestroyMenuEmptiesTheMenuOnceAndItCanBeFilledAgain)
{
    int destroyed = 0;
    OwMenu menu;
    menu.AppendMenu(L"Sub", MF_STRING, std::make_unique<CCountedMenu>(destroyed));
    menu.DestroyMenu();
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(menu.GetItemCount(), 0);
    menu.DestroyMenu();
    EXPECT_EQ(destroyed, 1);
    menu.AppendMenu(L"Again", MF_STRING, 3);
    EXPECT_EQ(menu.GetItemCount(), 1);
}

TEST(OwMenuModel, AMenuIsNotItsOwnSubMenu)
{
    OwMenu menu;
    EXPECT_FALSE(menu.AppendMenu(L"Self", MF_STRING, menu));
    EXPECT_FALSE(menu.AppendMenu(L"Nothing", MF_STRING, std::unique_ptr<OwMenu>()));
    EXPECT_EQ(menu.GetItemCount(), 0);
}

struct SColorCase
{
    TGridColor color;
    double factor;
    TGridColor lightened;
    TGridColor darkened;
};

TEST(OwMenuModel, LightenAndDarkenMoveEachChannelByTheFactor)
{
    const SColorCase cases[] = {
        {GridRgb(0, 100, 255), 0.3, GridRgb(76, 146, 255), GridRgb(0, 70, 178)},
        {GridRgb(53, 132, 228), 0.7, GridRgb(194, 218, 246), GridRgb(15, 39, 68)},
        {GridRgb(255, 255, 255), 0.02, GridRgb(255, 255, 255), GridRgb(249, 249, 249)},
        {GridRgb(10, 20, 30), 1.0, GridRgb(255, 255, 255), GridRgb(0, 0, 0)},
        // Factors outside (0, 1] leave the colour alone.
        {GridRgb(10, 20, 30), 0.0, GridRgb(10, 20, 30), GridRgb(10, 20, 30)},
        {GridRgb(10, 20, 30), 1.5, GridRgb(10, 20, 30), GridRgb(10, 20, 30)},
        {GridRgb(10, 20, 30), -0.5, GridRgb(10, 20, 30), GridRgb(10, 20, 30)},
    };
    for (const SColorCase& c : cases)
    {
        SCOPED_TRACE(c.factor);
        EXPECT_EQ(OwMenu::LightenColor(c.color, c.factor), c.lightened);
        EXPECT_EQ(OwMenu::DarkenColor(c.color, c.factor), c.darkened);
    }
}

TEST(OwMenuModel, TheVariantsFadeShadowAndGreyTheImageButNotItsTransparentPixels)
{
    const TGridColor red = GridRgb(255, 0, 0);
    // Two 2 x 1 tiles: tile 1 holds a transparent pixel and a dark blue one.
    const CGridImageList source({GridRgb(1, 2, 3), GridRgb(4, 5, 6), red, GridRgb(0, 100, 200)}, 4,
                                SGridSize{2, 1}, red);
    OwMenu menu;
    menu.AppendMenu(L"Item", MF_STRING, 1, &source, 1);
    const OwMenuData& item = menu.GetItem(0);
    ASSERT_TRUE(item.HasImage());
    EXPECT_FALSE(item.HasVariants());

    SOwMenuColors colors;
    colors.btnShadow = GridRgb(200, 100, 0);
    menu.BuildImageVariants(colors);
    ASSERT_TRUE(item.HasVariants());
    const CGridImageList& images = *item.images;
    ASSERT_EQ(images.GetImageCount(), 4);
    for (int variant = 0; variant < 4; ++variant)
        EXPECT_TRUE(images.IsTransparent(variant, 0, 0)) << variant;
    EXPECT_EQ(images.GetPixel(OwMenuImages::kImage, 1, 0), GridRgb(0, 100, 200));
    EXPECT_EQ(images.GetPixel(OwMenuImages::kFaded, 1, 0), GridRgb(76, 146, 216));
    EXPECT_EQ(images.GetPixel(OwMenuImages::kShadow, 1, 0), colors.btnShadow);
    // Grey 100 of 255 ramps the shadow colour towards white.
    EXPECT_EQ(images.GetPixel(OwMenuImages::kDisabled, 1, 0),
              OwMenu::LightenColor(colors.btnShadow, 100 / 255.0));

    // New colours make new variants from the image, not from the old variants.
    colors.btnShadow = GridRgb(0, 0, 0);
    menu.BuildImageVariants(colors);
    EXPECT_EQ(item.images->GetImageCount(), 4);
    EXPECT_EQ(item.images->GetPixel(OwMenuImages::kShadow, 1, 0), GridRgb(0, 0, 0));
}

} // namespace
