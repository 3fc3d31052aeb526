// Printing without a display: pagination, the rows and columns of each page,
// cell colours on paper, and the header and footer texts, through a
// recording print surface.
#include <clocale>
#include <map>
#include <memory>
#include <set>

#include <gtest/gtest.h>

#include "grid/GridCell.h"
#include "grid/GridCore.h"
#include "grid/GridDrawText.h"
#include "grid/GridPrintTexts.h"
#include "platform/DatePicture.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "tests/grid/FakeGridHost.h"
#include "tests/grid/FakeGridPrintSurface.h"

namespace
{

using NOp = CFakeGridSurface::NOp;
namespace Ids = Resources::Ids;

/// Thursday, 5 March 2026, 14:07:09.
std::tm FixedTime()
{
    std::tm t{};
    t.tm_year = 126;
    t.tm_mon = 2;
    t.tm_mday = 5;
    t.tm_wday = 4;
    t.tm_hour = 14;
    t.tm_min = 7;
    t.tm_sec = 9;
    return t;
}

class CClockedGrid : public CGridCore
{
protected:
    std::tm GetPrintTime() const override { return FixedTime(); }
};

class CCaptionHost : public CFakeGridHost
{
public:
    std::wstring HostParentCaption() const override { return caption; }
    std::wstring caption;
};

/// A cell that logs where it is printed.
class CPrintLogCell : public CGridCell
{
public:
    struct SCall
    {
        int page;
        int row;
        int col;
        SGridRect rect;
    };
    bool PrintCell(CGridSurface* dc, int row, int col, SGridRect rect) override
    {
        if (log)
            log->push_back({page ? *page : 0, row, col, rect});
        return CGridCell::PrintCell(dc, row, col, rect);
    }
    static inline std::vector<SCall>* log = nullptr;
    static inline const int* page = nullptr;
};

/// A cell whose text wraps on paper: it needs 10 pixels per 100 it lacks of
/// 300 in width, and tells what it was asked.
class CWrappingCell : public CPrintLogCell
{
public:
    int GetPrintHeight(CGridSurface& measure, int width, int height) override
    {
        askedWidth = width;
        askedOnPage = measure.IsPrinting();
        return height + std::max(0, 300 - width) / 10;
    }
    int askedWidth = -1;
    bool askedOnPage = false;
};

/// Strings of our own for the tests, in front of the built-in table.
class CTestTexts : public Resources::CTextSource
{
public:
    explicit CTestTexts(std::map<unsigned, std::wstring> texts) : m_texts(std::move(texts)) {}
    bool Find(unsigned id, std::wstring& text) const override
    {
        const auto it = m_texts.find(id);
        if (it == m_texts.end())
            return false;
        text = it->second;
        return true;
    }

private:
    std::map<unsigned, std::wstring> m_texts;
};

struct STextsInstalled
{
    explicit STextsInstalled(std::map<unsigned, std::wstring> texts)
    {
        Resources::CStringTable::Install(std::make_shared<CTestTexts>(std::move(texts)));
    }
    ~STextsInstalled() { Resources::CStringTable::Install(nullptr); }
};

constexpr int kMarginsWidth = 8 * CFakeGridSurface::kCharWidth;
constexpr int kFramesHeight = 6 * CFakeGridSurface::kLineHeight; // header, footer, two gaps

struct SPrintFixture
{
    SPrintFixture()
    {
        grid.AttachHost(&host, 7);
        grid.OnCreate();
    }
    ~SPrintFixture()
    {
        CPrintLogCell::log = nullptr;
        CPrintLogCell::page = nullptr;
    }
    /// One heading row of 20 pixels over body rows of the given heights; columns of 100.
    void Shape(const std::vector<int>& bodyHeights, int cols = 2, int fixedCols = 0)
    {
        grid.SetRowCount(static_cast<int>(bodyHeights.size()) + 1);
        grid.SetColumnCount(cols);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(fixedCols);
        grid.SetRowHeight(0, 20);
        for (std::size_t i = 0; i < bodyHeights.size(); ++i)
            grid.SetRowHeight(static_cast<int>(i) + 1, bodyHeights[i]);
        for (int c = 0; c < cols; ++c)
            grid.SetColumnWidth(c, 100);
        for (int r = 0; r < grid.GetRowCount(); ++r)
            for (int c = 0; c < cols; ++c)
            {
                grid.SetCellType<CPrintLogCell>(r, c);
                grid.SetItemText(r, c, L"r" + std::to_wstring(r) + L"c" + std::to_wstring(c));
            }
    }
    /// Paper of the logical page's own shape that leaves `pageHeight` for the body rows.
    SGridSize PaperFor(int pageHeight) const
    {
        return SGridSize{grid.GetVirtualWidth() + kMarginsWidth,
                         kFramesHeight + grid.GetFixedRowHeight() + pageHeight};
    }
    /// Prints every page; the surfaces are kept by page.
    void PrintAll(SGridSize paper, const SGridPrintText* texts = nullptr, bool selectionOnly = false)
    {
        CPrintLogCell::log = &calls;
        CPrintLogCell::page = &currentPage;
        CFakeGridPrintSurface begin(paper);
        grid.OnBeginPrinting(begin, info, selectionOnly);
        for (int page = info.minPage; page <= info.maxPage && page <= 50; ++page)
        {
            currentPage = page;
            info.currentPage = page;
            pages.push_back(std::make_unique<CFakeGridPrintSurface>(paper));
            grid.OnPrint(*pages.back(), info, texts, selectionOnly);
        }
        grid.OnEndPrinting(begin, info);
    }
    std::vector<CPrintLogCell::SCall> CallsOfPage(int page) const
    {
        std::vector<CPrintLogCell::SCall> out;
        for (const auto& call : calls)
            if (call.page == page)
                out.push_back(call);
        return out;
    }

