#pragma once
#include <cstdint>
#include <string>

#include "grid/GridConstants.h"
#include "grid/GridFont.h"
#include "grid/GridTypes.h"

class CGridCore;
class CGridDefaultCell;
class CGridInPlaceEditor;
class CGridSurface;

/// A cell of the grid. The grid asks a cell through these operations for
/// its attributes, draws, measures and edits it and tells it of mouse
/// events; owners derive their own cells (from CGridCell) and replace any of
/// the drawing stages. Cell rectangles passed in include their right and
/// bottom pixel.
class CGridCellBase
{
public:
    CGridCellBase() = default;
    CGridCellBase(const CGridCellBase&) = delete;
    CGridCellBase& operator=(const CGridCellBase&) = delete;
    virtual ~CGridCellBase() = default;

    // Attributes.
    virtual void SetText(const std::wstring& text) = 0;
    virtual void SetCopyText(const std::wstring& text) = 0;
    virtual void SetImage(int image) = 0;
    virtual void SetData(std::intptr_t data) = 0;
    virtual void SetState(unsigned state) { m_state = state; }
    virtual void SetFormat(unsigned format) = 0;
    virtual void SetTextColor(TGridColor color) = 0;
    virtual void SetBackColor(TGridColor color) = 0;
    virtual void SetAltTextColor(TGridColor color) = 0;
    virtual void SetAltBackColor(TGridColor color) = 0;
    /// Null returns the cell to its default cell's font.
    virtual void SetFont(const SGridFont* font) = 0;
    virtual void SetMargin(int margin) = 0;
    virtual void SetGrid(CGridCore* grid) = 0;
    virtual void SetCoords(int row, int col) = 0;
    virtual void SetInvertOnSelect(bool invert) = 0;
    virtual void SetDrawFocusFrame(bool draw) = 0;

    virtual const std::wstring& GetText() const = 0;
    /// The copy text, or the text when the copy text is empty.
    virtual const std::wstring& GetCopyText() const = 0;
    virtual const std::wstring& GetDisplayText() const { return GetText(); }
    virtual int GetImage() const = 0;
    virtual std::intptr_t GetData() const = 0;
    virtual unsigned GetState() const { return m_state; }
    /// The own format, or the default cell's when the own one is unset.
    virtual unsigned GetFormat() const = 0;
    virtual TGridColor GetTextColor() const = 0;
    virtual TGridColor GetBackColor() const = 0;
    virtual TGridColor GetAltTextColor() const = 0;
    virtual TGridColor GetAltBackColor() const = 0;
    /// The own font, else the default cell's; null when there is neither.
    virtual const SGridFont* GetFont() const = 0;
    /// The font to select for drawing (the same description; kept for the owner's cells).
    virtual const SGridFont* GetFontObject() const = 0;
    virtual CGridCore* GetGrid() const = 0;
    virtual int GetMargin() const = 0;
    virtual bool GetInvertOnSelect() const = 0;
    virtual bool GetDrawFocusFrame() const = 0;
    /// One of the grid's four default cells by the fixed bits; null without a grid.
    virtual CGridDefaultCell* GetDefaultCell() const;
    virtual bool IsDefaultFont() const = 0;
    virtual bool IsEditing() const = 0;
    /// The open in-place edit, or null.
    virtual CGridInPlaceEditor* GetEditWnd() const = 0;

    bool IsFocused() const { return (GetState() & GCS_FOCUSED) != 0; }
    /// For a merged cell: any cell of its span in `row` is focused.
    bool IsFocusedInSpan(int row) const;
    bool IsMerged() const { return m_mergeStart != -1 && m_mergeEnd != -1; }
    bool IsFixed() const { return (GetState() & GCS_FIXED) != 0; }
    bool IsFixedCol() const { return (GetState() & GCS_FIXEDCOL) != 0; }
    bool IsFixedRow() const { return (GetState() & GCS_FIXEDROW) != 0; }
    bool IsSelected() const { return (GetState() & GCS_SELECTED) != 0; }
    bool IsReadOnly() const { return (GetState() & GCS_READONLY) != 0; }
    bool IsModified() const { return (GetState() & GCS_MODIFIED) != 0; }
    bool IsDropHighlighted() const { return (GetState() & GCS_DROPHILITED) != 0; }

