#include "export/PictureJAS.h"

#include "export/PicFile.h"

#include <openjpeg.h>

#include <cstdio>

namespace
{
OPJ_SIZE_T OnRead(void* buffer, OPJ_SIZE_T n, void* user)
{
    const std::size_t got = static_cast<CPicFile*>(user)->Read(buffer, 1, n);
    return got ? got : static_cast<OPJ_SIZE_T>(-1);
}

OPJ_SIZE_T OnWrite(void* buffer, OPJ_SIZE_T n, void* user)
{
    const std::size_t written = static_cast<CPicFile*>(user)->Write(buffer, 1, n);
    return written == n ? written : static_cast<OPJ_SIZE_T>(-1);
}

OPJ_OFF_T OnSkip(OPJ_OFF_T n, void* user)
{
    return static_cast<CPicFile*>(user)->Seek(static_cast<long>(n), 1) ? n : -1;
}

OPJ_BOOL OnSeek(OPJ_OFF_T n, void* user)
{
    return static_cast<CPicFile*>(user)->Seek(static_cast<long>(n), 0) ? OPJ_TRUE : OPJ_FALSE;
}

void OnMessage(const char*, void*)
{
}

// Releases what one encode made, also after a failure.
struct SResources
{
    opj_image_t* image = nullptr;
    opj_codec_t* codec = nullptr;
    opj_stream_t* stream = nullptr;
    ~SResources()
    {
        if (stream)
            opj_stream_destroy(stream);
        if (codec)
            opj_destroy_codec(codec);
        if (image)
            opj_image_destroy(image);
    }
};
} // namespace

bool CPictureJAS::Encode(CPicFile* file, std::uint32_t imageType)
{
    if (CheckEncodeArgs(file))
        return false;
    const bool grey = GetPalette() != nullptr;
    if (grey && !IsGrayScale())
    {
        SetLastError("JasPer can save only RGB or GrayScale images");
        return false;
    }

    SResources res;
    res.stream = opj_stream_create(OPJ_J2K_STREAM_CHUNK_SIZE, OPJ_FALSE);
    if (!res.stream)
    {
        SetLastError("error: cannot open standard output");
        return false;
    }
    opj_stream_set_user_data(res.stream, file, nullptr);
    opj_stream_set_read_function(res.stream, OnRead);
    opj_stream_set_write_function(res.stream, OnWrite);
    opj_stream_set_skip_function(res.stream, OnSkip);
    opj_stream_set_seek_function(res.stream, OnSeek);

    const int components = grey ? 1 : 3;
    opj_image_cmptparm_t parms[3] = {};
    for (int c = 0; c < components; ++c)
    {
        parms[c].dx = parms[c].dy = 1;
        parms[c].w = GetWidth();
        parms[c].h = GetHeight();
        parms[c].x0 = parms[c].y0 = 0;
        parms[c].prec = 8;
        parms[c].sgnd = 0;
    }
    res.image = opj_image_create(static_cast<OPJ_UINT32>(components), parms,
                                 grey ? OPJ_CLRSPC_GRAY : OPJ_CLRSPC_SRGB);
    if (!res.image)
    {
        SetLastError("error : jas_image_create");
        return false;
    }
    res.image->x0 = res.image->y0 = 0;
    res.image->x1 = GetWidth();
    res.image->y1 = GetHeight();
    for (int c = 0; c < components; ++c)
    {
        if (!res.image->comps[c].data)
        {
            SetLastError("error : can't allocate memory");
            return false;
        }
    }

    const std::size_t width = GetWidth();
    for (std::uint32_t y = 0; y < GetHeight(); ++y)
    {
        const std::size_t outRow = static_cast<std::size_t>(GetHeight() - 1 - y) * width;
        for (std::size_t x = 0; x < width; ++x)
        {
            if (grey)
                res.image->comps[0].data[outRow + x] =
                    GetPixelIndex(static_cast<long>(x), static_cast<long>(y));
            else
            {
                const SRgbQuad c = GetPixelColor(static_cast<long>(x), static_cast<long>(y), true);
                res.image->comps[0].data[outRow + x] = c.rgbRed;
                res.image->comps[1].data[outRow + x] = c.rgbGreen;
                res.image->comps[2].data[outRow + x] = c.rgbBlue;
            }
        }
    }

    // JP2 is the one format asked for; any other id has no format name.
    if (imageType != IMAGE_TYPE_JPEG2000)
    {
        SetLastError("error: cannot encode image");
        return false;
    }
    opj_cparameters_t parameters;
    opj_set_default_encoder_parameters(&parameters);
    // The rate is the coded size as a fraction of the raw size; OpenJPEG takes
    // the inverse, a compression ratio (1 and below mean lossless).
    const double rate = GetQuality() / 100.0;
    parameters.tcp_numlayers = 1;
    parameters.cp_disto_alloc = 1;
    parameters.tcp_rates[0] = rate > 0.0 && rate < 1.0 ? static_cast<float>(1.0 / rate) : 0.0f;
    // Small images get fewer wavelet levels: each level halves the smaller side.
    std::uint32_t side = GetWidth() < GetHeight() ? GetWidth() : GetHeight();
    int levels = 1;
    while (levels < parameters.numresolution && (side >>= 1) > 0)
        ++levels;
    parameters.numresolution = levels;

    res.codec = opj_create_compress(OPJ_CODEC_JP2);
    if (!res.codec)
    {
        SetLastError("error: cannot encode image");
        return false;
    }
    opj_set_info_handler(res.codec, OnMessage, nullptr);
    opj_set_warning_handler(res.codec, OnMessage, nullptr);
    opj_set_error_handler(res.codec, OnMessage, nullptr);
    if (!opj_setup_encoder(res.codec, &parameters, res.image) ||
        !opj_start_compress(res.codec, res.image, res.stream) || !opj_encode(res.codec, res.stream) ||
        !opj_end_compress(res.codec, res.stream))
    {
        SetLastError("error: cannot encode image");
        return false;
    }
    file->Flush();
    return true;
}
