#include "update/InstallerDownload.h"

#include "resources/StringIds.h"
#include "resources/StringTable.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace Update
{

/// What the worker owns: the open temporary file and its names.
struct CInstallerDownload::SJob
{
    int fd = -1;
    std::filesystem::path temp;
    std::filesystem::path target;

    ~SJob() { Discard(); }

    void Discard()
    {
        if (fd >= 0)
        {
            ::close(fd);
            fd = -1;
        }
        if (!temp.empty())
        {
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            temp.clear();
        }
    }

    bool Write(const char* data, std::size_t size)
    {
        while (size > 0)
        {
            ssize_t n = ::write(fd, data, size);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            data += n;
            size -= static_cast<std::size_t>(n);
        }
        return true;
    }

    /// Makes the file durable and puts it under its final name.
    bool Commit()
    {
        if (::fchmod(fd, 0644) != 0 || ::fsync(fd) != 0)
            return false;
        int closed = ::close(fd);
        fd = -1;
        if (closed != 0)
            return false;
        std::error_code error;
        std::filesystem::rename(temp, target, error);
        if (error)
            return false;
        temp.clear();
        return true;
    }
};

CInstallerDownload::CInstallerDownload(std::shared_ptr<CFtpClient> client, std::wstring productName,
                                       std::shared_ptr<CUpdateUi> ui)
    : m_client(std::move(client)), m_strProductName(std::move(productName)), m_ui(std::move(ui))
{
}

CInstallerDownload::~CInstallerDownload()
{
    Cancel();
    Wait(kStopWaitMs);
}

bool CInstallerDownload::Open(const std::filesystem::path& target)
{
    if (m_thread.IsRunning())
        return false;
    auto job = std::make_shared<SJob>();
    std::string pattern =
        (target.parent_path() / ("." + target.filename().string() + ".XXXXXX.part")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    job->fd = ::mkstemps(name.data(), 5);
    if (job->fd < 0)
        return false;
    ::fcntl(job->fd, F_SETFD, FD_CLOEXEC);
    job->temp = name.data();
    job->target = target;
    m_target = target;
    m_job = job;
    return true;
}

bool CInstallerDownload::Start(const SInstaller& installer)
{
    if (!m_job || m_thread.IsRunning() || !CFtpClient::IsSafeFileName(installer.name))
        return false;
    m_client->ResetCancel();
    auto job = std::move(m_job);
    return m_thread.Start(
        [job, client = m_client, product = m_strProductName, ui = m_ui, installer]()
        {
            auto finish = [&](NDownloadResult result)
            {
                std::wstring text;
                if (result != NDownloadResult::Done)
                {
                    job->Discard();
                    if (result == NDownloadResult::Failed)
                        text = Resources::CStringTable::Text(Resources::Ids::kUpdateDownloadError);
                }
                if (ui)
                    ui->OnDownloadFinished(result, text);
            };

            bool connected = client->IsConnected() || client->ConnectUpgradeFolder(product);
            if (client->IsCancelled())
                return finish(NDownloadResult::Cancelled);
            if (!connected)
            {
                job->Discard();
                std::wstring text = client->GetLastErrorText();
                if (text.empty())
                    text = Resources::CStringTable::Text(Resources::Ids::kUpdateDownloadError);
                if (ui)
                    ui->OnDownloadFinished(NDownloadResult::Failed, text);
                return;
            }

            const std::uint64_t size = installer.size;
            const std::uint64_t step = size / kProgressSteps > 0 ? size / kProgressSteps : 1;
            std::uint64_t received = 0;
            std::uint64_t reported = 0;
            if (ui)
                ui->OnDownloadProgress(0, size);
            bool ok = client->Download(installer.name,
                                       [&](const char* data, std::size_t count)
                                       {
                                           // More than listed: the file changed under us.
                                           if (count > size - received || !job->Write(data, count))
                                               return false;
                                           received += count;
                                           if (ui && received - reported >= step)
                                           {
                                               reported = received;
                                               ui->OnDownloadProgress(received, size);
                                           }
                                           return true;
                                       });
            client->Disconnect();
            if (client->IsCancelled())
                return finish(NDownloadResult::Cancelled);
            // An empty or short installer would start nothing or a broken setup.
            if (!ok || size == 0 || received != size || !job->Commit())
                return finish(NDownloadResult::Failed);
            if (ui && reported != received)
                ui->OnDownloadProgress(received, size);
            finish(NDownloadResult::Done);
        });
}

void CInstallerDownload::Cancel()
{
    m_client->Cancel();
}

bool CInstallerDownload::Wait(int timeoutMs)
{
    return m_thread.Stop(timeoutMs);
}

} // namespace Update