    CCaptionHost host;
    CClockedGrid grid;
    SGridPrintInfo info;
    std::vector<CPrintLogCell::SCall> calls;
    int currentPage = 0;
    std::vector<std::unique_ptr<CFakeGridPrintSurface>> pages;
};

TEST(GridPrintLayout, RowsFallOntoPages)
{
    struct SCase
    {
        const char* name;
        std::vector<int> heights;
        int pageHeight;
        std::vector<int> selected; ///< rows selected in column 1, for selection-only printing
        bool selectionOnly;
        std::vector<std::vector<int>> pages;
    };
    const SCase cases[] = {
        {"all on one page", {30, 30, 30}, 100, {}, false, {{1, 2, 3}}},
        {"the row that does not fit starts page 2", {30, 30, 30, 30}, 100, {}, false, {{1, 2, 3}, {4}}},
        {"rows that fill the page exactly", {50, 50, 50}, 100, {}, false, {{1, 2}, {3}}},
        {"an oversized row has a page of its own", {30, 250, 30}, 100, {}, false, {{1}, {2}, {3}}},
        {"an oversized first row leaves no blank page", {250, 30}, 100, {}, false, {{1}, {2}}},
        {"a hidden row after an oversized one", {250, 0, 30}, 100, {}, false, {{1, 2}, {3}}},
        {"a page too small for any row", {30, 30}, 10, {}, false, {{1}, {2}}},
        {"selected rows only", {30, 30, 30, 30, 30}, 50, {2, 4}, true, {{2}, {4}}},
        {"selection only with no row selected", {30, 30}, 100, {}, true, {{}}},
        {"selection ignored when printing all", {30, 30}, 100, {2}, false, {{1, 2}}},
        {"no body rows", {}, 100, {}, false, {{}}},
    };
    for (const SCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        SPrintFixture f;
        f.Shape(c.heights);
        for (const int row : c.selected)
            f.grid.SetItemState(row, 1, f.grid.GetItemState(row, 1) | GCS_SELECTED);
        CGridPrintLayout layout;
        ASSERT_TRUE(layout.Compute(f.grid, {7, 13}, f.PaperFor(c.pageHeight), c.selectionOnly));
        EXPECT_EQ(layout.GetPageHeight(), c.pageHeight);
        ASSERT_EQ(layout.GetPageCount(), static_cast<int>(c.pages.size()));
        for (int page = 1; page <= layout.GetPageCount(); ++page)
        {
            EXPECT_EQ(layout.GetPageRows(page), c.pages[static_cast<std::size_t>(page - 1)])
                << "page " << page;
            const auto& rows = c.pages[static_cast<std::size_t>(page - 1)];
            EXPECT_EQ(layout.GetFirstRow(page), rows.empty() ? -1 : rows.front());
        }
    }
}

TEST(GridPrintLayout, LogicalPageIsTheGridWidthPlusMarginsInThePaperShape)
{
    SPrintFixture f;
    f.Shape({30, 30}, 3, 1); // 300 wide, one fixed column of 100
    CGridPrintLayout layout;
    ASSERT_TRUE(layout.Compute(f.grid, {7, 13}, {2100, 2970}, false));
    EXPECT_EQ(layout.GetLogicalPageSize(), (SGridSize{356, 356 * 2970 / 2100}));
    EXPECT_EQ(layout.GetPageHeight(), 356 * 2970 / 2100 - 78 - 20);
    EXPECT_EQ(layout.GetPageWidth(), 200);
    EXPECT_EQ(layout.GetPrintWidth(), 300);
    EXPECT_EQ(layout.GetPagesAcross(), 1);

    // Nothing can be laid out on no paper or without a character size.
    EXPECT_FALSE(layout.Compute(f.grid, {7, 13}, {0, 2970}, false));
    EXPECT_FALSE(layout.Compute(f.grid, {0, 13}, {2100, 2970}, false));
    EXPECT_EQ(layout.GetPageCount(), 0);
}

TEST(GridPrint, ARowIsAsTallAsItsCellsNeedOnPaper)
{
    SPrintFixture f;
    f.Shape({30, 30, 30}, 3);
    f.grid.SetCellType<CWrappingCell>(2, 1);
    f.grid.SetItemText(2, 1, L"wraps");
    auto* wrapping = dynamic_cast<CWrappingCell*>(f.grid.GetCell(2, 1));
    ASSERT_NE(wrapping, nullptr);
    // A page 90 pixels high holds three rows of 30, but not once the second grows to 50 on paper.
    f.PrintAll(f.PaperFor(90));
    EXPECT_EQ(wrapping->askedWidth, 100);
    EXPECT_TRUE(wrapping->askedOnPage); // measured where it is printed
    ASSERT_EQ(f.info.maxPage, 2);
    const std::vector<CPrintLogCell::SCall> first = f.CallsOfPage(1);
    const auto wrapped =
        std::find_if(first.begin(), first.end(),
                     [](const CPrintLogCell::SCall& call) { return call.row == 2 && call.col == 1; });
    ASSERT_NE(wrapped, first.end());
    EXPECT_EQ(wrapped->rect.Height(), 30 + 20 - 1);
    // Under the heading, the last row opens the second page.
    std::set<int> bodyRows;
    for (const CPrintLogCell::SCall& call : f.CallsOfPage(2))
        if (call.row > 0)
            bodyRows.insert(call.row);
    EXPECT_EQ(bodyRows, std::set<int>{3});
}

TEST(GridPrint, EveryRowIsPrintedOnceUnderTheHeadingAndAnOversizedRowIsCutAtThePageBottom)
{
    struct SCase
    {
        std::vector<int> heights;
        int pageHeight;
    };
    // The page heights sit on and around the row sums, where a page breaks.
    const SCase cases[] = {{{30, 30, 30, 30}, 60},  {{30, 30, 30, 30}, 61}, {{30, 30, 30, 30}, 59},
                           {{25, 35, 300, 10}, 61}, {{300, 20}, 100},       {{40, 40, 40}, 80}};
    for (const SCase& c : cases)
    {
        SCOPED_TRACE(testing::PrintToString(c.heights) + " on " + std::to_string(c.pageHeight));
        SPrintFixture f;
        f.Shape(c.heights);
        f.PrintAll(f.PaperFor(c.pageHeight));
        const int pageCount = f.grid.GetRowCount() > 0 ? f.info.maxPage : 0;
        ASSERT_EQ(static_cast<int>(f.pages.size()), pageCount);

        std::map<int, int> timesPrinted;
        for (int page = 1; page <= pageCount; ++page)
        {
            int headingCells = 0;
            for (const auto& call : f.CallsOfPage(page))
            {
                if (call.row == 0)
                {
                    ++headingCells;
                    continue;
                }
                if (call.col == 0)
                    ++timesPrinted[call.row];
                const int height = c.heights[static_cast<std::size_t>(call.row - 1)];
                EXPECT_EQ(call.rect.bottom - call.rect.top + 1, height);
                if (height > c.pageHeight)
                {
                    // Alone on its page, and the cell is clipped at the page's bottom.
                    EXPECT_EQ(call.rect.top, 0);
                    bool clippedAtBottom = false;
                    for (const auto& op : f.pages[static_cast<std::size_t>(page - 1)]->Of(NOp::SetClip))
                        clippedAtBottom |= op.op.rect.top == 0 && op.op.rect.bottom == c.pageHeight;
                    EXPECT_TRUE(clippedAtBottom);
                }
                else
                    EXPECT_LE(call.rect.bottom, c.pageHeight - 1);
            }
            EXPECT_EQ(headingCells, 2) << "page " << page;
        }
        for (int row = 1; row < f.grid.GetRowCount(); ++row)
            EXPECT_EQ(timesPrinted[row], 1) << "row " << row;
    }
}

TEST(GridPrint, SelectionOnlyWithNoSelectedRowPrintsOnePageWithHeaderAndHeadingButNoBody)
{
    SPrintFixture f;
    f.Shape({30, 30, 30});
    f.host.caption = L"Project window";
    f.PrintAll(f.PaperFor(100), nullptr, true);
    ASSERT_EQ(f.info.maxPage, 1);
    ASSERT_EQ(f.pages.size(), 1u);
    for (const auto& call : f.calls)
        EXPECT_EQ(call.row, 0);
    EXPECT_EQ(f.calls.size(), 2u);
    const std::vector<std::wstring> texts = f.pages[0]->Texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), L"Project window"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), L"r0c1"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), L"Page 1 of 1"), texts.end());
}

