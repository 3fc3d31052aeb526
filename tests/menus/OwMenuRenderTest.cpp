// A menu drawn into a bitmap as its window draws it, and the popup placed on
// the screen; no real input here (see OwMenuInputTest).
#include <algorithm>
#include <functional>
#include <optional>

#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/display.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/image.h>

#include "grid/GridDcSurface.h"
#include "menus/OwMenuItemPainter.h"
#include "menus/OwMenuLayout.h"
#include "menus/wx/OwMenuPopup.h"
#include "menus/wx/OwMenuSystemLook.h"
#include "menus/wx/OwMenuWindow.h"
#include "tests/grid/FakeGridSurface.h"
#include "tests/grid/GridGuiPump.h"
#include "tests/menus/MenuSample.h"

namespace
{

using namespace menu_sample;

class OwMenuRender : public ::testing::Test
{
protected:
    OwMenuRender()
    {
        Fill(menu, images);
        face = OwMenuWindow::Render(menu, kExpand, colors, metrics).ConvertToImage();
        wxBitmap scratch(1, 1);
        wxMemoryDC dc(scratch);
        CGridDcSurface measurer(dc, SGridRect{0, 0, 1, 1});
        layout.emplace(menu, measurer, metrics);
    }

    TGridColor At(int x, int y) const
    {
        return GridRgb(face.GetRed(x, y), face.GetGreen(x, y), face.GetBlue(x, y));
    }
    SGridRect Item(int index) const { return layout->GetItemRect(index); }
    /// The darkest pixel of a rectangle, by the sum of its channels.
    int Darkest(const SGridRect& r) const
    {
        int darkest = 3 * 255;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                darkest = std::min(darkest, face.GetRed(x, y) + face.GetGreen(x, y) + face.GetBlue(x, y));
        return darkest;
    }
    static int Sum(TGridColor c) { return static_cast<int>(GridRed(c) + GridGreen(c) + GridBlue(c)); }

