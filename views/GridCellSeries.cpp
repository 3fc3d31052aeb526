#include "views/GridCellSeries.h"

#include <algorithm>
#include <memory>

#include "data/TerrionDoc.h"
#include "grid/GridCore.h"
#include "grid/GridSurface.h"
#include "views/CachedExtentSurface.h"
#include "views/CellExtent.h"
#include "views/ColorScheme.h"
#include "views/SeriesCellUi.h"
#include "views/SeriesDiagram.h"
#include "views/SeriesReportBlocks.h"
#include "views/SeriesReportLayout.h"
#include "views/SeriesReportMeasure.h"

static_assert(SeriesAreaOrder == CSeriesDiagram::kOrderArea);
static_assert(SeriesAreaComment == CSeriesReportBlocks::kCommentArea);

namespace
{

/// The blocks' sizes for the report layout, from the blocks themselves.
class CBlockMeasure final : public CSeriesReportMeasure
{
public:
    CBlockMeasure(CSeriesReportBlocks& blocks, CSeriesDiagram& diagram, int hoverArea)
        : m_blocks(blocks), m_diagram(diagram), m_hoverArea(hoverArea)
    {
    }
    SGridSize Statistics() override { return m_blocks.Statistics(0, 0).size; }
    SGridSize Settings() override { return m_blocks.Settings(0, 0).size; }
    SGridSize Readings(int height) override { return m_blocks.Readings(0, 0, height).size; }
    int ReadingsOneColumnHeight() override { return m_blocks.ReadingsOneColumnHeight(); }
    SGridSize Diagram(int width, int height) override
    {
        return m_diagram.Layout(0, 0, width, height, m_hoverArea == SeriesAreaOrder, false).size;
    }
    SGridSize Comment(int width) override
    {
        return m_blocks.Comment(0, 0, width, m_hoverArea == SeriesAreaComment).size;
    }

private:
    CSeriesReportBlocks& m_blocks;
    CSeriesDiagram& m_diagram;
    int m_hoverArea;
};

void PaintBlock(CGridSurface& dc, const SReportBlock& block, const SSeriesReportFonts& fonts,
                CSensitiveArea& areas, TGridColor textColor)
{
    for (const SReportText& text : block.texts)
    {
        fonts.Select(dc, text.font);
        dc.SetTextColor(text.area ? theColorScheme.LinkColor : textColor);
        if (text.area)
            areas.AddText(dc, text.at.x, text.at.y, text.text, 0, text.area, 0);
        dc.TextOut(text.at.x, text.at.y, text.text);
    }
    dc.SetTextColor(textColor);
}

} // namespace

void CGridCellSeries::SetSeries(CTerrionDoc* doc, int index)
{
    m_doc = doc;
    m_index = index;
}

bool CGridCellSeries::HasSeries() const
{
    return m_doc && m_index >= 0 && m_index < m_doc->GetSeriesCount();
}

SGridFont CGridCellSeries::SelectFont(CGridSurface& dc) const
{
    const SGridFont* font = GetFontObject();
    const SGridFont base = font ? *font : dc.GetFont();
    dc.SetFont(base);
    return base;
}

int CGridCellSeries::Report(CGridSurface& dc, const SGridFont& base, int width, int minWidth,
                            CSensitiveArea* areas, int hover)
{
    if (!HasSeries())
        return 0;
    const SSeriesReportFonts fonts = SSeriesReportFonts::From(base);
    CSeriesReportBlocks blocks(*m_doc, m_index, dc, fonts, kMargin);
    CSeriesDiagram diagram(*m_doc, m_index, dc, fonts, kMargin);
    CBlockMeasure measure(blocks, diagram, hover);
    const SSeriesReportLayout layout =
        SSeriesReportLayout::Compute(m_doc->GetReadingCount(m_index), width, measure, minWidth);
    if (!areas)
        return layout.total;

    using L = SSeriesReportLayout;
    const TGridColor textColor = GetTextColor();
    dc.SetTextColor(textColor);
    dc.SetTextAlign(NGridTextAlign::Left);
    dc.SetTextVAlign(NGridTextVAlign::Top);
    const SGridPoint d = layout.at[L::Diagram];
    diagram.Draw(
        diagram.Layout(d.x, d.y, layout.diagramWidth, L::kDiagramHeight, hover == SeriesAreaOrder, true),
        *areas, areas == &m_areas ? this : nullptr, textColor);
    const SGridPoint r = layout.at[L::Readings];
    PaintBlock(dc, blocks.Readings(r.x, r.y, layout.readingsHeight), fonts, *areas, textColor);
    const SGridPoint s = layout.at[L::Statistics];
    PaintBlock(dc, blocks.Statistics(s.x, s.y), fonts, *areas, textColor);
    const SGridPoint t = layout.at[L::Settings];
    PaintBlock(dc, blocks.Settings(t.x, t.y), fonts, *areas, textColor);
    const SGridPoint c = layout.at[L::Comment];
    PaintBlock(dc, blocks.Comment(c.x, c.y, layout.commentWidth, hover == SeriesAreaComment), fonts, *areas,
               textColor);
    return layout.total;
}