TEST(GridPrint, AColumnReachingBeyondThePageWidthIsLeftOut)
{
    SPrintFixture f;
    f.Shape({30}, 3, 1); // page width 300 - 100 fixed = 200
    f.PrintAll(f.PaperFor(100));
    std::vector<std::pair<int, int>> heading;
    std::vector<std::pair<int, SGridRect>> body;
    for (const auto& call : f.calls)
    {
        if (call.row == 0)
            heading.emplace_back(call.col, call.rect.right);
        else
            body.emplace_back(call.col, call.rect);
    }
    // The heading starts at column 0 and its third column would end at 299.
    EXPECT_EQ(heading, (std::vector<std::pair<int, int>>{{0, 99}, {1, 199}}));
    // The body starts at the first non-fixed column.
    ASSERT_EQ(body.size(), 2u);
    EXPECT_EQ(body[0], (std::pair<int, SGridRect>{1, {0, 0, 99, 29}}));
    EXPECT_EQ(body[1], (std::pair<int, SGridRect>{2, {100, 0, 199, 29}}));
}

TEST(GridPrint, CellColoursOnPaper)
{
    SPrintFixture f;
    f.Shape({30}, 3);
    CGridCellBase* whiteHeading = f.grid.GetCell(0, 0);
    whiteHeading->SetBackColor(kGridWhite);
    whiteHeading->SetTextColor(kGridWhite);
    CGridCellBase* redHeading = f.grid.GetCell(0, 1);
    redHeading->SetBackColor(GridRgb(255, 0, 0));
    redHeading->SetTextColor(GridRgb(0, 0, 255));
    CGridCellBase* body = f.grid.GetCell(1, 0);
    body->SetBackColor(GridRgb(10, 20, 30));
    body->SetTextColor(GridRgb(40, 50, 60));
    body->SetAltBackColor(GridRgb(70, 80, 90));
    body->SetAltTextColor(GridRgb(100, 110, 120));
    CGridCellBase* plain = f.grid.GetCell(1, 1); // white: no fill on paper

    auto print = [&](CGridCellBase* cell, int row, int col)
    {
        CFakeGridPrintSurface dc({1000, 1000});
        EXPECT_TRUE(cell->PrintCell(&dc, row, col, {0, 0, 99, 19}));
        std::pair<std::vector<TGridColor>, TGridColor> seen{{}, 0xFFFFFFFF};
        for (const auto& op : dc.Of(NOp::Fill))
            seen.first.push_back(op.op.color);
        for (const auto& op : dc.Of(NOp::Text))
            seen.second = op.op.color;
        return seen;
    };
    const TGridColor face = GridRgb(212, 208, 200);
    const TGridColor black = GridRgb(0, 0, 0);
    using TSeen = std::pair<std::vector<TGridColor>, TGridColor>;

    EXPECT_EQ(print(whiteHeading, 0, 0), (TSeen{{face}, black}));
    EXPECT_EQ(print(redHeading, 0, 1), (TSeen{{GridRgb(255, 0, 0)}, GridRgb(0, 0, 255)}));
    EXPECT_EQ(print(body, 1, 0), (TSeen{{GridRgb(10, 20, 30)}, GridRgb(40, 50, 60)}));
    EXPECT_EQ(print(plain, 1, 1), (TSeen{{}, black}));

    f.grid.SetPrintWithAltColors(true);
    EXPECT_EQ(print(body, 1, 0), (TSeen{{GridRgb(70, 80, 90)}, GridRgb(100, 110, 120)}));
    EXPECT_EQ(print(whiteHeading, 0, 0), (TSeen{{face}, black}));

    // Nothing to print into an empty rectangle or without a grid.
    CFakeGridPrintSurface dc({1000, 1000});
    EXPECT_FALSE(body->PrintCell(&dc, 1, 0, {10, 0, 10, 19}));
    EXPECT_FALSE(body->PrintCell(nullptr, 1, 0, {0, 0, 99, 19}));
    CGridCell orphan;
    EXPECT_FALSE(orphan.PrintCell(&dc, 1, 0, {0, 0, 99, 19}));
    EXPECT_TRUE(dc.ops.empty());
}

