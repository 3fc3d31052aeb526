#pragma once
// JPEG encoder over the IJG library (libjpeg-turbo): baseline, 2x2 luma
// subsampling and a JFIF density in dots per inch unless option bits say
// otherwise.

#include "export/Picture.h"

class CPictureJPG : public CPicture
{
public:
    /// Codec option bits of the JPEG slot.
    enum NJpegOption : std::uint32_t
    {
        JPEG_BASELINE = 0x1,
        JPEG_ARITHMETIC = 0x2,
        JPEG_GREYSCALE = 0x4,
        JPEG_OPTIMIZE = 0x8,
        JPEG_PROGRESSIVE = 0x10,
        JPEG_SMOOTHING = 0x40,
        JPEG_SUBSAMPLE_422 = 0x1000,
        JPEG_SUBSAMPLE_444 = 0x2000,
    };

    CPictureJPG() : CPicture(IMAGE_TYPE_JPEG) {}

    /// Writes the image as a JPEG file; false with the library's message (or
    /// our own text) as last error.
    bool Encode(CPicFile* file);

private:
    struct SState;
    bool Compress(SState& state);
};
