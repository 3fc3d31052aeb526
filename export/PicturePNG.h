#pragma once
// PNG encoder over libpng (and zlib): rows top-down, a white background chunk
// and the image's resolution as a pHYs chunk.

#include "export/Picture.h"

class CPicturePNG : public CPicture
{
public:
    CPicturePNG() : CPicture(IMAGE_TYPE_PNG) {}

    /// Writes the image as a PNG file; false with a last-error text on failure.
    bool Encode(CPicFile* file);

private:
    struct SState;
    bool WriteImage(void* png, void* info, SState& state);
};
