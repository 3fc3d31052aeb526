// The summary page over a project document on a recording surface: what it
// shows for none, one and many series, the order that is shown but not
// written until the user changes it, the clickable areas, the layout kept
// while nothing changes, the lines a clip box leaves out, and the context
// menu.
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/TerrionDoc.h"
#include "menus/OwMenu.h"
#include "tests/report/ReportDocument.h"
#include "tests/views/DesktopSurface.h"
#include "tests/views/RecordingSurface.h"
#include "views/ColorScheme.h"
#include "views/SummaryMenu.h"
#include "views/SummaryPage.h"

namespace TerrionTest
{
namespace
{

using NOp = CRecordingSurface::NOp;

/// Series with object numbers 30, 29, ... and means 10.0, 11.0, ...;
/// every second one named.
std::vector<SReportSeries> SeriesList(int n)
{
    std::vector<SReportSeries> list;
    for (int i = 0; i < n; ++i)
    {
        SReportSeries s = BaseSeries();
        s.object.objectNumber = static_cast<std::uint16_t>(30 - i % 30 + 100 * (i / 30));
        const double mean = 10.0 + i;
        s.object.readings = {{mean - 1.0, 0, 100}, {mean + 1.0, 0, 110}};
        s.name = i % 2 == 0 ? L"Pile " + std::to_wstring(i) : L"";
        list.push_back(s);
    }
    return list;
}

class SummaryPage : public ::testing::Test
{
protected:
    void Fill(int n, int inSummary)
    {
        FillDocument(doc, SeriesList(n));
        for (int i = 0; i < inSummary; ++i)
            doc.SetInSummary(i, true);
        page.SetMessageFont(SGridFont{L"", 11});
    }
    /// Saves to a scratch file, which leaves the project unmodified.
    void Save()
    {
        const auto path =
            std::filesystem::temp_directory_path() /
            ("summary_page_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".vnr");
        ASSERT_TRUE(doc.SaveFile(path.wstring()));
        std::filesystem::remove(path);
        ASSERT_FALSE(doc.IsModified());
    }
    const CRecordingSurface::SOp* Text(const std::wstring& text) { return dc.FindText(text); }
    /// The centre of a drawn text of one line, 7 pixels a character.
    static SGridPoint Centre(const CRecordingSurface::SOp& op)
    {
        return SGridPoint{op.rect.left + static_cast<int>(op.text.size()) * 7 / 2, op.rect.top + 6};
    }

    CTerrionDoc doc;
    CSummaryPage page{doc};
    CRecordingSurface dc;
};

TEST_F(SummaryPage, AnEmptySummaryPaintsNothing)
{
    Fill(3, 0);
    page.Paint(dc, 1000);
    EXPECT_TRUE(dc.ops.empty());
    EXPECT_TRUE(page.GetLayout().empty);
    EXPECT_EQ(page.GetExtent(), (SGridSize{800, 800}));
    EXPECT_EQ(page.HitLink({100, 100}), CSummaryPage::LinkNone);

    // Taking the last series out blanks a page that showed it, and keeps its extent.
    doc.SetInSummary(1, true);
    page.Paint(dc, 1000);
    const SGridSize extent = page.GetExtent();
    EXPECT_NE(extent, (SGridSize{800, 800}));
    doc.SetInSummary(1, false);
    dc.ops.clear();
    page.Paint(dc, 1000);
    EXPECT_TRUE(dc.ops.empty());
    EXPECT_EQ(page.GetExtent(), extent);
    for (int y = 0; y < extent.cy; y += 5)
        ASSERT_FALSE(page.HitBar({60, y}, nullptr, nullptr));
}

TEST_F(SummaryPage, OneSeriesShowsNoDeviationRangeOrOrderLabel)
{
    Fill(3, 0);
    doc.SetInSummary(2, true);
    page.Paint(dc, 1000);
    const std::wstring unit = CTerrionDoc::GetResistivityUnit();
    const std::vector<std::wstring> texts = dc.Texts();
    auto count = [&](const std::wstring& text) { return std::count(texts.begin(), texts.end(), text); };
    EXPECT_EQ(count(L"= -- " + unit), 2);
    EXPECT_EQ(count(L"= 1"), 1);
    EXPECT_EQ(count(L"= 12.0 " + unit), 3); // mean, minimum, maximum
    EXPECT_EQ(count(L"12.0 " + unit), 1);   // the values list
    EXPECT_EQ(count(L"[ordered by object ID]"), 0);
    EXPECT_EQ(count(L"Statistics of summary"), 1);
    EXPECT_EQ(count(L"Values of series"), 1);

    const auto* title = Text(L"Summary of Series");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->rect.left, 20);
    EXPECT_EQ(title->rect.top, 20);
    EXPECT_EQ(title->font.height, 19);
    EXPECT_EQ(title->font.weight, 800);