TEST(GridPrint, HeaderAndFooterTextsFromTheRecord)
{
    const STextsInstalled installed(
        {{49001, L"Sheet %d/%d"}, {49002, L"dddd, d MMMM yyyy"}, {49003, L"HH:mm:ss"}});
    SPrintFixture f;
    f.Shape({30, 30, 30}); // 200 wide
    SGridPrintText texts;
    texts.headerLeft = L"Left";
    texts.headerCenter = L"Centre";
    texts.headerRight = L"Right";
    texts.pageFormat = 49001;
    texts.footerCenter = L"Middle";
    texts.dateFormat = 49002;
    texts.timeFormat = 49003;
    f.PrintAll(f.PaperFor(60), &texts);
    ASSERT_EQ(f.pages.size(), 2u);

    const int width = 200;
    const int pageHeight = kFramesHeight + 20 + 60;
    struct SExpected
    {
        std::wstring text;
        NGridTextAlign align;
        int x;
        int y;
    };
    const int margin = 4 * CFakeGridSurface::kCharWidth;
    const std::vector<SExpected> expected{
        {L"Centre", NGridTextAlign::Center, margin + width / 2, 6},
        {L"Right", NGridTextAlign::Right, margin + width, 6},
        {L"Left", NGridTextAlign::Left, margin, 6},
        {L"Sheet 2/2", NGridTextAlign::Left, margin, pageHeight - 26 + 6},
        {L"Middle", NGridTextAlign::Center, margin + width / 2, pageHeight - 26 + 6},
        {L"Thursday, 5 March 2026 14:07:09", NGridTextAlign::Right, margin + width, pageHeight - 26 + 6},
    };
    const CFakeGridPrintSurface& page2 = *f.pages[1];
    std::vector<SExpected> seen;
    std::size_t index = 0;
    for (const auto& op : page2.Of(NOp::Text))
    {
        const SGridFont& font = page2.fonts[index++];
        if (font.weight == 700)
            seen.push_back({op.op.text, op.op.align, op.page.left, op.page.top});
        else
            EXPECT_EQ(font, f.grid.PrinterFont());
    }
    ASSERT_EQ(seen.size(), expected.size());
    for (std::size_t i = 0; i < seen.size(); ++i)
    {
        EXPECT_EQ(seen[i].text, expected[i].text);
        EXPECT_EQ(seen[i].align, expected[i].align) << i;
        EXPECT_EQ(seen[i].x, expected[i].x) << i;
        EXPECT_EQ(seen[i].y, expected[i].y) << i;
    }

    // The rules under the header and over the footer.
    std::vector<SGridRect> rules;
    for (const auto& op : page2.Of(NOp::Line))
        if (op.op.color == 0 && op.page.top == op.page.bottom)
            rules.push_back(op.page);
    EXPECT_EQ(rules, (std::vector<SGridRect>{{margin, 26, margin + width, 26},
                                             {margin, pageHeight - 26, margin + width, pageHeight - 26}}));
    // The page is stretched over the paper, and back afterwards.
    ASSERT_EQ(page2.scales.size(), 1u);
    EXPECT_EQ(page2.scales[0].first, (SGridSize{width + 2 * margin, pageHeight}));
    EXPECT_EQ(page2.scales[0].second, f.PaperFor(60));
    EXPECT_EQ(page2.scaleResets, 1);
}

