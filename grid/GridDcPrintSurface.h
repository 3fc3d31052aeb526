#pragma once
#include <wx/dc.h>

#include "grid/GridDcSurface.h"
#include "grid/GridPrintSurface.h"

/// A printed page over a wxDC (a printer, PostScript or memory DC): draws as
/// CGridDcSurface does and stretches the logical page with the DC's user scale.
class CGridDcPrintSurface : public CGridPrintSurface
{
public:
    /// `paper` is the printable area in device units (the DC's size when empty).
    CGridDcPrintSurface(wxDC& dc, SGridSize paper = {});
    ~CGridDcPrintSurface() override;

    SGridSize GetPaperSize() const override { return m_paper; }
    void SetPageScale(SGridSize logical, SGridSize paper) override;
    void ResetPageScale() override;

    void SaveState() override { m_surface.SaveState(); }
    void RestoreState() override { m_surface.RestoreState(); }
    SGridRect GetClipBox() const override { return m_surface.GetClipBox(); }
    void SetClip(const SGridRect& rect) override { m_surface.SetClip(rect); }
    void IntersectClip(const SGridRect& rect) override { m_surface.IntersectClip(rect); }
    void ResetClip() override { m_surface.ResetClip(); }
    SGridPoint GetOrigin() const override { return m_surface.GetOrigin(); }
    void SetOrigin(SGridPoint origin) override { m_surface.SetOrigin(origin); }
    int GetPenWidth() const override { return m_surface.GetPenWidth(); }
    void SetPenWidth(int width) override { m_surface.SetPenWidth(width); }
    void FillSolidRect(const SGridRect& rect, TGridColor color) override
    {
        m_surface.FillSolidRect(rect, color);
    }
    void FrameRect(const SGridRect& rect, TGridColor color) override { m_surface.FrameRect(rect, color); }
    void Rectangle(const SGridRect& rect, TGridColor outline, TGridColor fill) override
    {
        m_surface.Rectangle(rect, outline, fill);
    }
    void Line(SGridPoint from, SGridPoint to, TGridColor color) override { m_surface.Line(from, to, color); }
    void Polygon(const SGridPoint* points, std::size_t count, TGridColor outline, TGridColor fill) override
    {
        m_surface.Polygon(points, count, outline, fill);
    }
    void GradientFill(const SGridRect& rect, TGridColor from, TGridColor to, bool vertical) override
    {
        m_surface.GradientFill(rect, from, to, vertical);
    }
    void GradientFill4(const SGridRect& rect, TGridColor topLeft, TGridColor topRight, TGridColor bottomLeft,
                       TGridColor bottomRight) override
    {
        m_surface.GradientFill4(rect, topLeft, topRight, bottomLeft, bottomRight);
    }
    void DrawImage(const CGridImageList& images, int index, int x, int y, bool blend50) override
    {
        m_surface.DrawImage(images, index, x, y, blend50);
    }
    void SetFont(const SGridFont& font) override { m_surface.SetFont(font); }
    SGridFont GetFont() const override { return m_surface.GetFont(); }
    SGridFontMetrics GetFontMetrics() override { return m_surface.GetFontMetrics(); }
    void SetTextColor(TGridColor color) override { m_surface.SetTextColor(color); }
    void SetTextAlign(NGridTextAlign align) override { m_surface.SetTextAlign(align); }
    void SetTextVAlign(NGridTextVAlign align) override { m_surface.SetTextVAlign(align); }
    void TextOut(int x, int y, std::wstring_view text) override { m_surface.TextOut(x, y, text); }
    SGridSize GetTextExtent(std::wstring_view text) override { return m_surface.GetTextExtent(text); }

private:
    wxDC& m_dc;
    SGridSize m_paper;
    double m_scaleX = 1.0;
    double m_scaleY = 1.0;
    CGridDcSurface m_surface;
};
