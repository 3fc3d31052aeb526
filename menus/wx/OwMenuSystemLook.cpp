#include "menus/wx/OwMenuSystemLook.h"

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/settings.h>

#include "grid/GridDcSurface.h"

namespace
{

TGridColor System(wxSystemColour which)
{
    return CGridDcSurface::FromColour(wxSystemSettings::GetColour(which));
}

} // namespace

SOwMenuColors OwMenuSystemLook::Colors()
{
    SOwMenuColors colors;
    colors.btnFace = System(wxSYS_COLOUR_BTNFACE);
    colors.btnShadow = System(wxSYS_COLOUR_BTNSHADOW);
    colors.btnHighlight = System(wxSYS_COLOUR_BTNHIGHLIGHT);
    colors.highlight = System(wxSYS_COLOUR_HIGHLIGHT);
    colors.menuText = System(wxSYS_COLOUR_MENUTEXT);
    colors.grayText = System(wxSYS_COLOUR_GRAYTEXT);
    colors.window = System(wxSYS_COLOUR_WINDOW);
    return colors;
}

SOwMenuMetrics OwMenuSystemLook::Metrics()
{
    SOwMenuMetrics metrics;
    const int system = wxSystemSettings::GetMetric(wxSYS_MENU_Y);
    if (system > 0)
    {
        metrics.menuHeight = system;
        return metrics;
    }
    // GTK has no menu bar height to ask for: the line of the menu font with
    // four pixels above and below.
    wxBitmap scratch(1, 1);
    wxMemoryDC dc(scratch);
    dc.SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
    metrics.menuHeight = dc.GetCharHeight() + 8;
    return metrics;
}
