#include "tests/support/ScreenImage.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace TerrionTest
{
namespace
{

/// One colour channel of a pixel, scaled to 0..255 from its mask.
unsigned char Channel(unsigned long pixel, unsigned long mask)
{
    int shift = 0;
    while (mask && !(mask & 1))
    {
        mask >>= 1;
        ++shift;
    }
    return static_cast<unsigned char>(mask ? ((pixel >> shift) & mask) * 255 / mask : 0);
}

} // namespace

wxImage ScreenImage(const wxRect& rect)
{
    wxImage image;
    if (rect.IsEmpty())
        return image;
    // A connection of its own: the program's may hold requests not yet sent.
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return image;
    XImage* shot =
        XGetImage(display, DefaultRootWindow(display), rect.x, rect.y, static_cast<unsigned>(rect.width),
                  static_cast<unsigned>(rect.height), AllPlanes, ZPixmap);
    if (shot)
    {
        image.Create(rect.width, rect.height);
        for (int y = 0; y < rect.height; ++y)
            for (int x = 0; x < rect.width; ++x)
            {
                const unsigned long pixel = XGetPixel(shot, x, y);
                image.SetRGB(x, y, Channel(pixel, shot->red_mask), Channel(pixel, shot->green_mask),
                             Channel(pixel, shot->blue_mask));
            }
        XDestroyImage(shot);
    }
    XCloseDisplay(display);
    return image;
}

} // namespace TerrionTest
