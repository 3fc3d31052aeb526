#pragma once
#include "grid/GridCell.h"

/// One of the four cells a grid keeps to supply the defaults of the others
/// (normal, fixed column, fixed row, fixed corner). Always read-only.
class CGridDefaultCell : public CGridCell
{
public:
    CGridDefaultCell();

    void SetData(std::intptr_t) override {}
    void SetState(unsigned) override {}
    unsigned GetState() const override { return CGridCell::GetState() | GCS_READONLY; }
    void SetCoords(int, int) override {}
    /// Takes the font (null is ignored) and recomputes margin, width and
    /// height from it on the grid's measuring surface.
    void SetFont(const SGridFont* font) override;
    const SGridFont* GetFont() const override { return &m_ownFont; }
    const SGridFont* GetFontObject() const override { return &m_ownFont; }
    /// The own format is always set.
    unsigned GetFormat() const override { return m_defaultFormat; }
    void SetFormat(unsigned format) override { m_defaultFormat = format; }
    int GetMargin() const override { return m_defaultMargin; }
    void SetMargin(int margin) override { m_defaultMargin = margin; }
    bool IsDefaultFont() const override { return false; }

    int GetStyle() const { return m_style; }
    void SetStyle(int style) { m_style = style; }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    void SetWidth(int width) { m_width = width; }
    void SetHeight(int height) { m_height = height; }

private:
    SGridFont m_ownFont;
    unsigned m_defaultFormat = DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    int m_defaultMargin = 3;
    int m_width = 30;
    int m_height = 10;
    int m_style = 0;
};
