#pragma once
#include <memory>
#include <vector>

#include <wx/bitmap.h>
#include <wx/dc.h>
#include <wx/font.h>

#include "grid/GridSurface.h"
#include "grid/GridSurfaceState.h"

/// The drawing surface over a wxDC. Lines and frames are drawn as filled
/// rectangles, because wxGTK anti-aliases DrawLine: so every pixel is the
/// one the Windows rules give. Turned text goes through DrawRotatedText,
/// images and four-corner gradients through bitmaps made from the grid's
/// own pixel rules.
class CGridDcSurface : public CGridSurface
{
public:
    /// Draws on `dc`; `clipBox` (right and bottom outside) is the area that needs drawing.
    CGridDcSurface(wxDC& dc, SGridRect clipBox, bool printing = false);
    /// A surface on a small bitmap of its own, for measuring text.
    static std::unique_ptr<CGridDcSurface> ForMeasuring();
    ~CGridDcSurface() override;

    /// Another area that needs drawing (a printed page's, once it is scaled).
    void SetPaintArea(const SGridRect& area);

    bool IsPrinting() const override { return m_printing; }
    void SaveState() override;
    void RestoreState() override;
    SGridRect GetClipBox() const override { return m_state.GetClipBox(); }
    void SetClip(const SGridRect& rect) override;
    void IntersectClip(const SGridRect& rect) override;
    void ResetClip() override;
    SGridPoint GetOrigin() const override { return m_state.Get().origin; }
    void SetOrigin(SGridPoint origin) override { m_state.Edit().origin = origin; }
    int GetPenWidth() const override { return m_state.Get().penWidth; }
    void SetPenWidth(int width) override { m_state.Edit().penWidth = width < 1 ? 1 : width; }

    void FillSolidRect(const SGridRect& rect, TGridColor color) override;
    void FrameRect(const SGridRect& rect, TGridColor color) override;
    void Rectangle(const SGridRect& rect, TGridColor outline, TGridColor fill) override;
    void Line(SGridPoint from, SGridPoint to, TGridColor color) override;
    void Polygon(const SGridPoint* points, std::size_t count, TGridColor outline, TGridColor fill) override;
    void GradientFill(const SGridRect& rect, TGridColor from, TGridColor to, bool vertical) override;
    void GradientFill4(const SGridRect& rect, TGridColor topLeft, TGridColor topRight, TGridColor bottomLeft,
                       TGridColor bottomRight) override;
    void DrawImage(const CGridImageList& images, int index, int x, int y, bool blend50) override;

    void SetFont(const SGridFont& font) override { m_state.Edit().font = font; }
    SGridFont GetFont() const override { return m_state.Get().font; }
    SGridFontMetrics GetFontMetrics() override;
    void SetTextColor(TGridColor color) override { m_state.Edit().textColor = color; }
    void SetTextAlign(NGridTextAlign align) override { m_state.Edit().align = align; }
    void SetTextVAlign(NGridTextVAlign align) override { m_state.Edit().vAlign = align; }
    void TextOut(int x, int y, std::wstring_view text) override;
    SGridSize GetTextExtent(std::wstring_view text) override;

    static wxColour ToColour(TGridColor color);
    static TGridColor FromColour(const wxColour& colour);
    /// The wxFont for a description (shared, made once per description).
    static const wxFont& FontFor(const SGridFont& font);

private:
    CGridDcSurface(std::unique_ptr<wxDC> owned, wxBitmap bitmap);
    void ApplyClip();
    void ApplyFont();
    /// Fills device (left, top, right, bottom), right and bottom outside.
    void FillDevice(int left, int top, int right, int bottom, TGridColor color);
    /// Fills logical (left, top, right, bottom), right and bottom outside.
    void Fill(int left, int top, int right, int bottom, TGridColor color);

    wxBitmap m_ownBitmap;
    std::unique_ptr<wxDC> m_ownDc;
    wxDC& m_dc;
    bool m_printing;
    CGridSurfaceState m_state;
    /// The device clip the DC holds now.
    SGridRect m_appliedClip;
    bool m_clipApplied = false;
    const wxFont* m_appliedFont = nullptr;
    const wxFont* m_metricsFont = nullptr;
    SGridFontMetrics m_metrics;
};
