// The export dialogs without a window: their options and results, where the
// groups, tiles, captions and preview pages go, and the captions' line break.
#include "export/ExportDialogLayout.h"
#include "resources/BitmapResources.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cwchar>

namespace
{
using TPlaced = CExportDialogLayout::SPlacedBitmap;

SGridSize BitmapSize(unsigned id)
{
    const auto pixels = Resources::CBitmapResources::Pixels(id);
    return {pixels.width, pixels.height};
}

// A font whose characters are all 7 x 13 pixels.
SGridSize Extent(const std::wstring& text)
{
    return {7 * static_cast<int>(text.size()), 13};
}

std::vector<unsigned> Ids(const std::vector<TPlaced>& placed)
{
    std::vector<unsigned> ids;
    for (const TPlaced& p : placed)
        ids.push_back(p.id);
    return ids;
}
} // namespace

TEST(ExportOptions, DefaultsChoicesAndTheirResults)
{
    CExportOptions graphic(CExportOptions::KIND_GRAPHIC);
    EXPECT_EQ(graphic.GetContent(), EXPORT_CONTENT_DETAILS);
    EXPECT_EQ(graphic.GetTarget(), EXPORT_TARGET_ONE_FILE);
    EXPECT_FALSE(graphic.IsAllData());
    const struct
    {
        int group, tile;
        NExportContent content;
        NExportTarget target;
        bool all;
    } steps[] = {{0, 0, EXPORT_CONTENT_HEADERS, EXPORT_TARGET_ONE_FILE, false},
                 {0, 1, EXPORT_CONTENT_AS_IS, EXPORT_TARGET_ONE_FILE, false},
                 {1, 7, EXPORT_CONTENT_AS_IS, EXPORT_TARGET_CLIPBOARD, false},
                 {1, 6, EXPORT_CONTENT_AS_IS, EXPORT_TARGET_SEPARATE_FILES, false},
                 {2, 3, EXPORT_CONTENT_AS_IS, EXPORT_TARGET_SEPARATE_FILES, true}};
    for (const auto& s : steps)
    {
        EXPECT_TRUE(graphic.Select(s.group, s.tile));
        EXPECT_EQ(graphic.GetContent(), s.content);
        EXPECT_EQ(graphic.GetTarget(), s.target);
        EXPECT_EQ(graphic.IsAllData(), s.all);
    }
    EXPECT_FALSE(graphic.Select(0, 5)); // a tile of another group
    EXPECT_FALSE(graphic.Select(3, 0));
    EXPECT_EQ(graphic.GetSelection(0), 1);

    CExportOptions csv(CExportOptions::KIND_CSV);
    EXPECT_EQ(csv.GetTarget(), EXPORT_TARGET_ONE_FILE);
    EXPECT_FALSE(csv.IsAllData());
    EXPECT_TRUE(csv.Select(0, 4));
    EXPECT_EQ(csv.GetTarget(), EXPORT_TARGET_CLIPBOARD);
    EXPECT_TRUE(csv.Select(0, 3));
    EXPECT_EQ(csv.GetTarget(), EXPORT_TARGET_SEPARATE_FILES);
    EXPECT_TRUE(csv.Select(1, 0));
    EXPECT_TRUE(csv.IsAllData());
}

TEST(ExportOptions, SaveDialogFiltersAndEndings)
{
    CExportOptions graphic(CExportOptions::KIND_GRAPHIC);
    EXPECT_EQ(graphic.Wildcard(), L"PNG image (*.png)|*.png|BMP image (*.bmp)|*.bmp|JPEG image (*.jpg)|*.jpg|"
                                  L"All files (*.*)|*.*");
    EXPECT_EQ(graphic.DefaultExtension(), L"png");
    EXPECT_EQ(graphic.FilterExtension(2), L"jpg");
    EXPECT_EQ(graphic.FilterExtension(3), L"");
    NImageFormat format = IMAGE_FORMAT_PNG;
    EXPECT_TRUE(graphic.Accept(L"/x/run.JPG", &format));
    EXPECT_EQ(format, IMAGE_FORMAT_JPG);

    CExportOptions csv(CExportOptions::KIND_CSV);
    EXPECT_EQ(csv.Wildcard(), L"CSV file (*.csv)|*.csv|All files (*.*)|*.*");
    EXPECT_EQ(csv.DefaultExtension(), L"csv");
    EXPECT_TRUE(csv.Accept(L"/x/data.csv", nullptr));
    EXPECT_FALSE(csv.Accept(L"/x/data.png", nullptr));
}

