#pragma once
#include <memory>
#include <vector>

#include <wx/bitmap.h>
#include <wx/dc.h>
#include <wx/font.h>

#include "grid/GridSurface.h"

/// The drawing surface over a wxDC. Lines and frames one pixel wide are
/// drawn as filled rectangles, because wxGTK anti-aliases DrawLine: so every
/// pixel is the one the Windows rules give.
class CGridDcSurface : public CGridSurface
{
public:
    /// Draws on `dc`; `clipBox` (right and bottom outside) is the area that needs drawing.
    CGridDcSurface(wxDC& dc, SGridRect clipBox, bool printing = false);
    /// A surface on a small bitmap of its own, for measuring text.
    static std::unique_ptr<CGridDcSurface> ForMeasuring();
    ~CGridDcSurface() override;

    bool IsPrinting() const override { return m_printing; }
    void SaveState() override;
    void RestoreState() override;
    SGridRect GetClipBox() const override { return m_clipBox; }
    void SetClip(const SGridRect& rect) override;
    void ResetClip() override;
    SGridPoint GetOrigin() const override { return m_state.origin; }
    void SetOrigin(SGridPoint origin) override;

    void FillSolidRect(const SGridRect& rect, TGridColor color) override;
    void FrameRect(const SGridRect& rect, TGridColor color) override;
    void Line(SGridPoint from, SGridPoint to, TGridColor color) override;
    void Polygon(const SGridPoint* points, std::size_t count, TGridColor outline, TGridColor fill) override;
    void GradientFill(const SGridRect& rect, TGridColor from, TGridColor to, bool vertical) override;

    void SetFont(const SGridFont& font) override;
    void SetTextColor(TGridColor color) override { m_state.textColor = color; }
    void SetTextAlign(NGridTextAlign align) override { m_state.align = align; }
    void TextOut(int x, int y, std::wstring_view text) override;
    SGridSize GetTextExtent(std::wstring_view text) override;

    static wxColour ToColour(TGridColor color);
    static TGridColor FromColour(const wxColour& colour);
    /// The wxFont for a description (shared, made once per description).
    static const wxFont& FontFor(const SGridFont& font);

private:
    struct SState
    {
        SGridFont font;
        TGridColor textColor = 0;
        NGridTextAlign align = NGridTextAlign::Left;
        SGridPoint origin;
        bool clipped = false;
        SGridRect clip;
    };

    CGridDcSurface(std::unique_ptr<wxDC> owned, wxBitmap bitmap);
    void ApplyClip();
    void ApplyFont();
    /// Fills logical (left, top, right, bottom), right and bottom outside.
    void Fill(int left, int top, int right, int bottom, TGridColor color);

    wxBitmap m_ownBitmap;
    std::unique_ptr<wxDC> m_ownDc;
    wxDC& m_dc;
    SGridRect m_clipBox;
    bool m_printing;
    SState m_state;
    std::vector<SState> m_saved;
    const wxFont* m_appliedFont = nullptr;
};
