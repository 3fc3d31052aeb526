#pragma once
// JPEG encoder over the IJG library (libjpeg-turbo): baseline, 2x2 luma
// subsampling and a JFIF density in dots per inch unless option bits say
// otherwise.

#include "export/ExifInfo.h"
#include "export/Picture.h"

class CPicJpegSections;

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
    /// our own text) as last error. With sections attached that hold an EXIF
    /// block, the file carries that block (and their comment) in front.
    bool Encode(CPicFile* file);

    /// Attaches a sections object (not owned; null detaches). Encoding trims
    /// it to its EXIF and comment sections and then reads the new file into it.
    void SetJpegSections(CPicJpegSections* sections) { m_sections = sections; }
    /// A record of the encoder's own, for a sections object to fill.
    SExifInfo& GetExifInfo() { return m_exifInfo; }

private:
    struct SState;
    bool Compress(SState& state);
    /// Rewrites the file written from start with the attached EXIF block.
    bool InsertExif(CPicFile* file, long start);

    CPicJpegSections* m_sections = nullptr;
    SExifInfo m_exifInfo{};
};
