#pragma once
// Copies an installer from the server to a local file on a worker thread.
// The bytes go to a temporary file beside the target, which is renamed to
// the target only when exactly the listed number of bytes arrived; on any
// failure or cancel the temporary file is deleted, so a half-written
// installer is never left where it could be started.

#include "update/BoundedThread.h"
#include "update/FtpClient.h"
#include "update/UpdateUi.h"

#include <filesystem>
#include <memory>
#include <string>

namespace Update
{

class CInstallerDownload
{
public:
    static constexpr int kStopWaitMs = 3000;
    /// Progress reports per download at most, whatever the size.
    static constexpr std::uint64_t kProgressSteps = 10000;

    /// client is the update object's (connected or not: it connects to the
    /// product folder first); ui gets progress and the end.
    CInstallerDownload(std::shared_ptr<CFtpClient> client, std::wstring productName,
                       std::shared_ptr<CUpdateUi> ui);
    /// Cancels and waits kStopWaitMs; a late thread finishes on its own.
    ~CInstallerDownload();
    CInstallerDownload(const CInstallerDownload&) = delete;
    CInstallerDownload& operator=(const CInstallerDownload&) = delete;

    /// Creates the temporary file beside target; false when the folder cannot
    /// take it (the caller may then ask the user for another place).
    bool Open(const std::filesystem::path& target);
    const std::filesystem::path& Target() const { return m_target; }

    /// Starts copying the installer of the given listed size. A name that
    /// could lead out of the folder is refused: false, nothing started.
    bool Start(const SInstaller& installer);
    /// Ends a running download soon (reported as Cancelled); thread-safe.
    void Cancel();
    /// Waits up to timeoutMs for the worker; true when it has ended.
    bool Wait(int timeoutMs);
    bool IsRunning() const { return m_thread.IsRunning(); }

private:
    struct SJob;

    std::shared_ptr<CFtpClient> m_client;
    std::wstring m_strProductName;
    std::shared_ptr<CUpdateUi> m_ui;
    std::filesystem::path m_target;
    std::shared_ptr<SJob> m_job;
    CBoundedThread m_thread;
};

} // namespace Update
