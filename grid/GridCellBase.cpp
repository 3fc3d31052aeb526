#include "grid/GridCellBase.h"

#include <array>

#include "grid/GridCore.h"
#include "grid/GridDefaultCell.h"
#include "grid/GridSurface.h"

namespace
{

/// Halving that drops the remainder toward minus infinity.
int FloorHalf(int value)
{
    return value >= 0 ? value / 2 : -((-value + 1) / 2);
}

} // namespace

CGridDefaultCell* CGridCellBase::GetDefaultCell() const
{
    const CGridCore* grid = GetGrid();
    if (!grid)
        return nullptr;
    return grid->GetDefaultCell(IsFixedRow(), IsFixedCol());
}

bool CGridCellBase::IsFocusedInSpan(int row) const
{
    const CGridCore* grid = GetGrid();
    if (!IsMerged() || !grid)
        return IsFocused();
    for (int col = m_mergeStart; col <= m_mergeEnd; ++col)
        if (grid->GetItemState(row, col) & GCS_FOCUSED)
            return true;
    return false;
}

void CGridCellBase::CopyFrom(const CGridCellBase* source)
{
    if (!source || source == this)
        return;
    SetGrid(source->GetGrid());
    SetText(source->GetText());
    SetImage(source->GetImage());
    SetData(source->GetData());
    SetState(source->GetState());
    SetFormat(source->GetFormat());
    SetTextColor(source->GetTextColor());
    SetBackColor(source->GetBackColor());
    SetFont(source->IsDefaultFont() ? nullptr : source->GetFont());
    SetMargin(source->GetMargin());
    m_mergeStart = source->m_mergeStart;
    m_mergeEnd = source->m_mergeEnd;
    m_rightImage = source->m_rightImage;
    ResetTextCache();
    ResetTextHeight();
}

void CGridCellBase::Reset()
{
    m_state = 0;
    m_mergeStart = -1;
    m_mergeEnd = -1;
    m_rightImage = 0;
    m_ellipsisKind = 3;
    ResetTextCache();
    ResetTextHeight();
}

bool CGridCellBase::Draw(CGridSurface* dc, int row, int col, SGridRect rect, bool /*eraseBackground*/,
                         bool forPrinting)
{
    if (!GetGrid() || !dc || rect.right - rect.left <= 0 || rect.bottom - rect.top <= 0)
        return false;
    dc->SaveState();
    DrawBackground(dc, row, col, rect, forPrinting);
    DrawBorder(dc, row, col, rect, forPrinting);
    DrawImage(dc, row, col, rect, forPrinting);
    DrawSortArrow(dc, row, col, rect, forPrinting);
    DrawText(dc, row, col, rect, forPrinting);
    dc->RestoreState();
    return true;
}

bool CGridCellBase::DrawBackground(CGridSurface* dc, int /*row*/, int /*col*/, SGridRect rect,
                                   bool forPrinting)
{
    const CGridDefaultCell* def = GetDefaultCell();
    const CGridCore* grid = GetGrid();
    if (!dc || !def || !grid)
        return false;
    TGridColor color =
        IsFixed() ? def->GetBackColor() : (dc->IsPrinting() ? GetEffectiveBackColor() : GetBackColor());
    if (IsSelected() && !forPrinting && GetInvertOnSelect())
        color = GridInvert(color);
    dc->FillSolidRect(rect, color);

    if (IsFixed() && grid->GetGridLines() != GGL_NONE)
    {
        // The raised edge stands in for the grid lines of fixed cells.
        const TGridColor light = grid->GetSysColor(NGridSysColor::BtnHighlight);
        const TGridColor dark = grid->GetSysColor(NGridSysColor::DkShadow3D);
        dc->Line({rect.right, rect.top}, {rect.left, rect.top}, light);
        dc->Line({rect.left, rect.top}, {rect.left, rect.bottom}, light);
        dc->Line({rect.right, rect.top}, {rect.right, rect.bottom}, dark);
        dc->Line({rect.right, rect.bottom}, {rect.left, rect.bottom}, dark);
    }
    return true;
}

