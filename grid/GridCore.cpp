#include "grid/GridCore.h"

#include <algorithm>
#include <climits>
#include <new>
#include <utility>

#include "grid/GridCell.h"

namespace
{

// Colours a grid without a window uses.
TGridColor FallbackSysColor(NGridSysColor which)
{
    switch (which)
    {
    case NGridSysColor::WindowText:
        return GridRgb(0, 0, 0);
    case NGridSysColor::Window:
        return kGridWhite;
    case NGridSysColor::BtnFace:
        return GridRgb(240, 240, 240);
    case NGridSysColor::BtnShadow:
        return GridRgb(160, 160, 160);
    case NGridSysColor::BtnHighlight:
        return kGridWhite;
    case NGridSysColor::DkShadow3D:
        return GridRgb(105, 105, 105);
    }
    return 0;
}

} // namespace

CGridCore::CGridCore(int rows, int cols, int fixedRows, int fixedCols)
    : m_cellFactory([] { return std::unique_ptr<CGridCellBase>(new CGridCell()); })
{
    SetupDefaultCells();
    SetRowCount(rows);
    SetColumnCount(cols);
    SetFixedRowCount(fixedRows);
    SetFixedColumnCount(fixedCols);
}

CGridCore::~CGridCore()
{
    CancelEditing();
    m_host = nullptr; // the window is going; nothing more reaches it
    m_postPaint.clear();
    m_postPaintPass.clear();
    m_cells.clear();
}

void CGridCore::AttachHost(CGridHost* host, int controlId)
{
    m_host = host;
    m_sentBars = {}; // a new window has been told nothing
    m_controlId = controlId;
    SetupDefaultCells();
    if (m_host)
        SetGridFont(m_host->HostDefaultFont());
}

void CGridCore::OnCreate()
{
    m_rowHeights.Resize(0, 0);
    m_rowHeights.Resize(m_rows, m_cellDefault.GetHeight());
    m_colWidths.Resize(0, 0);
    m_colWidths.Resize(m_cols, m_cellDefault.GetWidth());
    ForgetTopLeft();
    ResetScrollBars();
}

TGridColor CGridCore::GetSysColor(NGridSysColor which) const
{
    return m_host ? m_host->HostSysColor(which) : FallbackSysColor(which);
}

void CGridCore::SetupDefaultCells()
{
    const TGridColor text = GetSysColor(NGridSysColor::WindowText);
    const TGridColor window = GetSysColor(NGridSysColor::Window);
    const TGridColor face = GetSysColor(NGridSysColor::BtnFace);
    for (CGridDefaultCell* cell :
         {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef})
    {
        cell->SetGrid(this);
        cell->SetTextColor(text);
        cell->SetAltTextColor(text);
        const TGridColor back = cell == &m_cellDefault ? window : face;
        cell->SetBackColor(back);
        cell->SetAltBackColor(back);
    }
    m_gridBkColor = GetSysColor(NGridSysColor::BtnShadow);
    m_sysColors = {text, window, face, m_gridBkColor};
}

CGridDefaultCell* CGridCore::GetDefaultCell(bool fixedRow, bool fixedCol) const
{
    auto* self = const_cast<CGridCore*>(this);
    if (fixedRow && fixedCol)
        return &self->m_cellFixedRowColDef;
    if (fixedRow)
        return &self->m_cellFixedRowDef;
    if (fixedCol)
        return &self->m_cellFixedColDef;
    return &self->m_cellDefault;
}

bool CGridCore::IsValid(const CGridCellRange& range) const
{
    return range.IsValid() && range.maxRow < m_rows && range.maxCol < m_cols;
}

// ---------------------------------------------------------------- structure

std::unique_ptr<CGridCellBase> CGridCore::CreateCell(int row, int col)
{
    if (!m_cellFactory)
        return nullptr;
    std::unique_ptr<CGridCellBase> cell = m_cellFactory();
    if (!cell)
        return nullptr;
    cell->SetGrid(this);
    cell->SetCoords(row, col);
    unsigned state = cell->GetState();
    if (col < m_fixedCols)
        state |= GCS_FIXED | GCS_FIXEDCOL;
    if (row < m_fixedRows)
        state |= GCS_FIXED | GCS_FIXEDROW;
    cell->SetState(state);
    if (const CGridDefaultCell* def = cell->GetDefaultCell())
        cell->SetFormat(def->GetFormat());
    return cell;
}