    // An empty comment offers "[Add]", clickable.
    const auto* add = Text(L"[Add]");
    ASSERT_NE(add, nullptr);
    EXPECT_EQ(add->color, theColorScheme.LinkColor);
    EXPECT_EQ(page.HitLink(Centre(*add)), CSummaryPage::LinkComment);
    // The bar names its series for the context menu.
    const SSummaryDiagramBar& bar = page.GetLayout().diagram.bars.at(0);
    int index = -1;
    std::wstring label;
    ASSERT_TRUE(page.HitBar({bar.rect.left + 2, bar.rect.bottom - 2}, &index, &label));
    EXPECT_EQ(index, 2);
    EXPECT_EQ(label, L"Pile 2");
    EXPECT_FALSE(page.HitBar({bar.rect.right + 30, bar.rect.bottom - 2}, &index, &label));
}

TEST_F(SummaryPage, AnUnsetOrderShowsByObjectIdWithoutChangingTheProject)
{
    Fill(4, 4);
    Save();
    ASSERT_EQ(doc.GetSummaryOrder(), SummaryOrderUnset);
    page.Paint(dc, 1000);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetSummaryOrder(), SummaryOrderUnset);
    EXPECT_NE(Text(L"[ordered by object ID]"), nullptr);
    // Object numbers 30, 29, 28, 27: the last series first.
    std::vector<int> indices;
    for (const SSummaryDiagramBar& bar : page.GetLayout().diagram.bars)
        indices.push_back(bar.index);
    EXPECT_EQ(indices, (std::vector<int>{3, 2, 1, 0}));
    // The values list follows the bars.
    const auto* first = Text(L"13.0 " + CTerrionDoc::GetResistivityUnit());
    const auto* last = Text(L"10.0 " + CTerrionDoc::GetResistivityUnit());
    ASSERT_TRUE(first && last);
    EXPECT_LT(first->rect.top, last->rect.top);

