#pragma once
// Screenshots of the application's windows, kept as test artefacts.

#include "tests/support/ScreenImage.h"

#include <wx/image.h>
#include <wx/string.h>

namespace TerrionTest
{

/// Saves shot (as ScreenImage reads it) as a PNG file of that name in the artefacts folder.
bool SaveArtefact(const wxImage& shot, const wxString& name);

} // namespace TerrionTest
