#pragma once
#include <memory>
#include <vector>

#include "grid/GridCellBase.h"

/// The standard cell: stores every attribute itself; an unset format, font
/// or margin falls back to its default cell's.
class CGridCell : public CGridCellBase
{
public:
    CGridCell();

    void SetText(const std::wstring& text) override;
    void SetCopyText(const std::wstring& text) override { m_copyText = text; }
    void SetImage(int image) override { m_image = image; }
    void SetData(std::intptr_t data) override { m_data = data; }
    void SetFormat(unsigned format) override { m_format = format; }
    void SetTextColor(TGridColor color) override { m_textColor = color; }
    void SetBackColor(TGridColor color) override { m_backColor = color; }
    void SetAltTextColor(TGridColor color) override { m_altTextColor = color; }
    void SetAltBackColor(TGridColor color) override { m_altBackColor = color; }
    void SetFont(const SGridFont* font) override;
    void SetMargin(int margin) override { m_margin = margin; }
    void SetGrid(CGridCore* grid) override { m_grid = grid; }
    void SetCoords(int row, int col) override
    {
        m_row = row;
        m_col = col;
    }
    void SetInvertOnSelect(bool invert) override { m_invertOnSelect = invert; }
    void SetDrawFocusFrame(bool draw) override { m_drawFocusFrame = draw; }

    const std::wstring& GetText() const override { return m_text; }
    const std::wstring& GetCopyText() const override { return m_copyText.empty() ? m_text : m_copyText; }
    int GetImage() const override { return m_image; }
    std::intptr_t GetData() const override { return m_data; }
    unsigned GetFormat() const override;
    TGridColor GetTextColor() const override { return m_textColor; }
    TGridColor GetBackColor() const override { return m_backColor; }
    TGridColor GetAltTextColor() const override { return m_altTextColor; }
    TGridColor GetAltBackColor() const override { return m_altBackColor; }
    const SGridFont* GetFont() const override;
    const SGridFont* GetFontObject() const override { return GetFont(); }
    CGridCore* GetGrid() const override { return m_grid; }
    int GetMargin() const override;
    bool GetInvertOnSelect() const override { return m_invertOnSelect; }
    bool GetDrawFocusFrame() const override { return m_drawFocusFrame; }
    bool IsDefaultFont() const override { return !m_font; }
    bool IsEditing() const override { return m_editing; }
    CGridInPlaceEditor* GetEditWnd() const override { return m_editWnd; }

    void Reset() override;
    /// Opens an in-place edit through the grid's window, or types firstChar into the open one.
    bool Edit(int row, int col, SGridRect rect, SGridPoint point, unsigned id, unsigned firstChar) override;
    void EndEdit() override;
    void OnEndEdit() override
    {
        m_editing = false;
        m_editWnd = nullptr;
    }

    bool HitTestHotSpot(SGridPoint point, SGridRect* rect, std::wstring* title, std::wstring* text) override;
    bool AddHotSpot(const SGridRect* rect, const std::wstring& title, const std::wstring& text) override;
    bool ClearHotSpots() override;

    int GetRow() const { return m_row; }
    int GetColumn() const { return m_col; }

protected:
    /// Marks an edit as open or closed (the in-place editor calls it).
    void SetEditing(bool editing) { m_editing = editing; }

private:
    struct SHotSpot
    {
        SGridRect rect;
        std::wstring title;
        std::wstring text;
    };

    std::wstring m_text;
    std::wstring m_copyText;
    std::vector<SHotSpot> m_hotSpots;
    std::intptr_t m_data = 0;
    int m_image = -1;
    unsigned m_format = static_cast<unsigned>(-1);
    TGridColor m_textColor = 0;
    TGridColor m_backColor = kGridWhite;
    TGridColor m_altTextColor = 0;
    TGridColor m_altBackColor = kGridWhite;
    std::unique_ptr<SGridFont> m_font;
    int m_margin = -1;
    bool m_editing = false;
    CGridInPlaceEditor* m_editWnd = nullptr;
    CGridCore* m_grid = nullptr;
    bool m_invertOnSelect = true;
    bool m_drawFocusFrame = true;
    int m_row = 0;
    int m_col = 0;
};
