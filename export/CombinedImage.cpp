#include "export/CombinedImage.h"

#include <algorithm>
#include <cstring>

bool CCombinedImage::Create(std::uint32_t width, std::uint32_t height)
{
    m_filled = 0;
    if (!m_image.Create(width, height, 24, IMAGE_TYPE_UNKNOWN))
        return false;
    std::memset(m_image.GetRowBits(0), 0xFF,
                static_cast<std::size_t>(m_image.GetRowStride()) * m_image.GetHeight());
    return true;
}

std::uint32_t CCombinedImage::AddBand(const CPicture& band)
{
    if (!m_image.IsValid() || !band.IsValid())
        return 0;
    const std::uint32_t height = m_image.GetHeight();
    const std::uint32_t rows = std::min(band.GetHeight(), height - std::min(m_filled, height));
    if (rows == 0)
        return 0;
    // Rows are stored bottom up: the band's top row lands m_filled rows below
    // the image's top, its row `rows - 1` (counted from its bottom) at image
    // row `height - 1 - m_filled`.
    const std::uint32_t bandBottom = band.GetHeight() - rows; // rows cut off below the image
    const std::uint32_t imageBottom = height - m_filled - rows;
    if (band.GetBpp() == 24 && band.GetRowStride() == m_image.GetRowStride())
    {
        std::memcpy(m_image.GetRowBits(imageBottom), band.GetRowBits(bandBottom),
                    static_cast<std::size_t>(m_image.GetRowStride()) * rows);
    }
    else
    {
        const std::uint32_t width = std::min(band.GetWidth(), m_image.GetWidth());
        for (std::uint32_t r = 0; r < rows; ++r)
        {
            std::uint8_t* target = m_image.GetRowBits(imageBottom + r);
            if (band.GetBpp() == 24)
            {
                std::memcpy(target, band.GetRowBits(bandBottom + r), static_cast<std::size_t>(width) * 3);
                continue;
            }
            const long y = static_cast<long>(bandBottom + r);
            for (std::uint32_t x = 0; x < width; ++x)
            {
                const SRgbQuad colour = band.BlindGetPixelColor(static_cast<long>(x), y, false);
                target[3 * x] = colour.rgbBlue;
                target[3 * x + 1] = colour.rgbGreen;
                target[3 * x + 2] = colour.rgbRed;
            }
        }
    }
    m_filled += rows;
    return rows;
}

void CCombinedImage::Skip(std::uint32_t height)
{
    m_filled += std::min(height, m_image.GetHeight() - std::min(m_filled, m_image.GetHeight()));
}