TEST(ExportDialogLayout, GroupsAndTilesLeftToRight)
{
    CExportOptions options(CExportOptions::KIND_GRAPHIC);
    CExportDialogLayout layout(options, BitmapSize, Extent);
    EXPECT_EQ(layout.TextOffset(), 8);
    const auto& groups = layout.Groups();
    ASSERT_EQ(groups.size(), 4u); // three option groups and the preview
    EXPECT_EQ(groups[0].heading, (SGridRect{10, 10, 235, 31}));
    EXPECT_EQ(groups[0].headingTextAt, (SGridPoint{14, 14}));
    EXPECT_EQ(groups[0].headingText, L"1. What do you want to export?");
    EXPECT_EQ(groups[0].frame, (SGridRect{7, 7, 238, 300}));
    EXPECT_EQ(groups[1].x, 240);
    // 258 wide as given, but the first caption line of "Each object to a
    // separate file" takes 25 characters of this font: its room grows from 156 to 175.
    EXPECT_EQ(groups[1].width, 277);
    EXPECT_EQ(groups[2].x, 522);
    EXPECT_EQ(groups[2].width, 189);
    EXPECT_EQ(groups[3].x, 716);
    EXPECT_EQ(groups[3].headingText, L"Preview");
    EXPECT_EQ(layout.ClientSize(), (SGridSize{947, 310}));

    const auto& tiles = layout.Tiles();
    ASSERT_EQ(tiles.size(), 8u);
    EXPECT_EQ(tiles[0].id, 0);
    EXPECT_EQ(tiles[0].rect, (SGridRect{10, 35, 234, 89}));
    EXPECT_EQ(tiles[0].bitmapAt, (SGridPoint{10, 42}));
    EXPECT_EQ(tiles[0].line1, L"Headers only");
    EXPECT_EQ(tiles[0].line1At, (SGridPoint{108, 54}));
    EXPECT_TRUE(tiles[0].line2.empty());
    EXPECT_EQ(tiles[1].rect, (SGridRect{10, 93, 234, 147}));
    EXPECT_EQ(tiles[2].rect, (SGridRect{10, 151, 234, 243}));
    // Each object to a separate file: 25 characters fit the grown room; the word that crosses the limit stays
    // on line 1.
    const auto& separate = tiles[4];
    EXPECT_EQ(separate.group, 1);
    EXPECT_EQ(separate.id, 6);
    EXPECT_EQ(separate.line1, L"Each object to a separate ");
    EXPECT_EQ(separate.line2, L"file");
    EXPECT_EQ(separate.line2At.y, separate.line1At.y + 13);
    // Every tile lies inside its group's frame.
    for (const auto& tile : tiles)
    {
        const SGridRect& frame = groups[static_cast<std::size_t>(tile.group)].frame;
        EXPECT_GT(tile.rect.left, frame.left);
        EXPECT_LT(tile.rect.right, frame.right);
        EXPECT_LT(tile.rect.bottom, frame.bottom);
    }
}

// A proportional font: most characters 7 x 13 pixels, m and w (and their
// capitals) 10 wide, bold ones a pixel wider; `scale` enlarges it all.
CExportDialogLayout::TTextExtent Proportional(double scale, bool bold = false)
{
    return [scale, bold](const std::wstring& text)
    {
        double width = 0.0;
        for (wchar_t ch : text)
            width += (std::wcschr(L"mwMW", ch) ? 10.0 : 7.0) + (bold ? 1.0 : 0.0);
        return SGridSize{static_cast<int>(std::ceil(scale * width)),
                         static_cast<int>(std::ceil(scale * 13.0))};
    };
}

