#pragma once
#include <string>
#include <vector>

#include "grid/GridSurface.h"

/// A drawing surface that records what is drawn. Text is measured as a fixed
/// pitch font: every character 7 pixels wide, lines 13 pixels high.
class CFakeGridSurface : public CGridSurface
{
public:
    enum class NOp
    {
        Fill,
        Frame,
        Line,
        Polygon,
        Gradient,
        Text,
        SetClip,
        ResetClip,
    };
    struct SOp
    {
        NOp op;
        SGridRect rect; ///< fill, frame, gradient, clip; a line's from (left, top) and to (right, bottom)
        TGridColor color = 0; ///< fill or line colour, text colour for text
        std::wstring text;
        NGridTextAlign align = NGridTextAlign::Left;
    };

    static constexpr int kCharWidth = 7;
    static constexpr int kLineHeight = 13;

    explicit CFakeGridSurface(SGridRect clipBox = {0, 0, 100000, 100000}, bool printing = false)
        : m_clipBox(clipBox), m_printing(printing)
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
    void SetClip(const SGridRect& rect) override { Record(Make(NOp::SetClip, rect)); }
    void ResetClip() override { Record(Make(NOp::ResetClip, {})); }
    SGridPoint GetOrigin() const override { return m_state.origin; }
    void SetOrigin(SGridPoint origin) override { m_state.origin = origin; }
    void FillSolidRect(const SGridRect& rect, TGridColor color) override
    {
        Record(Make(NOp::Fill, rect, color));
    }
    void FrameRect(const SGridRect& rect, TGridColor color) override
    {
        Record(Make(NOp::Frame, rect, color));
    }
    void Line(SGridPoint from, SGridPoint to, TGridColor color) override
    {
        Record(Make(NOp::Line, {from.x, from.y, to.x, to.y}, color));
    }
    void Polygon(const SGridPoint* points, std::size_t count, TGridColor, TGridColor fill) override
    {
        SGridRect bounds{points[0].x, points[0].y, points[0].x, points[0].y};
        for (std::size_t i = 1; i < count; ++i)
        {
            bounds.left = std::min(bounds.left, points[i].x);
            bounds.top = std::min(bounds.top, points[i].y);
            bounds.right = std::max(bounds.right, points[i].x);
            bounds.bottom = std::max(bounds.bottom, points[i].y);
        }
        Record(Make(NOp::Polygon, bounds, fill));
    }
    void GradientFill(const SGridRect& rect, TGridColor from, TGridColor, bool) override
    {
        Record(Make(NOp::Gradient, rect, from));
    }
    void SetFont(const SGridFont& font) override { m_state.font = font; }
    void SetTextColor(TGridColor color) override { m_state.textColor = color; }
    void SetTextAlign(NGridTextAlign align) override { m_state.align = align; }
    void TextOut(int x, int y, std::wstring_view text) override
    {
        SOp op{NOp::Text, {x, y, x, y}, m_state.textColor, std::wstring(text), m_state.align};
        Record(op);
    }
    SGridSize GetTextExtent(std::wstring_view text) override
    {
        return SGridSize{static_cast<int>(text.size()) * kCharWidth, kLineHeight};
    }

    std::vector<SOp> ops;
    int saveDepth() const { return static_cast<int>(m_saved.size()); }

    std::vector<SOp> Of(NOp kind) const
    {
        std::vector<SOp> out;
        for (const SOp& op : ops)
            if (op.op == kind)
                out.push_back(op);
        return out;
    }

private:
    struct SState
    {
        SGridFont font;
        TGridColor textColor = 0;
        NGridTextAlign align = NGridTextAlign::Left;
        SGridPoint origin;
    };
    void Record(const SOp& op) { ops.push_back(op); }
    static SOp Make(NOp kind, SGridRect rect, TGridColor color = 0)
    {
        SOp op{kind, rect, color, {}, NGridTextAlign::Left};
        return op;
    }

    SGridRect m_clipBox;
    bool m_printing;
    SState m_state;
    std::vector<SState> m_saved;
};