bool CGridCellSeries::Draw(CGridSurface* dc, int row, int col, SGridRect rect, bool, bool forPrinting)
{
    if (!dc || rect.top >= rect.bottom)
        return true;
    // Only the screen's report is clicked, hovered and animated: a printed
    // page or an exported image leaves its places and its height alone.
    const CGridCore* grid = GetGrid();
    const bool printing = dc->IsPrinting() || forPrinting;
    const bool onScreen = !printing && !(grid && grid->IsDrawingAll());
    dc->SaveState();
    const SGridPoint origin = dc->GetOrigin();
    dc->SetOrigin(SGridPoint{origin.x - rect.left, origin.y - rect.top});
    // On paper the report fits the page's width; the screen scrolls a narrow one.
    const int minWidth = printing ? 0 : SSeriesReportLayout::kMinWidth;
    const int width = std::max(rect.right - rect.left, minWidth);
    CSensitiveArea elsewhere;
    CSensitiveArea& areas = onScreen ? m_areas : elsewhere;
    if (onScreen)
    {
        ClearHotSpots();
        m_areas.RemoveAll();
    }
    if (!dc->IsPrinting())
        dc->FillSolidRect(SGridRect{0, 0, width, rect.bottom - rect.top}, GetBackColor());
    CCachedExtentSurface cached(*dc);
    const SGridFont base = SelectFont(cached);
    const int total = Report(cached, base, width, minWidth, &areas, onScreen ? m_hoverArea : SeriesAreaNone);
    dc->RestoreState();
    DrawBorder(dc, row, col, rect, forPrinting);
    if (!onScreen)
        return true;

    m_targetHeight = SSeriesReportLayout::RowHeight(total);
    m_measured = true;
    if (AnimationPending())
        RequestStep();
    return true;
}

bool CGridCellSeries::PrintCell(CGridSurface* dc, int row, int col, SGridRect rect)
{
    Draw(dc, row, col, rect, true, true);
    return true;
}

int CGridCellSeries::MeasureRowHeight(CGridSurface& dc, int width, int minWidth)
{
    dc.SaveState();
    CCachedExtentSurface cached(dc);
    const SGridFont base = SelectFont(cached);
    const int total = Report(cached, base, std::max(width, minWidth), minWidth, nullptr, m_hoverArea);
    dc.RestoreState();
    return SSeriesReportLayout::RowHeight(total);
}

int CGridCellSeries::GetPrintHeight(CGridSurface& measure, int width, int height)
{
    // A row on its way open or shut prints as far as it is open.
    if (!m_expanded || m_expanding || m_collapsing || height <= 0 || !HasSeries())
        return height;
    // The printed cell is one pixel narrower than its span, as PrintCell gets it.
    return MeasureRowHeight(measure, width - 1, 0);
}

SGridSize CGridCellSeries::GetCellExtent(CGridSurface* dc)
{
    return CCellExtent::WithScrollBars(*this, CGridCell::GetCellExtent(dc), 1);
}

bool CGridCellSeries::IsSeriesRowSelected() const
{
    const CGridCore* grid = GetGrid();
    return grid && grid->IsCellSelected(GetRow() - 1, GetColumn());
}

int CGridCellSeries::SpanWidth() const
{
    const CGridCore* grid = GetGrid();
    if (!grid)
        return 0;
    return grid->GetMergedColumnWidth(IsMerged() ? GetMergeStart() : GetColumn(), GetRow());
}

void CGridCellSeries::SetRowHeight(int height)
{
    CGridCore* grid = GetGrid();
    if (grid && grid->GetRowHeight(GetRow()) != height)
        grid->SetRowHeight(GetRow(), height);
}

void CGridCellSeries::InvalidateSelf()
{
    CGridCore* grid = GetGrid();
    SGridRect rect;
    if (grid && grid->GetHost() && grid->GetCellRect(GetRow(), GetColumn(), &rect))
    {
        const SGridRect dirty{rect.left, rect.top, rect.right + 1, rect.bottom + 1};
        grid->GetHost()->HostInvalidate(&dirty);
    }
}