TEST(ExportDialogLayout, NoTextPassesItsColumnOrTheDialogAtALargerFont)
{
    using L = CExportDialogLayout;
    for (const auto kind : {CExportOptions::KIND_GRAPHIC, CExportOptions::KIND_CSV})
    {
        CExportOptions options(kind);
        for (const double scale : {1.0, 1.5, 2.0})
        {
            SCOPED_TRACE(testing::Message() << "kind " << kind << ", scale " << scale);
            const auto extent = Proportional(scale);
            const auto bold = Proportional(scale, true);
            const L layout(options, BitmapSize, extent, bold);
            const SGridSize client = layout.ClientSize();
            const auto& groups = layout.Groups();
            ASSERT_EQ(groups.size(), options.Groups().size() + 1);
            const auto width = [&](const std::wstring& line)
            {
                const std::size_t end = line.find_last_not_of(L' ');
                return end == std::wstring::npos ? 0 : extent(line.substr(0, end + 1)).cx;
            };
            for (std::size_t g = 0; g < groups.size(); ++g)
            {
                const L::SGroup& group = groups[g];
                const SGridSize heading = bold(group.headingText);
                EXPECT_LE(group.headingTextAt.x + heading.cx, group.heading.right - L::kMargin) << g;
                EXPECT_LE(group.headingTextAt.y + heading.cy, group.heading.bottom) << g;
                EXPECT_LT(group.heading.right, group.frame.right) << g;
                // Never narrower than the given width; clear of the next frame and inside the dialog.
                const CExportOptions::SGroup& given =
                    g < options.Groups().size() ? options.Groups()[g] : options.Preview();
                EXPECT_GE(group.width, given.width + L::kMargin + BitmapSize(given.referenceBitmapId).cx + 1)
                    << g;
                if (g + 1 < groups.size())
                {
                    EXPECT_LT(group.heading.right, groups[g + 1].frame.left) << g;
                }
                EXPECT_LT(group.frame.right, client.cx) << g;
                EXPECT_LT(group.frame.bottom, client.cy) << g;
            }
            int lastGroup = -1, lastBottom = 0;
            for (const L::STile& tile : layout.Tiles())
            {
                SCOPED_TRACE(tile.id);
                const SGridRect& r = tile.rect;
                const L::SGroup& group = groups[static_cast<std::size_t>(tile.group)];
                EXPECT_GT(r.left, group.frame.left);
                EXPECT_LT(r.right, group.frame.right);
                EXPECT_GT(r.top, group.heading.bottom);
                EXPECT_LT(r.bottom, group.frame.bottom);
                if (tile.group == lastGroup)
                {
                    EXPECT_GT(r.top, lastBottom);
                }
                lastGroup = tile.group;
                lastBottom = r.bottom;
                EXPECT_LE(tile.line1At.x + width(tile.line1), r.right - L::kMargin) << tile.line1;
                EXPECT_GE(tile.line1At.y, r.top);
                EXPECT_LE(tile.line1At.y + extent(tile.line1).cy, r.bottom);
                if (!tile.line2.empty())
                {
                    EXPECT_LE(tile.line2At.x + width(tile.line2), r.right - L::kMargin) << tile.line2;
                    EXPECT_GE(tile.line2At.y, tile.line1At.y + extent(tile.line1).cy);
                    EXPECT_LE(tile.line2At.y + extent(tile.line2).cy, r.bottom);
                }
            }
            // The preview pages of every target and data choice stay in the preview's frame.
            const L::SGroup& preview = groups.back();
            const auto& optionGroups = options.Groups();
            CExportOptions choices(kind);
            for (const auto& target : optionGroups[kind == CExportOptions::KIND_GRAPHIC ? 1 : 0].tiles)
                for (const auto& data : optionGroups.back().tiles)
                {
                    choices.Select(kind == CExportOptions::KIND_GRAPHIC ? 1 : 0, target.id);
                    choices.Select(static_cast<int>(optionGroups.size()) - 1, data.id);
                    for (const TPlaced& placed : layout.PreviewPages(choices))
                    {
                        const SGridSize size = BitmapSize(placed.id);
                        EXPECT_GT(placed.at.x, preview.frame.left) << placed.id;
                        EXPECT_LT(placed.at.x + size.cx, preview.frame.right) << placed.id;
                        EXPECT_GT(placed.at.y, preview.heading.bottom) << placed.id;
                        EXPECT_LT(placed.at.y + size.cy, preview.frame.bottom) << placed.id;
                    }
                }
        }
    }
}

