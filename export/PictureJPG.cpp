#include "export/PictureJPG.h"

#include "export/PicFile.h"
#include "export/PicJpegSections.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jerror.h>
#include <jpeglib.h>

namespace
{
constexpr std::size_t kBlockSize = 4096;

struct SErrorManager
{
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char* lastError;
};

struct SDestination
{
    jpeg_destination_mgr pub;
    CPicFile* file;
    JOCTET* buffer;
};

void OnErrorExit(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<SErrorManager*>(cinfo->err);
    char message[JMSG_LENGTH_MAX];
    cinfo->err->format_message(cinfo, message);
    std::strncpy(err->lastError, message, 255);
    err->lastError[255] = 0;
    std::longjmp(err->jump, 1);
}

void OnOutputMessage(j_common_ptr)
{
}

void OnInitDestination(j_compress_ptr cinfo)
{
    auto* dest = reinterpret_cast<SDestination*>(cinfo->dest);
    dest->pub.next_output_byte = dest->buffer;
    dest->pub.free_in_buffer = kBlockSize;
}

boolean OnEmptyBuffer(j_compress_ptr cinfo)
{
    auto* dest = reinterpret_cast<SDestination*>(cinfo->dest);
    if (dest->file->Write(dest->buffer, 1, kBlockSize) != kBlockSize)
        ERREXIT(cinfo, JERR_FILE_WRITE);
    dest->pub.next_output_byte = dest->buffer;
    dest->pub.free_in_buffer = kBlockSize;
    return TRUE;
}

void OnTermDestination(j_compress_ptr cinfo)
{
    auto* dest = reinterpret_cast<SDestination*>(cinfo->dest);
    const std::size_t count = kBlockSize - dest->pub.free_in_buffer;
    // A file whose length is a whole number of blocks leaves nothing here;
    // that is no write failure.
    if (count > 0 && dest->file->Write(dest->buffer, 1, count) != count)
        ERREXIT(cinfo, JERR_FILE_WRITE);
    dest->file->Flush();
    if (dest->file->Error())
        ERREXIT(cinfo, JERR_FILE_WRITE);
}
} // namespace

struct CPictureJPG::SState
{
    jpeg_compress_struct cinfo;
    SErrorManager error;
    SDestination destination;
    std::uint8_t* row = nullptr;
    bool created = false;
};

bool CPictureJPG::Encode(CPicFile* file)
{
    if (CheckEncodeArgs(file))
        return false;
    if (GetPalette() && !IsGrayScale())
    {
        SetLastError("JPEG can save only RGB or GreyScale images");
        return false;
    }
    auto* state = static_cast<SState*>(std::calloc(1, sizeof(SState)));
    if (!state)
    {
        SetLastError("CPictureJPG::Encode : can't allocate memory");
        return false;
    }
    char message[256] = {};
    state->error.lastError = message;
    state->destination.file = file;
    const long start = file->Tell();
    const bool ok = Compress(*state);
    if (state->created)
        jpeg_destroy_compress(&state->cinfo);
    std::free(state->row);
    std::free(state->destination.buffer);
    std::free(state);
    if (!ok)
    {
        SetLastError(message);
        return false;
    }
    return InsertExif(file, start);
}

bool CPictureJPG::InsertExif(CPicFile* file, long start)
{
    if (!m_sections || !m_sections->HasExifBlock())
        return true;
    m_sections->DiscardAllButExif();
    // The file is read back behind the held EXIF and comment sections and
    // written over itself. The EXIF section is longer than the JFIF header it
    // replaces, so nothing of the first writing is left beyond the end.
    if (!file->Seek(start, 0) || !m_sections->DecodeExif(file, CPicJpegSections::READ_IMAGE) ||
        !file->Seek(start, 0) || !m_sections->EncodeExif(file))
    {
        SetLastError("Can't write exif");
        SetLastError(m_sections->GetLastError());
        return false;
    }
    return true;
}

