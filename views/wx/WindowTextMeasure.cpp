#include "views/wx/WindowTextMeasure.h"

#include <wx/window.h>

int CWindowTextMeasure::TextWidth(std::wstring_view text)
{
    return m_window.GetTextExtent(wxString(text.data(), text.size())).GetWidth();
}

int CWindowTextMeasure::AverageCharWidth()
{
    return m_window.GetCharWidth();
}
