#include "update/AutoFwUpdate.h"

#include "device/VnDevice.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "update/FtpClient.h"
#include "update/TextFormat.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <mutex>
#include <vector>

namespace Update
{

/// Everything the worker touches, shared so that a late worker keeps it.
struct CAutoFwUpdate::SJob
{
    std::shared_ptr<CUpdateUi> owner;
    std::shared_ptr<Platform::CSettingsStore> settings;
    std::wstring group;
    std::wstring deviceId;
    Device::SDeviceInfo info;
    Device::CContents contents;
    unsigned firmwareMessage = 0;
    unsigned osMessage = 0;

    mutable std::mutex lock; // counters and exit code
    int failCount = 0;
    int failCountMax = 1;
    int exitCode = kExitChecked;

    std::shared_ptr<CFtpClient> client;
    std::atomic<bool> stop{false};

    void Load()
    {
        std::lock_guard guard(lock);
        if (group.empty())
            group = L"AutoFwUpdate";
        if (!settings)
            return;
        std::wstring text;
        if (settings->ReadString(group, kFailCount, text))
            failCount = Parse(text);
        failCountMax = settings->ReadString(group, kFailCountMax, text) ? Parse(text) : 100;
    }

    void Save()
    {
        std::lock_guard guard(lock);
        if (group.empty())
            group = L"AutoFwUpdate";
        if (!settings)
            return;
        settings->WriteString(group, kFailCount, std::to_wstring(failCount));
        settings->WriteString(group, kFailCountMax, std::to_wstring(failCountMax));
        settings->Flush();
    }

