#include "tests/app/Screenshots.h"

#include <wx/filename.h>

namespace TerrionTest
{

bool SaveArtefact(const wxImage& shot, const wxString& name)
{
    wxFileName::Mkdir(TERRION_ARTEFACT_DIR, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    return shot.SaveFile(wxString(TERRION_ARTEFACT_DIR) + L"/" + name, wxBITMAP_TYPE_PNG);
}

} // namespace TerrionTest
