#include "app/shell/TabPageShell.h"

#include <wx/settings.h>

CTabPageShell::CTabPageShell(wxWindow* parent) : wxPanel(parent, wxID_ANY)
{
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
}
