// The program's entry: GTK's overlay scroll bars are switched off before GTK
// starts (the grid needs real scroll bars), then wxWidgets runs the
// application object.

#include "app/shell/TerrionLinkApp.h"

#include <cstdlib>

int main(int argc, char** argv)
{
    ::setenv("GTK_OVERLAY_SCROLLING", "0", 1);
    wxApp::SetInstance(new CTerrionLinkApp());
    return wxEntry(argc, argv);
}