void CGridCore::DestroyCell(int row, int col)
{
    if (m_virtualMode)
        return; // no cell is stored
    SetItemState(row, col, 0);
    auto& slot = m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
    CancelCellEdit(slot.get());
    ForgetCell(slot.get());
    slot.reset();
}

void CGridCore::ForgetCell(const CGridCellBase* cell)
{
    if (!cell)
        return;
    if (cell == m_editCell)
        m_editCell = nullptr;
    // A deleted cell must never be called back after the paint.
    std::erase(m_postPaint, cell);
    std::replace(m_postPaintPass.begin(), m_postPaintPass.end(), const_cast<CGridCellBase*>(cell),
                 static_cast<CGridCellBase*>(nullptr));
}

bool CGridCore::SetRowCount(int rows)
{
    if (rows < 0)
        return false;
    ForgetTopLeft();
    if (rows == m_rows)
        return true;
    bool result = true;
    if (rows < m_rows)
        ForgetPositionsFrom(rows, m_cols);
    if (rows < m_fixedRows)
        m_fixedRows = rows;
    if (m_focusCell.row >= rows)
        SetFocusCell(-1, -1);
    if (m_virtualMode)
        return SetVirtualCount(true, rows);

    if (rows < m_rows)
    {
        for (int row = rows; row < m_rows; ++row)
            for (int col = 0; col < m_cols; ++col)
                DestroyCell(row, col);
        m_cells.resize(static_cast<std::size_t>(rows));
        m_rows = rows;
    }
    try
    {
        m_rowHeights.Resize(rows, m_cellDefault.GetHeight());
        m_cells.resize(static_cast<std::size_t>(rows));
        for (int row = m_rows; row < rows; ++row)
        {
            TRow& cells = m_cells[static_cast<std::size_t>(row)];
            cells.resize(static_cast<std::size_t>(m_cols));
            for (int col = 0; col < m_cols; ++col)
                cells[static_cast<std::size_t>(col)] = CreateCell(row, col);
            ++m_rows;
        }
    }
    catch (const std::bad_alloc&)
    {
        // The rows finished so far stay.
        m_cells.resize(static_cast<std::size_t>(m_rows));
        m_rowHeights.Resize(m_rows, m_cellDefault.GetHeight());
        result = false;
    }
    SetSortColumn(-1);
    m_modified = true;
    ResetScrollBars();
    if (m_allowDraw)
        InvalidateAll();
    return result;
}

bool CGridCore::SetColumnCount(int cols)
{
    if (cols < 0)
        return false;
    ForgetTopLeft();
    if (cols == m_cols)
        return true;
    bool result = true;
    if (cols < m_cols)
        ForgetPositionsFrom(m_rows, cols);
    if (cols < m_fixedCols)
        m_fixedCols = cols;
    if (m_focusCell.col >= cols)
        SetFocusCell(-1, -1);
    if (m_virtualMode)
        return SetVirtualCount(false, cols);

    if (cols < m_cols)
    {
        for (int row = 0; row < m_rows; ++row)
        {
            for (int col = cols; col < m_cols; ++col)
                DestroyCell(row, col);
            TRow& cells = m_cells[static_cast<std::size_t>(row)];
            cells.resize(static_cast<std::size_t>(cols));
            // Spans that reached into the removed columns end at the new last column.
            for (auto& cell : cells)
                if (cell && cell->IsMerged() && cell->GetMergeEnd() >= cols)
                    cell->SetMergeRange(cell->GetMergeStart(), cols - 1);
        }
    }
    const int oldCols = std::min(m_cols, cols);
    try
    {
        m_colWidths.Resize(cols, m_cellFixedColDef.GetWidth());
        for (int row = 0; row < m_rows; ++row)
        {
            TRow& cells = m_cells[static_cast<std::size_t>(row)];
            cells.resize(static_cast<std::size_t>(cols));
            for (int col = oldCols; col < cols; ++col)
                cells[static_cast<std::size_t>(col)] = CreateCell(row, col);
        }
    }
    catch (const std::bad_alloc&)
    {
        for (TRow& cells : m_cells)
            cells.resize(static_cast<std::size_t>(oldCols));
        m_colWidths.Resize(oldCols, 0);
        m_cols = oldCols;
        result = false;
    }
    if (result)
        m_cols = cols;
    SetSortColumn(-1);
    m_modified = true;
    ResetScrollBars();
    if (m_allowDraw)
        InvalidateAll();
    return result;
}

