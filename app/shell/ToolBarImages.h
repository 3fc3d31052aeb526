#pragma once
// The toolbar's button images, drawn here rather than loaded: 37 x 37 pixels
// each, with transparent background.

#include <wx/bitmap.h>

class CToolBarImages
{
public:
    static constexpr int kSize = 37;

    /// The image of a toolbar command (download, upgrade, open, save, export
    /// CSV, export graphic, print, help); an empty square for any other.
    static wxBitmap ForCommand(int command);
    /// The program's icon (48 x 48): the instrument's initial on the maker's blue.
    static wxBitmap AppIcon();
    /// The maker's logo for the logo button; pressed is drawn sunken.
    static wxBitmap Logo(bool pressed);
};
