#include "tests/app/Screenshots.h"

#include "tests/support/ScreenImage.h"

#include <wx/filename.h>

namespace TerrionTest
{

wxBitmap GrabScreen(const wxRect& rect)
{
    const wxImage image = ScreenImage(rect);
    return image.IsOk() ? wxBitmap(image) : wxBitmap();
}

bool SaveArtefact(const wxBitmap& shot, const wxString& name)
{
    wxFileName::Mkdir(TERRION_ARTEFACT_DIR, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    return shot.SaveFile(wxString(TERRION_ARTEFACT_DIR) + L"/" + name, wxBITMAP_TYPE_PNG);
}

} // namespace TerrionTest
