#pragma once
#include <string>

#include "drawing/SensitiveArea.h"
#include "views/ReportText.h"
#include "views/SummaryDiagram.h"
#include "views/SummaryFonts.h"
#include "views/SummaryInput.h"
#include "views/SummaryLayout.h"

class CGridSurface;
class CTerrionDoc;

/// The summary page laid out: what CSummaryPage paints.
struct SSummaryPageLayout
{
    bool empty = true; ///< no series in the summary: nothing is drawn
    SSummaryLayout blocks;
    SReportBlock title; ///< its one text is drawn in the title font
    SSummaryDiagramLayout diagram;
    SReportBlock values;
    SReportBlock statistics;
    SReportBlock comment;
    int lineHeight = 0; ///< the tallest line of the text blocks
};

/// The summary of the project as a page: a title, the bar diagram of the
/// summary series' means, the list of those values, the statistics over
/// them and the comment. It reads the document at every paint, lays the
/// page out again only when what it shows changed, keeps the clickable
/// areas (the order label, the comment, one per bar) and paints what lies in
/// the surface's clip box. It owns no project data and changes the document
/// only when the user asks.
class CSummaryPage
{
public:
    /// The clickable texts (the second id of a link area).
    enum NLink
    {
        LinkNone = 0,
        LinkOrder = 1,   ///< the diagram's order label
        LinkComment = 2, ///< the comment, or "[Add]"
    };

    static constexpr int kMargin = 10;

    /// `doc` must outlive the page.
    explicit CSummaryPage(CTerrionDoc& doc);

    /// The desktop's message font, with its height in pixels, that the six fonts are made from.
    void SetMessageFont(const SGridFont& font);
    const SSummaryFonts& GetFonts() const { return m_fonts; }

    /// What the page shows now: the summary statistics are computed again,
    /// the bars read in document order and sorted by the shown order.
    SSummaryInput ReadInput();

    /// Lays the page out for a window `clientWidth` wide, again only when
    /// something it shows changed, and keeps its clickable areas; false for
    /// an empty summary, which keeps the extent it had.
    bool Update(CGridSurface& dc, int clientWidth);
    /// Update, then paints what meets the surface's clip box (nothing for
    /// an empty summary).
    void Paint(CGridSurface& dc, int clientWidth);
    /// The page as printed on `dc`: laid out anew, without the column height
    /// the screen remembered, no link shown as hovered; nothing of the
    /// screen's state changes.
    SSummaryPageLayout PaintPrinted(CGridSurface& dc, int clientWidth);

    /// The last screen layout.
    const SSummaryPageLayout& GetLayout() const { return m_layout; }
    /// The scrolled size of the page at its last screen layout.
    SGridSize GetExtent() const { return m_extent; }
    /// How many screen layouts were made (each paint that found a change).
    int GetLayoutCount() const { return m_layoutCount; }
    /// Forgets the layout: the next paint lays out again.
    void Invalidate() { m_valid = false; }

    /// The link under a page point, LinkNone for none.
    int HitLink(SGridPoint point) const;
    /// The bar under a page point: its series index and label.
    bool HitBar(SGridPoint point, int* index, std::wstring* label) const;
    int GetHovered() const { return m_hovered; }
    /// The link under the pointer; true when that changed (the page is painted again).
    bool SetHovered(int link);

    /// Moves the diagram order on as the user asked (by object ID, by value,
    /// by name, by object ID again), which marks the project modified.
    void CycleOrder();
    /// The order after `order`; an unset order counts as by object ID.
    static int NextOrder(int order);
    /// The order the bars are shown in: an unset order is by object ID,
    /// without writing that into the project.
    static int ShownOrder(int order);

private:
    SSummaryPageLayout MakeLayout(CGridSurface& dc, const SSummaryInput& input, int clientWidth,
                                  int remembered);
    void Draw(CGridSurface& dc, const SSummaryPageLayout& layout);
    void DrawBlock(CGridSurface& dc, const SReportBlock& block, int lineHeight, const SGridRect& clip);
    void RegisterAreas(CGridSurface& dc, const SSummaryPageLayout& layout);

    CTerrionDoc& m_doc;
    SSummaryFonts m_fonts;
    SSummaryPageLayout m_layout;
    SSummaryInput m_input; ///< what m_layout was made from
    int m_layoutWidth = 0;
    bool m_valid = false;
    int m_layoutCount = 0;
    SGridSize m_extent{800, 800};
    CSensitiveArea m_links;
    CSensitiveArea m_bars;
    int m_hovered = LinkNone;
    int m_rememberedColumn = 0; ///< 0: none
    int m_rememberedWidth = -1;
    int m_rememberedCount = -1;
};
