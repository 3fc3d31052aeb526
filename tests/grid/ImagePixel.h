#pragma once
// Colours read back from a rendered window image, and a grid colour as wx
// gives it, for the window tests that check pixels.
#include "grid/GridTypes.h"

#include <wx/colour.h>
#include <wx/image.h>

inline wxColour Pixel(const wxImage& image, int x, int y)
{
    return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
}

inline wxColour Colour(TGridColor c)
{
    return wxColour(static_cast<unsigned char>(GridRed(c)), static_cast<unsigned char>(GridGreen(c)),
                    static_cast<unsigned char>(GridBlue(c)));
}
