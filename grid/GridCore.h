#pragma once
#include <array>
#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "grid/GridCellBase.h"
#include "grid/GridCellPos.h"
#include "grid/GridCellRange.h"
#include "grid/GridConstants.h"
#include "grid/GridDefaultCell.h"
#include "grid/GridDisplayInfo.h"
#include "grid/GridHost.h"
#include "grid/GridNotify.h"
#include "grid/GridPrintInfo.h"
#include "grid/GridPrintLayout.h"
#include "grid/GridPrintSurface.h"
#include "grid/GridPrintText.h"
#include "grid/GridSizeIndex.h"

/// Makes a new cell for the grid.
using TGridCellFactory = std::function<std::unique_ptr<CGridCellBase>()>;

/// The grid without its window: cells, row heights and column widths, the
/// fixed rows and columns, merged spans, focus and selection, geometry and
/// scrolling, and the painting order. It reaches the window only through
/// CGridHost and draws only through CGridSurface, so it runs headless.
/// The wxWidgets window CGridCtrl is one of these.
class CGridCore
{
public:
    explicit CGridCore(int rows = 0, int cols = 0, int fixedRows = 0, int fixedCols = 0);
    CGridCore(const CGridCore&) = delete;
    CGridCore& operator=(const CGridCore&) = delete;
    virtual ~CGridCore();

    /// Connects the window (null disconnects) with the control id its notifications carry.
    void AttachHost(CGridHost* host, int controlId);
    CGridHost* GetHost() const { return m_host; }
    int GetControlId() const { return m_controlId; }
    /// Sizes the height and width arrays to the default cell when the window is made.
    void OnCreate();

    // Structure.
    bool SetRowCount(int rows);
    bool SetColumnCount(int cols);
    bool SetFixedRowCount(int fixedRows);
    bool SetFixedColumnCount(int fixedCols);
    int GetRowCount() const { return m_rows; }
    int GetColumnCount() const { return m_cols; }
    int GetFixedRowCount() const { return m_fixedRows; }
    int GetFixedColumnCount() const { return m_fixedCols; }
    void DeleteAllItems();
    bool IsValid(int row, int col) const { return row >= 0 && row < m_rows && col >= 0 && col < m_cols; }
    bool IsValid(const CGridCellPos& cell) const { return IsValid(cell.row, cell.col); }
    bool IsValid(const CGridCellRange& range) const;

    CGridCellBase* GetCell(int row, int col) const;
    /// Stores `cell` at (row, col), tells it its place and deletes the cell it replaces.
    bool SetCell(int row, int col, std::unique_ptr<CGridCellBase> cell);
    /// Replaces the cell by a new one from `factory`, which takes over the old cell's attributes.
    bool SetCellType(int row, int col, const TGridCellFactory& factory);
    /// The same with a class: false unless it derives from CGridCellBase.
    template <class TCell> bool SetCellType(int row, int col)
    {
        if constexpr (std::is_base_of_v<CGridCellBase, TCell> && !std::is_abstract_v<TCell> &&
                      std::is_default_constructible_v<TCell>)
            return SetCellType(row, col, [] { return std::unique_ptr<CGridCellBase>(new TCell()); });
        else
            return false;
    }
    /// Joins columns firstCol..lastCol of a row into one drawn cell; false outside the grid.
    bool MergeCells(int row, int firstCol, int lastCol);

    // Sizes in pixels.
    bool SetRowHeight(int row, int height);
    bool SetColumnWidth(int col, int width);
    int GetRowHeight(int row) const;
    int GetColumnWidth(int col) const;
    /// Width of col in row: the span's width at its first column, -1 at its other columns.
    int GetMergedColumnWidth(int col, int row) const;
    /// Width from col to the end of its span.
    int GetSpanWidthFrom(int col, int row) const;
    int GetFixedRowHeight() const;
    int GetFixedColumnWidth() const;
    int GetVirtualWidth() const;
    int GetVirtualHeight() const;
    bool AutoSizeColumn(int col, int style = 0, bool resetScrollBars = true);
    bool AutoSizeRow(int row);
    void AutoSizeColumns(int style = 0);
    void SetDefaultCellWidth(int width);
    void SetDefaultCellHeight(int height);
    /// The default cell for a cell with the given fixed bits.
    CGridDefaultCell* GetDefaultCell(bool fixedRow, bool fixedCol) const;

