#include "export/PicturePNG.h"

#include "export/PicFile.h"

#include <png.h>

#include <csetjmp>
#include <cstdlib>
#include <cstring>

// Everything that must survive a libpng error jump lives here, outside the
// frame that calls setjmp.
struct CPicturePNG::SState
{
    CPicFile* file = nullptr;
    png_color* palette = nullptr;
    std::uint8_t* row = nullptr;
    bool swapped = false;
    std::uint8_t swappedIndex = 0;
};

namespace
{
void OnError(png_structp png, png_const_charp)
{
    // The caller reports its own text; the library's is not shown anywhere.
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp)
{
}

void OnWrite(png_structp png, png_bytep data, png_size_t length)
{
    auto* file = static_cast<CPicFile*>(png_get_io_ptr(png));
    if (file->Write(data, 1, length) != length)
        png_error(png, "Write Error");
}

void OnFlush(png_structp png)
{
    auto* file = static_cast<CPicFile*>(png_get_io_ptr(png));
    if (!file->Flush())
        png_error(png, "Flush Error");
}
} // namespace

bool CPicturePNG::Encode(CPicFile* file)
{
    if (CheckEncodeArgs(file))
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (!png)
    {
        SetLastError("Failed to create PNG structure");
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (!info)
    {
        png_destroy_write_struct(&png, nullptr);
        SetLastError("Failed to initialize PNG info structure");
        return false;
    }
    SState state;
    state.file = file;
    const bool ok = WriteImage(png, info, state);
    if (state.swapped)
        SwapIndex(0, state.swappedIndex);
    std::free(state.palette);
    std::free(state.row);
    png_destroy_write_struct(&png, &info);
    if (!ok)
        SetLastError("Error saving PNG file");
    return ok;
}

bool CPicturePNG::WriteImage(void* pngHandle, void* infoHandle, SState& state)
{
    auto png = static_cast<png_structp>(pngHandle);
    auto info = static_cast<png_infop>(infoHandle);
    if (setjmp(png_jmpbuf(png)))
        return false;

    png_set_write_fn(png, state.file, OnWrite, OnFlush);
    // The library's default cap of a million pixels a side is meant for
    // readers; a tall export of many series may pass it.
    png_set_user_limits(png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);

    const bool hasPalette = GetPalette() != nullptr;
    const bool grey = hasPalette && IsGrayScale();
    int channels = hasPalette ? 1 : 3;
    int bitDepth = GetBpp() / channels;
    int colourType = hasPalette ? (grey ? PNG_COLOR_TYPE_GRAY : PNG_COLOR_TYPE_PALETTE) : PNG_COLOR_TYPE_RGB;
    const bool alpha = AlphaIsValid();
    if (alpha)
    {
        colourType |= PNG_COLOR_MASK_ALPHA;
        ++channels;
        bitDepth = 8;
    }
    const int interlace = GetCodecOption(IMAGE_TYPE_PNG) == 1 ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE;

    png_color_16 background{};
    background.red = background.green = background.blue = 255;
    background.gray = 0;
    const int transIndex = GetTransIndex();
    const SRgbQuad transColour = GetTransColor();
    if (transIndex >= 0)
    {
        background.red = transColour.rgbRed;
        background.green = transColour.rgbGreen;
        background.blue = transColour.rgbBlue;
    }
    png_set_bKGD(png, info, &background);
    png_set_pHYs(png, info, static_cast<png_uint_32>(Header().biXPelsPerMeter),
                 static_cast<png_uint_32>(Header().biYPelsPerMeter), PNG_RESOLUTION_METER);
    png_set_IHDR(png, info, GetWidth(), GetHeight(), bitDepth, colourType, interlace,
                 PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);

    if (transIndex >= 0)
    {
        png_color_16 trans{};
        trans.index = 0;
        trans.red = transColour.rgbRed;
        trans.green = transColour.rgbGreen;
        trans.blue = transColour.rgbBlue;
        trans.gray = static_cast<png_uint_16>(transIndex);
        if (hasPalette && !grey)
        {
            // The single transparency entry names palette entry 0, so the
            // transparent colour is moved there while the rows are written.
            static png_byte fullyTransparent = 0;
            if (transIndex != 0 && static_cast<std::uint32_t>(transIndex) < GetNumColors())
            {
                SwapIndex(0, static_cast<std::uint8_t>(transIndex));
                state.swapped = true;
                state.swappedIndex = static_cast<std::uint8_t>(transIndex);
            }
            png_set_tRNS(png, info, &fullyTransparent, 1, nullptr);
        }
        else if (!alpha)
            png_set_tRNS(png, info, nullptr, 0, &trans);
    }

    if (hasPalette)
    {
        std::uint32_t count = GetClrImportant() ? GetClrImportant() : GetNumColors();
        if (count > GetNumColors())
            count = GetNumColors();
        state.palette = static_cast<png_color*>(std::malloc(count * sizeof(png_color)));
        if (!state.palette)
            return false;
        for (std::uint32_t i = 0; i < count; ++i)
        {
            const SRgbQuad c = GetPaletteColor(i);
            state.palette[i].red = c.rgbRed;
            state.palette[i].green = c.rgbGreen;
            state.palette[i].blue = c.rgbBlue;
        }
        if (!grey)
            png_set_PLTE(png, info, state.palette, static_cast<int>(count));
    }

    if (alpha && !hasPalette && transIndex >= 0)
    {
        for (long y = 0; y < static_cast<long>(GetHeight()); ++y)
            for (long x = 0; x < static_cast<long>(GetWidth()); ++x)
            {
                const SRgbQuad c = BlindGetPixelColor(x, y, false);
                if (c.rgbRed == transColour.rgbRed && c.rgbGreen == transColour.rgbGreen &&
                    c.rgbBlue == transColour.rgbBlue)
                    AlphaSet(x, y, 0);
            }
    }

    std::size_t rowBytes = static_cast<std::size_t>(bitDepth / 8) * channels * GetWidth();
    if (rowBytes < GetRowStride())
        rowBytes = GetRowStride();
    state.row = static_cast<std::uint8_t*>(std::malloc(rowBytes));
    if (!state.row)
        return false;

    png_write_info(png, info);
    const int passes = png_set_interlace_handling(png);
    for (int pass = 0; pass < passes; ++pass)
    {
        for (long y = static_cast<long>(GetHeight()) - 1; y >= 0; --y)
        {
            if (alpha)
            {
                std::uint8_t* p = state.row;
                for (long x = 0; x < static_cast<long>(GetWidth()); ++x)
                {
                    if (hasPalette)
                        *p++ = BlindGetPixelIndex(x, y);
                    else
                    {
                        const SRgbQuad c = BlindGetPixelColor(x, y, false);
                        *p++ = c.rgbRed;
                        *p++ = c.rgbGreen;
                        *p++ = c.rgbBlue;
                    }
                    *p++ = BlindAlphaGet(x, y);
                }
            }
            else
            {
                std::memcpy(state.row, GetRowBits(static_cast<std::uint32_t>(y)), GetRowStride());
                if (colourType == PNG_COLOR_TYPE_RGB)
                    RGBtoBGR(state.row, rowBytes);
            }
            png_write_row(png, state.row);
        }
    }
    png_write_end(png, info);
    return true;
}