    const CGridImageList images = Images();
    OwMenu menu;
    const SOwMenuColors colors = OwMenuSystemLook::Colors();
    const SOwMenuMetrics metrics = OwMenuSystemLook::Metrics();
    wxImage face;
    std::optional<OwMenuLayout> layout;
    // The image column is 20 + 7 wide; images sit 4 pixels in.
    static constexpr int kColumn = 27;
};

TEST_F(OwMenuRender, TheBitmapShowsEveryItemInItsPlace)
{
    wxFileName::Mkdir(TERRION_MENUS_ARTEFACTS, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    ASSERT_TRUE(face.SaveFile(TERRION_MENUS_ARTEFACTS "/menu_face.png", wxBITMAP_TYPE_PNG));
    ASSERT_EQ(face.GetWidth(), layout->GetSize().cx);
    ASSERT_EQ(face.GetHeight(), layout->GetSize().cy);
    ASSERT_EQ(layout->GetItemCount(), kItemCount);
    CFakeGridSurface unused;
    const OwMenuItemPainter look(unused, colors); // for its colours

    // The frame, and the items stacked from the top at one width.
    EXPECT_EQ(At(0, 0), colors.btnShadow);
    EXPECT_EQ(At(face.GetWidth() - 1, face.GetHeight() - 1), colors.btnShadow);
    for (int i = 0; i < kItemCount; ++i)
    {
        EXPECT_EQ(Item(i).left, 1);
        EXPECT_EQ(Item(i).right, face.GetWidth() - 1);
        EXPECT_EQ(Item(i).Height(), i == kSeparator ? 3 : std::max(metrics.menuHeight, 26)) << i;
    }

    // The selected item: the light selection framed in the highlight colour,
    // its image raised with the shadow below right.
    const SGridRect expand = Item(kExpand);
    EXPECT_EQ(At(expand.left, expand.top), colors.highlight);
    EXPECT_EQ(At(expand.right - 1, expand.bottom - 1), colors.highlight);
    EXPECT_EQ(At(expand.right - 3, expand.top + 2), look.SelectionColor());
    const int dy = (expand.Height() - 19 + 1) / 2;
    const int imageX = expand.left + 4;
    const int imageY = expand.top + dy;
    EXPECT_EQ(At(imageX - 1 + 2, imageY - 1 + 2), kBlue);
    EXPECT_EQ(At(imageX + 1 + 17, imageY + 1 + 16), colors.btnShadow);

    // An item at rest: the tinted column and the faded image.
    const SGridRect collapse = Item(kCollapse);
    EXPECT_EQ(At(collapse.left + 1, collapse.top + 1), look.ColumnColor());
    EXPECT_EQ(At(collapse.left + kColumn + 2, collapse.top + 1), look.TextAreaColor());
    EXPECT_EQ(At(imageX + 5, collapse.top + dy + 5), OwMenu::LightenColor(kGreen, 0.3));

    // The separator: an etched line right of the column, the column unbroken.
    const SGridRect separator = Item(kSeparator);
    const int lineY = separator.top + 1;
    EXPECT_EQ(At(separator.left + kColumn + 7, lineY), colors.btnShadow);
    EXPECT_EQ(At(separator.right - 1, lineY + 1), colors.btnHighlight);
    EXPECT_EQ(At(separator.left + kColumn + 6, lineY), look.TextAreaColor());
    EXPECT_EQ(At(separator.left + 3, lineY), look.ColumnColor());

    // The checked item without an image: a framed box with the tick.
    const SGridRect checked = Item(kChecked);
    const SGridRect box{checked.left + 1, checked.top + 1, checked.left + kColumn - 2, checked.bottom - 1};
    EXPECT_EQ(At(box.left, box.top), colors.highlight);
    EXPECT_EQ(At(box.left + 1, box.top + 1), OwMenu::LightenColor(colors.highlight, 0.85));
    const int tickX = box.left + box.Width() / 2 - 3;
    const int tickY = box.top + box.Height() / 2 - 3;
    EXPECT_EQ(At(tickX + 2, tickY + 4 + 2), colors.menuText); // the lowest point of the tick
    EXPECT_EQ(At(tickX + 6, tickY), colors.menuText);         // its top right end
    EXPECT_EQ(At(tickX + 6, tickY + 4), OwMenu::LightenColor(colors.highlight, 0.85));

    // The disabled item: never selected, its image in the disabled variant,
    // its text no darker than the grey text colour.
    const SGridRect disabled = Item(kDisabled);
    EXPECT_EQ(At(imageX + 5, disabled.top + dy + 5), colors.btnShadow);
    const int textX = disabled.left + kColumn + 8;
    EXPECT_GE(Darkest(SGridRect{textX, disabled.top, textX + menu.GetWidestLabel(), disabled.bottom}),
              Sum(colors.grayText) - 30);
    EXPECT_LE(Darkest(SGridRect{textX, collapse.top, textX + menu.GetWidestLabel(), collapse.bottom}),
              Sum(colors.menuText) + 60);

    // The accelerator column: text only where an item has an accelerator.
    const int acceleratorX = textX + menu.GetWidestLabel() + 10;
    const SGridRect acceleratorOf[2] = {{acceleratorX, expand.top + 1, expand.right - 16, expand.bottom - 1},
                                        {acceleratorX, collapse.top, collapse.right - 16, collapse.bottom}};
    EXPECT_LT(Darkest(acceleratorOf[0]), Sum(look.SelectionColor()) - 150);
    EXPECT_EQ(Darkest(acceleratorOf[1]), Sum(look.TextAreaColor()));

    // The sub-menu item carries its arrow near the right edge.
    const SGridRect more = Item(kMore);
    EXPECT_EQ(At(more.right - 12, more.top + more.Height() / 2), colors.menuText);
    EXPECT_EQ(At(more.right - 5, more.top + more.Height() / 2), look.TextAreaColor());
}

TEST_F(OwMenuRender, TheMnemonicIsUnderlined)
{
    // "&Collapse all": a line under the C, none under the rest of the label.
    const SGridRect collapse = Item(kCollapse);
    const int textX = collapse.left + kColumn + 8;
    int underlined = 0;
    for (int y = collapse.top + collapse.Height() / 2; y < collapse.bottom; ++y)
    {
        int run = 0;
        for (int x = textX; x < textX + 12; ++x)
            run += At(x, y) == colors.menuText ? 1 : 0;
        underlined = std::max(underlined, run);
    }
    EXPECT_GE(underlined, 5);
}

/// Runs `check` once the menu is on the screen, then dismisses it.
unsigned TrackAndLook(OwMenu& menu, wxWindow* owner, const wxPoint& at, NOwMenuAlign align,
                      const std::function<void(OwMenuPopup&)>& check)
{
    owner->CallAfter(
        [check]
        {
            PumpUntil(
                [] {
                    return OwMenuPopup::GetActive() != nullptr &&
                           OwMenuPopup::GetActive()->GetWindow(0)->IsShown();
                });
            if (OwMenuPopup* popup = OwMenuPopup::GetActive())
            {
                check(*popup);
                popup->Dismiss();
            }
        });
    return OwMenuPopup::Track(menu, owner, at, align);
}

TEST_F(OwMenuRender, AMenuOpenedNearTheScreenEdgeStaysOnTheScreen)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, "menu placement", wxPoint(900, 700), wxSize(300, 200));
    frame->Show();
    Pump();
    const wxRect screen = wxDisplay(0u).GetClientArea();
    const wxPoint corner(screen.GetRight() - 5, screen.GetBottom() - 5);
    wxRect placed;
    const unsigned command =
        TrackAndLook(menu, frame, corner, NOwMenuAlign::Left,
                     [&](OwMenuPopup& popup) { placed = popup.GetWindow(0)->GetScreenRect(); });
    EXPECT_EQ(command, 0u);
    ASSERT_FALSE(placed.IsEmpty());
    EXPECT_TRUE(screen.Contains(placed))
        << placed.x << "," << placed.y << " " << placed.width << "x" << placed.height;
    // Opened to the left of and above the point, touching it.
    EXPECT_EQ(placed.GetRight() + 1, corner.x);
    EXPECT_EQ(placed.GetBottom() + 1, corner.y);