    /// Decimal text as the settings held it, clamped to 0..kMaxStoredCounter
    /// (the check counts on from it); text that is no number is 0.
    static int Parse(const std::wstring& text)
    {
        wchar_t* end = nullptr;
        const long value = std::wcstol(text.c_str(), &end, 10);
        if (end == text.c_str() || value < 0)
            return 0;
        return static_cast<int>(std::min<long>(value, kMaxStoredCounter));
    }
};

CAutoFwUpdate::CAutoFwUpdate(std::shared_ptr<CUpdateUi> owner,
                             std::shared_ptr<Platform::CSettingsStore> settings, const std::wstring& group)
    : m_job(std::make_shared<SJob>())
{
    m_job->owner = std::move(owner);
    m_job->settings = std::move(settings);
    m_job->group = group;
}

CAutoFwUpdate::~CAutoFwUpdate()
{
    Stop();
}

bool CAutoFwUpdate::Stop(int timeoutMs)
{
    if (!m_thread.IsRunning())
        return m_thread.Stop(0);
    m_job->stop = true;
    if (m_job->client)
        m_job->client->Cancel();
    bool ended = m_thread.Stop(timeoutMs);
    if (!ended)
    {
        // The late worker keeps its job; this object carries on with a copy.
        auto fresh = std::make_shared<SJob>();
        fresh->owner = m_job->owner;
        fresh->settings = m_job->settings;
        fresh->group = m_job->group;
        {
            std::lock_guard guard(m_job->lock);
            fresh->failCount = m_job->failCount;
            fresh->failCountMax = m_job->failCountMax;
        }
        m_job = fresh;
    }
    return ended;
}

bool CAutoFwUpdate::Start(Device::CVnDevice* device, unsigned firmwareMessage, unsigned osMessage)
{
    Stop();
    if (device == nullptr)
        return false;
    m_job->stop = false;
    m_job->firmwareMessage = firmwareMessage;
    m_job->osMessage = osMessage;
    if (!device->Identify(m_job->info))
        return false;
    if (!device->GetContents(m_job->contents))
        return false;
    if (m_job->group.empty())
        m_job->group = L"Settings"; // the program's own settings
    m_job->Load();
    wchar_t id[16] = {};
    std::swprintf(id, 16, L"%08x", static_cast<unsigned>(device->GetDeviceId()));
    m_job->deviceId = id;
    m_job->client = std::make_shared<CFtpClient>();
    {
        std::lock_guard guard(m_job->lock);
        m_job->exitCode = kExitChecked;
    }
    return m_thread.Start([job = m_job]() { CheckThreadProc(job); });
}

int CAutoFwUpdate::ExitCode() const
{
    std::lock_guard guard(m_job->lock);
    return m_job->exitCode;
}

void CAutoFwUpdate::LoadFailCounters()
{
    m_job->Load();
}

void CAutoFwUpdate::SaveFailCounters()
{
    m_job->Save();
}

int CAutoFwUpdate::FailCount() const
{
    std::lock_guard guard(m_job->lock);
    return m_job->failCount;
}

int CAutoFwUpdate::FailCountMax() const
{
    std::lock_guard guard(m_job->lock);
    return m_job->failCountMax;
}

bool CAutoFwUpdate::CountFailure(int& failCount, int& failCountMax)
{
    failCount += 1;
    if (failCount <= failCountMax)
        return false;
    failCountMax = failCount <= 10 ? 10 : failCountMax / 2;
    failCount = 0;
    return true;
}

CVersion CAutoFwUpdate::GetFileVersion(const std::wstring& fileName, int contentType)
{
    return CVersion::FromFirmwareFileName(fileName, contentType);
}

CVersion CAutoFwUpdate::FindNewest(const Device::CContents& contents, const std::vector<SFtpEntry>& files,
                                   int contentType)
{
    CVersion newest;
    for (const Device::SContentEntry& entry : contents.m_entries)
    {
        if (entry.type != contentType)
            continue;
        for (const SFtpEntry& file : files)
        {
            CVersion version = GetFileVersion(file.name, contentType);
            // The highest newer version wins, not the last one listed.
            if (!version.IsZero() && version > entry.version && version > newest)
                newest = version;
        }
    }
    return newest;
}

void CAutoFwUpdate::CheckThreadProc(const std::shared_ptr<SJob>& job)
{
    auto setExit = [&](int code)
    {
        std::lock_guard guard(job->lock);
        job->exitCode = code;
    };
    // Without a configured server there is nothing to reach: that is no sign
    // of a PC cut off from the Internet, so it is not counted.
    if (CFtpClient::GetServer().empty())
        return setExit(kExitFailed);
    CFtpClient& client = *job->client;
    client.SetShowMessages(false);
    bool connected = client.ConnectUpgradeFolder(job->deviceId);
    if (job->stop || client.GetLastFailure() == NFtpFailure::Cancelled)
        return setExit(kExitFailed);

    // A server that answers but has no folder for this instrument is online.
    bool reached = connected || client.GetLastFailure() == NFtpFailure::Folder;
    if (!reached)
    {
        bool remind = false;
        {
            std::lock_guard guard(job->lock);
            remind = CountFailure(job->failCount, job->failCountMax);
        }
        job->Save();
        if (!remind)
            return setExit(kExitFailed);
        std::wstring text = CTextFormat::Text(Resources::Ids::kUpdateFirmwareReminder, {job->info.typeName});
        if (job->owner && !job->stop)
            job->owner->ShowMessage(text, Resources::NMessageKind::Information);
        return setExit(kExitReminded);
    }

    {
        std::lock_guard guard(job->lock);
        job->failCount = 0;
        job->failCountMax = 100;
    }
    job->Save();

    CVersion newest[3];
    if (connected)
    {
        std::vector<SFtpEntry> files;
        bool listed = client.List(L"*.lod", files);
        client.Disconnect();
        if (!listed || job->stop)
            return setExit(kExitChecked);
        newest[1] = FindNewest(job->contents, files, 1);
        newest[2] = FindNewest(job->contents, files, 2);
    }
    if (job->owner && !job->stop)
    {
        if (job->osMessage != 0)
            job->owner->PostVersion(job->osMessage, newest[2]);
        if (job->firmwareMessage != 0)
            job->owner->PostVersion(job->firmwareMessage, newest[1]);
    }
    setExit(kExitChecked);
}

} // namespace Update
