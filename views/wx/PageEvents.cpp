#include "views/wx/PageEvents.h"

wxDEFINE_EVENT(WM_PAGE_PRINT, wxCommandEvent);
wxDEFINE_EVENT(WM_PAGE_EXPORT_GRAPHIC, wxCommandEvent);
wxDEFINE_EVENT(WM_PAGE_EXPORT_CSV, wxCommandEvent);
wxDEFINE_EVENT(WM_PAGE_SELECT_ALL, wxCommandEvent);
wxDEFINE_EVENT(WM_PAGE_DELETE, wxCommandEvent);
wxDEFINE_EVENT(WM_PAGE_COPY, wxCommandEvent);
wxDEFINE_EVENT(WM_PAGE_PASTE, wxCommandEvent);
wxDEFINE_EVENT(WM_PAGE_REFILL, wxCommandEvent);
wxDEFINE_EVENT(WM_DOCUMENT_CHANGED, wxCommandEvent);
