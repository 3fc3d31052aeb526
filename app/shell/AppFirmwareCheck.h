#pragma once
// The firmware check that every wizard connection starts in the running
// program: the update services' CAutoFwUpdate behind the connection holder's
// hook. Results go to the receiver the main frame hands out (dropped once the
// frame is gone); the failure counters go to the program's own settings.
// Destroying it (disconnect, exit) asks the worker to stop and waits a
// bounded time; a late worker finishes on its own and reports nothing.

#include "app/connection/ConnectionFirmwareCheck.h"
#include "platform/SettingsStore.h"
#include "update/UpdateUi.h"

#include <memory>
#include <string>

namespace Update
{
class CAutoFwUpdate;
}

class CAppFirmwareCheck : public CConnectionFirmwareCheck
{
public:
    /// settings must be safe to use from the worker (the application's store is).
    CAppFirmwareCheck(std::shared_ptr<Update::CUpdateUi> receiver,
                      std::shared_ptr<Platform::CSettingsStore> settings, const std::wstring& group = {});
    ~CAppFirmwareCheck() override;
    CAppFirmwareCheck(const CAppFirmwareCheck&) = delete;
    CAppFirmwareCheck& operator=(const CAppFirmwareCheck&) = delete;

    /// The messages are the update services' numbers (0x411 firmware, 0 = none).
    void Start(Device::CVnDevice& device, int firmwareMessage, int osMessage) override;

    Update::CAutoFwUpdate& Check() { return *m_check; }

private:
    std::unique_ptr<Update::CAutoFwUpdate> m_check;
};
