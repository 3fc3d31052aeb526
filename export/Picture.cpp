#include "export/Picture.h"
#include "streams/LittleEndian.h"

#include "export/PicMemFile.h"
#include "export/PictureBMP.h"
#include "export/PictureJAS.h"
#include "export/PictureJPG.h"
#include "export/PicturePNG.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace
{
// Largest pixel area we create: the header's image size is 32 bits, and a BMP
// file of it must still state its size in 32 bits.
constexpr std::uint64_t kMaxImageBytes = 0xFFFFFFFFull - 14 - 40 - 1024;
} // namespace

CPicture::CPicture(std::uint32_t imageType) : m_type(imageType)
{
}

CPicture::~CPicture()
{
    Destroy();
}

bool CPicture::Destroy()
{
    if (m_ghostSource)
        return false;
    std::free(m_dib);
    m_dib = nullptr;
    m_pixels = nullptr;
    std::free(m_alpha);
    m_alpha = nullptr;
    return true;
}

std::int32_t CPicture::DpiToPelsPerMeter(long dpi)
{
    return static_cast<std::int32_t>(std::floor(static_cast<double>(dpi) * 10000.0 / 254.0 + 0.5));
}

std::uint8_t* CPicture::Create(std::uint32_t width, std::uint32_t height, std::uint32_t bitCount,
                               std::uint32_t imageType)
{
    if (!Destroy())
        return nullptr;
    if (width == 0 || height == 0)
    {
        SetLastError("CPicture::Create : width and height must be greater than zero");
        return nullptr;
    }
    std::uint32_t colours;
    if (bitCount <= 1)
    {
        bitCount = 1;
        colours = 2;
    }
    else if (bitCount <= 4)
    {
        bitCount = 4;
        colours = 16;
    }
    else if (bitCount <= 8)
    {
        bitCount = 8;
        colours = 256;
    }
    else
    {
        bitCount = 24;
        colours = 0;
    }
    // All size arithmetic in 64 bits: nothing may wrap into a small block.
    const std::uint64_t stride = ((static_cast<std::uint64_t>(width) * bitCount + 31) / 32) * 4;
    const std::uint64_t imageBytes = stride * height;
    if (width > INT32_MAX || height > INT32_MAX || imageBytes > kMaxImageBytes)
    {
        SetLastError("CPicture::Create can't allocate memory");
        return nullptr;
    }

    m_head = SBitmapInfoHeader{};
    m_head.biSize = 40;
    m_head.biWidth = static_cast<std::int32_t>(width);
    m_head.biHeight = static_cast<std::int32_t>(height);
    m_head.biPlanes = 1;
    m_head.biBitCount = static_cast<std::uint16_t>(bitCount);
    m_head.biCompression = 0;
    m_head.biSizeImage = static_cast<std::uint32_t>(imageBytes);
    m_head.biXPelsPerMeter = DpiToPelsPerMeter(m_xDpi);
    m_head.biYPelsPerMeter = DpiToPelsPerMeter(m_yDpi);
    m_head.biClrUsed = colours;
    m_head.biClrImportant = 0;
    m_rowStride = static_cast<std::uint32_t>(stride);
    m_type = imageType;

    // Zero-filled, pixels and row padding included, so no output ever carries stale memory.
    const std::size_t total =
        40 + 4 * static_cast<std::size_t>(colours) + static_cast<std::size_t>(imageBytes);
    m_dib = static_cast<std::uint8_t*>(std::calloc(1, total));
    if (!m_dib)
    {
        SetLastError("CPicture::Create can't allocate memory");
        return nullptr;
    }
    StoreHeader(m_head, m_dib);
    m_pixels = m_dib + 40 + 4 * colours;
    return m_dib;
}

void CPicture::Ghost(const CPicture* source)
{
    if (!source)
        return;
    m_head = source->m_head;
    m_dib = source->m_dib;
    m_rowStride = source->m_rowStride;
    m_pixels = source->m_pixels;
    m_type = source->m_type;
    std::memcpy(m_lastError, source->m_lastError, sizeof(m_lastError));
    m_transIndex = source->m_transIndex;
    m_background = source->m_background;
    m_quality = source->m_quality;
    m_xDpi = source->m_xDpi;
    m_yDpi = source->m_yDpi;
    std::memcpy(m_codecOptions, source->m_codecOptions, sizeof(m_codecOptions));
    m_alpha = source->m_alpha;
    m_ghostSource = source;
}

