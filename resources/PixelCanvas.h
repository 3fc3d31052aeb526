#pragma once
// A small picture drawn stroke by stroke into plain pixels: the program's own
// bitmaps are made this way instead of being shipped as files.

#include "resources/BitmapResources.h"

#include <cstdint>
#include <vector>

namespace Resources
{

class CPixelCanvas
{
public:
    /// A colour as the canvas holds it: 0x00BBGGRR.
    static constexpr std::uint32_t Rgb(unsigned r, unsigned g, unsigned b)
    {
        return r | (g << 8) | (b << 16);
    }

    /// A canvas of width x height pixels filled with `ground` (0x00BBGGRR).
    CPixelCanvas(int width, int height, std::uint32_t ground);

    /// Sets one pixel; points outside the canvas are left out.
    void Set(int x, int y, std::uint32_t color);
    /// Fills (x, y) to (x + w, y + h), right and bottom outside.
    void Fill(int x, int y, int w, int h, std::uint32_t color);
    /// A one-pixel outline of the same rectangle.
    void Frame(int x, int y, int w, int h, std::uint32_t color);
    /// A straight line from (x0, y0) to (x1, y1), both ends included.
    void Line(int x0, int y0, int x1, int y1, std::uint32_t color);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    /// Hands the pixels out; the canvas is empty afterwards.
    SBitmapPixels Take();

private:
    int m_width;
    int m_height;
    std::vector<std::uint32_t> m_pixels;
};

} // namespace Resources
