#include "views/SummaryPage.h"

#include <algorithm>

#include "data/SummaryData.h"
#include "data/TerrionDoc.h"
#include "grid/GridSurface.h"
#include "views/CachedExtentSurface.h"
#include "views/ColorScheme.h"
#include "views/SummaryBlocks.h"
#include "views/SummaryMeasure.h"

static_assert(CSummaryPage::LinkOrder == CSummaryDiagram::kOrderArea);
static_assert(CSummaryPage::LinkComment == CSummaryBlocks::kCommentArea);

namespace
{

constexpr TGridColor kTextColor = GridRgb(0, 0, 0);

/// The blocks' sizes for the page layout, from the blocks themselves.
class CPageMeasure final : public CSummaryMeasure
{
public:
    CPageMeasure(CSummaryBlocks& blocks, CSummaryDiagram& diagram, const SSummaryDiagramInput& input)
        : m_blocks(blocks), m_diagram(diagram), m_input(input)
    {
    }
    SGridSize Title() override { return m_blocks.Title(0, 0).size; }
    SGridSize Statistics() override { return m_blocks.Statistics(0, 0).size; }
    SGridSize Values(int height) override { return m_blocks.Values(0, 0, height).size; }
    int ValuesOneColumnHeight() override { return m_blocks.ValuesOneColumnHeight(); }
    SGridSize Diagram(int width, int height) override
    {
        return m_diagram.Layout(m_input, 0, 0, width, height).size;
    }
    SGridSize Comment(int width) override { return m_blocks.Comment(0, 0, width).size; }

private:
    CSummaryBlocks& m_blocks;
    CSummaryDiagram& m_diagram;
    const SSummaryDiagramInput& m_input;
};

std::wstring Trimmed(const std::wstring& text)
{
    const wchar_t* blanks = L" \t\r\n";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::wstring::npos)
        return std::wstring();
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

} // namespace

CSummaryPage::CSummaryPage(CTerrionDoc& doc) : m_doc(doc), m_fonts(SSummaryFonts::From(SGridFont{}))
{
}

void CSummaryPage::SetMessageFont(const SGridFont& font)
{
    m_fonts = SSummaryFonts::From(font);
    m_valid = false;
}

int CSummaryPage::ShownOrder(int order)
{
    return order == SummaryOrderUnset ? SummaryOrderObjectId : order;
}

int CSummaryPage::NextOrder(int order)
{
    switch (ShownOrder(order))
    {
    case SummaryOrderObjectId:
        return SummaryOrderValue;
    case SummaryOrderValue:
        return SummaryOrderName;
    default:
        return SummaryOrderObjectId;
    }
}

void CSummaryPage::CycleOrder()
{
    m_doc.SetSummaryOrder(static_cast<std::int16_t>(NextOrder(m_doc.GetSummaryOrder())));
}

SSummaryInput CSummaryPage::ReadInput()
{
    SSummaryInput in;
    m_doc.ComputeSummaryStatistics();
    SSummaryDiagramInput& d = in.diagram;
    d.count = m_doc.GetSummaryCount();
    m_doc.GetSummaryStatistics(&d.mean, &in.sd, &in.min, &in.max);
    d.largest = in.max;
    const int n = m_doc.GetSeriesCount();
    for (int i = 0; i < n && static_cast<int>(d.bars.size()) < d.count; ++i)
    {
        if (!m_doc.IsInSummary(i))
            continue;
        double mean = 0.0, sd = 0.0, min = 0.0, max = 0.0;
        m_doc.GetStatistics(i, &mean, &sd, &min, &max);
        d.bars.push_back(
            SSummaryBar{static_cast<std::uint16_t>(m_doc.GetObjectId(i)), m_doc.GetName(i), mean, i});
    }
    d.order = ShownOrder(m_doc.GetSummaryOrder());
    // The values list follows the bars, so they are in order before either is measured.
    CSummaryDiagram::SortBars(d.bars, d.order);
    d.unit = CTerrionDoc::GetResistivityUnit();
    d.hovered = m_hovered == LinkOrder;
    in.comment = Trimmed(m_doc.GetSummaryComment());
    in.hovered = m_hovered;
    return in;
}

SSummaryPageLayout CSummaryPage::MakeLayout(CGridSurface& dc, const SSummaryInput& in, int clientWidth,
                                            int remembered)
{
    SSummaryPageLayout l;
    if (in.diagram.count <= 0)
        return l;
    l.empty = false;
    dc.SaveState();
    {
        // The page measures the same texts many times over while it finds its columns.
        CCachedExtentSurface cached(dc);
        CSummaryBlocks blocks(cached, m_fonts, in, kMargin);
        CSummaryDiagram diagram(cached, m_fonts, kMargin);
        CPageMeasure measure(blocks, diagram, in.diagram);
        l.blocks = SSummaryLayout::Compute(clientWidth, static_cast<int>(in.diagram.bars.size()), remembered,
                                           measure);
        using L = SSummaryLayout;
        const SGridPoint* at = l.blocks.at;
        l.title = blocks.Title(at[L::Title].x, at[L::Title].y);
        l.diagram = diagram.Layout(in.diagram, at[L::Diagram].x, at[L::Diagram].y, l.blocks.contentWidth,
                                   L::kDiagramHeight);
        l.values = blocks.Values(at[L::Values].x, at[L::Values].y, l.blocks.columnHeight);
        l.statistics = blocks.Statistics(at[L::Statistics].x, at[L::Statistics].y);
        l.comment = blocks.Comment(at[L::Comment].x, at[L::Comment].y, l.blocks.commentWidth);
        for (const SGridFont* font : {&m_fonts.faces.plain, &m_fonts.faces.bold, &m_fonts.faces.underlined})
        {
            cached.SetFont(*font);
            l.lineHeight = std::max(l.lineHeight, cached.GetTextExtent(L"A").cy);
        }
    }
    dc.RestoreState();
    return l;
}

