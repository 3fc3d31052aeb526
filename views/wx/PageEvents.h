#pragma once
// The messages between the tab sheet, its pages and the document, as wx
// event types. Page messages are processed at once by the active page
// (sent); the document-changed notification and the grid page's refill are
// queued (posted). The event's int carries the message's first parameter.

#include <wx/event.h>

// Page messages, sent by the tab sheet to its active page.
wxDECLARE_EVENT(WM_PAGE_PRINT, wxCommandEvent);
wxDECLARE_EVENT(WM_PAGE_EXPORT_GRAPHIC, wxCommandEvent);
wxDECLARE_EVENT(WM_PAGE_EXPORT_CSV, wxCommandEvent);
wxDECLARE_EVENT(WM_PAGE_SELECT_ALL, wxCommandEvent);
wxDECLARE_EVENT(WM_PAGE_DELETE, wxCommandEvent);
wxDECLARE_EVENT(WM_PAGE_COPY, wxCommandEvent);
wxDECLARE_EVENT(WM_PAGE_PASTE, wxCommandEvent);
/// Posted by the grid page to itself: int = the vertical scroll position to restore.
wxDECLARE_EVENT(WM_PAGE_REFILL, wxCommandEvent);

/// Posted by the document to its views: int = series index, or -1 for all.
wxDECLARE_EVENT(WM_DOCUMENT_CHANGED, wxCommandEvent);