    // Contents and state.
    bool SetItemText(int row, int col, const std::wstring& text);
    std::wstring GetItemText(int row, int col) const;
    bool SetItemState(int row, int col, unsigned state);
    unsigned GetItemState(int row, int col) const;
    bool SetItemFormat(int row, int col, unsigned format);
    unsigned GetItemFormat(int row, int col) const;
    bool SetItemBackColor(int row, int col, TGridColor color);
    void SetModified(int row = -1, int col = -1);
    bool IsCellSelected(int row, int col) const;
    bool IsCellEditable(int row, int col) const;
    bool InvalidateCellRect(int row, int col);
    /// Draws one cell at once (on the window when dc is null).
    bool RedrawCell(int row, int col, CGridSurface* dc = nullptr);

    // Settings.
    void SetListMode(bool listMode);
    bool GetListMode() const { return m_listMode; }
    bool SetWholeRowScrolling(bool wholeRows);
    bool GetWholeRowScrolling() const { return m_wholeRowScrolling; }
    void SetRedraw(bool allow, bool resetScrollBars = false);
    bool GetRedraw() const { return m_allowDraw; }
    void Refresh();
    void SetSortColumn(int col);
    int GetSortColumn() const { return m_sortColumn; }
    void SetSortAscending(bool ascending) { m_sortAscending = ascending; }
    bool GetSortAscending() const { return m_sortAscending; }
    void SetSortOnHeadingClick(bool sort) { m_sortOnHeadingClick = sort; }
    bool GetSortOnHeadingClick() const { return m_sortOnHeadingClick; }
    void SetAllowColumnResize(bool allow) { m_allowColumnResize = allow; }
    bool GetAllowColumnResize() const { return m_allowColumnResize; }
    void SetAllowRowResize(bool allow) { m_allowRowResize = allow; }
    bool GetAllowRowResize() const { return m_allowRowResize; }
    bool SetCopyRowSeparator(bool on);
    bool SetCopyCellSeparator(bool on);
    bool SetPrintWithAltColors(bool on);
    bool GetPrintWithAltColors() const { return m_printWithAltColors; }
    int GetGridLines() const { return m_gridLines; }
    TGridColor GetGridLineColor() const { return m_gridLineColor; }
    TGridColor GetGridBkColor() const { return m_gridBkColor; }
    bool IsEditable() const { return m_editable; }
    bool GetFixedRowSelection() const { return m_fixedRowSelection; }
    bool IsModified() const { return m_modified; }
    /// Gives the font to all four default cells (their margins and sizes follow).
    void SetGridFont(const SGridFont& font);
    const SGridFont& GetGridFont() const;
    /// A system colour from the window (fixed values without one).
    TGridColor GetSysColor(NGridSysColor which) const;
    /// Takes new system colours where the defaults still hold the old ones.
    void OnSysColorChange();

    // Focus and selection.
    CGridCellPos SetFocusCell(int row, int col);
    CGridCellPos SetFocusCell(CGridCellPos cell) { return SetFocusCell(cell.row, cell.col); }
    CGridCellPos GetFocusCell() const { return m_focusCell; }
    void SetSelectedRange(int minRow, int minCol, int maxRow, int maxCol, bool forceRepaint = false,
                          bool selectCells = true);
    void SetSelectedRange(const CGridCellRange& range, bool forceRepaint = false, bool selectCells = true);
    void SelectAllCells();
    void SelectRows(int row, int col, bool forceRepaint, bool selectCells, bool add);
    void ResetSelectedRange();
    /// Selects (or deselects) the rectangle from the anchor to `cell`.
    void SelectCells(CGridCellPos cell, bool forceRepaint = false, bool selectCells = true);
    /// Extends the selection to `cell` as the current mouse mode says.
    void OnSelecting(const CGridCellPos& cell);
    NGridMouseMode GetMouseMode() const { return m_mouseMode; }
    CGridCellRange GetSelectedCellRange();
    int GetSelectedCount() const { return m_selectedCount; }