TEST(GridPrint, HeaderAndFooterTextsWithoutARecord)
{
    SPrintFixture f;
    f.Shape({30});
    f.host.caption = L"Series";
    {
        f.PrintAll(f.PaperFor(100));
        const std::vector<std::wstring> texts = f.pages[0]->Texts();
        // Centre: the parents' caption; right: the application title.
        EXPECT_EQ(texts[0], L"Series");
        EXPECT_EQ(texts[1], L"TerrionLink");
        EXPECT_NE(std::find(texts.begin(), texts.end(), L"Page 1 of 1"), texts.end());
    }
    // The title comes from the string table, so a language library reaches it.
    const STextsInstalled installed({{0xE000, L"TerrionLink FR"}});
    f.pages.clear();
    f.PrintAll(f.PaperFor(100));
    const std::vector<std::wstring> texts = f.pages[0]->Texts();
    EXPECT_EQ(texts[0], L"Series");
    EXPECT_EQ(texts[1], L"TerrionLink FR");
    // A record's empty right text also becomes the application title.
    SGridPrintText record;
    record.pageFormat = Ids::kGridPageOfPages;
    EXPECT_EQ(CGridPrintTexts::PageText(&record, 3, 4), L"Page 3 of 4");
    f.pages.clear();
    f.PrintAll(f.PaperFor(100), &record);
    const std::vector<std::wstring> withRecord = f.pages[0]->Texts();
    EXPECT_EQ(withRecord[0], L"TerrionLink FR");
}

