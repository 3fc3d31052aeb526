#include "resources/BitmapResources.h"

#include "resources/ExportIllustrations.h"
#include "resources/PixelCanvas.h"

#include <cstddef>

namespace Resources
{
namespace
{

constexpr std::uint32_t Rgb(unsigned r, unsigned g, unsigned b)
{
    return r | (g << 8) | (b << 16);
}

constexpr std::uint32_t kClear = CBitmapResources::kTransparent;
constexpr std::uint32_t kOutline = Rgb(0, 71, 79);
constexpr std::uint32_t kTeal = Rgb(0, 160, 191);
constexpr std::uint32_t kLightTeal = Rgb(188, 224, 232);
constexpr std::uint32_t kWhite = Rgb(255, 255, 255);
constexpr std::uint32_t kGrey = Rgb(150, 150, 150);
constexpr std::uint32_t kPaleGrey = Rgb(226, 226, 226);
constexpr std::uint32_t kGreen = Rgb(0, 150, 60);
constexpr std::uint32_t kRed = Rgb(200, 30, 30);

/// A strip of images drawn with a few strokes.
class CCanvas : public CPixelCanvas
{
public:
    CCanvas(int width, int height) : CPixelCanvas(width, height, kClear) {}

    /// A rounded box of `size` with a plus (or with `plus` false a minus) in it.
    void SignBox(int x, int y, int size, bool plus)
    {
        Fill(x + 1, y + 1, size - 2, (size - 2) / 2, kLightTeal);
        Fill(x + 1, y + 1 + (size - 2) / 2, size - 2, size - 2 - (size - 2) / 2, kWhite);
        Frame(x, y, size, size, kOutline);
        for (int cx : {x, x + size - 1})
            for (int cy : {y, y + size - 1})
                Set(cx, cy, kClear);
        const int mid = size / 2;
        Fill(x + 3, y + mid, size - 6, 1, kOutline);
        if (plus)
            Fill(x + mid, y + 3, 1, size - 6, kOutline);
    }

    /// Three bars on a base line, filled in `fill` or only outlined.
    void Chart(int x, int y, bool filled)
    {
        const int heights[] = {6, 11, 8};
        const std::uint32_t edge = filled ? kOutline : kGrey;
        for (int i = 0; i < 3; ++i)
        {
            const int left = x + 1 + i * 4;
            const int top = y + 12 - heights[i];
            Fill(left, top, 4, heights[i], filled ? kTeal : kPaleGrey);
            Frame(left, top, 4, heights[i], edge);
        }
        Fill(x, y + 12, 15, 1, edge);
    }

    /// A small round badge with a plus (green) or a minus (red).
    void Badge(int x, int y, bool plus)
    {
        const std::uint32_t color = plus ? kGreen : kRed;
        Fill(x + 1, y, 5, 7, color);
        Fill(x, y + 1, 7, 5, color);
        Fill(x + 1, y + 3, 5, 1, kWhite);
        if (plus)
            Fill(x + 3, y + 1, 1, 5, kWhite);
    }

    /// Three list rows, the middle one selected.
    void SelectedRow(int x, int y)
    {
        for (int i = 0; i < 3; ++i)
        {
            const int top = y + i * 4;
            const bool selected = i == 1;
            Fill(x, top, 14, 3, selected ? kTeal : kPaleGrey);
            Fill(x + 2, top + 1, 8, 1, selected ? kWhite : kGrey);
        }
    }
};

SBitmapPixels GridImages()
{
    CCanvas canvas(88, 19);
    canvas.SignBox(4, 3, 13, true);       // collapsed: click to expand
    canvas.SignBox(22 + 4, 3, 13, false); // expanded: click to collapse
    canvas.Chart(44 + 3, 3, true);        // in the summary
    canvas.Chart(66 + 3, 3, false);       // not in the summary
    return canvas.Take();
}

SBitmapPixels MenuImages()
{
    CCanvas canvas(120, 19);
    // Expand all and collapse all: two boxes, one over the other.
    for (int i = 0; i < 2; ++i)
    {
        const int x = i * 20;
        canvas.SignBox(x + 2, 1, 11, i == 0);
        canvas.SignBox(x + 7, 7, 11, i == 0);
    }
    // All series into and out of the summary: the chart with a badge.
    canvas.Chart(40 + 1, 2, true);
    canvas.Badge(40 + 12, 11, true);
    canvas.Chart(60 + 1, 2, false);
    canvas.Badge(60 + 12, 11, false);
    // The selected series into and out of the summary: a selected row with a badge.
    canvas.SelectedRow(80 + 1, 3);
    canvas.Badge(80 + 12, 11, true);
    canvas.SelectedRow(100 + 1, 3);
    canvas.Badge(100 + 12, 11, false);
    return canvas.Take();
}

SBitmapPixels SummaryMenuImages()
{
    CCanvas canvas(48, 16);
    // One series out: a single bar with a minus.
    canvas.Fill(3, 4, 5, 10, kTeal);
    canvas.Frame(3, 4, 5, 10, kOutline);
    canvas.Fill(1, 14, 10, 1, kOutline);
    canvas.Badge(9, 9, false);
    // All out and all in: the chart with a minus or a plus.
    canvas.Chart(16, 2, false);
    canvas.Badge(16 + 9, 9, false);
    canvas.Chart(32, 2, true);
    canvas.Badge(32 + 9, 9, true);
    return canvas.Take();
}

} // namespace

SBitmapPixels CBitmapResources::Pixels(unsigned id)
{
    switch (id)
    {
    case kGridImages:
        return GridImages();
    case kMenuImages:
        return MenuImages();
    case kSummaryMenuImages:
        return SummaryMenuImages();
    default:
        return CExportIllustrations::Pixels(id);
    }
}

} // namespace Resources
