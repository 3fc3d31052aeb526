#pragma once
// BMP encoder: file header, information header, palette and the rows bottom-up
// exactly as they lie in the image's block.

#include "export/Picture.h"

class CPictureBMP : public CPicture
{
public:
    CPictureBMP() : CPicture(IMAGE_TYPE_BMP) {}

    /// Writes the image as a BMP file; false with a last-error text when the
    /// arguments are missing or any write falls short.
    bool Encode(CPicFile* file);
};
