#include "grid/GridDcSurface.h"

#include <algorithm>
#include <map>
#include <tuple>

#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/settings.h>

#include "grid/GridGradient.h"
#include "grid/GridStrokes.h"
#include "grid/GridTextPlacement.h"

namespace
{

using TFontKey = std::tuple<std::wstring, int, int, bool, bool, int>;

/// Bitmaps made from pixel rules, kept for the next paint: the same gripper
/// tiles and gradient cells come back on every paint.
template <class TKey> class CBitmapCache
{
public:
    template <class TMake> const wxBitmap& Get(const TKey& key, TMake make)
    {
        auto it = m_bitmaps.find(key);
        if (it != m_bitmaps.end())
            return it->second;
        // A bounded cache: image lists and cell sizes come and go with the grid.
        if (m_bitmaps.size() >= kLimit)
            m_bitmaps.clear();
        return m_bitmaps.emplace(key, make()).first->second;
    }

private:
    static constexpr std::size_t kLimit = 256;
    std::map<TKey, wxBitmap> m_bitmaps;
};

wxBitmap ImageTile(const CGridImageList& images, int index, bool blend50)
{
    const SGridSize size = images.GetTileSize();
    wxImage image(size.cx, size.cy, false);
    image.InitAlpha();
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x)
        {
            const TGridColor color = images.GetPixel(index, x, y);
            image.SetRGB(x, y, static_cast<unsigned char>(GridRed(color)),
                         static_cast<unsigned char>(GridGreen(color)),
                         static_cast<unsigned char>(GridBlue(color)));
            const bool clear = color == images.GetTransparentColor();
            image.SetAlpha(x, y, clear ? 0 : (blend50 ? 128 : 255));
        }
    return wxBitmap(image);
}

} // namespace

CGridDcSurface::CGridDcSurface(wxDC& dc, SGridRect clipBox, bool printing)
    : CGridStateSurface(clipBox, printing), m_dc(dc), m_appliedClip(clipBox)
{
    m_dc.SetBackgroundMode(wxTRANSPARENT);
    // Whatever clip the DC held is dropped: the area that needs drawing is the whole clip.
    m_dc.DestroyClippingRegion();
}

CGridDcSurface::CGridDcSurface(std::unique_ptr<wxDC> owned, wxBitmap bitmap)
    : CGridStateSurface(SGridRect{0, 0, 1, 1}, false), m_ownBitmap(std::move(bitmap)),
      m_ownDc(std::move(owned)), m_dc(*m_ownDc), m_appliedClip{0, 0, 1, 1}
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
    const TFontKey key{font.face, font.height, font.weight, font.italic, font.underline, font.escapement};
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

void CGridDcSurface::ApplyClip()
{
    // The DC follows the state only when something is drawn: saving, clipping
    // and restoring around a cell that draws nothing costs nothing.
    const SGridRect& clip = State().clip;
    if (m_clipApplied ? clip == m_appliedClip : clip == GetPaintArea())
        return;
    m_dc.DestroyClippingRegion();
    m_clipApplied = !(clip == GetPaintArea());
    if (m_clipApplied)
        m_dc.SetClippingRegion(clip.left, clip.top, clip.Width(), clip.Height());
    m_appliedClip = clip;
}

void CGridDcSurface::FillDevice(int left, int top, int right, int bottom, TGridColor color)
{
    if (right <= left || bottom <= top || State().clip.IsEmpty())
        return;
    ApplyClip();
    m_dc.SetPen(*wxTRANSPARENT_PEN);
    m_dc.SetBrush(wxBrush(ToColour(color)));
    m_dc.DrawRectangle(left, top, right - left, bottom - top);
}

