#include "menus/wx/OwMenuDcSurface.h"

#include <wx/bitmap.h>
#include <wx/image.h>

OwMenuDcSurface::OwMenuDcSurface(wxDC& dc, SGridRect clipBox) : CGridDcSurface(dc, clipBox), m_target(dc)
{
}

void OwMenuDcSurface::DrawImage(const CGridImageList& images, int index, int x, int y, bool /*blend50*/)
{
    if (index < 0 || index >= images.GetImageCount())
        return;
    const SGridSize size = images.GetTileSize();
    wxImage tile(size.cx, size.cy);
    for (int row = 0; row < size.cy; ++row)
        for (int col = 0; col < size.cx; ++col)
        {
            const TGridColor pixel = images.GetPixel(index, col, row);
            tile.SetRGB(col, row, static_cast<unsigned char>(GridRed(pixel)),
                        static_cast<unsigned char>(GridGreen(pixel)),
                        static_cast<unsigned char>(GridBlue(pixel)));
        }
    const TGridColor clear = images.GetTransparentColor();
    tile.SetMaskColour(static_cast<unsigned char>(GridRed(clear)),
                       static_cast<unsigned char>(GridGreen(clear)),
                       static_cast<unsigned char>(GridBlue(clear)));
    const SGridPoint origin = GetOrigin();
    m_target.DrawBitmap(wxBitmap(tile), x - origin.x, y - origin.y, true);
}

SGridFontMetrics OwMenuDcSurface::GetFontMetrics()
{
    GetTextExtent(L"x"); // puts the current font on the DC
    const wxFontMetrics metrics = m_target.GetFontMetrics();
    return SGridFontMetrics{metrics.height, metrics.ascent, metrics.descent, metrics.averageWidth};
}