bool CGridCellBase::DrawBorder(CGridSurface* dc, int row, int /*col*/, SGridRect rect, bool forPrinting)
{
    if (!GetDrawFocusFrame())
        return true;
    const CGridDefaultCell* def = GetDefaultCell();
    const CGridCore* grid = GetGrid();
    if (!dc || !def || !grid)
        return false;
    const CGridCellBase* source = IsFixed() ? static_cast<const CGridCellBase*>(def) : this;
    TGridColor color = source->GetTextColor();
    if (IsSelected() && !forPrinting)
        color = GridInvert(color);
    SGridRect frame = rect;
    if (grid->GetGridLines() == GGL_NONE)
    {
        ++frame.right;
        ++frame.bottom;
    }
    if (!forPrinting && (IsFocusedInSpan(row) || IsDropHighlighted()))
        dc->FrameRect(frame, color);
    return true;
}

bool CGridCellBase::DrawImage(CGridSurface* dc, int, int, SGridRect, bool)
{
    // The grid has no image list, so no cell image is ever drawn.
    return dc != nullptr;
}

bool CGridCellBase::DrawSortArrow(CGridSurface* dc, int row, int col, SGridRect rect, bool)
{
    const CGridCore* grid = GetGrid();
    if (!dc || !grid || row != 0 || col != grid->GetSortColumn())
        return true;
    const int x = rect.left + (rect.right - rect.left) / 2;
    const int y = rect.top;
    std::array<SGridPoint, 3> points{};
    if (grid->GetSortAscending())
        points = {SGridPoint{x - 4, y + 5}, SGridPoint{x + 4, y + 5}, SGridPoint{x, y + 1}};
    else
        points = {SGridPoint{x - 4, y + 1}, SGridPoint{x + 4, y + 1}, SGridPoint{x, y + 5}};
    dc->Polygon(points.data(), points.size(), GridRgb(0, 0, 0), 0xFF0000);
    return true;
}

bool CGridCellBase::DrawText(CGridSurface* dc, int /*row*/, int /*col*/, SGridRect rect, bool forPrinting)
{
    const CGridDefaultCell* def = GetDefaultCell();
    if (!dc || !def)
        return false;
    const CGridCellBase* source = IsFixed() ? static_cast<const CGridCellBase*>(def) : this;
    TGridColor color = source->GetTextColor();
    if (IsSelected() && !forPrinting && GetInvertOnSelect())
        color = GridInvert(color);
    dc->SetTextColor(color);
    if (!dc->IsPrinting())
        if (const SGridFont* font = GetFontObject())
            dc->SetFont(*font);

    const int margin = GetMargin();
    rect.left += margin;
    rect.right -= margin;
    GetTextRect(&rect);
    rect.right += 1;
    rect.bottom += 1;
    const int width = rect.right - rect.left;

    const std::wstring& text = GetDisplayText();
    const int length = static_cast<int>(text.size());
    if (m_measuredWidth != width || m_visibleChars == -1)
    {
        m_measuredWidth = width;
        m_visibleChars = length;
        m_ellipsisKind = 3;
        if (dc->GetTextExtent(text).cx >= width)
        {
            const int e1 = dc->GetTextExtent(L".").cx;
            const int e2 = dc->GetTextExtent(L"..").cx;
            const int e3 = dc->GetTextExtent(L"...").cx;
            m_visibleChars = 0;
            if (width < e1)
                m_ellipsisKind = 0;
            else if (width < e2)
                m_ellipsisKind = 1;
            else if (width < e3)
                m_ellipsisKind = 2;
            else
            {
                m_ellipsisKind = 3;
                for (int n = length - 2; n >= 0; --n)
                {
                    const std::wstring_view head(text.data(), static_cast<std::size_t>(n));
                    if (dc->GetTextExtent(head).cx + e3 <= width)
                    {
                        m_visibleChars = n;
                        break;
                    }
                }
            }
        }
    }
    std::wstring drawn;
    if (m_visibleChars < length)
    {
        static constexpr const wchar_t* kEllipsis[] = {L"", L".", L"..", L"..."};
        drawn.assign(text, 0, static_cast<std::size_t>(m_visibleChars));
        drawn += kEllipsis[m_ellipsisKind];
    }
    else
        drawn = text;

    if (m_textHeight == -1)
        m_textHeight = dc->GetTextExtent(L"a").cy;
    const int y = FloorHalf(rect.top + rect.bottom) - FloorHalf(m_textHeight);
    const unsigned format = GetFormat();
    int x = rect.left;
    if (format & DT_RIGHT)
    {
        dc->SetTextAlign(NGridTextAlign::Right);
        x = rect.right;
    }
    else if (format & DT_CENTER)
    {
        dc->SetTextAlign(NGridTextAlign::Center);
        x = FloorHalf(rect.left + rect.right);
    }
    else
        dc->SetTextAlign(NGridTextAlign::Left);
    if (!drawn.empty())
        dc->TextOut(x, y - 1, drawn);
    return true;
}