    // Geometry and scrolling.
    CGridCellPos GetTopLeftNonFixedCell();
    /// The pixel offset of the top row (<= 0: how far it lies above the body).
    int GetFirstRowOffset();
    CGridCellRange GetVisibleNonFixedCellRange(SGridRect* covered = nullptr);
    CGridCellPos GetCellFromPt(SGridPoint point, bool allowFixed = true);
    bool GetCellOrigin(int row, int col, SGridPoint* origin);
    bool GetMergedCellOrigin(int row, int col, SGridPoint* origin);
    /// The cell's rectangle without its span; right and bottom are its last pixel.
    bool GetPlainCellRect(int row, int col, SGridRect* rect);
    /// The cell's rectangle with its span; right and bottom are its last pixel.
    bool GetCellRect(int row, int col, SGridRect* rect);
    SGridPoint GetPointClicked(int row, int col, SGridPoint point);
    bool IsCellVisible(int row, int col);
    void ResetScrollBars();
    int GetScrollPos32(NGridScrollBar bar) const { return m_scrollPos[bar]; }
    void SetScrollPos32(NGridScrollBar bar, int pos);
    int GetScrollMax(NGridScrollBar bar) const { return m_scrollMax[bar]; }
    int GetScrollPage(NGridScrollBar bar) const { return m_scrollPage[bar]; }
    bool IsScrollBarShown(NGridScrollBar bar) const { return (m_barsShown & (bar == SB_HORZ ? 1 : 2)) != 0; }
    void EnsureVisible(int row, int col);
    /// A scroll request; thumbPos is the thumb's position for SB_THUMBPOSITION and SB_THUMBTRACK.
    void OnHScroll(int code, int thumbPos = 0);
    void OnVScroll(int code, int thumbPos = 0);
    /// A wheel turn of `delta` (120 a notch, positive away from the user).
    void OnMouseWheel(int delta);
    /// The window's size changed; endEditing false when only its client area did
    /// (scroll bars coming and going), which leaves an open edit alone.
    void OnSize(bool endEditing = true);

    // Painting.
    /// Paints the grid; with `all` the whole grid from its top-left corner (bitmaps).
    virtual void OnDraw(CGridSurface& dc, bool all);
    /// Fills the areas around and under the cells; `covered` stands in for the visible cells' area.
    void EraseBackground(CGridSurface& dc, const SGridRect* covered = nullptr);
    /// The size of the whole grid as DrawToBitmap renders it.
    SGridSize GetWholeGridSize() const;
    /// Queues a cell's OnPostPaint for the end of the next paint.
    void AddPostPaint(CGridCellBase* cell);
    bool IsInPostPaint(const CGridCellBase* cell) const;
    /// Whether the grid is drawing itself whole into a bitmap (not onto the screen).
    bool IsDrawingAll() const { return m_drawingAll; }

    /// Sends a notification to the owner; 0 without a window.
    long SendNotify(int row, int col, int code);

    // Keyboard; keys are NGridKey numbers, held keys come from CGridHost::HostModifiers.
    virtual void OnKeyDown(unsigned key);
    /// A typed character; starts an edit of the focus cell with it.
    virtual void OnChar(unsigned ch);
    /// Whether Tab moves the focus (rather than leaving the grid).
    bool GetHandleTabKey() const { return m_handleTabKey; }
    virtual void OnEditSelectAll() { SelectAllCells(); }