bool CPictureJPG::Compress(SState& state)
{
    jpeg_compress_struct& cinfo = state.cinfo;
    cinfo.err = jpeg_std_error(&state.error.pub);
    state.error.pub.error_exit = OnErrorExit;
    state.error.pub.output_message = OnOutputMessage;
    if (setjmp(state.error.jump))
        return false;

    jpeg_create_compress(&cinfo);
    state.created = true;

    state.destination.buffer = static_cast<JOCTET*>(std::malloc(kBlockSize));
    if (!state.destination.buffer)
        ERREXIT1(&cinfo, JERR_OUT_OF_MEMORY, 0);
    state.destination.pub.init_destination = OnInitDestination;
    state.destination.pub.empty_output_buffer = OnEmptyBuffer;
    state.destination.pub.term_destination = OnTermDestination;
    cinfo.dest = &state.destination.pub;

    const bool grey = GetPalette() != nullptr;
    cinfo.image_width = GetWidth();
    cinfo.image_height = GetHeight();
    cinfo.input_components = grey ? 1 : 3;
    cinfo.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;

    const std::uint32_t options = GetCodecOption(IMAGE_TYPE_JPEG);
    jpeg_set_defaults(&cinfo);
    if (options & JPEG_ARITHMETIC)
        cinfo.arith_code = TRUE;
    if (options & JPEG_OPTIMIZE)
        cinfo.optimize_coding = TRUE;
    if (options & JPEG_GREYSCALE)
        jpeg_set_colorspace(&cinfo, JCS_GRAYSCALE);
    if (options & JPEG_SMOOTHING)
        cinfo.smoothing_factor = 50;
    jpeg_set_quality(&cinfo, GetQuality(), (options & JPEG_BASELINE) ? TRUE : FALSE);
    if (options & JPEG_PROGRESSIVE)
        jpeg_simple_progression(&cinfo);
    // Component 0 gets its factors also when it is the only one (grey).
    cinfo.comp_info[0].h_samp_factor = 2;
    cinfo.comp_info[0].v_samp_factor = 2;
    if (options & JPEG_SUBSAMPLE_422)
        cinfo.comp_info[0].v_samp_factor = 1;
    if (options & JPEG_SUBSAMPLE_444)
        cinfo.comp_info[0].h_samp_factor = cinfo.comp_info[0].v_samp_factor = 1;
    for (int c = 1; c < 3 && c < cinfo.num_components; ++c)
        cinfo.comp_info[c].h_samp_factor = cinfo.comp_info[c].v_samp_factor = 1;
    cinfo.density_unit = 1;
    cinfo.X_density = static_cast<UINT16>(GetXDPI());
    cinfo.Y_density = static_cast<UINT16>(GetYDPI());

    jpeg_start_compress(&cinfo, TRUE);

    // One sample a pixel for grey images: packed 1- and 4-bit rows are spread
    // out, since the library reads a full byte for every pixel.
    const std::size_t sampleBytes = static_cast<std::size_t>(GetWidth()) * (grey ? 1 : 3);
    std::size_t rowBytes = GetRowStride() + 8;
    if (rowBytes < sampleBytes)
        rowBytes = sampleBytes;
    state.row = static_cast<std::uint8_t*>(std::malloc(rowBytes));
    if (!state.row)
        ERREXIT1(&cinfo, JERR_OUT_OF_MEMORY, 1);
    while (cinfo.next_scanline < cinfo.image_height)
    {
        const long y = static_cast<long>(GetHeight() - 1 - cinfo.next_scanline);
        if (grey && GetBpp() < 8)
        {
            for (long x = 0; x < static_cast<long>(GetWidth()); ++x)
                state.row[x] = BlindGetPixelIndex(x, y);
        }
        else
        {
            std::memcpy(state.row, GetRowBits(static_cast<std::uint32_t>(y)), GetRowStride());
            if (!grey)
                RGBtoBGR(state.row, GetRowStride());
        }
        JSAMPROW rows[1] = {state.row};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    return true;
}
