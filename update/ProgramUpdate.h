#pragma once
// The program's side of the update services below the wizard: the FTP
// client of one update object, the running program's name and version, the
// search for the newest installer in the product folder, and the start-up
// check thread that posts the result once.

#include "update/BoundedThread.h"
#include "update/FtpClient.h"
#include "update/UpdateUi.h"

#include <memory>
#include <string>
#include <vector>

namespace Update
{

class CProgramUpdate
{
public:
    /// How long stopping the check thread waits before leaving it detached.
    static constexpr int kStopWaitMs = 3000;

    /// The running program: product name and version from its version record.
    CProgramUpdate();
    /// A given product (tests, or a program without a record).
    CProgramUpdate(std::wstring productName, const CVersion& ownVersion);
    /// Stops the check thread.
    ~CProgramUpdate();
    CProgramUpdate(const CProgramUpdate&) = delete;
    CProgramUpdate& operator=(const CProgramUpdate&) = delete;

    const std::wstring& ProductName() const { return m_strProductName; }
    const CVersion& OwnVersion() const { return m_ownVersion; }
    /// Shared, so that a download or check thread left running keeps it alive.
    const std::shared_ptr<CFtpClient>& Client() const { return m_client; }

    /// Message boxes of the client after a connection go to ui when show is set.
    void SetShowMessages(bool show, std::shared_ptr<CUpdateUi> ui);
    /// Connects to the product folder unless connected; false with the
    /// client's error text on failure (errorText may be null).
    bool Connect(std::wstring* errorText);
    void Disconnect();

    /// The greatest installer version above own among entries; the first
    /// listed wins among equals. False (installer emptied) when none is newer.
    static bool FindNewest(const std::vector<SFtpEntry>& entries, const CVersion& own, SInstaller& installer);
    /// Lists the connected folder and finds the newest installer above the
    /// running version. False when the listing failed.
    bool Scan(SInstaller& installer, bool& found);

    /// The wizard's search on a worker thread: connect (reported through
    /// OnSearchConnected), then scan (OnSearchFinished).
    bool StartSearch(std::shared_ptr<CUpdateUi> ui);
    /// Cancels and waits for the search as StopCheckThread does.
    bool StopSearch(int timeoutMs = kStopWaitMs);

    /// Starts the start-up check: connect without message boxes, scan, post
    /// messageId with the newer version (0 when none) through ui, disconnect.
    /// Nothing is posted when the server cannot be reached.
    bool StartCheckThread(unsigned messageId, std::shared_ptr<CUpdateUi> ui);
    /// Asks a running check to stop, waits kStopWaitMs, leaves it detached
    /// when late; true when it has ended.
    bool StopCheckThread(int timeoutMs = kStopWaitMs);
    bool IsCheckRunning() const { return m_thread.IsRunning(); }

private:
    bool StopThread(CBoundedThread& thread, int timeoutMs);
    static void CheckThreadProc(const std::shared_ptr<CFtpClient>& client, const std::wstring& productName,
                                const CVersion& own, unsigned messageId,
                                const std::shared_ptr<CUpdateUi>& ui);

    std::wstring m_strProductName;
    CVersion m_ownVersion;
    std::shared_ptr<CFtpClient> m_client;
    bool m_bShowMessages = true;
    std::shared_ptr<CUpdateUi> m_ui;
    CBoundedThread m_thread;
    CBoundedThread m_search;
};

} // namespace Update