void CGridCellSeries::RequestStep()
{
    const CGridCore* grid = GetGrid();
    if (grid && !grid->IsInPostPaint(this))
        RequestPostPaint();
}

bool CGridCellSeries::AnimationPending() const
{
    const CGridCore* grid = GetGrid();
    const bool rowBehind = grid && grid->GetRowHeight(GetRow()) != m_currentHeight;
    return m_expanding || m_collapsing || (m_expanded && m_currentHeight != m_targetHeight) || rowBehind;
}

void CGridCellSeries::Expand(bool immediate)
{
    CGridCore* grid = GetGrid();
    // Measured at the width the report really has, on the window's surface.
    std::unique_ptr<CGridSurface> surface;
    if (immediate && grid && grid->GetHost())
        surface = grid->GetHost()->HostMeasureSurface();
    if (surface)
    {
        ExpandOn(*surface);
        return;
    }
    m_expanding = true;
    m_collapsing = false;
    if (m_currentHeight < 2)
    {
        m_currentHeight = 2;
        RequestStep();
    }
    if (grid)
        grid->Refresh();
}

void CGridCellSeries::ExpandOn(CGridSurface& surface)
{
    m_collapsing = false;
    m_targetHeight = MeasureRowHeight(surface, SpanWidth());
    m_measured = true;
    m_currentHeight = m_targetHeight;
    m_expanding = false;
    m_expanded = true;
    SetRowHeight(m_currentHeight);
    if (CGridCore* grid = GetGrid())
        grid->Refresh();
}

void CGridCellSeries::Collapse(bool immediate)
{
    m_collapsing = true;
    m_expanding = false;
    if (immediate)
    {
        m_currentHeight = 0;
        SetRowHeight(0);
        m_expanded = false;
        m_collapsing = false;
    }
    if (CGridCore* grid = GetGrid())
        grid->Refresh();
}

void CGridCellSeries::Animate(int target)
{
    if (m_expanding)
    {
        m_currentHeight += kOpenStep;
        if (m_currentHeight >= target)
        {
            m_currentHeight = target;
            m_expanding = false;
            m_expanded = true;
        }
    }
    else if (m_collapsing)
    {
        m_currentHeight -= kOpenStep;
        if (m_currentHeight <= 2)
        {
            m_currentHeight = 0;
            m_expanded = false;
            m_collapsing = false;
        }
    }
    else if (m_expanded && m_currentHeight != target)
        m_currentHeight += std::clamp(target - m_currentHeight, -kFollowStep, kFollowStep);
}

bool CGridCellSeries::AdvanceAnimation()
{
    CGridCore* grid = GetGrid();
    if (!grid)
        return false;
    // Opening waits for a first draw to know how tall the report is.
    if (m_measured || !m_expanding)
        Animate(m_targetHeight);
    SetRowHeight(m_currentHeight);
    grid->Refresh();
    return AnimationPending();
}

bool CGridCellSeries::OnPostPaint()
{
    if (m_ui)
        m_ui->ScheduleAnimation(*this);
    else
        AdvanceAnimation();
    return true;
}

bool CGridCellSeries::OnSetCursor()
{
    CGridCore* grid = GetGrid();
    CGridHost* host = grid ? grid->GetHost() : nullptr;
    if (!host)
        return true;
    SGridPoint pointer;
    SGridRect rect;
    int area = SeriesAreaNone;
    if (host->HostCursorPos(&pointer) && grid->GetCellRect(GetRow(), GetColumn(), &rect))
        if (!m_areas.HitTest(SGridPoint{pointer.x - rect.left, pointer.y - rect.top}, &area))
            area = SeriesAreaNone;
    host->HostSetCursor(area != SeriesAreaNone ? NGridCursor::Hand : NGridCursor::Arrow);
    if (area != m_hoverArea)
    {
        m_hoverArea = area;
        InvalidateSelf();
    }
    return true;
}

void CGridCellSeries::OnClick(SGridPoint point)
{
    int area = SeriesAreaNone;
    if (!HasSeries() || !m_areas.HitTest(point, &area))
        return;
    if (area == SeriesAreaOrder)
    {
        const bool byValue = CSeriesDiagram::IsByValue(*m_doc, m_index);
        m_doc->SetDiagramOrder(m_index, byValue ? DiagramOrderMeasurement : DiagramOrderValue);
    }
    else if (area == SeriesAreaComment && m_ui)
        m_ui->CommentClicked(m_index);
    m_hoverArea = SeriesAreaNone;
    InvalidateSelf();
}