bool CGridCore::SetFixedRowCount(int fixedRows)
{
    if (fixedRows < 0)
        return false;
    if (fixedRows == m_fixedRows)
        return true;
    EndEditing();
    SetSelectedRange(-1, -1, -1, -1);
    SetFocusCell(-1, -1);
    ForgetTopLeft();
    if (m_rows < fixedRows && !SetRowCount(fixedRows))
        return false;

    const TGridColor normalText = m_cellDefault.GetTextColor();
    const TGridColor normalBack = m_cellDefault.GetBackColor();
    for (int row = m_fixedRows; row < fixedRows; ++row)
        for (int col = 0; col < m_cols; ++col)
            if (CGridCellBase* cell = GetCell(row, col))
            {
                cell->SetState(cell->GetState() | GCS_FIXED | GCS_FIXEDROW);
                cell->SetBackColor(kGridWhite);
                cell->SetTextColor(kGridWhite);
            }
    for (int row = fixedRows; row < m_fixedRows && row < m_rows; ++row)
        for (int col = 0; col < m_cols; ++col)
            if (CGridCellBase* cell = GetCell(row, col))
            {
                if (col < m_fixedCols)
                    cell->SetState(cell->GetState() & ~static_cast<unsigned>(GCS_FIXEDROW));
                else
                {
                    // A cell leaving the fixed area draws with its own colours: give it the
                    // normal ones, not the white marker.
                    cell->SetState(cell->GetState() & ~static_cast<unsigned>(GCS_FIXED | GCS_FIXEDROW));
                    cell->SetBackColor(normalBack);
                    cell->SetTextColor(normalText);
                }
            }
    m_fixedRows = fixedRows;
    ForgetTopLeft();
    ResetScrollBars();
    if (m_allowDraw)
        InvalidateAll();
    return true;
}

bool CGridCore::SetFixedColumnCount(int fixedCols)
{
    if (fixedCols < 0)
        return false;
    if (fixedCols == m_fixedCols)
        return true;
    EndEditing();
    if (m_cols < fixedCols && !SetColumnCount(fixedCols))
        return false;
    SetSelectedRange(-1, -1, -1, -1);
    SetFocusCell(-1, -1);
    ForgetTopLeft();

    const TGridColor normalText = m_cellDefault.GetTextColor();
    const TGridColor normalBack = m_cellDefault.GetBackColor();
    for (int row = 0; row < m_rows; ++row)
    {
        for (int col = m_fixedCols; col < fixedCols; ++col)
            if (CGridCellBase* cell = GetCell(row, col))
            {
                cell->SetState(cell->GetState() | GCS_FIXED | GCS_FIXEDCOL);
                cell->SetBackColor(kGridWhite);
                cell->SetTextColor(kGridWhite);
            }
        for (int col = fixedCols; col < m_fixedCols && col < m_cols; ++col)
            if (CGridCellBase* cell = GetCell(row, col))
            {
                if (row < m_fixedRows)
                    cell->SetState(cell->GetState() & ~static_cast<unsigned>(GCS_FIXEDCOL));
                else
                {
                    cell->SetState(cell->GetState() & ~static_cast<unsigned>(GCS_FIXED | GCS_FIXEDCOL));
                    cell->SetBackColor(normalBack);
                    cell->SetTextColor(normalText);
                }
            }
    }
    m_fixedCols = fixedCols;
    ResetScrollBars();
    if (m_allowDraw)
        InvalidateAll();
    return true;
}

