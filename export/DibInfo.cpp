#include "export/DibInfo.h"

#include "export/Picture.h"

#include <algorithm>
#include <cstdlib>

namespace
{
SRgbQuad Quad(int red, int green, int blue)
{
    SRgbQuad quad;
    quad.rgbRed = static_cast<std::uint8_t>(red);
    quad.rgbGreen = static_cast<std::uint8_t>(green);
    quad.rgbBlue = static_cast<std::uint8_t>(blue);
    return quad;
}
} // namespace

int CDibInfo::ColorCount(int bitCount)
{
    switch (bitCount)
    {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

SBitmapInfoHeader CDibInfo::MakeHeader(std::int32_t width, std::int32_t height, int bitCount)
{
    SBitmapInfoHeader head;
    head.biSize = 40;
    head.biWidth = width;
    head.biHeight = std::abs(height);
    head.biPlanes = 1;
    head.biBitCount = static_cast<std::uint16_t>(bitCount);
    head.biCompression = 0;
    const std::uint64_t rowBytes =
        ((static_cast<std::uint64_t>(bitCount) * static_cast<std::uint32_t>(width) + 31) &
         ~std::uint64_t{31}) /
        8;
    head.biSizeImage = static_cast<std::uint32_t>(rowBytes * static_cast<std::uint32_t>(head.biHeight));
    return head;
}

std::vector<SRgbQuad> CDibInfo::StandardColorTable(int colors)
{
    std::vector<SRgbQuad> table;
    if (colors <= 0)
        return table;
    const std::size_t limit = static_cast<std::size_t>(std::min(colors, 256));
    table.reserve(limit);
    static constexpr int kFixed[16][3] = {
        {0, 0, 0},     {255, 255, 255}, {255, 0, 0},     {0, 255, 0},     {255, 255, 0}, {0, 0, 255},
        {255, 0, 255}, {0, 255, 255},   {128, 0, 0},     {0, 128, 0},     {128, 128, 0}, {0, 0, 128},
        {128, 0, 128}, {0, 128, 128},   {128, 128, 128}, {192, 192, 192},
    };
    for (const auto& c : kFixed)
    {
        if (table.size() == limit)
            return table;
        table.push_back(Quad(c[0], c[1], c[2]));
    }
    for (int blue = 0; blue < 6; ++blue)
        for (int green = 0; green < 6; ++green)
            for (int red = 0; red < 6; ++red)
            {
                if (table.size() == limit)
                    return table;
                table.push_back(Quad(red * 51, green * 51, blue * 51));
            }
    for (int k = 0; k < 24 && table.size() < limit; ++k)
    {
        const int grey = k * 255 / 23;
        table.push_back(Quad(grey, grey, grey));
    }
    return table;
}

std::vector<std::uint8_t> CDibInfo::PackedDib(const CPicture& picture)
{
    std::vector<std::uint8_t> bytes;
    if (!picture.IsValid())
        return bytes;
    SBitmapInfoHeader head = MakeHeader(static_cast<std::int32_t>(picture.GetWidth()),
                                        static_cast<std::int32_t>(picture.GetHeight()), picture.GetBpp());
    head.biClrUsed = picture.GetNumColors();
    const std::size_t rows = static_cast<std::size_t>(picture.GetRowStride()) * picture.GetHeight();
    bytes.resize(40 + picture.GetPaletteSize() + rows);
    CPicture::StoreHeader(head, bytes.data());
    for (std::uint32_t i = 0; i < picture.GetNumColors(); ++i)
    {
        const SRgbQuad colour = picture.GetPaletteColor(i);
        std::uint8_t* entry = bytes.data() + 40 + 4 * i;
        entry[0] = colour.rgbBlue;
        entry[1] = colour.rgbGreen;
        entry[2] = colour.rgbRed;
        entry[3] = colour.rgbReserved;
    }
    if (rows > 0)
        std::copy_n(picture.GetRowBits(0), rows, bytes.data() + 40 + picture.GetPaletteSize());
    return bytes;
}