void CPicture::StoreHeader(const SBitmapInfoHeader& head, std::uint8_t* target)
{
    StreamIO::CLittleEndian::Put32(target + 0, head.biSize);
    StreamIO::CLittleEndian::Put32(target + 4, static_cast<std::uint32_t>(head.biWidth));
    StreamIO::CLittleEndian::Put32(target + 8, static_cast<std::uint32_t>(head.biHeight));
    StreamIO::CLittleEndian::Put16(target + 12, head.biPlanes);
    StreamIO::CLittleEndian::Put16(target + 14, head.biBitCount);
    StreamIO::CLittleEndian::Put32(target + 16, head.biCompression);
    StreamIO::CLittleEndian::Put32(target + 20, head.biSizeImage);
    StreamIO::CLittleEndian::Put32(target + 24, static_cast<std::uint32_t>(head.biXPelsPerMeter));
    StreamIO::CLittleEndian::Put32(target + 28, static_cast<std::uint32_t>(head.biYPelsPerMeter));
    StreamIO::CLittleEndian::Put32(target + 32, head.biClrUsed);
    StreamIO::CLittleEndian::Put32(target + 36, head.biClrImportant);
}

bool CPicture::Encode(CPicFile* file, std::uint32_t imageType)
{
    // A sink of the caller's may throw; nothing leaves an image as an exception.
    try
    {
        return EncodeAs(file, imageType);
    }
    catch (...)
    {
        SetLastError("Encode: unexpected failure");
        return false;
    }
}

bool CPicture::EncodeAs(CPicFile* file, std::uint32_t imageType)
{
    // Each encoder works on a ghost of this image and leaves its error text with us.
    const auto encodeWith = [this](auto& encoder, auto&&... args)
    {
        encoder.Ghost(this);
        const bool ok = encoder.Encode(args...);
        if (!ok)
            SetLastError(encoder.GetLastError());
        return ok;
    };
    switch (imageType)
    {
    case IMAGE_TYPE_BMP:
    {
        CPictureBMP encoder;
        return encodeWith(encoder, file);
    }
    case IMAGE_TYPE_JPEG:
    {
        CPictureJPG encoder;
        return encodeWith(encoder, file);
    }
    case IMAGE_TYPE_PNG:
    {
        CPicturePNG encoder;
        return encodeWith(encoder, file);
    }
    case IMAGE_TYPE_JPEG2000:
    {
        CPictureJAS encoder;
        return encodeWith(encoder, file, imageType);
    }
    default:
        SetLastError("Encode: Unknown format");
        return false;
    }
}

bool CPicture::EncodeToMemory(std::uint8_t*& buffer, std::size_t& size, std::uint32_t imageType)
{
    if (buffer)
    {
        SetLastError("the buffer must be empty");
        return false;
    }
    CPicMemFile file;
    file.Open();
    if (!Encode(&file, imageType))
    {
        file.Close();
        return false;
    }
    size = static_cast<std::size_t>(file.Size());
    buffer = file.GetBuffer(true);
    return true;
}

bool CPicture::CheckEncodeArgs(CPicFile* file)
{
    if (!file)
    {
        SetLastError("null file handler");
        return true;
    }
    if (!m_dib)
    {
        SetLastError("null image!!!");
        return true;
    }
    return false;
}

void CPicture::SetLastError(const char* text)
{
    if (!text || !*text)
        return;
    std::strncpy(m_lastError, text, sizeof(m_lastError) - 1);
    m_lastError[sizeof(m_lastError) - 1] = 0;
}

const std::uint8_t* CPicture::GetRowBits(std::uint32_t row) const
{
    if (!m_dib || row >= GetHeight())
        return nullptr;
    return m_pixels + static_cast<std::size_t>(row) * m_rowStride;
}

std::uint8_t* CPicture::GetRowBits(std::uint32_t row)
{
    return const_cast<std::uint8_t*>(std::as_const(*this).GetRowBits(row));
}

const SRgbQuad* CPicture::GetPalette() const
{
    if (!m_dib || m_head.biClrUsed == 0)
        return nullptr;
    return reinterpret_cast<const SRgbQuad*>(m_dib + 40);
}

SRgbQuad* CPicture::GetPalette()
{
    return const_cast<SRgbQuad*>(std::as_const(*this).GetPalette());
}

SRgbQuad CPicture::GetPaletteColor(std::uint32_t index) const
{
    const SRgbQuad* palette = GetPalette();
    if (!palette || index >= m_head.biClrUsed)
        return SRgbQuad{};
    return palette[index];
}

