#pragma once
#include <vector>

#include "grid/GridPrintSurface.h"
#include "tests/grid/FakeGridSurface.h"

/// A printed page that records what is drawn (through CFakeGridSurface, so
/// text is 7 pixels a character and 13 high) together with the origin each
/// drawing was made under, and the page scales asked for.
class CFakeGridPrintSurface : public CGridPrintSurface
{
public:
    using NOp = CFakeGridSurface::NOp;
    /// A recorded drawing with the page coordinates of its rectangle.
    struct SPageOp
    {
        CFakeGridSurface::SOp op;
        SGridPoint origin;
        /// op.rect less the origin: where it lands on the logical page.
        SGridRect page;
    };

    explicit CFakeGridPrintSurface(SGridSize paper) : m_paper(paper) {}

    SGridSize GetPaperSize() const override { return m_paper; }
    void SetPageScale(SGridSize logical, SGridSize paper) override { scales.push_back({logical, paper}); }
    void ResetPageScale() override { ++scaleResets; }

    void SaveState() override { m_rec.SaveState(); }
    void RestoreState() override { m_rec.RestoreState(); }
    SGridRect GetClipBox() const override { return m_rec.GetClipBox(); }
    void SetClip(const SGridRect& rect) override
    {
        Note([&] { m_rec.SetClip(rect); });
    }
    void IntersectClip(const SGridRect& rect) override
    {
        Note([&] { m_rec.IntersectClip(rect); });
    }
    void ResetClip() override
    {
        Note([&] { m_rec.ResetClip(); });
    }
    SGridPoint GetOrigin() const override { return m_rec.GetOrigin(); }
    void SetOrigin(SGridPoint origin) override { m_rec.SetOrigin(origin); }
    int GetPenWidth() const override { return m_rec.GetPenWidth(); }
    void SetPenWidth(int width) override { m_rec.SetPenWidth(width); }
    void FillSolidRect(const SGridRect& rect, TGridColor color) override
    {
        Note([&] { m_rec.FillSolidRect(rect, color); });
    }
    void FrameRect(const SGridRect& rect, TGridColor color) override
    {
        Note([&] { m_rec.FrameRect(rect, color); });
    }
    void Rectangle(const SGridRect& rect, TGridColor outline, TGridColor fill) override
    {
        Note([&] { m_rec.Rectangle(rect, outline, fill); });
    }
    void Line(SGridPoint from, SGridPoint to, TGridColor color) override
    {
        Note([&] { m_rec.Line(from, to, color); });
    }
    void Polygon(const SGridPoint* points, std::size_t count, TGridColor outline, TGridColor fill) override
    {
        Note([&] { m_rec.Polygon(points, count, outline, fill); });
    }
    void GradientFill(const SGridRect& rect, TGridColor from, TGridColor to, bool vertical) override
    {
        Note([&] { m_rec.GradientFill(rect, from, to, vertical); });
    }
    void GradientFill4(const SGridRect& rect, TGridColor topLeft, TGridColor topRight, TGridColor bottomLeft,
                       TGridColor bottomRight) override
    {
        Note([&] { m_rec.GradientFill4(rect, topLeft, topRight, bottomLeft, bottomRight); });
    }
    void DrawImage(const CGridImageList& images, int index, int x, int y, bool blend50) override
    {
        Note([&] { m_rec.DrawImage(images, index, x, y, blend50); });
    }
    SGridFont GetFont() const override { return m_rec.GetFont(); }
    SGridFontMetrics GetFontMetrics() override { return m_rec.GetFontMetrics(); }
    void SetTextVAlign(NGridTextVAlign align) override { m_rec.SetTextVAlign(align); }
    void SetFont(const SGridFont& font) override { m_rec.SetFont(font); }
    void SetTextColor(TGridColor color) override { m_rec.SetTextColor(color); }
    void SetTextAlign(NGridTextAlign align) override { m_rec.SetTextAlign(align); }
    void TextOut(int x, int y, std::wstring_view text) override
    {
        Note([&] { m_rec.TextOut(x, y, text); });
        fonts.push_back(m_rec.GetFont());
    }
    SGridSize GetTextExtent(std::wstring_view text) override { return m_rec.GetTextExtent(text); }

    std::vector<SPageOp> ops;
    std::vector<std::pair<SGridSize, SGridSize>> scales;
    int scaleResets = 0;
    /// The font of each text drawn, in order.
    std::vector<SGridFont> fonts;

    std::vector<SPageOp> Of(NOp kind) const
    {
        std::vector<SPageOp> out;
        for (const SPageOp& op : ops)
            if (op.op.op == kind)
                out.push_back(op);
        return out;
    }
    /// The texts drawn, in order.
    std::vector<std::wstring> Texts() const
    {
        std::vector<std::wstring> out;
        for (const SPageOp& op : Of(NOp::Text))
            out.push_back(op.op.text);
        return out;
    }

private:
    template <class TDraw> void Note(TDraw draw)
    {
        const std::size_t before = m_rec.ops.size();
        draw();
        const SGridPoint origin = m_rec.GetOrigin();
        for (std::size_t i = before; i < m_rec.ops.size(); ++i)
        {
            const CFakeGridSurface::SOp& op = m_rec.ops[i];
            const SGridRect page{op.rect.left - origin.x, op.rect.top - origin.y, op.rect.right - origin.x,
                                 op.rect.bottom - origin.y};
            ops.push_back({op, origin, page});
        }
    }

    CFakeGridSurface m_rec{{0, 0, 100000, 100000}, true};
    SGridSize m_paper;
};
