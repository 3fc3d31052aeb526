#pragma once
#include <cstdint>
#include <vector>

#include "grid/GridTypes.h"

/// An image list: one strip of equal tiles side by side, one colour of which
/// is transparent (a masked ImageList). The pixels are plain data; each
/// drawing surface makes what it needs of them (the wx surface keeps bitmaps).
class CGridImageList
{
public:
    CGridImageList() = default;
    /// `pixels` is the strip row by row, `stripWidth` x `tileSize.cy` colours
    /// 0x00BBGGRR; the tiles are `tileSize.cx` wide.
    CGridImageList(std::vector<TGridColor> pixels, int stripWidth, SGridSize tileSize,
                   TGridColor transparent);

    /// Number of whole tiles in the strip.
    int GetImageCount() const;
    SGridSize GetTileSize() const { return m_tileSize; }
    TGridColor GetTransparentColor() const { return m_transparent; }
    /// Pixel (x, y) of tile `index`; the caller keeps within the tile.
    TGridColor GetPixel(int index, int x, int y) const;
    bool IsTransparent(int index, int x, int y) const { return GetPixel(index, x, y) == m_transparent; }
    /// Changes whenever the pixels change, so surfaces can cache what they made.
    std::uint64_t GetStamp() const { return m_stamp; }

private:
    std::vector<TGridColor> m_pixels;
    int m_stripWidth = 0;
    SGridSize m_tileSize;
    TGridColor m_transparent = 0;
    std::uint64_t m_stamp = 0;
};