void CGridDcSurface::Fill(int left, int top, int right, int bottom, TGridColor color)
{
    const SGridPoint origin = State().origin;
    FillDevice(left - origin.x, top - origin.y, right - origin.x, bottom - origin.y, color);
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

void CGridDcSurface::Rectangle(const SGridRect& rect, TGridColor outline, TGridColor fill)
{
    const CGridStrokes::SRectangle shape = CGridStrokes::Rectangle(rect, GetPenWidth());
    FillSolidRect(shape.interior, fill);
    for (int i = 0; i < shape.outlineCount; ++i)
        FillSolidRect(shape.outline[static_cast<std::size_t>(i)], outline);
}

void CGridDcSurface::Line(SGridPoint from, SGridPoint to, TGridColor color)
{
    const int w = GetPenWidth();
    if (SGridRect band; CGridStrokes::LineBand(from, to, w, &band))
    {
        FillSolidRect(band, color);
        return;
    }
    if (State().clip.IsEmpty())
        return;
    ApplyClip();
    const SGridPoint a = ToDevice(from);
    const SGridPoint b = ToDevice(to);
    m_dc.SetPen(wxPen(ToColour(color), w));
    m_dc.DrawLine(a.x, a.y, b.x, b.y);
}

void CGridDcSurface::Polygon(const SGridPoint* points, std::size_t count, TGridColor outline, TGridColor fill)
{
    if (count == 0 || State().clip.IsEmpty())
        return;
    ApplyClip();
    std::vector<wxPoint> shifted;
    shifted.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
    {
        const SGridPoint p = ToDevice(points[i]);
        shifted.emplace_back(p.x, p.y);
    }
    m_dc.SetPen(wxPen(ToColour(outline), GetPenWidth()));
    m_dc.SetBrush(wxBrush(ToColour(fill)));
    m_dc.DrawPolygon(static_cast<int>(shifted.size()), shifted.data());
}

void CGridDcSurface::GradientFill(const SGridRect& rect, TGridColor from, TGridColor to, bool vertical)
{
    if (rect.IsEmpty() || State().clip.IsEmpty())
        return;
    ApplyClip();
    const SGridRect device = ToDevice(rect);
    m_dc.GradientFillLinear(wxRect(device.left, device.top, device.Width(), device.Height()), ToColour(from),
                            ToColour(to), vertical ? wxSOUTH : wxEAST);
}

void CGridDcSurface::GradientFill4(const SGridRect& rect, TGridColor topLeft, TGridColor topRight,
                                   TGridColor bottomLeft, TGridColor bottomRight)
{
    if (rect.IsEmpty() || State().clip.IsEmpty())
        return;
    using TKey = std::tuple<int, int, TGridColor, TGridColor, TGridColor, TGridColor>;
    static CBitmapCache<TKey> cache;
    const int width = rect.Width();
    const int height = rect.Height();
    const wxBitmap& bitmap = cache.Get(TKey{width, height, topLeft, topRight, bottomLeft, bottomRight},
                                       [&]
                                       {
                                           const SGridRect local{0, 0, width, height};
                                           wxImage image(width, height, false);
                                           for (int y = 0; y < height; ++y)
                                               for (int x = 0; x < width; ++x)
                                               {
                                                   const TGridColor c =
                                                       CGridGradient::Corner4(local, topLeft, topRight,
                                                                              bottomLeft, bottomRight, x, y);
                                                   image.SetRGB(x, y, static_cast<unsigned char>(GridRed(c)),
                                                                static_cast<unsigned char>(GridGreen(c)),
                                                                static_cast<unsigned char>(GridBlue(c)));
                                               }
                                           return wxBitmap(image);
                                       });
    ApplyClip();
    const SGridRect device = ToDevice(rect);
    m_dc.DrawBitmap(bitmap, device.left, device.top, false);
}

void CGridDcSurface::DrawImage(const CGridImageList& images, int index, int x, int y, bool blend50)
{
    if (index < 0 || index >= images.GetImageCount() || State().clip.IsEmpty())
        return;
    const SGridSize size = images.GetTileSize();
    if (IsPrinting())
    {
        // A printer cannot take a mask everywhere: the tile goes out as runs of its opaque pixels.
        for (int row = 0; row < size.cy; ++row)
            for (int col = 0; col < size.cx;)
            {
                const TGridColor color = images.GetPixel(index, col, row);
                int end = col + 1;
                while (end < size.cx && images.GetPixel(index, end, row) == color)
                    ++end;
                if (color != images.GetTransparentColor())
                    Fill(x + col, y + row, x + end, y + row + 1, color);
                col = end;
            }
        return;
    }
    using TKey = std::tuple<std::uint64_t, int, bool>;
    static CBitmapCache<TKey> cache;
    const wxBitmap& bitmap =
        cache.Get(TKey{images.GetStamp(), index, blend50}, [&] { return ImageTile(images, index, blend50); });
    ApplyClip();
    const SGridPoint at = ToDevice(SGridPoint{x, y});
    m_dc.DrawBitmap(bitmap, at.x, at.y, true);
}

void CGridDcSurface::ApplyFont()
{
    const wxFont& font = FontFor(State().font);
    if (m_appliedFont != &font)
    {
        m_dc.SetFont(font);
        m_appliedFont = &font;
    }
}

SGridFontMetrics CGridDcSurface::GetFontMetrics()
{
    ApplyFont();
    if (m_metricsFont != m_appliedFont)
    {
        const wxFontMetrics fm = m_dc.GetFontMetrics();
        m_metrics = SGridFontMetrics{fm.height, fm.ascent, fm.descent, fm.averageWidth};
        m_metricsFont = m_appliedFont;
    }
    return m_metrics;
}

void CGridDcSurface::TextOut(int x, int y, std::wstring_view text)
{
    if (text.empty() || State().clip.IsEmpty())
        return;
    ApplyFont();
    ApplyClip();
    const SValues& now = State();
    const wxString shown(text.data(), text.size());
    const int turns = CGridTextPlacement::QuarterTurns(now.font.escapement);
    SGridSize extent;
    if (now.align != NGridTextAlign::Left || now.vAlign != NGridTextVAlign::Top)
    {
        const wxSize size = m_dc.GetTextExtent(shown);
        extent = SGridSize{size.GetWidth(), size.GetHeight()};
    }
    const int ascent = now.vAlign == NGridTextVAlign::Baseline ? GetFontMetrics().ascent : 0;
    const SGridPoint corner =
        CGridTextPlacement::Corner(ToDevice(SGridPoint{x, y}), now.align, now.vAlign, turns, extent, ascent);
    m_dc.SetTextForeground(ToColour(now.textColor));
    if (turns == 0)
        m_dc.DrawText(shown, corner.x, corner.y);
    else
        m_dc.DrawRotatedText(shown, corner.x, corner.y, 90.0 * turns);
}

SGridSize CGridDcSurface::GetTextExtent(std::wstring_view text)
{
    ApplyFont();
    if (text.empty())
        return SGridSize{0, m_dc.GetCharHeight()};
    const wxSize size = m_dc.GetTextExtent(wxString(text.data(), text.size()));
    return SGridSize{size.GetWidth(), size.GetHeight()};
}
