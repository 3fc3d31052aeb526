#pragma once
// What the X server shows now, read straight from the server: a wxScreenDC
// on GTK 3 may hand back an older picture of the screen, for example a window
// that has since been destroyed.

#include <wx/gdicmn.h>
#include <wx/image.h>

namespace TerrionTest
{

/// The pixels of rect (screen coordinates), windows above others included;
/// an empty image when the display cannot be read.
wxImage ScreenImage(const wxRect& rect);

} // namespace TerrionTest
