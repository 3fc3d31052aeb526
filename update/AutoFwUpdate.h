#pragma once
// The firmware check of one connection: what the instrument has installed is
// read on the caller's thread, then a worker looks in the instrument's folder
// on the download server for newer firmware files and posts the newest
// version found. Consecutive failures to reach the server are counted in the
// settings; after enough of them the user is reminded to go online.
//
// The connection holder makes one per wizard connection, with the main
// frame's CUpdateFrameLink::Relay() as owner and the program's settings store,
// starts it with (device, 0x411, 0) and deletes it when it disconnects.

#include "device/Contents.h"
#include "device/DeviceInfo.h"
#include "platform/SettingsStore.h"
#include "update/BoundedThread.h"
#include "update/FtpClient.h"
#include "update/UpdateUi.h"

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace Device
{
class CVnDevice;
}

namespace Update
{

class CAutoFwUpdate
{
public:
    static constexpr int kStopWaitMs = 3000;
    static constexpr const wchar_t* kFailCount = L"FwUpdateFailCount";
    static constexpr const wchar_t* kFailCountMax = L"FwUpdateFailCountMax";
    /// Stored counters above this are read as this: far beyond the schedule's
    /// 100, and room to count on.
    static constexpr int kMaxStoredCounter = 100000;

    /// Thread exit codes.
    static constexpr int kExitChecked = 0;
    static constexpr int kExitReminded = 2;
    static constexpr int kExitFailed = -1;

    /// owner receives the results; settings hold the counters in group (the
    /// program's "Settings" when empty). The worker writes to settings, so a
    /// store that other threads use too must serialise its calls.
    CAutoFwUpdate(std::shared_ptr<CUpdateUi> owner, std::shared_ptr<Platform::CSettingsStore> settings,
                  const std::wstring& group);
    /// Stops the check (bounded wait; a late one finishes on its own).
    ~CAutoFwUpdate();
    CAutoFwUpdate(const CAutoFwUpdate&) = delete;
    CAutoFwUpdate& operator=(const CAutoFwUpdate&) = delete;

    /// Identifies the instrument, reads its contents and starts the check;
    /// false without a thread when identification or contents fail. The
    /// message ids are posted with the results (0 = not posted).
    bool Start(Device::CVnDevice* device, unsigned firmwareMessage, unsigned osMessage);
    /// Asks a running check to stop and waits up to timeoutMs; true when it ended.
    bool Stop(int timeoutMs = kStopWaitMs);
    bool IsRunning() const { return m_thread.IsRunning(); }
    /// Exit code of the last check (kExitChecked before any).
    int ExitCode() const;

    void LoadFailCounters();
    void SaveFailCounters();
    int FailCount() const;
    int FailCountMax() const;

    /// One more failure to reach the server, on counters as LoadFailCounters
    /// reads them: true when the user is to be reminded now (the count starts
    /// again and the maximum shrinks).
    static bool CountFailure(int& failCount, int& failCountMax);

    /// The version in a firmware file name for a content type (0 when the
    /// name does not fit that type).
    static CVersion GetFileVersion(const std::wstring& fileName, int contentType);
    /// The highest version among files that is newer than what an entry of
    /// contentType has installed, whatever the listing order; 0 when none.
    static CVersion FindNewest(const Device::CContents& contents, const std::vector<SFtpEntry>& files,
                               int contentType);

private:
    struct SJob;

    static void CheckThreadProc(const std::shared_ptr<SJob>& job);

    std::shared_ptr<SJob> m_job;
    CBoundedThread m_thread;
};

} // namespace Update
