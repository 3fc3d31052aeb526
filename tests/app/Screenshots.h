#pragma once
// Screenshots of the application's windows, kept as test artefacts.

#include <wx/bitmap.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

namespace TerrionTest
{

/// What the screen shows in rect (screen coordinates).
wxBitmap GrabScreen(const wxRect& rect);
/// Saves shot as a PNG file of that name in the artefacts folder.
bool SaveArtefact(const wxBitmap& shot, const wxString& name);

} // namespace TerrionTest
