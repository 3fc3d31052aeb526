#pragma once
// A rendered bitmap as an image the encoders take: 24 bits per pixel,
// blue-green-red, rows bottom up and padded to four bytes.

#include <wx/bitmap.h>

class CPicture;

class CBitmapPicture
{
public:
    /// Replaces picture's pixels by the bitmap's; false (picture empty, a
    /// last-error text set) when the bitmap is invalid or memory runs out.
    static bool CreateFromBitmap(CPicture& picture, const wxBitmap& bitmap);
};
