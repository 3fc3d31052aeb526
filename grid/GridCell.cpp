#include "grid/GridCell.h"

#include "grid/GridCore.h"
#include "grid/GridDefaultCell.h"
#include "grid/GridInPlaceEditor.h"

CGridCell::CGridCell() = default;

void CGridCell::SetText(const std::wstring& text)
{
    m_text = text;
    ResetTextCache();
}

void CGridCell::SetFont(const SGridFont* font)
{
    ResetTextHeight();
    ResetTextCache();
    if (!font)
        m_font.reset();
    else if (m_font)
        *m_font = *font;
    else
        m_font = std::make_unique<SGridFont>(*font);
}

unsigned CGridCell::GetFormat() const
{
    if (m_format == static_cast<unsigned>(-1))
        if (const CGridDefaultCell* def = GetDefaultCell())
            return def->GetFormat();
    return m_format;
}

const SGridFont* CGridCell::GetFont() const
{
    if (m_font)
        return m_font.get();
    if (const CGridDefaultCell* def = GetDefaultCell())
        return def->GetFont();
    return nullptr;
}

int CGridCell::GetMargin() const
{
    if (m_margin == -1)
        if (const CGridDefaultCell* def = GetDefaultCell())
            return def->GetMargin();
    return m_margin;
}

void CGridCell::Reset()
{
    CGridCellBase::Reset();
    m_text.clear();
    m_image = -1;
    m_data = 0;
    m_grid = nullptr;
    m_editing = false;
    m_editWnd = nullptr;
    m_format = static_cast<unsigned>(-1);
    m_textColor = 0;
    m_backColor = kGridWhite;
    m_altTextColor = 0;
    m_altBackColor = kGridWhite;
    m_margin = -1;
    m_invertOnSelect = true;
    m_drawFocusFrame = true;
    m_font.reset();
}

bool CGridCell::HitTestHotSpot(SGridPoint point, SGridRect* rect, std::wstring* title, std::wstring* text)
{
    if (m_hotSpots.size() == 1 && m_hotSpots.front().rect.IsEmpty())
    {
        // One empty hot spot stands for the whole cell, its span included.
        const CGridCore* grid = GetGrid();
        if (rect)
            *rect = SGridRect{0, 0, grid ? grid->GetMergedColumnWidth(m_col, m_row) : 0,
                              grid ? grid->GetRowHeight(m_row) : 0};
        if (title)
            *title = m_hotSpots.front().title;
        if (text)
            *text = m_hotSpots.front().text;
        return true;
    }
    for (const SHotSpot& spot : m_hotSpots)
    {
        if (spot.rect.Contains(point))
        {
            if (rect)
                *rect = spot.rect;
            if (title)
                *title = spot.title;
            if (text)
                *text = spot.text;
            return true;
        }
    }
    return false;
}

bool CGridCell::AddHotSpot(const SGridRect* rect, const std::wstring& title, const std::wstring& text)
{
    m_hotSpots.push_back(SHotSpot{rect ? *rect : SGridRect{}, title, text});
    return true;
}

bool CGridCell::ClearHotSpots()
{
    m_hotSpots.clear();
    return true;
}

bool CGridCell::Edit(int row, int col, SGridRect rect, SGridPoint, unsigned id, unsigned firstChar)
{
    if (m_editing && m_editWnd)
    {
        m_editWnd->SendChar(firstChar & ~kGridTypedChar);
        return true;
    }
    CGridCore* grid = GetGrid();
    if (!grid || !grid->GetHost())
        return false;
    const unsigned format = GetFormat();
    const NGridTextAlign align = (format & DT_RIGHT) != 0    ? NGridTextAlign::Right
                                 : (format & DT_CENTER) != 0 ? NGridTextAlign::Center
                                                             : NGridTextAlign::Left;
    m_editing = true;
    m_editWnd =
        grid->GetHost()->HostCreateInPlaceEdit(*grid, rect, align, id, row, col, GetText(), firstChar);
    if (!m_editWnd)
        m_editing = false;
    return m_editing;
}

void CGridCell::EndEdit()
{
    if (m_editWnd)
        m_editWnd->EndEdit();
}
