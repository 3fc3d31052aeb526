#include "tests/app/Screenshots.h"

#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/filename.h>

namespace TerrionTest
{

wxBitmap GrabScreen(const wxRect& rect)
{
    wxBitmap shot(rect.width, rect.height);
    wxScreenDC screen;
    wxMemoryDC memory(shot);
    memory.Blit(0, 0, rect.width, rect.height, &screen, rect.x, rect.y);
    return shot;
}

bool SaveArtefact(const wxBitmap& shot, const wxString& name)
{
    wxFileName::Mkdir(TERRION_ARTEFACT_DIR, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    return shot.SaveFile(wxString(TERRION_ARTEFACT_DIR) + L"/" + name, wxBITMAP_TYPE_PNG);
}

} // namespace TerrionTest