bool CGridCellBase::GetTextRect(SGridRect*)
{
    // Without an image list there is no image to step over.
    return true;
}

SGridSize CGridCellBase::GetTextExtent(const std::wstring& text, CGridSurface* dc)
{
    const CGridDefaultCell* def = GetDefaultCell();
    const CGridCore* grid = GetGrid();
    std::unique_ptr<CGridSurface> own;
    if (!dc && !text.empty() && grid && grid->GetHost())
    {
        own = grid->GetHost()->HostMeasureSurface();
        dc = own.get();
    }
    if (!dc)
        return def ? SGridSize{def->GetWidth(), def->GetHeight()} : SGridSize{};

    dc->SaveState();
    if (const SGridFont* font = GetFontObject())
        dc->SetFont(*font);
    SGridSize size;
    const unsigned format = GetFormat();
    if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE))
    {
        std::size_t start = 0;
        int lines = 0;
        for (;;)
        {
            const std::size_t end = text.find(L'\n', start);
            const std::wstring_view line(text.data() + start,
                                         (end == std::wstring::npos ? text.size() : end) - start);
            const SGridSize extent = dc->GetTextExtent(line);
            size.cx = std::max(size.cx, extent.cx);
            size.cy += extent.cy;
            ++lines;
            if (end == std::wstring::npos)
                break;
            start = end + 1;
        }
    }
    else
        size = dc->GetTextExtent(text);
    dc->RestoreState();

    const int margin = GetMargin();
    size.cx += 2 * margin;
    size.cy += 2 * margin;
    const SGridFont* font = GetFont();
    if (font && (font->escapement == 900 || font->escapement == -900))
    {
        std::swap(size.cx, size.cy);
        size.cy += 4 * margin;
    }
    return size;
}

SGridSize CGridCellBase::GetCellExtent(CGridSurface* dc)
{
    SGridSize size = GetTextExtent(GetText(), dc);
    size.cx += 1;
    size.cy += 1;
    if (IsFixed())
    {
        size.cx += 1;
        size.cy += 1;
    }
    return size;
}

bool CGridCellBase::Edit(int, int, SGridRect, SGridPoint, unsigned, unsigned)
{
    return false;
}

bool CGridCellBase::ValidateEdit(const std::wstring&)
{
    return true;
}

bool CGridCellBase::OnSetCursor()
{
    if (const CGridCore* grid = GetGrid(); grid && grid->GetHost())
        grid->GetHost()->HostSetCursor(NGridCursor::Arrow);
    return true;
}

TGridColor CGridCellBase::GetEffectiveTextColor() const
{
    const CGridCore* grid = GetGrid();
    if (!grid)
        return kGridWhite;
    return grid->GetPrintWithAltColors() ? GetAltTextColor() : GetTextColor();
}

TGridColor CGridCellBase::GetEffectiveBackColor() const
{
    const CGridCore* grid = GetGrid();
    if (!grid)
        return kGridWhite;
    return grid->GetPrintWithAltColors() ? GetAltBackColor() : GetBackColor();
}

void CGridCellBase::RequestPostPaint()
{
    if (CGridCore* grid = GetGrid())
        grid->AddPostPaint(this);
}