    // In-place editing.
    /// Starts an in-place edit of (row, col); point is relative to the cell or (-1, -1).
    /// firstChar is an NGridKey number, or a typed character marked with kGridTypedChar.
    virtual void OnEditCell(int row, int col, SGridPoint point, unsigned firstChar);
    /// Stores an edited text, asks the owner and tells the cell its edit is over.
    virtual void OnEndEditCell(int row, int col, const std::wstring& text);
    virtual bool ValidateEdit(int row, int col, const std::wstring& text);
    /// Ends the focus cell's open edit, which reports its text.
    virtual void EndEditing();
    /// Whether an in-place edit is open.
    bool HasOpenEdit() const;
    /// An edit's report: stores the text and, after a navigation key, moves on and edits there.
    void OnEndInPlaceEdit(const SGridDisplayInfo& info);
    /// Closes every open edit without reporting (its cell or the grid is going away).
    void CancelEditing();

    // Mouse; points are client coordinates, held keys come from CGridHost::HostModifiers.
    /// The point lies in the fixed rows within the capture range of a column divider.
    bool MouseOverColumnResizeArea(SGridPoint point);
    /// The point lies in the fixed columns within the capture range of a row divider.
    bool MouseOverRowResizeArea(SGridPoint point);
    void OnLButtonDown(SGridPoint point);
    void OnMouseMove(SGridPoint point);
    void OnLButtonUp(SGridPoint point);
    void OnLButtonDblClk(SGridPoint point);
    void OnRButtonUp(SGridPoint point);
    /// Sets the cursor for the pointer at `point` (inside the client area).
    void OnSetCursor(SGridPoint point);
    /// The mouse capture moved; `toGrid` when the grid itself gained it.
    void OnCaptureChanged(bool toGrid);
    void OnTimer(int id);
    /// The pointer left the window: its tip goes.
    void OnMouseLeaveWindow();
    /// Hides the hot-spot tip (scrolling and leaving call it too).
    void HideTooltip();
    /// A press in the fixed rows, and in the fixed columns.
    virtual void OnFixedRowClick(CGridCellPos& cell);
    virtual void OnFixedColumnClick(CGridCellPos& cell);
    /// Starts a drag of the selection (GridCoreDragDrop.cpp); nothing while drag-and-drop is off.
    virtual void OnBeginDrag();
    CGridCellPos GetClickDownCell() const { return m_clickDownCell; }
    /// Where the line of a dragged divider is painted: its x (columns) or y
    /// (rows), -1 while no divider is dragged.
    int GetTrackLinePos() const { return m_trackLine; }

    // Printing (GridCorePrint.cpp): the window's print job calls these; the
    // page figures hold from OnBeginPrinting to OnEndPrinting.
    /// Lays the pages out and sets the info's last page; nothing without a window.
    virtual void OnBeginPrinting(CGridPrintSurface& dc, SGridPrintInfo& info, bool selectionOnly);
    /// Prints the info's current page: header, heading row, body rows, grid lines, footer.
    virtual void OnPrint(CGridPrintSurface& dc, SGridPrintInfo& info, const SGridPrintText* texts,
                         bool selectionOnly);
    virtual void OnEndPrinting(CGridPrintSurface& dc, SGridPrintInfo& info);
    /// Header and footer within the info's drawing rectangle.
    virtual void PrintHeader(CGridSurface& dc, const SGridPrintInfo& info, const SGridPrintText* texts);
    virtual void PrintFooter(CGridSurface& dc, const SGridPrintInfo& info, const SGridPrintText* texts);
    /// Prints columns startCol..stopCol - 1 of `row` from rect's left as far as the page is wide.
    virtual void PrintFixedRowCells(int startCol, int stopCol, int& row, SGridRect& rect, CGridSurface& dc,
                                    bool& first);
    const CGridPrintLayout& GetPrintLayout() const { return m_printLayout; }
    /// The font pages are printed in: Arial as high as the grid's own font,
    /// so printed rows keep their size beside the cells that print in theirs.
    SGridFont PrinterFont() const;

