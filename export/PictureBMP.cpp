#include "export/PictureBMP.h"
#include "streams/LittleEndian.h"

#include "export/PicFile.h"

#include <cstring>
#include <memory>
#include <new>

namespace
{
constexpr char kWriteError[] = "CPictureBMP::Encode : write error";

void StoreFileHeader(std::uint8_t* p, std::uint32_t fileSize, std::uint32_t pixelOffset)
{
    StreamIO::CLittleEndian::Put16(p, 0x4D42); // "BM"
    StreamIO::CLittleEndian::Put32(p + 2, fileSize);
    StreamIO::CLittleEndian::Put16(p + 6, 0);
    StreamIO::CLittleEndian::Put16(p + 8, 0);
    StreamIO::CLittleEndian::Put32(p + 10, pixelOffset);
}
} // namespace

bool CPictureBMP::Encode(CPicFile* file)
{
    if (CheckEncodeArgs(file))
        return false;

    std::uint8_t fileHeader[14];
    const std::uint32_t pixelOffset = 14 + 40 + GetPaletteSize();

    if (GetPalette() || !AlphaIsValid())
    {
        StoreFileHeader(fileHeader, GetSize() + 14, pixelOffset);
        StoreHeader(Header(), DibBlock());
        if (file->Write(fileHeader, 14, 1) != 1 || file->Write(DibBlock(), GetSize(), 1) != 1)
        {
            SetLastError(kWriteError);
            return false;
        }
        return true;
    }

    // 24-bit pixels with an alpha plane go out as 32-bit pixels.
    SBitmapInfoHeader head = Header();
    const std::uint64_t imageSize = static_cast<std::uint64_t>(GetWidth()) * 4 * GetHeight();
    if (imageSize + 40 + 14 > 0xFFFFFFFFull)
    {
        SetLastError("CPictureBMP::Encode : image too large");
        return false;
    }
    head.biBitCount = 32;
    head.biCompression = 0;
    head.biSizeImage = static_cast<std::uint32_t>(imageSize);
    StoreFileHeader(fileHeader, head.biSizeImage + 40 + 14, pixelOffset);
    std::uint8_t infoHeader[40];
    StoreHeader(head, infoHeader);
    if (file->Write(fileHeader, 14, 1) != 1 || file->Write(infoHeader, 40, 1) != 1)
    {
        SetLastError(kWriteError);
        return false;
    }
    const std::size_t rowBytes = static_cast<std::size_t>(GetWidth()) * 4;
    std::unique_ptr<std::uint8_t[]> row(new (std::nothrow) std::uint8_t[rowBytes]);
    if (!row)
    {
        SetLastError("CPictureBMP::Encode : can't allocate memory");
        return false;
    }
    for (std::uint32_t y = 0; y < GetHeight(); ++y)
    {
        const std::uint8_t* src = GetRowBits(y);
        std::uint8_t* dst = row.get();
        for (std::uint32_t x = 0; x < GetWidth(); ++x)
        {
            std::memcpy(dst, src + 3 * static_cast<std::size_t>(x), 3);
            dst[3] = BlindAlphaGet(static_cast<long>(x), static_cast<long>(y));
            dst += 4;
        }
        if (file->Write(row.get(), rowBytes, 1) != 1)
        {
            SetLastError(kWriteError);
            return false;
        }
    }
    return true;
}
