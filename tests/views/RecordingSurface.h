#pragma once
// A drawing surface that records every call with the state it was made in,
// and measures text as a fixed-pitch font: every character 7 pixels wide,
// lines 13 pixels high, in every face and size.
#include <string>
#include <vector>

#include "grid/GridSurface.h"

namespace TerrionTest
{

class CRecordingSurface : public CGridSurface
{
public:
    enum class NOp
    {
        Fill,
        Frame,
        Rectangle,
        Line,
        Polygon,
        Gradient,
        Gradient4,
        Image,
        Text,
        SetClip,
        ResetClip,
    };
    struct SOp
    {
        NOp op;
        SGridRect rect;        ///< logical; a line's from (left, top) and to (right, bottom)
        TGridColor color = 0;  ///< fill, line, outline, gradient start, text colour
        TGridColor color2 = 0; ///< rectangle fill, gradient end
        std::wstring text;
        SGridFont font;
        NGridTextAlign align = NGridTextAlign::Left;
        NGridTextVAlign valign = NGridTextVAlign::Top;
        int index = 0;     ///< image index; pen width of lines
        bool flag = false; ///< vertical gradient; blended image
        SGridPoint origin;
        std::vector<TGridColor> corners; ///< four-corner gradient
    };

    static constexpr int kCharWidth = 7;
    static constexpr int kLineHeight = 13;

    explicit CRecordingSurface(bool printing = false, SGridRect clip = {0, 0, 100000, 100000})
        : m_printing(printing), m_clipBox(clip)
    {
    }

    bool IsPrinting() const override { return m_printing; }
    void SaveState() override { m_saved.push_back(m_state); }
    void RestoreState() override
    {
        if (!m_saved.empty())
        {
            m_state = m_saved.back();
            m_saved.pop_back();
        }
    }
    SGridRect GetClipBox() const override { return m_clipBox; }
    void SetClip(const SGridRect& rect) override { Record(NOp::SetClip, rect); }
    void IntersectClip(const SGridRect& rect) override { Record(NOp::SetClip, GetClipBox().Intersect(rect)); }
    void ResetClip() override { Record(NOp::ResetClip, {}); }
    SGridPoint GetOrigin() const override { return m_state.origin; }
    void SetOrigin(SGridPoint origin) override { m_state.origin = origin; }
    int GetPenWidth() const override { return m_state.penWidth; }
    void SetPenWidth(int width) override { m_state.penWidth = width < 1 ? 1 : width; }

    void FillSolidRect(const SGridRect& rect, TGridColor color) override { Record(NOp::Fill, rect, color); }
    void FrameRect(const SGridRect& rect, TGridColor color) override { Record(NOp::Frame, rect, color); }
    void Rectangle(const SGridRect& rect, TGridColor outline, TGridColor fill) override
    {
        Record(NOp::Rectangle, rect, outline).color2 = fill;
    }
    void Line(SGridPoint from, SGridPoint to, TGridColor color) override
    {
        Record(NOp::Line, {from.x, from.y, to.x, to.y}, color).index = m_state.penWidth;
    }
    void Polygon(const SGridPoint* points, std::size_t count, TGridColor outline, TGridColor fill) override
    {
        SGridRect bounds{points[0].x, points[0].y, points[0].x, points[0].y};
        for (std::size_t i = 1; i < count; ++i)
        {
            bounds.left = std::min(bounds.left, points[i].x);
            bounds.top = std::min(bounds.top, points[i].y);
            bounds.right = std::max(bounds.right, points[i].x);
            bounds.bottom = std::max(bounds.bottom, points[i].y);
        }
        Record(NOp::Polygon, bounds, outline).color2 = fill;
    }
    void GradientFill(const SGridRect& rect, TGridColor from, TGridColor to, bool vertical) override
    {
        SOp& op = Record(NOp::Gradient, rect, from);
        op.color2 = to;
        op.flag = vertical;
    }
    void GradientFill4(const SGridRect& rect, TGridColor topLeft, TGridColor topRight, TGridColor bottomLeft,
                       TGridColor bottomRight) override
    {
        Record(NOp::Gradient4, rect).corners = {topLeft, topRight, bottomLeft, bottomRight};
    }
    void DrawImage(const CGridImageList& images, int index, int x, int y, bool blend50) override
    {
        const SGridSize size = images.GetTileSize();
        SOp& op = Record(NOp::Image, {x, y, x + size.cx, y + size.cy});
        op.index = index;
        op.flag = blend50;
    }

    void SetFont(const SGridFont& font) override { m_state.font = font; }
    SGridFont GetFont() const override { return m_state.font; }
    SGridFontMetrics GetFontMetrics() override { return SGridFontMetrics{kLineHeight, 10, 3, kCharWidth}; }
    void SetTextColor(TGridColor color) override { m_state.textColor = color; }
    void SetTextAlign(NGridTextAlign align) override { m_state.align = align; }
    void SetTextVAlign(NGridTextVAlign align) override { m_state.valign = align; }
    void TextOut(int x, int y, std::wstring_view text) override
    {
        SOp& op = Record(NOp::Text, {x, y, x, y}, m_state.textColor);
        op.text = std::wstring(text);
    }
    SGridSize GetTextExtent(std::wstring_view text) override
    {
        ++measured;
        return SGridSize{static_cast<int>(text.size()) * kCharWidth, kLineHeight};
    }

    std::vector<SOp> Of(NOp kind) const
    {
        std::vector<SOp> out;
        for (const SOp& op : ops)
            if (op.op == kind)
                out.push_back(op);
        return out;
    }
    /// The texts drawn, in order.
    std::vector<std::wstring> Texts() const
    {
        std::vector<std::wstring> out;
        for (const SOp& op : ops)
            if (op.op == NOp::Text)
                out.push_back(op.text);
        return out;
    }
    /// The first text op whose text is `text`, or null.
    const SOp* FindText(const std::wstring& text) const
    {
        for (const SOp& op : ops)
            if (op.op == NOp::Text && op.text == text)
                return &op;
        return nullptr;
    }
    int SaveDepth() const { return static_cast<int>(m_saved.size()); }

    std::vector<SOp> ops;
    int measured = 0; ///< GetTextExtent calls

private:
    struct SState
    {
        SGridFont font;
        TGridColor textColor = 0;
        NGridTextAlign align = NGridTextAlign::Left;
        NGridTextVAlign valign = NGridTextVAlign::Top;
        SGridPoint origin;
        int penWidth = 1;
    };
    SOp& Record(NOp kind, SGridRect rect, TGridColor color = 0)
    {
        SOp op{kind, rect,  color,          0, {}, m_state.font, m_state.align, m_state.valign,
               0,    false, m_state.origin, {}};
        ops.push_back(op);
        return ops.back();
    }

    bool m_printing;
    SGridRect m_clipBox;
    SState m_state;
    std::vector<SState> m_saved;
};

} // namespace TerrionTest