void CGridCore::DeleteAllItems()
{
    ForgetPositionsFrom(0, 0);
    m_postPaint.clear();
    std::fill(m_postPaintPass.begin(), m_postPaintPass.end(), nullptr);
    SetSelectedRange(-1, -1, -1, -1);
    SetFocusCell(-1, -1);
    m_rowHeights.Resize(0, 0);
    m_colWidths.Resize(0, 0);
    for (int row = 0; row < m_rows; ++row)
        for (int col = 0; col < m_cols; ++col)
            DestroyCell(row, col);
    m_cells.clear();
    m_focusCell = CGridCellPos(-1, -1);
    m_rows = m_cols = m_fixedRows = m_fixedCols = 0;
    m_previousVisible = CGridCellRange();
    m_selectedCount = 0;
    m_selectionBounds = CGridCellRange();
    ForgetTopLeft();
    ResetScrollBars();
    SetSortColumn(-1);
    m_modified = true;
}

CGridCellBase* CGridCore::GetCell(int row, int col) const
{
    if (!IsValid(row, col))
        return nullptr;
    if (m_virtualMode)
        return GetVirtualCell(row, col);
    return m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)].get();
}

bool CGridCore::SetCell(int row, int col, std::unique_ptr<CGridCellBase> cell)
{
    if (!IsValid(row, col) || !cell || m_virtualMode)
        return false;
    cell->SetGrid(this);
    cell->SetCoords(row, col);
    auto& slot = m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
    std::unique_ptr<CGridCellBase> old = std::move(slot);
    slot = std::move(cell);
    CancelCellEdit(old.get());
    ForgetCell(old.get());
    return true;
}

bool CGridCore::SetCellType(int row, int col, const TGridCellFactory& factory)
{
    if (!IsValid(row, col) || !factory)
        return false;
    std::unique_ptr<CGridCellBase> cell = factory();
    if (!cell)
        return false;
    if (const CGridCellBase* old = GetCell(row, col))
        cell->CopyFrom(old);
    return SetCell(row, col, std::move(cell));
}

bool CGridCore::MergeCells(int row, int firstCol, int lastCol)
{
    if (row < 0 || row >= m_rows || firstCol < 0 || lastCol >= m_cols || firstCol > lastCol)
        return false;
    for (int col = firstCol; col <= lastCol; ++col)
        if (CGridCellBase* cell = GetCell(row, col))
            cell->SetMergeRange(firstCol, lastCol);
    return true;
}

// ---------------------------------------------------------------- sizes

bool CGridCore::SetRowHeight(int row, int height)
{
    if (row < 0 || row >= m_rows || height < 0)
        return false;
    m_rowHeights.Set(row, height);
    ForgetTopLeft();
    ResetScrollBars();
    return true;
}

bool CGridCore::SetColumnWidth(int col, int width)
{
    if (col < 0 || col >= m_cols || width < 0)
        return false;
    m_colWidths.Set(col, width);
    ForgetTopLeft();
    ResetScrollBars();
    return true;
}

int CGridCore::GetRowHeight(int row) const
{
    if (row < 0 || row >= m_rows || row >= m_rowHeights.Count())
        return -1;
    return m_rowHeights.Get(row);
}

int CGridCore::GetColumnWidth(int col) const
{
    if (col < 0 || col >= m_cols || col >= m_colWidths.Count())
        return -1;
    return m_colWidths.Get(col);
}

int CGridCore::GetMergedColumnWidth(int col, int row) const
{
    if (col < 0 || col >= m_cols)
        return -1;
    const CGridCellBase* cell = GetCell(row, col);
    if (!cell || !cell->IsMerged())
        return GetColumnWidth(col);
    if (col != cell->GetMergeStart())
        return -1;
    return GetSpanWidthFrom(col, row);
}

int CGridCore::GetSpanWidthFrom(int col, int row) const
{
    const CGridCellBase* cell = GetCell(row, col);
    if (!cell || !cell->IsMerged())
        return GetColumnWidth(col);
    const int last = std::min(cell->GetMergeEnd(), m_cols - 1);
    return GridClampToInt(m_colWidths.Prefix(last + 1) - m_colWidths.Prefix(col));
}

int CGridCore::GetFixedRowHeight() const
{
    return GridClampToInt(m_rowHeights.Prefix(std::min(m_fixedRows, m_rowHeights.Count())));
}

int CGridCore::GetFixedColumnWidth() const
{
    return GridClampToInt(m_colWidths.Prefix(std::min(m_fixedCols, m_colWidths.Count())));
}

int CGridCore::GetVirtualWidth() const
{
    return GridClampToInt(m_colWidths.Total());
}

