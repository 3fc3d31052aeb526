#include "grid/GridNotifyEvent.h"

wxDEFINE_EVENT(GRID_EVT_NOTIFY, CGridNotifyEvent);
wxDEFINE_EVENT(GRID_EVT_COMMAND, wxCommandEvent);

CGridNotifyEvent::CGridNotifyEvent(wxEventType type, int id) : wxCommandEvent(type, id)
{
}
