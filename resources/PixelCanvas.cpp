#include "resources/PixelCanvas.h"

#include <cstddef>
#include <cstdlib>
#include <utility>

namespace Resources
{

CPixelCanvas::CPixelCanvas(int width, int height, std::uint32_t ground) : m_width(width), m_height(height)
{
    m_pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), ground);
}

void CPixelCanvas::Set(int x, int y, std::uint32_t color)
{
    if (x >= 0 && y >= 0 && x < m_width && y < m_height)
        m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
                 static_cast<std::size_t>(x)] = color;
}

void CPixelCanvas::Fill(int x, int y, int w, int h, std::uint32_t color)
{
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            Set(i, j, color);
}

void CPixelCanvas::Frame(int x, int y, int w, int h, std::uint32_t color)
{
    Fill(x, y, w, 1, color);
    Fill(x, y + h - 1, w, 1, color);
    Fill(x, y, 1, h, color);
    Fill(x + w - 1, y, 1, h, color);
}

void CPixelCanvas::Line(int x0, int y0, int x1, int y1, std::uint32_t color)
{
    // Bresenham: every step moves one pixel along the longer axis.
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;)
    {
        Set(x0, y0, color);
        if (x0 == x1 && y0 == y1)
            return;
        const int twice = 2 * error;
        if (twice >= dy)
        {
            error += dy;
            x0 += sx;
        }
        if (twice <= dx)
        {
            error += dx;
            y0 += sy;
        }
    }
}

SBitmapPixels CPixelCanvas::Take()
{
    SBitmapPixels taken{m_width, m_height, std::move(m_pixels)};
    m_pixels.clear();
    return taken;
}

} // namespace Resources