    // Clipboard (GridCoreClipboard.cpp). Texts travel through the window's
    // clipboard; a row counts as selected by its cell in column 1.
    /// The text of a range: cells tab-separated, rows "\r\n"-separated (each
    /// separator when switched on). (0, -1, -1, -1) stands for the whole grid.
    virtual std::wstring GetRangeText(bool withHeading, int minRow, int minCol, int maxRow, int maxCol,
                                      bool includeHidden);
    /// The selection's text for the clipboard or a drag; none without a
    /// selection inside the grid or without memory for it.
    virtual std::optional<std::wstring> CopyTextFromGrid(bool withHeading);
    /// Empties every selected cell through SetItemTextWithNotify.
    virtual void CutSelectedText();
    /// Writes the lines and fields of `text` (null: the data holds no text)
    /// from (row, col) on, skipping hidden rows and columns; selects what was
    /// pasted or, without selectPasted, clears the selection.
    virtual bool PasteTextToGrid(int row, int col, const std::wstring* text, bool selectPasted);
    /// Changes a cell's text as an edit would: the owner may veto it before
    /// (GRIDN_BEGINEDIT) and reject it after (GRIDN_ENDEDIT).
    void SetItemTextWithNotify(int row, int col, const std::wstring& text);
    /// Ctrl+C and the copy, cut and paste commands, with their enabling.
    virtual void OnEditCopy();
    virtual void OnEditCut();
    virtual void OnEditPaste();
    bool CanEditCopy() const { return m_selectedCount > 0; }
    bool CanEditCut() const { return m_editable && m_selectedCount > 0; }
    bool CanEditPaste() const;
    bool CanEditSelectAll() const { return true; }
    /// Whether a row counts as selected for copying and selection printing:
    /// by its cell in column 1, or in column 0 when the grid has no second column.
    bool IsRowSelected(int row) const;
    bool GetCopyRowSeparator() const { return m_copyRowSeparator; }
    bool GetCopyCellSeparator() const { return m_copyCellSeparator; }

    // Drag-and-drop of texts (GridCoreDragDrop.cpp); off unless switched on.
    void SetDragAndDrop(bool on) { m_dragAndDrop = on; }
    bool GetDragAndDrop() const { return m_dragAndDrop; }
    /// A drag enters or moves over the grid; keys are NGridModifier bits.
    /// The NGridDropEffect the grid would take: copy with Ctrl, else move.
    virtual unsigned OnDragEnter(bool dataHasText, unsigned keys, SGridPoint point);
    virtual unsigned OnDragOver(bool dataHasText, unsigned keys, SGridPoint point);
    virtual void OnDragLeave();
    /// Pastes the dropped text (null: none) at the last cell dragged over.
    virtual bool OnDrop(const std::wstring* text, unsigned effect, SGridPoint point);
    CGridCellPos GetLastDragOverCell() const { return m_lastDragOver; }

    // Sorting (GridCoreSort.cpp).
    /// Orders two cells: negative when the first comes first; data is the sort's.
    using TGridCompare = std::function<int(const CGridCellBase*, const CGridCellBase*, std::intptr_t)>;
    /// Sorts the non-fixed rows by the column's texts.
    bool SortTextItems(int col, bool ascending);
    /// Sorts the non-fixed rows by the column with `compare`; false for a
    /// column outside the grid, fewer than two rows, or in virtual mode.
    bool SortItems(int col, const TGridCompare& compare, bool ascending);
    /// Texts compared by their UTF-16 code units; 0 when either cell is missing.
    static int CompareCellText(const CGridCellBase* cell1, const CGridCellBase* cell2, std::intptr_t data);

    // Virtual mode (GridCoreVirtual.cpp): the grid stores no cells and asks
    // the owner for each cell it needs.
    /// Switches virtual mode; the grid is emptied either way.
    void SetVirtualMode(bool on);
    bool GetVirtualMode() const { return m_virtualMode; }
    /// Completes a cell's display info in place of GRIDN_GETDISPINFO (null: the notification).
    using TGridDispInfoCallback = std::function<void(SGridDisplayInfo&)>;
    void SetVirtualCallback(TGridDispInfoCallback callback) { m_virtualCallback = std::move(callback); }

protected:
    /// The date and time the footer shows.
    virtual std::tm GetPrintTime() const;

