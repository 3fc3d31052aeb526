#pragma once
// A device-job receiver that writes everything into a CReportLog.

#include "device/Callback.h"
#include "tests/device_thread/ReportLog.h"

#include <memory>

namespace TerrionTest
{

/// A receiver that writes everything into a log.
class CLoggingCallback : public Device::CCallback
{
public:
    explicit CLoggingCallback(std::shared_ptr<CReportLog> log) : m_pLog(std::move(log)) {}

    void OnDeviceFound(std::unique_ptr<Device::CVnDevice> device) override
    {
        m_pLog->AddFound(std::move(device));
    }
    void OnStatusText(const std::wstring& text) override { m_pLog->AddText(text); }
    void OnFinished(const std::wstring& text, int code) override { m_pLog->AddFinished(text, code); }
    void OnProgress(int, int, std::uint32_t) override {}

private:
    std::shared_ptr<CReportLog> m_pLog;
};

} // namespace TerrionTest
