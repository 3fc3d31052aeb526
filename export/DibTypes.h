#pragma once
// The device-independent bitmap records an image is built from, laid out as
// they are stored in a BMP file (little-endian, 40 and 4 bytes).

#include <cstdint>

/// Bitmap information header.
struct SBitmapInfoHeader
{
    std::uint32_t biSize = 0;
    std::int32_t biWidth = 0;
    /// Positive: rows stored bottom-up.
    std::int32_t biHeight = 0;
    std::uint16_t biPlanes = 0;
    std::uint16_t biBitCount = 0;
    std::uint32_t biCompression = 0;
    std::uint32_t biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    std::uint32_t biClrUsed = 0;
    std::uint32_t biClrImportant = 0;
};
static_assert(sizeof(SBitmapInfoHeader) == 40, "stored as 40 bytes");

/// Palette entry and pixel colour: blue, green, red and a reserved (alpha) byte.
struct SRgbQuad
{
    std::uint8_t rgbBlue = 0;
    std::uint8_t rgbGreen = 0;
    std::uint8_t rgbRed = 0;
    std::uint8_t rgbReserved = 0;

    bool operator==(const SRgbQuad&) const = default;
};
static_assert(sizeof(SRgbQuad) == 4, "stored as 4 bytes");
