#include "tests/grid/GridSurfaceCases.h"

#include <algorithm>
#include <cstdlib>

#include <gtest/gtest.h>

#include "grid/GridGradient.h"
#include "grid/GridImageList.h"

namespace
{

constexpr TGridColor kWhite = GridRgb(255, 255, 255);
constexpr TGridColor kBlack = GridRgb(0, 0, 0);
constexpr TGridColor kRed = GridRgb(255, 0, 0);
constexpr TGridColor kGreen = GridRgb(0, 200, 0);
constexpr TGridColor kBlue = GridRgb(0, 0, 255);
constexpr TGridColor kGrey = GridRgb(100, 100, 100);
constexpr TGridColor kYellow = GridRgb(255, 255, 0);
constexpr TGridColor kClear = GridRgb(255, 0, 255); // the tiles' transparent colour

/// Three tiles of 6 x 5: the first plain green, the second a blue block with
/// one green pixel inside a transparent border column left and right and a
/// transparent top and bottom row, the third all transparent.
CGridImageList TestImages()
{
    constexpr int kTile = 6;
    constexpr int kHeight = 5;
    std::vector<TGridColor> pixels(static_cast<std::size_t>(3 * kTile * kHeight), kClear);
    auto at = [&](int tile, int x, int y) -> TGridColor&
    { return pixels[static_cast<std::size_t>(y * 3 * kTile + tile * kTile + x)]; };
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kTile; ++x)
            at(0, x, y) = kGreen;
    for (int y = 1; y < kHeight - 1; ++y)
        for (int x = 1; x < kTile - 1; ++x)
            at(1, x, y) = kBlue;
    at(1, 2, 2) = kGreen;
    return CGridImageList(std::move(pixels), 3 * kTile, SGridSize{kTile, kHeight}, kClear);
}

const wchar_t* const kHeading = L"HEADING 12";

/// The pixels TextOut covers by the device-context rule, written out per
/// turn: the point is the left, centre or right end along the writing and
/// the top, bottom or baseline across it.
SGridRect ExpectedTextBox(SGridPoint p, NGridTextAlign align, NGridTextVAlign vAlign, int escapement,
                          SGridSize e, int ascent)
{
    const int along = align == NGridTextAlign::Left ? 0 : align == NGridTextAlign::Center ? e.cx / 2 : e.cx;
    const int across = vAlign == NGridTextVAlign::Top ? 0 : vAlign == NGridTextVAlign::Bottom ? e.cy : ascent;
    if (escapement == 900) // upward: written toward the top, its top edge on the left
    {
        const int left = p.x - across;
        const int bottom = p.y + along;
        return SGridRect{left, bottom - e.cx, left + e.cy, bottom};
    }
    if (escapement == -900) // downward: written toward the bottom, its top edge on the right
    {
        const int right = p.x + across;
        const int top = p.y - along;
        return SGridRect{right - e.cy, top, right, top + e.cx};
    }
    const int left = p.x - along;
    const int top = p.y - across;
    return SGridRect{left, top, left + e.cx, top + e.cy};
}