    // Centred on a point near the left edge: pushed right onto the screen.
    const unsigned centred =
        TrackAndLook(menu, frame, wxPoint(screen.x + 10, screen.y + 100), NOwMenuAlign::Center,
                     [&](OwMenuPopup& popup) { placed = popup.GetWindow(0)->GetScreenRect(); });
    EXPECT_EQ(centred, 0u);
    EXPECT_EQ(placed.x, screen.x);
    EXPECT_EQ(placed.y, screen.y + 100);
    frame->Destroy();
    Pump();
}

TEST_F(OwMenuRender, OnlyOneMenuIsTrackedAtATimeAndAnEmptyOneNotAtAll)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, "menu nesting", wxPoint(100, 100), wxSize(300, 200));
    frame->Show();
    Pump();
    OwMenu empty;
    EXPECT_EQ(OwMenuPopup::Track(empty, frame, wxPoint(150, 150)), 0u);
    EXPECT_EQ(OwMenuPopup::GetActive(), nullptr);

    unsigned nested = 99;
    TrackAndLook(menu, frame, wxPoint(150, 150), NOwMenuAlign::Left,
                 [&](OwMenuPopup&) { nested = OwMenuPopup::Track(menu, frame, wxPoint(200, 200)); });
    EXPECT_EQ(nested, 0u);
    EXPECT_EQ(OwMenuPopup::GetActive(), nullptr);
    frame->Destroy();
    Pump();
}

} // namespace