int CGridCore::GetVirtualHeight() const
{
    return GridClampToInt(m_rowHeights.Total());
}

bool CGridCore::AutoSizeColumn(int col, int style, bool resetScrollBars)
{
    if (col < 0 || col >= m_cols || GetColumnWidth(col) <= 0 || !m_host)
        return false;
    std::unique_ptr<CGridSurface> dc = m_host->HostMeasureSurface();
    if (!dc)
        return false;
    if (style == 0)
        style = m_autoSizeStyle;
    const int first = (style & GAS_FIXED) ? 0 : m_fixedRows;
    const int last = (style & GAS_UNFIXED) ? m_rows - 1 : m_fixedRows - 1;
    if (m_virtualMode)
        SendCacheHint(CGridCellRange(first, col, last, col));
    int width = 0;
    for (int row = first; row <= last; ++row)
    {
        CGridCellBase* cell = GetCell(row, col);
        if (!cell || GetRowHeight(row) <= 0)
            continue;
        int extent = 0;
        if (cell->IsMerged())
        {
            CGridCellBase* head = GetCell(row, cell->GetMergeStart());
            extent = (head ? head : cell)->GetCellExtent(dc.get()).cx;
            const int columns = cell->GetMergeEnd() - cell->GetMergeStart();
            // A span of one column keeps its extent (nothing to share it with).
            if (extent > 100 && columns > 0)
                extent = (extent - 28) / columns;
        }
        else
            extent = cell->GetCellExtent(dc.get()).cx;
        width = std::max(width, extent);
    }
    if (m_virtualMode)
        SendCacheHint(CGridCellRange());
    m_colWidths.Set(col, width);
    ForgetTopLeft();
    if (resetScrollBars)
        ResetScrollBars();
    return true;
}

bool CGridCore::AutoSizeRow(int row)
{
    if (row < 0 || row >= m_rows || GetRowHeight(row) <= 0 || !m_host)
        return false;
    std::unique_ptr<CGridSurface> dc = m_host->HostMeasureSurface();
    if (!dc)
        return false;
    if (m_virtualMode)
        SendCacheHint(CGridCellRange(row, 0, row, m_cols - 1));
    int height = 0;
    for (int col = 0; col < m_cols; ++col)
        if (CGridCellBase* cell = GetCell(row, col); cell && GetColumnWidth(col) > 0)
            height = std::max(height, cell->GetCellExtent(dc.get()).cy);
    m_rowHeights.Set(row, height);
    ForgetTopLeft();
    ResetScrollBars();
    return true;
}

void CGridCore::AutoSizeColumns(int style)
{
    for (int col = 0; col < m_cols; ++col)
        if (GetColumnWidth(col) > 0)
            AutoSizeColumn(col, style, false);
    ResetScrollBars();
}

void CGridCore::SetDefaultCellWidth(int width)
{
    for (CGridDefaultCell* cell :
         {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef})
        cell->SetWidth(width);
}

void CGridCore::SetDefaultCellHeight(int height)
{
    for (CGridDefaultCell* cell :
         {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef})
        cell->SetHeight(height);
}

// ---------------------------------------------------------------- contents

bool CGridCore::SetItemText(int row, int col, const std::wstring& text)
{
    CGridCellBase* cell = m_virtualMode ? nullptr : GetCell(row, col);
    if (!cell)
        return false;
    cell->SetText(text);
    SetModified(row, col);
    return true;
}

std::wstring CGridCore::GetItemText(int row, int col) const
{
    const CGridCellBase* cell = GetCell(row, col);
    return cell ? cell->GetText() : std::wstring();
}

bool CGridCore::SetItemState(int row, int col, unsigned state)
{
    CGridCellBase* cell = GetCell(row, col);
    if (!cell)
        return false;
    const bool wasSelected = (cell->GetState() & GCS_SELECTED) != 0;
    const bool isSelected = (state & GCS_SELECTED) != 0;
    if (wasSelected && !isSelected)
        m_selectedCount = std::max(0, m_selectedCount - 1);
    else if (!wasSelected && isSelected)
    {
        ++m_selectedCount;
        CGridCellRange& b = m_selectionBounds;
        b.minRow = b.minRow < 0 ? row : std::min(b.minRow, row);
        b.minCol = b.minCol < 0 ? col : std::min(b.minCol, col);
        b.maxRow = b.maxRow < 0 ? row : std::max(b.maxRow, row);
        b.maxCol = b.maxCol < 0 ? col : std::max(b.maxCol, col);
    }
    cell->SetState(state);
    return true;
}

