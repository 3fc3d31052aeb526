#pragma once
// The application's private messages as wx event types of the same names:
// the page messages and the document-changed notification (PageEvents.h),
// and the version reports and the logo click, which the main frame gets.
// The event's int carries the message's first parameter.

#include "views/wx/PageEvents.h"

#include <wx/event.h>

/// Posted to the main frame by the update checks: int = major | minor << 16,
/// extra long = build | revision << 16.
wxDECLARE_EVENT(WM_NEW_PROGRAM_VERSION, wxCommandEvent);
wxDECLARE_EVENT(WM_NEW_FIRMWARE_VERSION, wxCommandEvent);

/// Sent by the logo button to the application's main window.
wxDECLARE_EVENT(EVT_ON_LOGO_CLICK, wxCommandEvent);