    virtual std::unique_ptr<CGridCellBase> CreateCell(int row, int col);
    virtual void DestroyCell(int row, int col);

private:
    using TRow = std::vector<std::unique_ptr<CGridCellBase>>;

    /// Sorts rows low..high of the column; the smaller part recurses, so the depth stays logarithmic.
    bool QuickSort(int col, const TGridCompare& compare, std::intptr_t data, bool ascending, int low,
                   int high);
    /// Exchanges two rows whole: cells (told their new place) and heights.
    void SwapRows(int row1, int row2);
    /// A press on a heading with heading sorting on: the column sorts, again in reverse.
    void SortOnHeadingClick(int col);
    /// The one cell virtual mode hands out, refilled from the owner for (row, col).
    CGridCellBase* GetVirtualCell(int row, int col) const;
    /// Sets the row or column count without cells, for virtual mode.
    bool SetVirtualCount(bool rows, int count);
    void SendCacheHint(const CGridCellRange& range);

    void SetupDefaultCells();
    void ForgetTopLeft() { m_topLeft = CGridCellPos(-1, -1); }
    void InvalidateAll();
    void Invalidate(const SGridRect& rect);
    void ForgetCell(const CGridCellBase* cell);
    int ClampScrollPos(NGridScrollBar bar, int pos) const;
    /// Stores a position as SetScrollInfo does; true when it changed.
    bool StoreScrollPos(NGridScrollBar bar, int pos);
    /// Tells the window a bar's visibility, range, page and position, as far
    /// as they differ from what it was told last: each message to a bar costs
    /// the window a relayout.
    void SendScrollBar(NGridScrollBar bar);
    SGridRect ClientRect() const;
    /// Top edge of a row in client pixels (non-fixed rows from the top-left row).
    int RowTop(int row);
    /// Width of the fixed columns before endCol in a row, spans counted once.
    int FixedWidthInRow(int row, int endCol) const;
    /// Calls `visit`(cell, row, col, rect) for each drawn cell of a body row, spans once.
    template <class TVisit>
    void ForEachBodyCell(int row, int top, const CGridCellRange& visible, const SGridRect& clip,
                         TVisit visit);
    void TellHiddenCells(const CGridCellRange& visible);
    /// Runs `draw` under `clip`, saved as the bound of everything the cell
    /// does: its own clips narrow it and never reach past it.
    template <class TDraw> static auto UnderClip(CGridSurface& dc, const SGridRect& clip, TDraw draw)
    {
        dc.SetClip(clip);
        dc.SaveState();
        const auto result = draw();
        dc.RestoreState();
        dc.ResetClip();
        return result;
    }
    /// Closes a cell's open edit without a report.
    static void CancelCellEdit(CGridCellBase* cell);
    /// Stores a changed text that validation and the owner (GRIDN_ENDEDIT)
    /// may still refuse; a refused text gives way to `previous` again.
    void CommitText(int row, int col, const std::wstring& text, const std::wstring& previous);
    /// Rows from `rows` and columns from `cols` are going: the anchor, click-down
    /// and hover cells there are forgotten and an edit open there closes unreported.
    void ForgetPositionsFrom(int rows, int cols);
    unsigned Modifiers() const { return m_host ? m_host->HostModifiers() : 0; }
    void RunPostPaint();

    CGridHost* m_host = nullptr;
    int m_controlId = 0;

    std::vector<TRow> m_cells;
    CGridSizeIndex m_rowHeights;
    CGridSizeIndex m_colWidths;
    int m_rows = 0;
    int m_cols = 0;
    int m_fixedRows = 0;
    int m_fixedCols = 0;

    CGridDefaultCell m_cellDefault;
    CGridDefaultCell m_cellFixedColDef;
    CGridDefaultCell m_cellFixedRowDef;
    CGridDefaultCell m_cellFixedRowColDef;
    TGridCellFactory m_cellFactory;

