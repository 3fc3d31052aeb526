#include "grid/GridDcSurface.h"

#include <map>
#include <tuple>

#include <wx/dcmemory.h>
#include <wx/settings.h>

namespace
{

using TFontKey = std::tuple<std::wstring, int, int, bool, bool>;

} // namespace

CGridDcSurface::CGridDcSurface(wxDC& dc, SGridRect clipBox, bool printing)
    : m_dc(dc), m_clipBox(clipBox), m_printing(printing)
{
    m_dc.SetBackgroundMode(wxTRANSPARENT);
}

CGridDcSurface::CGridDcSurface(std::unique_ptr<wxDC> owned, wxBitmap bitmap)
    : m_ownBitmap(std::move(bitmap)), m_ownDc(std::move(owned)), m_dc(*m_ownDc), m_clipBox{0, 0, 1, 1},
      m_printing(false)
{
}

std::unique_ptr<CGridDcSurface> CGridDcSurface::ForMeasuring()
{
    wxBitmap bitmap(1, 1);
    auto dc = std::make_unique<wxMemoryDC>(bitmap);
    if (!dc->IsOk())
        return nullptr;
    return std::unique_ptr<CGridDcSurface>(new CGridDcSurface(std::move(dc), bitmap));
}

CGridDcSurface::~CGridDcSurface()
{
    m_dc.DestroyClippingRegion();
    if (auto* memory = dynamic_cast<wxMemoryDC*>(m_ownDc.get()))
        memory->SelectObject(wxNullBitmap);
}

wxColour CGridDcSurface::ToColour(TGridColor color)
{
    return wxColour(static_cast<unsigned char>(GridRed(color)), static_cast<unsigned char>(GridGreen(color)),
                    static_cast<unsigned char>(GridBlue(color)));
}

TGridColor CGridDcSurface::FromColour(const wxColour& colour)
{
    return GridRgb(colour.Red(), colour.Green(), colour.Blue());
}

const wxFont& CGridDcSurface::FontFor(const SGridFont& font)
{
    // Fonts are made once per description and kept: making one is costly.
    static std::map<TFontKey, wxFont> cache;
    const TFontKey key{font.face, font.height, font.weight, font.italic, font.underline};
    auto it = cache.find(key);
    if (it != cache.end())
        return it->second;
    wxFont made = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    // A face that is not installed leaves the font invalid: the GUI font's face stands in.
    if (!font.face.empty() && !made.SetFaceName(wxString(font.face)))
        made = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    if (font.height > 0)
        made.SetPixelSize(wxSize(0, font.height));
    made.SetNumericWeight(font.weight);
    made.SetStyle(font.italic ? wxFONTSTYLE_ITALIC : wxFONTSTYLE_NORMAL);
    made.SetUnderlined(font.underline);
    return cache.emplace(key, made).first->second;
}

void CGridDcSurface::SaveState()
{
    m_saved.push_back(m_state);
}

void CGridDcSurface::RestoreState()
{
    if (m_saved.empty())
        return;
    const bool clipChanged = m_saved.back().clipped != m_state.clipped ||
                             !(m_saved.back().clip == m_state.clip) ||
                             !(m_saved.back().origin == m_state.origin);
    m_state = m_saved.back();
    m_saved.pop_back();
    if (clipChanged)
        ApplyClip();
}

void CGridDcSurface::SetClip(const SGridRect& rect)
{
    m_state.clipped = true;
    m_state.clip = rect;
    ApplyClip();
}

void CGridDcSurface::ResetClip()
{
    m_state.clipped = false;
    ApplyClip();
}

void CGridDcSurface::SetOrigin(SGridPoint origin)
{
    m_state.origin = origin;
    ApplyClip();
}

void CGridDcSurface::ApplyClip()
{
    m_dc.DestroyClippingRegion();
    if (!m_state.clipped)
        return;
    const SGridRect& r = m_state.clip;
    if (r.IsEmpty())
        m_dc.SetClippingRegion(-10, -10, 1, 1); // nothing of the drawing area
    else
        m_dc.SetClippingRegion(r.left - m_state.origin.x, r.top - m_state.origin.y, r.Width(), r.Height());
}