bool CPicture::GetPaletteRGB(std::uint32_t index, std::uint8_t* red, std::uint8_t* green,
                             std::uint8_t* blue) const
{
    const SRgbQuad* palette = GetPalette();
    if (!palette || index >= m_head.biClrUsed)
        return false;
    *red = palette[index].rgbRed;
    *green = palette[index].rgbGreen;
    *blue = palette[index].rgbBlue;
    return true;
}

void CPicture::SetPaletteColor(std::uint32_t index, SRgbQuad colour)
{
    SRgbQuad* palette = GetPalette();
    if (palette && index < m_head.biClrUsed)
        palette[index] = colour;
}

bool CPicture::IsGrayScale() const
{
    const SRgbQuad* palette = GetPalette();
    if (!palette)
        return false;
    for (std::uint32_t i = 0; i < m_head.biClrUsed; ++i)
    {
        if (palette[i].rgbBlue != i || palette[i].rgbGreen != i || palette[i].rgbRed != i)
            return false;
    }
    return true;
}

void CPicture::SwapIndex(std::uint8_t a, std::uint8_t b)
{
    SRgbQuad* palette = GetPalette();
    if (!palette || a >= m_head.biClrUsed || b >= m_head.biClrUsed || a == b)
        return;
    std::swap(palette[a], palette[b]);
    for (long y = 0; y < static_cast<long>(GetHeight()); ++y)
    {
        for (long x = 0; x < static_cast<long>(GetWidth()); ++x)
        {
            std::uint8_t index = BlindGetPixelIndex(x, y);
            if (index == a)
                BlindSetPixelIndex(x, y, b);
            else if (index == b)
                BlindSetPixelIndex(x, y, a);
        }
    }
}

bool CPicture::IsInside(long x, long y) const
{
    return x >= 0 && y >= 0 && x < static_cast<long>(GetWidth()) && y < static_cast<long>(GetHeight());
}

std::uint8_t CPicture::GetPixelIndex(long x, long y) const
{
    if (!m_dib || m_head.biClrUsed == 0)
        return 0;
    if (!IsInside(x, y))
        return m_transIndex >= 0 ? static_cast<std::uint8_t>(m_transIndex) : *m_pixels;
    return BlindGetPixelIndex(x, y);
}