    std::vector<CGridCellBase*> m_postPaint;
    std::vector<CGridCellBase*> m_postPaintPass;

    // Settings.
    bool m_listMode = false;
    bool m_wholeRowScrolling = true;
    bool m_allowDraw = true;
    bool m_drawingAll = false;
    int m_gridLines = GGL_BOTH;
    TGridColor m_gridLineColor = GridRgb(192, 192, 192);
    TGridColor m_gridBkColor = GridRgb(128, 128, 128);
    bool m_allowColumnResize = true;
    bool m_allowRowResize = true;
    int m_autoSizeStyle = GAS_BOTH;
    bool m_sortOnHeadingClick = false;
    bool m_sortAscending = true;
    bool m_copyRowSeparator = true;
    bool m_copyCellSeparator = true;
    bool m_printWithAltColors = false;
    bool m_fixedRowSelection = true;
    bool m_editable = true;
    bool m_modified = false;
    bool m_handleTabKey = true;
    bool m_copyWithHeading = true;
    bool m_dragAndDrop = false;
    bool m_virtualMode = false;
    TGridDispInfoCallback m_virtualCallback;
    mutable std::unique_ptr<CGridCellBase> m_virtualCell;
    std::array<TGridColor, 4> m_sysColors{}; // window text, window, button face, button shadow

    // State.
    CGridCellPos m_focusCell;
    /// The cell an in-place edit was opened on, and where (null when none is open).
    CGridCellBase* m_editCell = nullptr;
    CGridCellPos m_editPos;
    CGridCellPos m_anchorCell;
    CGridCellPos m_clickDownCell;
    int m_selectedCount = 0;
    CGridCellRange m_selectionBounds;
    bool m_addToSelection = false;
    NGridMouseMode m_mouseMode = GMM_NONE;
    int m_sortColumn = -1;
    CGridCellPos m_lastDragOver;
    CGridCellPos m_topLeft;
    int m_firstRowOffset = 0;
    CGridCellRange m_previousVisible;
    std::array<int, 2> m_scrollPos{};
    std::array<int, 2> m_scrollMax{};
    std::array<int, 2> m_scrollPage{};
    int m_barsShown = 0;
    /// What the window was told of each bar (nothing yet while `known` is false).
    struct SSentBar
    {
        bool known = false;
        bool shown = false;
        int maximum = 0;
        int page = 0;
        int pos = 0;
    };
    std::array<SSentBar, 2> m_sentBars{};
    bool m_inOnSize = false;

    // Mouse.
    bool IsFixedCell(const CGridCellPos& cell) const
    {
        return cell.row < m_fixedRows || cell.col < m_fixedCols;
    }
    bool PointInCellText(const CGridCellPos& cell, SGridPoint point);
    bool StartSizing(SGridPoint point, bool column);
    void EndSizing(SGridPoint point, bool column);
    SGridPoint ClampToSizing(SGridPoint point) const;
    /// Shows the tracking line at pos (-1 removes it), repainting the old and the new band.
    void MoveTrackLine(int pos);
    SGridRect TrackBand(int pos) const;
    void KillAutoScroll();
    void Hover(SGridPoint point);

    SGridPoint m_clickDownPoint;
    SGridPoint m_lastMousePoint;
    CGridCellPos m_hoverCell;
    bool m_leftButtonDown = false;
    /// A double-click on a divider did its work: the release that follows does nothing.
    bool m_dividerDoubleClick = false;
    int m_autoScrollTimer = 0;
    SGridRect m_tipRect;
    std::wstring m_tipTitle;
    std::wstring m_tipText;
    bool m_tipTool = false;
    int m_trackLine = -1;
    bool m_trackVertical = true;
    /// While a divider is dragged the pointer counts as held inside these bounds (right and bottom outside).
    bool m_sizingClamp = false;
    SGridRect m_sizingBounds;
    CGridPrintLayout m_printLayout;
};