void CGridDcSurface::Fill(int left, int top, int right, int bottom, TGridColor color)
{
    if (right <= left || bottom <= top)
        return;
    m_dc.SetPen(*wxTRANSPARENT_PEN);
    m_dc.SetBrush(wxBrush(ToColour(color)));
    m_dc.DrawRectangle(left - m_state.origin.x, top - m_state.origin.y, right - left, bottom - top);
}

void CGridDcSurface::FillSolidRect(const SGridRect& rect, TGridColor color)
{
    Fill(rect.left, rect.top, rect.right, rect.bottom, color);
}

void CGridDcSurface::FrameRect(const SGridRect& rect, TGridColor color)
{
    if (rect.IsEmpty())
        return;
    Fill(rect.left, rect.top, rect.right, rect.top + 1, color);
    Fill(rect.left, rect.bottom - 1, rect.right, rect.bottom, color);
    Fill(rect.left, rect.top, rect.left + 1, rect.bottom, color);
    Fill(rect.right - 1, rect.top, rect.right, rect.bottom, color);
}

void CGridDcSurface::Line(SGridPoint from, SGridPoint to, TGridColor color)
{
    if (from.y == to.y)
    {
        if (from.x < to.x)
            Fill(from.x, from.y, to.x, from.y + 1, color);
        else
            Fill(to.x + 1, from.y, from.x + 1, from.y + 1, color);
        return;
    }
    if (from.x == to.x)
    {
        if (from.y < to.y)
            Fill(from.x, from.y, from.x + 1, to.y, color);
        else
            Fill(from.x, to.y + 1, from.x + 1, from.y + 1, color);
        return;
    }
    m_dc.SetPen(wxPen(ToColour(color), 1));
    m_dc.DrawLine(from.x - m_state.origin.x, from.y - m_state.origin.y, to.x - m_state.origin.x,
                  to.y - m_state.origin.y);
}

void CGridDcSurface::Polygon(const SGridPoint* points, std::size_t count, TGridColor outline, TGridColor fill)
{
    std::vector<wxPoint> shifted;
    shifted.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        shifted.emplace_back(points[i].x - m_state.origin.x, points[i].y - m_state.origin.y);
    m_dc.SetPen(wxPen(ToColour(outline), 1));
    m_dc.SetBrush(wxBrush(ToColour(fill)));
    m_dc.DrawPolygon(static_cast<int>(shifted.size()), shifted.data());
}

void CGridDcSurface::GradientFill(const SGridRect& rect, TGridColor from, TGridColor to, bool vertical)
{
    if (rect.IsEmpty())
        return;
    m_dc.GradientFillLinear(
        wxRect(rect.left - m_state.origin.x, rect.top - m_state.origin.y, rect.Width(), rect.Height()),
        ToColour(from), ToColour(to), vertical ? wxSOUTH : wxEAST);
}

void CGridDcSurface::SetFont(const SGridFont& font)
{
    m_state.font = font;
}

void CGridDcSurface::ApplyFont()
{
    const wxFont& font = FontFor(m_state.font);
    if (m_appliedFont != &font)
    {
        m_dc.SetFont(font);
        m_appliedFont = &font;
    }
}

void CGridDcSurface::TextOut(int x, int y, std::wstring_view text)
{
    if (text.empty())
        return;
    ApplyFont();
    const wxString shown(text.data(), text.size());
    int left = x;
    if (m_state.align != NGridTextAlign::Left)
    {
        const int width = m_dc.GetTextExtent(shown).GetWidth();
        left = m_state.align == NGridTextAlign::Right ? x - width : x - width / 2;
    }
    m_dc.SetTextForeground(ToColour(m_state.textColor));
    m_dc.DrawText(shown, left - m_state.origin.x, y - m_state.origin.y);
}

SGridSize CGridDcSurface::GetTextExtent(std::wstring_view text)
{
    ApplyFont();
    if (text.empty())
        return SGridSize{0, m_dc.GetCharHeight()};
    const wxSize size = m_dc.GetTextExtent(wxString(text.data(), text.size()));
    return SGridSize{size.GetWidth(), size.GetHeight()};
}