unsigned CGridCore::GetItemState(int row, int col) const
{
    const CGridCellBase* cell = GetCell(row, col);
    return cell ? cell->GetState() : 0;
}

bool CGridCore::SetItemFormat(int row, int col, unsigned format)
{
    CGridCellBase* cell = GetCell(row, col);
    if (!cell)
        return false;
    cell->SetFormat(format);
    return true;
}

unsigned CGridCore::GetItemFormat(int row, int col) const
{
    const CGridCellBase* cell = GetCell(row, col);
    return cell ? cell->GetFormat() : 0;
}

bool CGridCore::SetItemBackColor(int row, int col, TGridColor color)
{
    CGridCellBase* cell = GetCell(row, col);
    if (!cell)
        return false;
    cell->SetBackColor(color);
    return true;
}

void CGridCore::SetModified(int row, int col)
{
    if (col < 0 || col == m_sortColumn)
        SetSortColumn(-1);
    if (CGridCellBase* cell = GetCell(row, col))
        cell->SetState(cell->GetState() | GCS_MODIFIED);
    m_modified = true;
}

bool CGridCore::IsCellSelected(int row, int col) const
{
    return (GetItemState(row, col) & GCS_SELECTED) != 0;
}

bool CGridCore::IsCellEditable(int row, int col) const
{
    const CGridCellBase* cell = GetCell(row, col);
    return m_editable && cell && !cell->IsReadOnly();
}

// ---------------------------------------------------------------- settings

void CGridCore::SetListMode(bool listMode)
{
    EndEditing();
    ResetSelectedRange();
    SetSortColumn(-1);
    m_listMode = listMode;
    m_fixedRowSelection = false;
    InvalidateAll();
}

bool CGridCore::SetWholeRowScrolling(bool wholeRows)
{
    const bool old = m_wholeRowScrolling;
    m_wholeRowScrolling = wholeRows;
    ForgetTopLeft();
    return old;
}

void CGridCore::SetRedraw(bool allow, bool resetScrollBars)
{
    m_allowDraw = allow;
    if (allow)
    {
        InvalidateAll();
        if (resetScrollBars)
            ResetScrollBars();
    }
}

void CGridCore::Refresh()
{
    if (m_allowDraw)
        InvalidateAll();
}

void CGridCore::SetSortColumn(int col)
{
    if (m_sortColumn >= 0)
        InvalidateCellRect(0, m_sortColumn);
    m_sortColumn = col;
    if (col >= 0)
        InvalidateCellRect(0, col);
}

bool CGridCore::SetCopyRowSeparator(bool on)
{
    return std::exchange(m_copyRowSeparator, on);
}

bool CGridCore::SetCopyCellSeparator(bool on)
{
    return std::exchange(m_copyCellSeparator, on);
}

bool CGridCore::SetPrintWithAltColors(bool on)
{
    return std::exchange(m_printWithAltColors, on);
}

void CGridCore::SetGridFont(const SGridFont& font)
{
    for (CGridDefaultCell* cell :
         {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef})
        cell->SetFont(&font);
    if (m_allowDraw)
        InvalidateAll();
}

const SGridFont& CGridCore::GetGridFont() const
{
    return *m_cellDefault.GetFont();
}

void CGridCore::OnSysColorChange()
{
    const TGridColor text = GetSysColor(NGridSysColor::WindowText);
    const TGridColor window = GetSysColor(NGridSysColor::Window);
    const TGridColor shadow = GetSysColor(NGridSysColor::BtnShadow);
    for (CGridDefaultCell* cell :
         {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef})
    {
        if (cell->GetTextColor() == m_sysColors[0])
            cell->SetTextColor(text);
        if (cell->GetBackColor() == m_sysColors[1])
            cell->SetBackColor(window);
    }
    if (m_gridBkColor == m_sysColors[3])
        m_gridBkColor = shadow;
    m_sysColors = {text, window, GetSysColor(NGridSysColor::BtnFace), shadow};
}