    // The user's clicks move the order on and mark the project modified.
    const wchar_t* labels[] = {L"[ordered by value]", L"[ordered by name]", L"[ordered by object ID]"};
    const std::int16_t orders[] = {SummaryOrderValue, SummaryOrderName, SummaryOrderObjectId};
    for (int i = 0; i < 3; ++i)
    {
        const auto* label = Text(i == 0 ? L"[ordered by object ID]" : labels[i - 1]);
        ASSERT_NE(label, nullptr);
        ASSERT_EQ(page.HitLink(Centre(*label)), CSummaryPage::LinkOrder);
        page.CycleOrder();
        EXPECT_EQ(doc.GetSummaryOrder(), orders[i]);
        EXPECT_TRUE(doc.IsModified());
        dc.ops.clear();
        page.Paint(dc, 1000);
        EXPECT_NE(Text(labels[i]), nullptr) << i;
    }
    EXPECT_EQ(CSummaryPage::NextOrder(SummaryOrderUnset), SummaryOrderValue);
    EXPECT_EQ(CSummaryPage::NextOrder(9), SummaryOrderObjectId);
}

TEST_F(SummaryPage, NoTextPassesItsColumnAtOneAndAHalfTimesTheText)
{
    Fill(6, 6);
    doc.SetSummaryComment(L"Dry surface. The pier is cracked near the joint; readings were taken twice.");
    for (const int messageHeight : {13, 20}) // the desktop's text at 100 % and 150 %
    {
        SCOPED_TRACE(messageHeight);
        CDesktopSurface desktop;
        page.SetMessageFont(SGridFont{L"", messageHeight});
        page.Paint(desktop, 1000);
        const SSummaryPageLayout& l = page.GetLayout();
        const SSummaryFonts& fonts = page.GetFonts();
        const auto extent = [&](const SReportText& t)
        {
            desktop.SetFont(fonts.faces.Get(t.font));
            return desktop.GetTextExtent(t.text);
        };
        using L = SSummaryLayout;
        const SSummaryLayout& b = l.blocks;
        const int valuesTop = b.at[L::Values].y;
        // The values stay left of the statistics and inside their block.
        for (const SReportText& t : l.values.texts)
        {
            EXPECT_LE(t.at.x + extent(t).cx, b.at[L::Statistics].x) << t.text;
            EXPECT_LE(t.at.y + extent(t).cy, valuesTop + b.size[L::Values].cy) << t.text;
        }
        // The statistics' labels, symbols and values each stay left of the next column.
        std::set<int> columns;
        for (const SReportText& t : l.statistics.texts)
            if (t.font != NReportFont::Bold)
                columns.insert(t.at.x);
        const int statisticsRight = b.at[L::Statistics].x + b.size[L::Statistics].cx;
        for (const SReportText& t : l.statistics.texts)
        {
            const auto next = columns.upper_bound(t.at.x);
            const int limit = t.font == NReportFont::Bold || next == columns.end() ? statisticsRight : *next;
            EXPECT_LE(t.at.x + extent(t).cx, limit) << t.text;
            EXPECT_LE(t.at.y + extent(t).cy, b.at[L::Comment].y) << t.text;
        }
        // The comment wraps inside its width.
        ASSERT_GT(l.comment.texts.size(), 2u);
        for (const SReportText& t : l.comment.texts)
            EXPECT_LE(t.at.x + extent(t).cx, b.at[L::Comment].x + b.commentWidth) << t.text;
        // The bars keep their names, which end above the values.
        const SSummaryDiagramLayout& d = l.diagram;
        ASSERT_TRUE(d.labels);
        SGridFont valueFont = fonts.vertical;
        valueFont.height = d.valueFontHeight;
        desktop.SetFont(valueFont);
        for (const SSummaryDiagramBar& bar : d.bars)
        {
            const auto* drawn = desktop.FindText(bar.label);
            ASSERT_NE(drawn, nullptr) << bar.label;
            EXPECT_EQ(drawn->font.escapement, 900) << bar.label;
            EXPECT_LE(bar.labelAt.y + desktop.GetTextExtent(bar.label).cx, valuesTop) << bar.label;
        }
        // And the page scrolls far enough for all of it.
        EXPECT_GE(l.blocks.extent.cx, d.size.cx);
        EXPECT_GE(l.blocks.extent.cy, valuesTop + b.size[L::Values].cy);
    }
}

TEST_F(SummaryPage, TheLayoutIsKeptWhileNothingItShowsChanges)
{
    Fill(5, 5);
    page.Paint(dc, 1000);
    page.Paint(dc, 1000);
    EXPECT_EQ(page.GetLayoutCount(), 1);
    EXPECT_TRUE(page.SetHovered(CSummaryPage::LinkComment));
    EXPECT_FALSE(page.SetHovered(CSummaryPage::LinkComment));
    dc.ops.clear();
    page.Paint(dc, 1000);
    EXPECT_EQ(page.GetLayoutCount(), 2);
    EXPECT_TRUE(Text(L"[Add]")->font.underline);
    doc.SetSummaryComment(L"Dry. Pier");
    page.Paint(dc, 1000);
    EXPECT_EQ(page.GetLayoutCount(), 3);
    doc.SetName(1, L"Renamed");
    page.Paint(dc, 1000);
    EXPECT_EQ(page.GetLayoutCount(), 4);
    page.Paint(dc, 1300);
    EXPECT_EQ(page.GetLayoutCount(), 5);
    page.Invalidate();
    page.Paint(dc, 1300);
    EXPECT_EQ(page.GetLayoutCount(), 6);
}

TEST_F(SummaryPage, ALongPagePaintsOnlyTheLinesInItsClipBox)
{
    Fill(300, 300);
    page.Paint(dc, 1000);
    const SSummaryPageLayout& l = page.GetLayout();
    ASSERT_EQ(l.values.texts.size(), 301u); // the heading and 300 values
    const SReportText& middle = l.values.texts[150];
    const SGridRect clip{0, middle.at.y - 100, 1000, middle.at.y + 100};
    CRecordingSurface visible(false, clip);
    page.Paint(visible, 1000);
    EXPECT_EQ(page.GetLayoutCount(), 1);
    int values = 0;
    for (const auto& op : visible.Of(NOp::Text))
    {
        EXPECT_LT(op.rect.top, clip.bottom);
        EXPECT_GT(op.rect.top + 13, clip.top);
        ++values;
    }
    EXPECT_GT(values, 10);
    EXPECT_LT(values, 20);
}

TEST_F(SummaryPage, APrintedPageLeavesTheScreenAsItWas)
{
    Fill(6, 6);
    page.SetHovered(CSummaryPage::LinkOrder);
    page.Paint(dc, 1000);
    CRecordingSurface printer(true);
    const SSummaryPageLayout printed = page.PaintPrinted(printer, 1000);
    EXPECT_FALSE(printed.empty);
    EXPECT_FALSE(printer.FindText(L"[ordered by object ID]")->font.underline);
    EXPECT_EQ(page.GetLayoutCount(), 1);
    EXPECT_EQ(page.HitLink(Centre(*Text(L"[ordered by object ID]"))), CSummaryPage::LinkOrder);
}

TEST_F(SummaryPage, TheContextMenuTakesSeriesOutAndPutsThemIn)
{
    Fill(4, 3);
    OwMenu onBar;
    CSummaryMenu::Build(onBar, L"Pile & Co");
    ASSERT_EQ(onBar.GetItemCount(), 4);
    EXPECT_EQ(onBar.GetItem(0).text, L"Remove series Pile && Co");
    EXPECT_EQ(onBar.GetItem(0).command, CSummaryMenu::ChoiceRemoveSeries);
    EXPECT_TRUE(onBar.GetItem(0).HasImage());
    EXPECT_TRUE(onBar.GetItem(1).IsSeparator());
    EXPECT_EQ(onBar.GetItem(2).text, L"Remove all series");
    EXPECT_EQ(onBar.GetItem(3).text, L"Add all series");
    EXPECT_EQ(onBar.GetIconSize(), (SGridSize{16, 16}));
    OwMenu elsewhere;
    CSummaryMenu::Build(elsewhere, L"");
    ASSERT_EQ(elsewhere.GetItemCount(), 2);
    EXPECT_EQ(elsewhere.GetItem(0).command, CSummaryMenu::ChoiceRemoveAll);
    EXPECT_EQ(elsewhere.GetItem(1).command, CSummaryMenu::ChoiceAddAll);

    CSummaryMenu::Apply(doc, CSummaryMenu::ChoiceRemoveSeries, 1);
    EXPECT_FALSE(doc.IsInSummary(1));
    EXPECT_EQ(doc.GetSummaryCount(), 2);
    CSummaryMenu::Apply(doc, CSummaryMenu::ChoiceRemoveSeries, 99); // no such series
    CSummaryMenu::Apply(doc, CSummaryMenu::ChoiceNone, 0);
    EXPECT_EQ(doc.GetSummaryCount(), 2);
    CSummaryMenu::Apply(doc, CSummaryMenu::ChoiceAddAll, -1);
    EXPECT_EQ(doc.GetSummaryCount(), 4);
    CSummaryMenu::Apply(doc, CSummaryMenu::ChoiceRemoveAll, -1);
    EXPECT_EQ(doc.GetSummaryCount(), 0);
}

} // namespace
} // namespace TerrionTest
