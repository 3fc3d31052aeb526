#pragma once
// One device-independent bitmap in memory and its encoding into BMP, PNG,
// JPEG or JPEG-2000 through a byte sink. No operation lets an exception out:
// failures return false or null and leave a text in GetLastError().

#include "export/DibTypes.h"

#include <cstddef>
#include <cstdint>

class CPicFile;

/// Type ids of the encoders.
enum NImageType : std::uint32_t
{
    IMAGE_TYPE_UNKNOWN = 0,
    IMAGE_TYPE_BMP = 1,
    IMAGE_TYPE_JPEG = 3,
    IMAGE_TYPE_PNG = 4,
    IMAGE_TYPE_JPEG2000 = 11,
};

class CPicture
{
public:
    explicit CPicture(std::uint32_t imageType = IMAGE_TYPE_UNKNOWN);
    virtual ~CPicture();
    CPicture(const CPicture&) = delete;
    CPicture& operator=(const CPicture&) = delete;

    /// Allocates a zero-filled image of width x height pixels with 1, 4, 8 or
    /// 24 bits per pixel (bitCount is rounded up to one of them); the DIB block,
    /// or null. Refuses sizes whose storage cannot be addressed.
    std::uint8_t* Create(std::uint32_t width, std::uint32_t height, std::uint32_t bitCount,
                         std::uint32_t imageType);
    /// Makes this image share the source's pixels (a ghost); null changes nothing.
    void Ghost(const CPicture* source);
    /// Frees the owned buffers; false for a ghost.
    bool Destroy();
    bool IsValid() const { return m_dib != nullptr; }

    /// Encodes into the sink as BMP (1), JPEG (3), PNG (4) or JPEG-2000 (11).
    bool Encode(CPicFile* file, std::uint32_t imageType);
    /// Encodes into a new C-heap buffer handed out with its size (free with
    /// std::free). buffer must be null on entry; on failure it stays null.
    bool EncodeToMemory(std::uint8_t*& buffer, std::size_t& size, std::uint32_t imageType);

    std::uint32_t GetWidth() const { return static_cast<std::uint32_t>(m_head.biWidth); }
    std::uint32_t GetHeight() const { return static_cast<std::uint32_t>(m_head.biHeight); }
    std::uint16_t GetBpp() const { return m_head.biBitCount; }
    std::uint32_t GetNumColors() const { return m_head.biClrUsed; }
    std::uint32_t GetClrImportant() const { return m_head.biClrImportant; }
    std::uint32_t GetRowStride() const { return m_rowStride; }
    std::uint32_t GetType() const { return m_type; }
    /// First byte of a row, 0 being the bottom row; null outside. Read-only
    /// through a const image; the non-const overload is for the writer.
    const std::uint8_t* GetRowBits(std::uint32_t row) const;
    std::uint8_t* GetRowBits(std::uint32_t row);
    const SRgbQuad* GetPalette() const;
    SRgbQuad* GetPalette();
    std::uint32_t GetPaletteSize() const { return m_head.biClrUsed * 4; }
    /// Length of the DIB block: header, palette and pixel rows.
    std::uint32_t GetSize() const { return 40 + GetPaletteSize() + m_head.biSizeImage; }
    SRgbQuad GetPaletteColor(std::uint32_t index) const;
    bool GetPaletteRGB(std::uint32_t index, std::uint8_t* red, std::uint8_t* green, std::uint8_t* blue) const;
    void SetPaletteColor(std::uint32_t index, SRgbQuad colour);
    bool IsGrayScale() const;
    void SwapIndex(std::uint8_t a, std::uint8_t b);
    bool IsInside(long x, long y) const;
    std::uint8_t GetPixelIndex(long x, long y) const;
    std::uint8_t BlindGetPixelIndex(long x, long y) const;
    void BlindSetPixelIndex(long x, long y, std::uint8_t index);
    SRgbQuad GetPixelColor(long x, long y, bool withAlpha = true) const;
    SRgbQuad BlindGetPixelColor(long x, long y, bool withAlpha = true) const;
    SRgbQuad GetTransColor() const;
    /// Transparent palette index, -1 for none.
    void SetTransIndex(int index) { m_transIndex = index; }
    int GetTransIndex() const { return m_transIndex; }
    /// Swaps the first and third byte of each pixel of a 24-bit row buffer.
    void RGBtoBGR(std::uint8_t* buffer, std::size_t length) const;

    long GetXDPI() const { return m_xDpi; }
    long GetYDPI() const { return m_yDpi; }
    void SetXDPI(long dpi);
    void SetYDPI(long dpi);
    void SetQuality(std::uint8_t quality) { m_quality = quality; }
    std::uint8_t GetQuality() const;
    std::uint32_t GetCodecOption(std::uint32_t imageType = IMAGE_TYPE_UNKNOWN) const;
    void SetCodecOption(std::uint32_t option, std::uint32_t imageType = IMAGE_TYPE_UNKNOWN);
    const char* GetLastError() const { return m_lastError; }

    /// Adds a fully opaque alpha plane (one byte a pixel); false without image or memory.
    bool AlphaCreate();
    bool AlphaIsValid() const { return m_alpha != nullptr; }
    void AlphaDelete();
    std::uint8_t AlphaGet(long x, long y) const;
    void AlphaSet(long x, long y, std::uint8_t level);
    const std::uint8_t* AlphaGetPointer(long x, long y) const;
    std::uint8_t* AlphaGetPointer(long x, long y);
    std::uint8_t BlindAlphaGet(long x, long y) const
    {
        return m_alpha[x + y * static_cast<long>(GetWidth())];
    }

    /// Stores a header as the 40 little-endian bytes of a BMP file.
    static void StoreHeader(const SBitmapInfoHeader& head, std::uint8_t* target);

protected:
    /// True (and a last-error text) when the sink or the image is missing.
    bool CheckEncodeArgs(CPicFile* file);
    void SetLastError(const char* text);
    const SBitmapInfoHeader& Header() const { return m_head; }
    std::uint8_t* DibBlock() const { return m_dib; }

private:
    static std::int32_t DpiToPelsPerMeter(long dpi);
    bool EncodeAs(CPicFile* file, std::uint32_t imageType);

    // The working header and the info block; a ghost copies them.
    SBitmapInfoHeader m_head;
    std::uint8_t* m_dib = nullptr;
    std::uint32_t m_rowStride = 0;
    std::uint8_t* m_pixels = nullptr;
    const CPicture* m_ghostSource = nullptr;
    std::uint32_t m_type = IMAGE_TYPE_UNKNOWN;
    char m_lastError[256] = {};
    int m_transIndex = -1;
    SRgbQuad m_background;
    float m_quality = 90.0f;
    long m_xDpi = 96;
    long m_yDpi = 96;
    std::uint32_t m_codecOptions[5] = {};
    std::uint8_t* m_alpha = nullptr;
};
