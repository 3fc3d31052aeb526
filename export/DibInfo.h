#pragma once
// The header and colour table a DIB-section copy of a bitmap is made with:
// the standard table of palettised bitmaps (16 fixed colours, a 6 x 6 x 6
// cube and a grey ramp) and the header's size arithmetic.

#include "export/DibTypes.h"

class CPicture;

#include <cstdint>
#include <vector>

class CDibInfo
{
public:
    /// 2, 16 or 256 colours for 1, 4 and 8 bits per pixel; 0 for the others.
    static int ColorCount(int bitCount);
    /// Header of a bottom-up BI_RGB bitmap: size 40, the absolute height,
    /// one plane, the bit count, image size = padded row bytes x height.
    static SBitmapInfoHeader MakeHeader(std::int32_t width, std::int32_t height, int bitCount);
    /// The first `colors` entries of the standard table (at most 256).
    static std::vector<SRgbQuad> StandardColorTable(int colors);
    /// The image as a packed device-independent bitmap (the clipboard's
    /// form): its 40-byte header, its palette and its rows bottom up. Empty
    /// for an image without pixels.
    static std::vector<std::uint8_t> PackedDib(const CPicture& picture);
};