    int GetMergeStart() const { return m_mergeStart; }
    int GetMergeEnd() const { return m_mergeEnd; }
    void SetMergeRange(int start, int end)
    {
        m_mergeStart = start;
        m_mergeEnd = end;
    }
    int GetRightImage() const { return m_rightImage; }
    void SetRightImage(int image) { m_rightImage = image; }

    /// Takes over another cell's attributes through this cell's setters.
    virtual void CopyFrom(const CGridCellBase* source);
    /// Back to the values of a new cell.
    virtual void Reset();

    // Drawing: Draw runs the stages background, border, image, sort arrow, text.
    virtual bool DrawBackground(CGridSurface* dc, int row, int col, SGridRect rect, bool forPrinting);
    virtual bool DrawBorder(CGridSurface* dc, int row, int col, SGridRect rect, bool forPrinting);
    virtual bool DrawText(CGridSurface* dc, int row, int col, SGridRect rect, bool forPrinting);
    virtual bool DrawImage(CGridSurface* dc, int row, int col, SGridRect rect, bool forPrinting);
    virtual bool DrawSortArrow(CGridSurface* dc, int row, int col, SGridRect rect, bool forPrinting);
    /// Draws the cell; a null surface or an empty rectangle tells the cell it
    /// left the visible area (the base answers false to that).
    virtual bool Draw(CGridSurface* dc, int row, int col, SGridRect rect, bool eraseBackground,
                      bool forPrinting);

    /// Prints the cell on a page in its printing colours; false when it has
    /// no grid, surface or default cell or the rectangle is empty.
    virtual bool PrintCell(CGridSurface* dc, int row, int col, SGridRect rect);
    /// The height the cell needs on a page `width` wide, measured on `measure`
    /// (screen pixels); `height` is the row's height on the screen, which
    /// the base keeps.
    virtual int GetPrintHeight(CGridSurface& /*measure*/, int /*width*/, int height) { return height; }

    /// Moves the rectangle's left edge past the image.
    virtual bool GetTextRect(SGridRect* rect);
    virtual void AdjustTextRect(SGridRect* rect) { GetTextRect(rect); }
    /// Size of `text` in the cell's font plus the margins.
    virtual SGridSize GetTextExtent(const std::wstring& text, CGridSurface* dc = nullptr);
    /// The size the cell would like.
    virtual SGridSize GetCellExtent(CGridSurface* dc);

    // Editing (the in-place editor joins through the grid).
    virtual bool Edit(int row, int col, SGridRect rect, SGridPoint point, unsigned id, unsigned firstChar);
    virtual bool ValidateEdit(const std::wstring& text);
    virtual void EndEdit() {}
    virtual void OnEndEdit() {}

    /// Runs once after the grid's next paint when the cell asked for it.
    virtual bool OnPostPaint() { return true; }

    // Hot spots (rectangles relative to the cell with a tip).
    virtual bool HitTestHotSpot(SGridPoint point, SGridRect* rect, std::wstring* title,
                                std::wstring* text) = 0;
    virtual bool AddHotSpot(const SGridRect* rect, const std::wstring& title, const std::wstring& text) = 0;
    virtual bool ClearHotSpots() = 0;

    // Mouse hooks; points are relative to the cell's (merged) origin.
    virtual void OnClick(SGridPoint) {}
    virtual void OnMouseEnter() {}
    virtual void OnMouseOver() {}
    virtual void OnMouseLeave() {}
    virtual void OnClickDown(SGridPoint) {}
    virtual void OnRClick(SGridPoint) {}
    virtual void OnDblClick(SGridPoint) {}
    virtual bool OnSetCursor();

    /// The alternate text colour when the grid prints with them, else the
    /// text colour; white without a grid.
    TGridColor GetEffectiveTextColor() const;
    TGridColor GetEffectiveBackColor() const;

    /// Asks for OnPostPaint after the grid's next paint.
    void RequestPostPaint();

protected:
    /// Forces the ellipsis cache and the text height to be recomputed.
    void ResetTextCache()
    {
        m_visibleChars = -1;
        m_measuredWidth = -1;
    }
    void ResetTextHeight() { m_textHeight = -1; }

    unsigned m_state = 0;
    int m_visibleChars = -1;
    int m_ellipsisKind = 3;
    int m_measuredWidth = -1;
    int m_textHeight = -1;
    int m_mergeStart = -1;
    int m_mergeEnd = -1;
    int m_rightImage = 0;
};