std::vector<SSurfaceCase> MakeCases()
{
    std::vector<SSurfaceCase> cases;

    cases.push_back(
        {"ClipStaysPutWhenTheOriginMoves", [](CGridSurface& dc, SSurfaceChecks& out)
         {
             dc.SetClip({100, 100, 200, 200});
             dc.SetOrigin({-100, -100});
             EXPECT_EQ(dc.GetClipBox(), (SGridRect{0, 0, 100, 100})); // logical = device + origin
             dc.FillSolidRect({0, 0, 100, 100}, kRed);
             out.pixels = {
                 {100, 100, kRed}, {150, 150, kRed}, {199, 199, kRed}, {50, 50, kWhite}, {99, 150, kWhite}};
         }});

    cases.push_back({"ACellNarrowsTheGridsClipAndNeverReachesPastIt",
                     [](CGridSurface& dc, SSurfaceChecks& out)
                     {
                         dc.SetClip({20, 20, 120, 120}); // the grid's clip of one cell
                         dc.SaveState();
                         dc.SetClip({0, 0, 200, 60}); // the cell's own clip stays within it
                         EXPECT_EQ(dc.GetClipBox(), (SGridRect{20, 20, 120, 60}));
                         dc.FillSolidRect({0, 0, 200, 200}, kBlue);
                         dc.ResetClip(); // back to the grid's clip, not to the whole surface
                         EXPECT_EQ(dc.GetClipBox(), (SGridRect{20, 20, 120, 120}));
                         dc.IntersectClip({70, 0, 200, 200});
                         EXPECT_EQ(dc.GetClipBox(), (SGridRect{70, 20, 120, 120}));
                         dc.FillSolidRect({0, 100, 200, 200}, kGreen);
                         dc.RestoreState();
                         EXPECT_EQ(dc.GetClipBox(), (SGridRect{20, 20, 120, 120}));
                         dc.ResetClip();
                         EXPECT_EQ(dc.GetClipBox(), (SGridRect{0, 0, 200, 200}));
                         out.pixels = {{30, 30, kBlue},   {119, 59, kBlue},   {10, 30, kWhite},
                                       {150, 30, kWhite}, {30, 70, kWhite},   {100, 110, kGreen},
                                       {60, 110, kWhite}, {150, 110, kWhite}, {100, 125, kWhite}};
                     }});

    cases.push_back({"AnEmptyClipDrawsNothing", [](CGridSurface& dc, SSurfaceChecks& out)
                     {
                         dc.SetClip({50, 50, 50, 80});
                         EXPECT_TRUE(dc.GetClipBox().IsEmpty());
                         dc.FillSolidRect({0, 0, 200, 200}, kRed);
                         dc.GradientFill4({0, 0, 200, 200}, kRed, kRed, kBlue, kBlue);
                         dc.DrawImage(TestImages(), 0, 50, 50, false);
                         dc.SetTextColor(kBlack);
                         dc.TextOut(50, 50, kHeading);
                         out.pixels = {{50, 60, kWhite}, {0, 0, kWhite}, {52, 52, kWhite}};
                     }});

    const std::pair<NGridTextAlign, const char*> aligns[] = {
        {NGridTextAlign::Left, "Left"}, {NGridTextAlign::Center, "Centre"}, {NGridTextAlign::Right, "Right"}};
    const std::pair<NGridTextVAlign, const char*> vAligns[] = {{NGridTextVAlign::Top, "Top"},
                                                               {NGridTextVAlign::Bottom, "Bottom"},
                                                               {NGridTextVAlign::Baseline, "Baseline"}};
    const std::pair<int, const char*> turns[] = {{0, "Level"}, {900, "Upward"}, {-900, "Downward"}};
    for (const auto& [escapement, turnName] : turns)
        for (const auto& [align, alignName] : aligns)
            for (const auto& [vAlign, vAlignName] : vAligns)
                cases.push_back(
                    {std::string("Text") + turnName + alignName + vAlignName,
                     [escapement, align, vAlign](CGridSurface& dc, SSurfaceChecks& out)
                     {
                         SGridFont font{L"", 14};
                         font.escapement = escapement;
                         dc.SetFont(font);
                         dc.SetTextColor(kBlack);
                         dc.SetTextAlign(align);
                         dc.SetTextVAlign(vAlign);
                         const SGridSize extent = dc.GetTextExtent(kHeading);
                         const int ascent = dc.GetFontMetrics().ascent;
                         // Drawn under an origin: the point is logical.
                         dc.SetOrigin({-20, 10});
                         dc.TextOut(80, 90, kHeading);
                         const SGridRect box =
                             ExpectedTextBox({100, 80}, align, vAlign, escapement, extent, ascent);
                         // Capitals reach from the baseline most of the way to the top.
                         const bool level = escapement == 0;
                         out.inks.push_back({box, level ? 0.7 : 0.35, level ? 0.35 : 0.7, "the text"});
                     }});

    cases.push_back({"ImageTilesLeaveTheirTransparentColourOutAndBlendHalf",
                     [](CGridSurface& dc, SSurfaceChecks& out)
                     {
                         const CGridImageList images = TestImages();
                         EXPECT_EQ(dc.GetImageSize(images), (SGridSize{6, 5}));
                         dc.FillSolidRect({0, 0, 200, 200}, kGrey);
                         dc.DrawImage(images, 1, 50, 50, false);
                         dc.DrawImage(images, 1, 80, 50, true);
                         dc.DrawImage(images, 3, 110, 50, false); // no such tile
                         dc.DrawImage(images, -1, 110, 50, false);
                         dc.SetOrigin({-10, -10});
                         dc.SetClip({100, 100, 104, 200}); // logical: device 110 to 114
                         dc.DrawImage(images, 1, 100, 100, false);
                         // A printed page cannot be read back: there the blend draws the tile plainly.
                         const bool plain = dc.IsPrinting();
                         const TGridColor half = plain ? kBlue : GridRgb(50, 50, 178);
                         const TGridColor halfGreen = plain ? kGreen : GridRgb(50, 150, 50);
                         out.pixels = {
                             {50, 50, kGrey},        {51, 51, kBlue},   {52, 52, kGreen},  {54, 51, kBlue},
                             {55, 52, kGrey},        {52, 54, kGrey},   {80, 51, kGrey},   {81, 51, half, 2},
                             {82, 52, halfGreen, 2}, {112, 52, kGrey},  {111, 111, kBlue}, {112, 112, kGreen},
                             {113, 111, kBlue},      {114, 111, kGrey},
                         };
                     }});

    cases.push_back(
        {"FourCornerGradientFollowsItsTwoTriangles", [](CGridSurface& dc, SSurfaceChecks& out)
         {
             const TGridColor tl = kRed;
             const TGridColor tr = GridRgb(0, 255, 0);
             const TGridColor bl = kBlue;
             const TGridColor br = kWhite;
             dc.FillSolidRect({0, 0, 200, 200}, kGrey);
             dc.SetOrigin({-5, -5});
             dc.GradientFill4({5, 5, 105, 65}, tl, tr, bl, br);
             const SGridRect device{10, 10, 110, 70};
             out.pixels = {{10, 10, tl, 1}, {109, 10, tr, 1}, {10, 69, bl, 1}, {109, 69, br, 1},
                           {9, 10, kGrey},  {110, 40, kGrey}, {40, 70, kGrey}, {40, 9, kGrey}};
             for (int y = device.top; y < device.bottom; y += 11)
                 for (int x = device.left; x < device.right; x += 13)
                     out.pixels.push_back({x, y, CGridGradient::Corner4(device, tl, tr, bl, br, x, y), 1});
         }});

    cases.push_back({"TwoColourGradientsRunEdgeToEdge", [](CGridSurface& dc, SSurfaceChecks& out)
                     {
                         dc.GradientFill({10, 100, 110, 110}, kRed, kBlue, false);
                         dc.GradientFill({120, 100, 130, 180}, GridRgb(0, 255, 0), kBlack, true);
                         out.pixels = {{10, 105, kRed, 6},
                                       {109, 105, kBlue, 6},
                                       {60, 105, CGridGradient::Linear(kRed, kBlue, 50, 100), 6},
                                       {110, 105, kWhite},
                                       {125, 100, GridRgb(0, 255, 0), 6},
                                       {125, 179, kBlack, 6},
                                       {125, 180, kWhite}};
                     }});

    cases.push_back({"RectanglesAndLinesTakeThePenWidth", [](CGridSurface& dc, SSurfaceChecks& out)
                     {
                         EXPECT_EQ(dc.GetPenWidth(), 1);
                         dc.SetPenWidth(3);
                         dc.Rectangle({10, 10, 60, 40}, kBlack, kYellow);
                         dc.Rectangle({70, 10, 70, 40}, kBlack, kYellow); // no width left: its outline
                         dc.Line({10, 80}, {60, 80}, kBlack);
                         dc.FrameRect({100, 10, 140, 40}, kBlue); // frames stay one pixel
                         dc.SaveState();
                         dc.SetPenWidth(5);
                         dc.RestoreState();
                         EXPECT_EQ(dc.GetPenWidth(), 3);
                         dc.SetPenWidth(1);
                         dc.Line({150, 60}, {150, 100}, kBlack);
                         out.pixels = {
                             {10, 10, kBlack},   {12, 12, kBlack},  {13, 13, kYellow}, {56, 20, kYellow},
                             {57, 20, kBlack},   {59, 20, kBlack},  {60, 20, kWhite},  {30, 36, kYellow},
                             {30, 37, kBlack},   {30, 39, kBlack},  {30, 40, kWhite},  {70, 20, kBlack},
                             {72, 39, kBlack},   {73, 20, kWhite},  {70, 40, kWhite},  {10, 79, kBlack},
                             {10, 81, kBlack},   {59, 80, kBlack},  {60, 80, kWhite},  {30, 78, kWhite},
                             {30, 82, kWhite},   {100, 10, kBlue},  {101, 11, kWhite}, {150, 99, kBlack},
                             {150, 100, kWhite}, {151, 80, kWhite}, {149, 80, kWhite}};
                     }});

    cases.push_back(
        {"TheCurrentFontAndItsMetrics", [](CGridSurface& dc, SSurfaceChecks& out)
         {
             const SGridFont font{L"", 16, 700, false, true, 0};
             dc.SetFont(font);
             EXPECT_EQ(dc.GetFont(), font);
             const SGridFontMetrics metrics = dc.GetFontMetrics();
             EXPECT_EQ(metrics.height, metrics.ascent + metrics.descent);
             EXPECT_GT(metrics.ascent, metrics.descent);
             EXPECT_GT(metrics.aveCharWidth, 0);
             const SGridSize extent = dc.GetTextExtent(L"Xy");
             EXPECT_EQ(extent.cy, metrics.height);
             dc.SaveState();
             dc.SetFont(SGridFont{L"", 10});
             dc.RestoreState();
             EXPECT_EQ(dc.GetFont(), font);
             // A turned font is another font, measured unturned.
             SGridFont upward = font;
             upward.escapement = 900;
             dc.SetFont(upward);
             EXPECT_EQ(dc.GetFont().escapement, 900);
             EXPECT_EQ(dc.GetTextExtent(L"Xy"), extent);
             dc.SetTextColor(kBlack);
             dc.SetTextVAlign(NGridTextVAlign::Baseline);
             dc.TextOut(100, 190, L"HHH");
             const int width = dc.GetTextExtent(L"HHH").cx;
             out.inks.push_back({{100 - metrics.ascent, 190 - width, 100, 190}, 0.35, 0.7, "HHH upward"});
         }});
    return cases;
}