void CSummaryPage::RegisterAreas(CGridSurface& dc, const SSummaryPageLayout& l)
{
    m_links.RemoveAll();
    m_bars.RemoveAll();
    if (l.empty)
        return;
    if (!l.diagram.orderLabel.text.empty())
        m_links.Add(l.diagram.orderRect, 0, 0, LinkOrder);
    dc.SaveState();
    for (const SReportText& text : l.comment.texts)
    {
        if (text.area == 0)
            continue;
        m_fonts.faces.Select(dc, text.font);
        m_links.AddText(dc, text.at.x, text.at.y, text.text, 0, 0, text.area);
    }
    dc.RestoreState();
    for (const SSummaryDiagramBar& bar : l.diagram.bars)
        m_bars.Add(bar.menuArea, 0, 0, bar.index, &bar.label);
}

bool CSummaryPage::Update(CGridSurface& dc, int clientWidth)
{
    const SSummaryInput in = ReadInput();
    if (in.diagram.count <= 0)
    {
        // A blank page; the extent stays, so the scroll bars do not jump.
        m_layout = SSummaryPageLayout();
        m_links.RemoveAll();
        m_bars.RemoveAll();
        m_valid = false;
        return false;
    }
    if (clientWidth != m_rememberedWidth || in.diagram.count != m_rememberedCount)
    {
        m_rememberedColumn = 0;
        m_rememberedWidth = clientWidth;
        m_rememberedCount = in.diagram.count;
    }
    if (!m_valid || clientWidth != m_layoutWidth || !(in == m_input))
    {
        m_layout = MakeLayout(dc, in, clientWidth, m_rememberedColumn);
        m_rememberedColumn = m_layout.blocks.columnHeight;
        m_extent = m_layout.blocks.extent;
        m_input = in;
        m_layoutWidth = clientWidth;
        m_valid = true;
        ++m_layoutCount;
        RegisterAreas(dc, m_layout);
    }
    return true;
}

void CSummaryPage::Paint(CGridSurface& dc, int clientWidth)
{
    if (Update(dc, clientWidth))
        Draw(dc, m_layout);
}

SSummaryPageLayout CSummaryPage::PaintPrinted(CGridSurface& dc, int clientWidth)
{
    SSummaryInput in = ReadInput();
    in.hovered = LinkNone;
    in.diagram.hovered = false;
    SSummaryPageLayout layout = MakeLayout(dc, in, clientWidth, 0);
    Draw(dc, layout);
    return layout;
}

void CSummaryPage::DrawBlock(CGridSurface& dc, const SReportBlock& block, int lineHeight,
                             const SGridRect& clip)
{
    for (const SReportText& text : block.texts)
    {
        // A long page shows a few of its lines: the others are passed over unmeasured.
        if (text.at.y >= clip.bottom || text.at.y + lineHeight <= clip.top || text.at.x >= clip.right)
            continue;
        m_fonts.faces.Select(dc, text.font);
        dc.SetTextColor(text.area ? theColorScheme.LinkColor : kTextColor);
        dc.TextOut(text.at.x, text.at.y, text.text);
    }
}

void CSummaryPage::Draw(CGridSurface& dc, const SSummaryPageLayout& l)
{
    if (l.empty)
        return;
    const SGridRect clip = dc.GetClipBox();
    dc.SaveState();
    dc.SetTextAlign(NGridTextAlign::Left);
    dc.SetTextVAlign(NGridTextVAlign::Top);
    dc.SetTextColor(kTextColor);
    for (const SReportText& text : l.title.texts)
    {
        if (text.at.y >= clip.bottom || text.at.y + l.title.size.cy <= clip.top)
            continue;
        dc.SetFont(m_fonts.title);
        dc.TextOut(text.at.x, text.at.y, text.text);
    }
    CSummaryDiagram diagram(dc, m_fonts, kMargin);
    diagram.Draw(l.diagram, kTextColor);
    DrawBlock(dc, l.values, l.lineHeight, clip);
    DrawBlock(dc, l.statistics, l.lineHeight, clip);
    DrawBlock(dc, l.comment, l.lineHeight, clip);
    dc.RestoreState();
}

int CSummaryPage::HitLink(SGridPoint point) const
{
    int link = LinkNone;
    if (!m_links.HitTest(point, nullptr, &link))
        return LinkNone;
    return link;
}

bool CSummaryPage::HitBar(SGridPoint point, int* index, std::wstring* label) const
{
    return m_bars.HitTest(point, nullptr, index, label);
}

bool CSummaryPage::SetHovered(int link)
{
    if (link == m_hovered)
        return false;
    m_hovered = link;
    return true;
}
