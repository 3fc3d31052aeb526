#pragma once
// The queued events by which a device search on the worker thread reaches
// the search page: WM_DEVICE_FOUND carries the instrument found (or none at
// the end of the search), WM_SEARCH_STATUS_TEXT a status text (the event's
// string); WM_START_DEVICE_SEARCH is posted by the page to itself.

#include "device/VnDevice.h"

#include <wx/event.h>

#include <memory>

class CDeviceFoundEvent : public wxThreadEvent
{
public:
    CDeviceFoundEvent(wxEventType type, std::unique_ptr<Device::CVnDevice> device);

    /// Takes the instrument out of the event (null at the end of the search).
    std::unique_ptr<Device::CVnDevice> TakeDevice();

    wxEvent* Clone() const override;

private:
    // Shared so that Clone() keeps one owner; an event dropped unprocessed
    // deletes the instrument with it.
    std::shared_ptr<std::unique_ptr<Device::CVnDevice>> m_pDevice;
};

wxDECLARE_EVENT(WM_DEVICE_FOUND, CDeviceFoundEvent);
wxDECLARE_EVENT(WM_SEARCH_STATUS_TEXT, wxThreadEvent);
wxDECLARE_EVENT(WM_START_DEVICE_SEARCH, wxCommandEvent);
