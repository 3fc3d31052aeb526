#include "app/shell/AppFirmwareCheck.h"

#include "update/AutoFwUpdate.h"

CAppFirmwareCheck::CAppFirmwareCheck(std::shared_ptr<Update::CUpdateUi> receiver,
                                     std::shared_ptr<Platform::CSettingsStore> settings,
                                     const std::wstring& group)
    : m_check(std::make_unique<Update::CAutoFwUpdate>(std::move(receiver), std::move(settings), group))
{
}

// The check's own destructor stops its worker within its bound.
CAppFirmwareCheck::~CAppFirmwareCheck() = default;

void CAppFirmwareCheck::Start(Device::CVnDevice& device, int firmwareMessage, int osMessage)
{
    // An instrument that does not identify or list its contents gets no check;
    // the holder keeps this object all the same until it disconnects.
    m_check->Start(&device, static_cast<unsigned>(firmwareMessage), static_cast<unsigned>(osMessage));
}