std::uint8_t CPicture::BlindGetPixelIndex(long x, long y) const
{
    const std::uint8_t* row = m_pixels + static_cast<std::size_t>(y) * m_rowStride;
    switch (m_head.biBitCount)
    {
    case 8:
        return row[x];
    case 4:
        return (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
    case 1:
        return (row[x >> 3] >> (7 - (x & 7))) & 1;
    default:
        return 0;
    }
}

void CPicture::BlindSetPixelIndex(long x, long y, std::uint8_t index)
{
    std::uint8_t* row = m_pixels + static_cast<std::size_t>(y) * m_rowStride;
    switch (m_head.biBitCount)
    {
    case 8:
        row[x] = index;
        break;
    case 4:
    {
        std::uint8_t& b = row[x >> 1];
        b = (x & 1) ? static_cast<std::uint8_t>((b & 0xF0) | (index & 0x0F))
                    : static_cast<std::uint8_t>((b & 0x0F) | ((index & 0x0F) << 4));
        break;
    }
    case 1:
    {
        std::uint8_t mask = static_cast<std::uint8_t>(0x80 >> (x & 7));
        std::uint8_t& b = row[x >> 3];
        b = (index & 1) ? static_cast<std::uint8_t>(b | mask) : static_cast<std::uint8_t>(b & ~mask);
        break;
    }
    default:
        break;
    }
}

SRgbQuad CPicture::GetPixelColor(long x, long y, bool withAlpha) const
{
    if (!m_dib)
        return SRgbQuad{};
    if (!IsInside(x, y))
    {
        if (m_transIndex < 0)
            return GetPixelColor(0, 0, withAlpha);
        if (m_head.biBitCount < 24)
            return GetPaletteColor(static_cast<std::uint32_t>(m_transIndex));
        return m_background;
    }
    SRgbQuad colour;
    if (m_head.biClrUsed)
        colour = GetPaletteColor(BlindGetPixelIndex(x, y));
    else
    {
        const std::uint8_t* p = m_pixels + static_cast<std::size_t>(y) * m_rowStride + 3 * x;
        colour.rgbBlue = p[0];
        colour.rgbGreen = p[1];
        colour.rgbRed = p[2];
        colour.rgbReserved = m_background.rgbReserved;
    }
    if (withAlpha && m_alpha)
        colour.rgbReserved = BlindAlphaGet(x, y);
    return colour;
}

SRgbQuad CPicture::BlindGetPixelColor(long x, long y, bool withAlpha) const
{
    SRgbQuad colour;
    if (m_head.biClrUsed)
        colour = GetPaletteColor(BlindGetPixelIndex(x, y));
    else
    {
        const std::uint8_t* p = m_pixels + static_cast<std::size_t>(y) * m_rowStride + 3 * x;
        colour.rgbBlue = p[0];
        colour.rgbGreen = p[1];
        colour.rgbRed = p[2];
    }
    colour.rgbReserved = (withAlpha && m_alpha) ? BlindAlphaGet(x, y) : 0;
    return colour;
}

SRgbQuad CPicture::GetTransColor() const
{
    if (m_head.biBitCount < 24 && m_transIndex >= 0)
        return GetPaletteColor(static_cast<std::uint32_t>(m_transIndex));
    return m_background;
}

void CPicture::RGBtoBGR(std::uint8_t* buffer, std::size_t length) const
{
    if (!buffer || m_head.biClrUsed != 0)
        return;
    std::size_t n = length;
    if (n > m_rowStride)
        n = m_rowStride;
    if (n > 3 * static_cast<std::size_t>(GetWidth()))
        n = 3 * static_cast<std::size_t>(GetWidth());
    for (std::size_t i = 0; i + 2 < n; i += 3)
        std::swap(buffer[i], buffer[i + 2]);
}

void CPicture::SetXDPI(long dpi)
{
    if (dpi <= 0)
        dpi = 96;
    m_xDpi = dpi;
    m_head.biXPelsPerMeter = DpiToPelsPerMeter(dpi);
    if (m_dib)
        StoreHeader(m_head, m_dib);
}

void CPicture::SetYDPI(long dpi)
{
    if (dpi <= 0)
        dpi = 96;
    m_yDpi = dpi;
    m_head.biYPelsPerMeter = DpiToPelsPerMeter(dpi);
    if (m_dib)
        StoreHeader(m_head, m_dib);
}

std::uint8_t CPicture::GetQuality() const
{
    return static_cast<std::uint8_t>(static_cast<long>(std::lround(m_quality)) & 0xFF);
}

namespace
{
// Format slot of an image type: 0 unknown, 1 BMP, 2 JPEG, 3 PNG, 4 JPEG-2000.
std::uint32_t CodecSlot(std::uint32_t imageType)
{
    switch (imageType)
    {
    case IMAGE_TYPE_BMP:
        return 1;
    case IMAGE_TYPE_JPEG:
        return 2;
    case IMAGE_TYPE_PNG:
        return 3;
    case IMAGE_TYPE_JPEG2000:
        return 4;
    default:
        return 0;
    }
}
} // namespace

std::uint32_t CPicture::GetCodecOption(std::uint32_t imageType) const
{
    return m_codecOptions[CodecSlot(imageType == IMAGE_TYPE_UNKNOWN ? m_type : imageType)];
}

void CPicture::SetCodecOption(std::uint32_t option, std::uint32_t imageType)
{
    m_codecOptions[CodecSlot(imageType == IMAGE_TYPE_UNKNOWN ? m_type : imageType)] = option;
}

bool CPicture::AlphaCreate()
{
    if (!m_dib || m_ghostSource)
        return false;
    if (!m_alpha)
    {
        const std::size_t n = static_cast<std::size_t>(GetWidth()) * GetHeight();
        m_alpha = static_cast<std::uint8_t*>(std::malloc(n));
        if (!m_alpha)
            return false;
        std::memset(m_alpha, 255, n);
    }
    return true;
}

void CPicture::AlphaDelete()
{
    if (m_ghostSource)
        return;
    std::free(m_alpha);
    m_alpha = nullptr;
}

std::uint8_t CPicture::AlphaGet(long x, long y) const
{
    if (!m_alpha || !IsInside(x, y))
        return 0;
    return BlindAlphaGet(x, y);
}

void CPicture::AlphaSet(long x, long y, std::uint8_t level)
{
    if (m_alpha && IsInside(x, y))
        m_alpha[x + y * static_cast<long>(GetWidth())] = level;
}

const std::uint8_t* CPicture::AlphaGetPointer(long x, long y) const
{
    if (!m_alpha || !IsInside(x, y))
        return nullptr;
    return m_alpha + x + y * static_cast<long>(GetWidth());
}

std::uint8_t* CPicture::AlphaGetPointer(long x, long y)
{
    return const_cast<std::uint8_t*>(std::as_const(*this).AlphaGetPointer(x, y));
}