// ---------------------------------------------------------------- focus and selection

CGridCellPos CGridCore::SetFocusCell(int row, int col)
{
    if (CGridCellPos(row, col) == m_focusCell)
        return m_focusCell;
    // An edit open on the old focus cell must not stay over it while the focus moves on.
    EndEditing();
    if (row != -1)
        row = std::max(row, m_fixedRows);
    if (col != -1)
        col = std::max(col, m_fixedCols);
    const CGridCellPos old = m_focusCell;
    m_focusCell = CGridCellPos(row, col);
    SendNotify(row, col, GRIDN_FOCUSCHANGED);
    if (IsValid(old))
        SetItemState(old.row, old.col, GetItemState(old.row, old.col) & ~static_cast<unsigned>(GCS_FOCUSED));
    if (IsValid(m_focusCell))
        SetItemState(row, col, GetItemState(row, col) | GCS_FOCUSED);
    InvalidateAll();
    return old;
}

void CGridCore::SetSelectedRange(const CGridCellRange& range, bool forceRepaint, bool selectCells)
{
    SetSelectedRange(range.minRow, range.minCol, range.maxRow, range.maxCol, forceRepaint, selectCells);
}

void CGridCore::SetSelectedRange(int minRow, int minCol, int maxRow, int maxCol, bool forceRepaint,
                                 bool selectCells)
{
    if (minRow == -1 && minCol == -1 && maxRow == -1 && maxCol == -1)
    {
        m_addToSelection = false;
        selectCells = true;
    }
    std::unique_ptr<CGridSurface> dc;
    if (forceRepaint && m_host && m_allowDraw)
        dc = m_host->HostWindowSurface();
    const CGridCellRange visible =
        m_host && m_host->HostIsWindow() ? GetVisibleNonFixedCellRange() : CGridCellRange();

    auto raise = [](int value, int floor) { return value >= 0 ? std::max(value, floor) : value; };
    const CGridCellRange requested(raise(minRow, m_fixedRows), raise(minCol, m_fixedCols),
                                   raise(maxRow, m_fixedRows), raise(maxCol, m_fixedCols));
    const CGridCellRange oldBounds = m_selectionBounds;
    if (selectCells)
        m_selectionBounds = m_addToSelection && oldBounds.IsValid() ? oldBounds.Union(requested) : requested;

    auto orFirst = [this](CGridCellRange r)
    {
        if (r.minRow < 0)
            r.minRow = m_fixedRows;
        if (r.minCol < 0)
            r.minCol = m_fixedCols;
        if (r.maxRow < 0)
            r.maxRow = m_fixedRows;
        if (r.maxCol < 0)
            r.maxCol = m_fixedCols;
        return r;
    };
    CGridCellRange examined = orFirst(oldBounds).Union(orFirst(m_selectionBounds));
    examined.maxRow = std::min(examined.maxRow, m_rows - 1);
    examined.maxCol = std::min(examined.maxCol, m_cols - 1);

    auto repaint = [&](int row, int col)
    {
        if (!visible.InRange(row, col))
            return;
        if (dc)
            RedrawCell(row, col, dc.get());
        else
            InvalidateCellRect(row, col);
    };

    if (selectCells && examined.IsValid())
    {
        m_selectedCount = 0;
        for (int row = examined.minRow; row <= examined.maxRow; ++row)
            for (int col = examined.minCol; col <= examined.maxCol; ++col)
            {
                CGridCellBase* cell = GetCell(row, col);
                if (!cell)
                    continue;
                const unsigned state = cell->GetState();
                const bool selected = (state & GCS_SELECTED) != 0;
                if (!requested.InRange(row, col))
                {
                    if (m_addToSelection)
                    {
                        if (selected)
                            ++m_selectedCount;
                    }
                    else if (selected)
                    {
                        cell->SetState(state & ~static_cast<unsigned>(GCS_SELECTED));
                        repaint(row, col);
                    }
                    continue;
                }
                if (!selected)
                {
                    cell->SetState(state | GCS_SELECTED);
                    repaint(row, col);
                }
                ++m_selectedCount;
            }
    }
    else if (!selectCells && requested.IsValid())
    {
        const int lastRow = std::min(requested.maxRow, m_rows - 1);
        const int lastCol = std::min(requested.maxCol, m_cols - 1);
        for (int row = requested.minRow; row <= lastRow; ++row)
            for (int col = requested.minCol; col <= lastCol; ++col)
                if (CGridCellBase* cell = GetCell(row, col); cell && cell->IsSelected())
                {
                    cell->SetState(cell->GetState() & ~static_cast<unsigned>(GCS_SELECTED));
                    m_selectedCount = std::max(0, m_selectedCount - 1);
                    repaint(row, col);
                }
    }
    m_addToSelection = false;
    if (forceRepaint)
        InvalidateAll();
}

