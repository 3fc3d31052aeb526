// Printing of one cell: its printing colours, the raised edge of fixed
// cells, the text in the cell's format and the sort arrow.
#include "grid/GridCellBase.h"
#include "grid/GridCore.h"
#include "grid/GridDefaultCell.h"
#include "grid/GridDrawText.h"
#include "grid/GridSurface.h"

bool CGridCellBase::PrintCell(CGridSurface* dc, int row, int col, SGridRect rect)
{
    CGridCore* grid = GetGrid();
    if (!grid || !dc || rect.Width() <= 0 || rect.Height() <= 0)
        return false;
    const CGridDefaultCell* def = GetDefaultCell();
    if (!def)
        return false;

    // A fixed cell without colours of its own (white) prints in its default cell's.
    TGridColor back = GetEffectiveBackColor();
    TGridColor text = GetEffectiveTextColor();
    if (IsFixed() && back == kGridWhite)
    {
        back = def->GetEffectiveBackColor();
        text = def->GetTextColor();
    }

    dc->SaveState();
    if (back != kGridWhite)
        dc->FillSolidRect(SGridRect{rect.left, rect.top, rect.right + 1, rect.bottom + 1}, back);
    dc->SetTextColor(text);
    if (IsFixed() && grid->GetGridLines() != GGL_NONE)
    {
        const TGridColor light = grid->GetSysColor(NGridSysColor::BtnHighlight);
        const TGridColor dark = grid->GetSysColor(NGridSysColor::DkShadow3D);
        dc->Line({rect.right, rect.top}, {rect.left, rect.top}, light);
        dc->Line({rect.left, rect.top}, {rect.left, rect.bottom}, light);
        dc->Line({rect.right, rect.top}, {rect.right, rect.bottom}, dark);
        dc->Line({rect.right, rect.bottom}, {rect.left, rect.bottom}, dark);
        rect = SGridRect{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
    }
    const int margin = GetMargin();
    rect.left += margin;
    rect.right -= margin;
    // The grid has no image list, so there is no image to print before the text.
    CGridDrawText::Draw(*dc, GetText(), rect, GetFormat() | DT_NOPREFIX);
    DrawSortArrow(dc, row, col, rect, true);
    dc->RestoreState();
    return true;
}
