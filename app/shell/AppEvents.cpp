#include "app/shell/AppEvents.h"

wxDEFINE_EVENT(WM_NEW_PROGRAM_VERSION, wxCommandEvent);
wxDEFINE_EVENT(WM_NEW_FIRMWARE_VERSION, wxCommandEvent);
wxDEFINE_EVENT(EVT_ON_LOGO_CLICK, wxCommandEvent);
