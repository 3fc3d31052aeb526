#pragma once
// What the device worker thread asks of the application, carried over to the
// user-interface thread: the error box and the wait cursor. Reports that
// arrive after the application has detached are dropped.

#include "device/DeviceThreadHost.h"

#include <functional>
#include <mutex>

class CAppDeviceThreadHost : public Device::CDeviceThreadHost
{
public:
    /// Shows a report on the user-interface thread.
    using FReport =
        std::function<void(unsigned kind, const std::wstring& text, const std::string& sourceFile, int line)>;

    explicit CAppDeviceThreadHost(FReport report);

    /// The application is going: later calls do nothing.
    void Detach();

    void ReportMessage(Resources::NMessageKind kind, const std::wstring& text, const std::string& sourceFile,
                       int line) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;

private:
    /// Queues work for the user-interface thread while attached.
    void Queue(std::function<void()> work);

    std::mutex m_lock;
    FReport m_report;
    bool m_attached = true;
};
