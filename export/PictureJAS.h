#pragma once
// JPEG-2000 encoder (JP2 file format). The JasPer library this class is named
// after is not available here; OpenJPEG does the coding, and the failure
// texts are those of the matching JasPer stages.

#include "export/Picture.h"

class CPictureJAS : public CPicture
{
public:
    CPictureJAS() : CPicture(IMAGE_TYPE_UNKNOWN) {}

    /// Writes the image as JPEG-2000; imageType must be 11 (JP2). The quality
    /// sets the coding rate: quality / 100 of the uncompressed size.
    bool Encode(CPicFile* file, std::uint32_t imageType);
};