TEST(GridPrint, NothingIsLaidOutWithoutAWindow)
{
    SPrintFixture f;
    f.Shape({30});
    f.host.isWindow = false;
    CFakeGridPrintSurface dc(f.PaperFor(100));
    f.grid.OnBeginPrinting(dc, f.info, false);
    EXPECT_FALSE(f.grid.GetPrintLayout().IsValid());
    EXPECT_EQ(f.info.maxPage, 0xFFFF);
    f.grid.OnPrint(dc, f.info, nullptr, false);
    EXPECT_TRUE(dc.ops.empty());
}

TEST(GridPrintFooter, DateAndTimeFollowTheRecordsPicturesWhateverTheLocale)
{
    const STextsInstalled installed(
        {{49002, L"dddd d MMMM yyyy '(KW)' ddd MMM yy M/d"}, {49003, L"h:mm:ss tt H t hh HH"}});
    SGridPrintText texts;
    texts.dateFormat = 49002;
    texts.timeFormat = 49003;
    const std::wstring english = L"Thursday 5 March 2026 (KW) Thu Mar 26 3/5 2:07:09 PM 14 P 02 14";
    EXPECT_EQ(CGridPrintTexts::DateTimeText(&texts, FixedTime()), english);

    // The user's locale (German here) changes neither names nor order.
    const std::string before = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "the de_DE.UTF-8 locale is not installed";
    const std::locale previous = std::locale::global(std::locale("de_DE.UTF-8"));
    const std::wstring german = CGridPrintTexts::DateTimeText(&texts, FixedTime());
    // Without a record the locale's own text is used, so it may differ from the English one.
    const std::wstring localDefault = CGridPrintTexts::DateTimeText(nullptr, FixedTime());
    std::locale::global(previous);
    std::setlocale(LC_ALL, before.c_str());
    EXPECT_EQ(german, english);
    EXPECT_NE(localDefault.find(L"2026"), std::wstring::npos)
        << std::string(localDefault.begin(), localDefault.end());

    // The table's own pictures, as the settings choose them.
    texts.dateFormat = Ids::kDatePattern3;
    texts.timeFormat = Ids::kTimePattern0;
    EXPECT_EQ(CGridPrintTexts::DateTimeText(&texts, FixedTime()), L"05.03.2026 2:07 PM");
}

} // namespace

