#pragma once
// The application's private messages as wx event types of the same names.
// Page messages are processed at once by the active page (sent); the
// document-changed notification and the version reports are queued (posted).
// The event's int carries the message's first parameter.

#include <wx/event.h>

// Page messages, sent by the tab sheet to its active page.
wxDECLARE_EVENT(WM_PAGE_PRINT, wxCommandEvent);
wxDECLARE_EVENT(WM_PAGE_EXPORT_GRAPHIC, wxCommandEvent);
wxDECLARE_EVENT(WM_PAGE_EXPORT_CSV, wxCommandEvent);
wxDECLARE_EVENT(WM_PAGE_SELECT_ALL, wxCommandEvent);
wxDECLARE_EVENT(WM_PAGE_DELETE, wxCommandEvent);
wxDECLARE_EVENT(WM_PAGE_COPY, wxCommandEvent);
wxDECLARE_EVENT(WM_PAGE_PASTE, wxCommandEvent);
wxDECLARE_EVENT(WM_PAGE_REFILL, wxCommandEvent);

/// Posted by the document to its views: int = series index, or -1 for all.
wxDECLARE_EVENT(WM_DOCUMENT_CHANGED, wxCommandEvent);

/// Posted to the main frame by the update checks: int = major | minor << 16,
/// extra long = build | revision << 16.
wxDECLARE_EVENT(WM_NEW_PROGRAM_VERSION, wxCommandEvent);
wxDECLARE_EVENT(WM_NEW_FIRMWARE_VERSION, wxCommandEvent);

/// Sent by the logo button to the application's main window.
wxDECLARE_EVENT(EVT_ON_LOGO_CLICK, wxCommandEvent);
