#pragma once
#include <memory>
#include <vector>

#include <wx/bitmap.h>
#include <wx/dc.h>
#include <wx/font.h>

#include "grid/GridStateSurface.h"

/// The drawing surface over a wxDC. Lines and frames are drawn as filled
/// rectangles, because wxGTK anti-aliases DrawLine: so every pixel is the
/// one the Windows rules give. Turned text goes through DrawRotatedText,
/// images and four-corner gradients through bitmaps made from the grid's
/// own pixel rules.
class CGridDcSurface : public CGridStateSurface
{
public:
    /// Draws on `dc`; `clipBox` (right and bottom outside) is the area that needs drawing.
    CGridDcSurface(wxDC& dc, SGridRect clipBox, bool printing = false);
    /// A surface on a small bitmap of its own, for measuring text.
    static std::unique_ptr<CGridDcSurface> ForMeasuring();
    ~CGridDcSurface() override;

    void FillSolidRect(const SGridRect& rect, TGridColor color) override;
    void FrameRect(const SGridRect& rect, TGridColor color) override;
    void Rectangle(const SGridRect& rect, TGridColor outline, TGridColor fill) override;
    void Line(SGridPoint from, SGridPoint to, TGridColor color) override;
    void Polygon(const SGridPoint* points, std::size_t count, TGridColor outline, TGridColor fill) override;
    void GradientFill(const SGridRect& rect, TGridColor from, TGridColor to, bool vertical) override;
    void GradientFill4(const SGridRect& rect, TGridColor topLeft, TGridColor topRight, TGridColor bottomLeft,
                       TGridColor bottomRight) override;
    void DrawImage(const CGridImageList& images, int index, int x, int y, bool blend50) override;

    SGridFontMetrics GetFontMetrics() override;
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
    /// The device clip the DC holds now.
    SGridRect m_appliedClip;
    bool m_clipApplied = false;
    const wxFont* m_appliedFont = nullptr;
    const wxFont* m_metricsFont = nullptr;
    SGridFontMetrics m_metrics;
};
