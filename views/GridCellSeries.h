#pragma once
#include "drawing/SensitiveArea.h"
#include "grid/GridCell.h"
#include "views/SeriesReportLayout.h"

class CSeriesCellUi;
class CTerrionDoc;

/// The clickable texts of a series report.
enum NSeriesCellArea
{
    SeriesAreaNone = 0,
    SeriesAreaOrder = 1,   ///< the diagram's order label
    SeriesAreaComment = 2, ///< the comment, or "[Add]"
};

/// The detail row's report of one series: the reading diagram, the numbered
/// readings, statistics, the instrument settings and the comment. It works
/// out the height its row needs, opens and closes the row step by step,
/// shows a hand over its two clickable texts and acts on clicks on them (the
/// order label switches the diagram's order, the comment asks the page for
/// the comment dialog). It owns no project data: every draw reads the
/// document by series index.
///
/// The row moves one step per frame: a paint on screen that leaves the row
/// short of its height asks for OnPostPaint, which hands the cell to the
/// page's CSeriesCellUi::ScheduleAnimation (or, without one, steps at once);
/// AdvanceAnimation then takes the step and sets the row height. Printing
/// never moves the row.
class CGridCellSeries : public CGridCell
{
public:
    /// The inner margin of every block.
    static constexpr int kMargin = 10;
    /// Pixels per frame while opening or closing, and while following a
    /// change of the content's height.
    static constexpr int kOpenStep = 15;
    static constexpr int kFollowStep = 3;

    /// Binds the document (not owned) and the series index.
    void SetSeries(CTerrionDoc* doc, int index);
    CTerrionDoc* GetDocument() const { return m_doc; }
    int GetSeriesIndex() const { return m_index; }
    /// The page's dialogs and animation timer (not owned; null for none).
    void SetUi(CSeriesCellUi* ui) { m_ui = ui; }

    /// Draws the report (as it would be printed when `forPrinting`).
    bool Draw(CGridSurface* dc, int row, int col, SGridRect rect, bool eraseBackground,
              bool forPrinting) override;
    bool PrintCell(CGridSurface* dc, int row, int col, SGridRect rect) override;
    /// The next animation step (see the class comment).
    bool OnPostPaint() override;
    void OnClick(SGridPoint point) override;
    /// Hover tracking: the hand over a clickable text, else the arrow.
    bool OnSetCursor() override;
    /// The base size, one scroll-bar width wider.
    SGridSize GetCellExtent(CGridSurface* dc) override;
    /// Whether the series row above is selected in this column.
    virtual bool IsSeriesRowSelected() const;

    /// Opens the row: `immediate` measures the report and sets the height at
    /// once, else the row grows by kOpenStep per frame.
    void Expand(bool immediate);
    /// Opens the row at once, laid out on `surface` at the width the report
    /// has: a refill lays every open report out on one surface.
    void ExpandOn(CGridSurface& surface);
    /// Closes the row, at once or kOpenStep per frame.
    void Collapse(bool immediate);
    /// Takes one step toward the target and sets the row height; true while
    /// more steps are to come.
    bool AdvanceAnimation();
    /// One step of the row height toward `target` (the state machine alone).
    void Animate(int target);

    /// The row height the report needs at `width` (at least `minWidth`),
    /// laid out on `dc` (which gets the cell's font); 0 without a series.
    int MeasureRowHeight(CGridSurface& dc, int width, int minWidth = SSeriesReportLayout::kMinWidth);
    /// An open report's row height on a page `width` wide.
    int GetPrintHeight(CGridSurface& measure, int width, int height) override;

    int GetCurrentHeight() const { return m_currentHeight; }
    int GetTargetHeight() const { return m_targetHeight; }
    bool IsExpanded() const { return m_expanded; }
    bool IsExpanding() const { return m_expanding; }
    bool IsCollapsing() const { return m_collapsing; }
    int GetHoverArea() const { return m_hoverArea; }
    /// The clickable texts of the last draw (cell-relative).
    const CSensitiveArea& GetAreas() const { return m_areas; }

private:
    bool HasSeries() const;
    /// Selects the cell's font (or keeps the surface's) and returns it.
    SGridFont SelectFont(CGridSurface& dc) const;
    /// Lays out the report at (0, 0) in faces of `base` within `width` (at
    /// least `minWidth`) with the clickable text `hover` underlined and,
    /// with `areas`, draws it and records its clickable texts there; returns
    /// its total height.
    int Report(CGridSurface& dc, const SGridFont& base, int width, int minWidth, CSensitiveArea* areas,
               int hover);
    /// The width the cell's span takes in its grid.
    int SpanWidth() const;
    bool AnimationPending() const;
    /// Asks for OnPostPaint once per paint.
    void RequestStep();
    void SetRowHeight(int height);
    void InvalidateSelf();

    CTerrionDoc* m_doc = nullptr;
    int m_index = -1;
    CSeriesCellUi* m_ui = nullptr;
    int m_currentHeight = 0;
    int m_targetHeight = 0;
    bool m_measured = false;
    bool m_expanded = false;
    bool m_collapsing = false;
    bool m_expanding = false;
    CSensitiveArea m_areas;
    int m_hoverArea = SeriesAreaNone;
};