void CGridCore::SelectAllCells()
{
    SendNotify(m_clickDownCell.row, m_clickDownCell.col, GRIDN_SELCHANGING);
    SetSelectedRange(m_fixedRows, m_fixedCols, m_rows - 1, m_cols - 1);
    SendNotify(m_focusCell.row, m_focusCell.col, GRIDN_SELCHANGED);
}

void CGridCore::SelectRows(int row, int col, bool forceRepaint, bool selectCells, bool add)
{
    if (row < m_fixedRows || row >= m_rows || col < 0 || col >= m_cols)
        return;
    int first = row;
    int last = row;
    if (add)
        m_addToSelection = true;
    else if (m_anchorCell.row >= 0)
    {
        first = std::min(m_anchorCell.row, row);
        last = std::max(m_anchorCell.row, row);
    }
    SetSelectedRange(first, m_fixedCols, last, m_cols - 1, forceRepaint, selectCells);
}

void CGridCore::ResetSelectedRange()
{
    SetSelectedRange(-1, -1, -1, -1);
    SetFocusCell(-1, -1);
}

void CGridCore::SelectCells(CGridCellPos cell, bool forceRepaint, bool selectCells)
{
    if (cell.row < m_fixedRows || cell.row >= m_rows || cell.col < m_fixedCols || cell.col >= m_cols)
        return;
    // Without an anchor the rectangle is the cell alone, not a span from -1.
    const CGridCellPos anchor = IsValid(m_anchorCell) ? m_anchorCell : cell;
    SetSelectedRange(std::min(anchor.row, cell.row), std::min(anchor.col, cell.col),
                     std::max(anchor.row, cell.row), std::max(anchor.col, cell.col), forceRepaint,
                     selectCells);
}

void CGridCore::OnSelecting(const CGridCellPos& cell)
{
    if (m_mouseMode == GMM_SELECT_ROWS)
    {
        if (cell.row >= m_fixedRows && cell.row < m_rows && cell.col >= 0 && cell.col < m_cols)
        {
            const int anchorRow = m_anchorCell.row >= m_fixedRows ? m_anchorCell.row : cell.row;
            SetSelectedRange(std::min(anchorRow, cell.row), m_fixedCols, std::max(anchorRow, cell.row),
                             m_cols - 1);
        }
    }
    else if (m_mouseMode == GMM_SELECT_CELLS)
        SelectCells(cell, false, true);
    SendNotify(cell.row, cell.col, GRIDN_SELCHANGING);
}

CGridCellRange CGridCore::GetSelectedCellRange()
{
    CGridCellRange range(m_rows, m_cols, -1, -1);
    for (int row = 0; row < m_rows; ++row)
        for (int col = 0; col < m_cols; ++col)
            if (IsCellSelected(row, col))
            {
                range.minRow = std::min(range.minRow, row);
                range.minCol = std::min(range.minCol, col);
                range.maxRow = std::max(range.maxRow, row);
                range.maxCol = std::max(range.maxCol, col);
            }
    m_selectionBounds = range;
    return range;
}

long CGridCore::SendNotify(int row, int col, int code)
{
    if (!m_host || !m_host->HostIsWindow())
        return 0;
    SGridNotify notify;
    notify.hdr = SGridNotifyHeader{this, m_controlId, code};
    notify.row = row;
    notify.col = col;
    return m_host->HostNotify(notify);
}

void CGridCore::AddPostPaint(CGridCellBase* cell)
{
    if (cell)
        m_postPaint.push_back(cell);
}

bool CGridCore::IsInPostPaint(const CGridCellBase* cell) const
{
    return std::find(m_postPaint.begin(), m_postPaint.end(), cell) != m_postPaint.end();
}
