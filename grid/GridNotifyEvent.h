#pragma once
#include <wx/event.h>

#include "grid/GridCellRange.h"
#include "grid/GridNotify.h"

struct SGridDisplayInfo;

/// A grid notification on its way to the owner window (what WM_NOTIFY
/// carries). The owner answers through SetResult; the grid reads it back
/// for the codes whose result counts (GRIDN_BEGINEDIT, GRIDN_ENDEDIT).
/// In virtual mode GRIDN_CACHEHINT carries a range and GRIDN_GETDISPINFO
/// the record the owner completes.
class CGridNotifyEvent : public wxCommandEvent
{
public:
    CGridNotifyEvent(wxEventType type = wxEVT_NULL, int id = 0);

    const SGridNotify& GetNotify() const { return m_notify; }
    void SetNotify(const SGridNotify& notify) { m_notify = notify; }
    int GetCode() const { return m_notify.hdr.code; }
    int GetRow() const { return m_notify.row; }
    int GetCol() const { return m_notify.col; }
    long GetResult() const { return m_result; }
    void SetResult(long result) { m_result = result; }
    const CGridCellRange& GetCacheRange() const { return m_cacheRange; }
    void SetCacheRange(const CGridCellRange& range) { m_cacheRange = range; }
    /// The record of GRIDN_GETDISPINFO (null for other codes); valid while the event is handled.
    SGridDisplayInfo* GetDisplayInfo() const { return m_displayInfo; }
    void SetDisplayInfo(SGridDisplayInfo* info) { m_displayInfo = info; }

    wxEvent* Clone() const override { return new CGridNotifyEvent(*this); }

private:
    SGridNotify m_notify;
    long m_result = 0;
    CGridCellRange m_cacheRange;
    SGridDisplayInfo* m_displayInfo = nullptr;
};

/// Every notification of a grid, sent at once to its parent.
wxDECLARE_EVENT(GRID_EVT_NOTIFY, CGridNotifyEvent);
/// Posted to the parent after each left-button release over a cell (WM_COMMAND with the grid's id).
wxDECLARE_EVENT(GRID_EVT_COMMAND, wxCommandEvent);