namespace
{

TEST(GridDrawText, LaysTextOutByTheFormatBits)
{
    struct SCase
    {
        const char* name;
        std::wstring text;
        unsigned format;
        std::vector<std::wstring> lines;
        NGridTextAlign align;
        int x;
        int firstY;
    };
    // The rectangle (10, 20)-(80, 60): 70 wide (ten characters), 40 high; lines 13 high.
    const SCase cases[] = {
        {"left, top", L"abc", DT_LEFT | DT_SINGLELINE, {L"abc"}, NGridTextAlign::Left, 10, 20},
        {"centred", L"abc", DT_CENTER | DT_VCENTER | DT_SINGLELINE, {L"abc"}, NGridTextAlign::Center, 45, 33},
        {"right, bottom",
         L"abc",
         DT_RIGHT | DT_BOTTOM | DT_SINGLELINE,
         {L"abc"},
         NGridTextAlign::Right,
         80,
         47},
        {"end ellipsis",
         L"abcdefghijkl",
         DT_END_ELLIPSIS | DT_SINGLELINE,
         {L"abcdefg..."},
         NGridTextAlign::Left,
         10,
         20},
        {"fits exactly",
         L"abcdefghij",
         DT_END_ELLIPSIS | DT_SINGLELINE,
         {L"abcdefghij"},
         NGridTextAlign::Left,
         10,
         20},
        {"lines", L"ab\r\ncd", DT_LEFT, {L"ab", L"cd"}, NGridTextAlign::Left, 10, 20},
        {"word break",
         L"one two three four",
         DT_WORDBREAK,
         {L"one two", L"three four"},
         NGridTextAlign::Left,
         10,
         20},
    };
    for (const SCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        CFakeGridSurface dc;
        CGridDrawText::Draw(dc, c.text, {10, 20, 80, 60}, c.format);
        const auto texts = dc.Of(NOp::Text);
        ASSERT_EQ(texts.size(), c.lines.size());
        for (std::size_t i = 0; i < texts.size(); ++i)
        {
            EXPECT_EQ(texts[i].text, c.lines[i]);
            EXPECT_EQ(texts[i].align, c.align);
            EXPECT_EQ(texts[i].rect.left, c.x);
            EXPECT_EQ(texts[i].rect.top, c.firstY + 13 * static_cast<int>(i));
        }
    }
}

} // namespace
