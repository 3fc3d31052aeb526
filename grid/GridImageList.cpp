#include "grid/GridImageList.h"

#include <atomic>
#include <utility>

namespace
{
std::uint64_t NextStamp()
{
    static std::atomic<std::uint64_t> next{1};
    return next++;
}
} // namespace

CGridImageList::CGridImageList(std::vector<TGridColor> pixels, int stripWidth, SGridSize tileSize,
                               TGridColor transparent)
    : m_pixels(std::move(pixels)), m_stripWidth(stripWidth), m_tileSize(tileSize), m_transparent(transparent),
      m_stamp(NextStamp())
{
    // A strip that does not hold its rows is treated as empty rather than read past.
    if (m_stripWidth <= 0 || m_tileSize.cx <= 0 || m_tileSize.cy <= 0 ||
        m_pixels.size() < static_cast<std::size_t>(m_stripWidth) * static_cast<std::size_t>(m_tileSize.cy))
    {
        m_pixels.clear();
        m_stripWidth = 0;
    }
}

int CGridImageList::GetImageCount() const
{
    return m_tileSize.cx > 0 ? m_stripWidth / m_tileSize.cx : 0;
}

TGridColor CGridImageList::GetPixel(int index, int x, int y) const
{
    const std::size_t column = static_cast<std::size_t>(index) * static_cast<std::size_t>(m_tileSize.cx) +
                               static_cast<std::size_t>(x);
    return m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_stripWidth) + column];
}
