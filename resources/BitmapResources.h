#pragma once
#include <cstdint>
#include <vector>

namespace Resources
{

/// A bitmap of the program's own as plain pixels, row by row, each colour
/// 0x00BBGGRR (red in the lowest byte).
struct SBitmapPixels
{
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

/// The bitmaps the views name by resource id. Pure red RGB(255,0,0) is their
/// transparent colour.
class CBitmapResources
{
public:
    /// The series grid's toggles: four 22 x 19 images side by side (collapsed,
    /// expanded, in the summary, not in the summary).
    static constexpr unsigned kGridImages = 2057;
    /// The series grid's context-menu images: six 20 x 19 images side by side
    /// (expand all, collapse all, all into the summary, all out of it,
    /// selected into the summary, selected out of it).
    static constexpr unsigned kMenuImages = 2055;
    /// The summary's context-menu images: three 16 x 16 images side by side
    /// (take the series out, take all out, put all in).
    static constexpr unsigned kSummaryMenuImages = 2091;
    /// The transparent colour of every bitmap here.
    static constexpr std::uint32_t kTransparent = 0x0000FF;

    /// The pixels of bitmap `id`; an empty bitmap (0 x 0) for an id without one.
    static SBitmapPixels Pixels(unsigned id);
};

} // namespace Resources