bool Near(TGridColor a, TGridColor b, int tolerance)
{
    auto off = [&](unsigned (*get)(TGridColor))
    { return std::abs(static_cast<int>(get(a)) - static_cast<int>(get(b))) <= tolerance; };
    return off(GridRed) && off(GridGreen) && off(GridBlue);
}

bool IsInk(TGridColor c)
{
    return GridRed(c) * 299 + GridGreen(c) * 587 + GridBlue(c) * 114 < 128 * 1000;
}

} // namespace

const std::vector<SSurfaceCase>& SurfaceCases()
{
    static const std::vector<SSurfaceCase> cases = MakeCases();
    return cases;
}

std::string SurfaceCaseName(const SSurfaceCase& c)
{
    return c.name;
}

void PrintTo(const SSurfaceCase& c, std::ostream* out)
{
    *out << c.name;
}

void RunSurfaceCase(const SSurfaceCase& c, CSurfaceUnderTest& target)
{
    SSurfaceChecks checks;
    c.draw(target.Surface(), checks);
    target.Finish();
    for (const SSurfaceChecks::SPixel& p : checks.pixels)
    {
        const TGridColor seen = target.Pixel(p.x, p.y);
        EXPECT_TRUE(Near(seen, p.color, p.tolerance))
            << "pixel (" << p.x << ", " << p.y << ") is " << std::hex << seen << ", expected " << p.color;
    }
    for (const SSurfaceChecks::SInk& ink : checks.inks)
    {
        SGridRect bounds{200, 200, -1, -1};
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 200; ++x)
                if (IsInk(target.Pixel(x, y)))
                {
                    bounds.left = std::min(bounds.left, x);
                    bounds.top = std::min(bounds.top, y);
                    bounds.right = std::max(bounds.right, x + 1);
                    bounds.bottom = std::max(bounds.bottom, y + 1);
                }
        ASSERT_FALSE(bounds.IsEmpty()) << ink.what << " left no ink";
        const SGridRect& box = ink.box;
        const auto where = [&]
        {
            return ink.what + ": ink (" + std::to_string(bounds.left) + ", " + std::to_string(bounds.top) +
                   ", " + std::to_string(bounds.right) + ", " + std::to_string(bounds.bottom) + ") in box (" +
                   std::to_string(box.left) + ", " + std::to_string(box.top) + ", " +
                   std::to_string(box.right) + ", " + std::to_string(box.bottom) + ")";
        };
        EXPECT_GE(bounds.left, box.left - 1) << where();
        EXPECT_GE(bounds.top, box.top - 1) << where();
        EXPECT_LE(bounds.right, box.right + 1) << where();
        EXPECT_LE(bounds.bottom, box.bottom + 1) << where();
        EXPECT_GE(bounds.Width(), ink.widthPart * box.Width()) << where();
        EXPECT_GE(bounds.Height(), ink.heightPart * box.Height()) << where();
    }
}
