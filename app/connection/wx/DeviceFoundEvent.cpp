#include "app/connection/wx/DeviceFoundEvent.h"

wxDEFINE_EVENT(WM_DEVICE_FOUND, CDeviceFoundEvent);
wxDEFINE_EVENT(WM_SEARCH_STATUS_TEXT, wxThreadEvent);
wxDEFINE_EVENT(WM_START_DEVICE_SEARCH, wxCommandEvent);

CDeviceFoundEvent::CDeviceFoundEvent(wxEventType type, std::unique_ptr<Device::CVnDevice> device)
    : wxThreadEvent(type), m_pDevice(std::make_shared<std::unique_ptr<Device::CVnDevice>>(std::move(device)))
{
}

std::unique_ptr<Device::CVnDevice> CDeviceFoundEvent::TakeDevice()
{
    return std::move(*m_pDevice);
}

wxEvent* CDeviceFoundEvent::Clone() const
{
    return new CDeviceFoundEvent(*this);
}