TEST(ExportDialogLayout, PreviewPagesFollowTheChoices)
{
    constexpr unsigned kGrid = 30219, kShaded = 30218, kDetails = 30217, kWhiteDetails = 30213,
                       kWhiteHeading = 30211, kImage = 30216, kClip = 30215, kCsv = 30222;
    CExportOptions graphic(CExportOptions::KIND_GRAPHIC);
    CExportDialogLayout layout(graphic, BitmapSize, Extent);

    // The defaults: one page of three series with their details and the file icon.
    auto pages = layout.PreviewPages(graphic);
    EXPECT_EQ(Ids(pages), (std::vector<unsigned>{kGrid, kShaded, kDetails, kShaded, kDetails, kShaded,
                                                 kDetails, kImage}));
    EXPECT_EQ(pages[0], (TPlaced{kGrid, {795, 100}, false}));
    EXPECT_EQ(pages[1].at, (SGridPoint{795, 105}));
    EXPECT_EQ(pages[2].at, (SGridPoint{795, 110}));
    EXPECT_EQ(pages.back(), (TPlaced{kImage, {790, 163}, false}));

    graphic.Select(0, 0); // headers only
    graphic.Select(2, 3); // all
    EXPECT_EQ(Ids(layout.PreviewPages(graphic)),
              (std::vector<unsigned>{kGrid, kShaded, kShaded, kShaded, kWhiteHeading, kImage}));

    graphic.Select(0, 1); // as is
    graphic.Select(1, 7); // clipboard
    graphic.Select(2, 4); // selection
    pages = layout.PreviewPages(graphic);
    EXPECT_EQ(Ids(pages), (std::vector<unsigned>{kGrid, kShaded, kShaded, kDetails, kShaded, kClip}));
    EXPECT_TRUE(pages.back().transparent);

    graphic.Select(1, 6); // separate files: two pages, the second one expanded
    pages = layout.PreviewPages(graphic);
    EXPECT_EQ(CExportDialogLayout::PreviewPageCount(graphic), 2);
    EXPECT_EQ(Ids(pages), (std::vector<unsigned>{kGrid, kShaded, kImage, kGrid, kShaded, kDetails, kImage}));
    EXPECT_EQ(pages[3].at.x - pages[0].at.x, 65);
    graphic.Select(2, 3);
    EXPECT_EQ(CExportDialogLayout::PreviewPageCount(graphic), 3);
    EXPECT_EQ(layout.PreviewPages(graphic).front().at.x, 716 + 218 / 4 - 30);

    CExportOptions csv(CExportOptions::KIND_CSV);
    CExportDialogLayout csvLayout(csv, BitmapSize, Extent);
    csv.Select(0, 4);
    csv.Select(1, 0);
    pages = csvLayout.PreviewPages(csv);
    EXPECT_EQ(Ids(pages), (std::vector<unsigned>{kGrid, kShaded, kDetails, kShaded, kDetails, kShaded,
                                                 kDetails, kShaded, kWhiteDetails, kClip}));
    csv.Select(0, 2);
    EXPECT_EQ(csvLayout.PreviewPages(csv).back().id, kCsv);
    EXPECT_TRUE(csvLayout.PreviewPages(csv).back().transparent);
}

TEST(ExportDialogLayout, CaptionsBreakAfterTheWordThatCrossesTheLimit)
{
    const struct
    {
        const wchar_t* text;
        int limit;
        const wchar_t* line1;
        const wchar_t* line2;
    } cases[] = {
        {L"All", 3, L"All", L""},
        {L"One file only", 20, L"One file only", L""},
        {L"One file only", 6, L"One file ", L"only"},
        {L"Headers and details", 9, L"Headers and ", L"details"},
        {L"Headers and details", 8, L"Headers ", L"and details"},
        {L"Copy to clipboard", 1, L"Copy ", L"to clipboard"},
        {L"Selection only", 12, L"Selection ", L"only"}, // the last space when no further one follows
        {L"Selectiononly", 5, L"Selec", L"tiononly"},    // no space: broken at the limit
    };
    for (const auto& c : cases)
    {
        const auto [line1, line2] = CExportDialogLayout::SplitCaption(c.text, c.limit);
        EXPECT_EQ(line1, c.line1) << c.text << " / " << c.limit;
        EXPECT_EQ(line2, c.line2) << c.text << " / " << c.limit;
    }
}

TEST(ExportDialogLayout, HighlightColoursByState)
{
    const auto hovered = CExportDialogLayout::Highlight(true, false);
    const auto chosen = CExportDialogLayout::Highlight(false, true);
    const auto both = CExportDialogLayout::Highlight(true, true);
    EXPECT_EQ(hovered.top, GridRgb(245, 250, 253));
    EXPECT_EQ(hovered.border, GridRgb(216, 240, 250));
    EXPECT_EQ(chosen.bottom, GridRgb(213, 239, 252));
    EXPECT_EQ(chosen.border, GridRgb(153, 222, 253));
    EXPECT_EQ(both.top, GridRgb(232, 246, 253));
    EXPECT_EQ(both.bottom, GridRgb(197, 232, 250));
}
