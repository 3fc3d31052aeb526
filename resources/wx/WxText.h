#pragma once
// A string-table text for a window: the windows of every library ask here
// instead of converting the table's wide strings each on its own.

#include <wx/string.h>

namespace Resources
{
/// The text of string `id` in the current language.
wxString WxText(unsigned id);
} // namespace Resources
